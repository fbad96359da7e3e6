#include "widgets/buddy_spin_button.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <algorithm>

#include "waveform/box_text.h"

namespace kx::ui {

BuddySpinButton::BuddySpinButton(QLineEdit* buddy, QWidget* parent)
    : QWidget(parent), m_buddy(buddy), m_up(new QToolButton(this)), m_down(new QToolButton(this)) {
    for (QToolButton* b : {m_up, m_down}) {
        b->setAutoRepeat(true);
        b->setFocusPolicy(Qt::NoFocus);
    }
    m_up->setArrowType(Qt::UpArrow);
    m_down->setArrowType(Qt::DownArrow);
    connect(m_up, &QToolButton::clicked, this, [this] { Step(+1); });
    connect(m_down, &QToolButton::clicked, this, [this] { Step(-1); });
    m_buddy->installEventFilter(this);
}

void BuddySpinButton::SetRange(int lowest, int highest) {
    m_lowest = lowest;
    m_highest = highest;
}

void BuddySpinButton::Step(int direction) {
    const int current =
        std::clamp<int>(BoxInteger(m_buddy->text().toStdString()), m_lowest, m_highest);
    m_buddy->setText(QString::number(std::clamp(current + direction, m_lowest, m_highest)));
}

bool BuddySpinButton::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_buddy && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            Step(key == Qt::Key_Up ? +1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void BuddySpinButton::resizeEvent(QResizeEvent*) {
    const int half = height() / 2;
    m_up->setGeometry(0, 0, width(), half);
    m_down->setGeometry(0, half, width(), height() - half);
}

}  // namespace kx::ui
