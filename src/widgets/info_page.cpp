#include "widgets/info_page.h"

#include <QEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>

#include "render/fonts.h"
#include "widgets/dialog_units.h"

namespace kx::ui {

InfoPage::InfoPage(PageHost* host, int dialogId, QWidget* parent) : QWidget(parent), m_host(host) {
    setObjectName(QString::number(dialogId));
    setFont(DialogFont());
}

QLineEdit* InfoPage::Edit(int id) const {
    return Control<QLineEdit>(id);
}

QLabel* InfoPage::AddLabel(const QString& text, int x, int y, int width, int height) {
    auto* label = new QLabel(text, this);
    label->setObjectName(QString::number(-1));
    QRect r = DialogRect(x, y, width, height);
    // The font that stands in for the dialog font can be a few pixels wider than the one the
    // templates were drawn for; a label grows to its text rather than cut it off.
    // It grows to the left while there is room, so it keeps its gap to the box it names.
    const int needed = QFontMetrics(label->font()).horizontalAdvance(text) + 1;
    if (needed > r.width()) {
        const int right = r.right();
        r.setLeft(std::max(0, right + 1 - needed));
        r.setWidth(std::max(needed, r.width()));
    }
    label->setGeometry(r);
    return label;
}

QLineEdit* InfoPage::AddEdit(int id, int x, int y, int width, int height) {
    auto* edit = new QLineEdit(this);
    PlaceWidget(edit, id, x, y, width, height);
    return edit;
}

void InfoPage::PlaceWidget(QWidget* control, int id, int x, int y, int width, int height) {
    control->setObjectName(QString::number(id));
    control->setGeometry(DialogRect(x, y, width, height));
}

void InfoPage::FinishControls() {
    for (QWidget* w : findChildren<QWidget*>()) {
        w->installEventFilter(this);
    }
}

bool InfoPage::FilterKey(QWidget*, QKeyEvent*) {
    return false;
}

bool InfoPage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return QWidget::eventFilter(watched, event);
    }
    auto* key = static_cast<QKeyEvent*>(event);
    auto* target = qobject_cast<QWidget*>(watched);
    if (target != nullptr && FilterKey(target, key)) {
        return true;
    }
    // Enter and Esc would otherwise confirm or cancel; on a page they do nothing.
    switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
            return true;
        default:
            return false;
    }
}

}  // namespace kx::ui
