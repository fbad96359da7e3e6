#include "ui/tab_control.h"

#include <QStyleOptionTabWidgetFrame>
#include <QStylePainter>
#include <QTabBar>

namespace kx::ui {

TabControl::TabControl(QWidget* parent) : QWidget(parent), m_bar(new QTabBar(this)) {
    m_bar->setDrawBase(false);
    m_bar->setExpanding(false);
    m_bar->setUsesScrollButtons(true);
    m_bar->move(2, 0);
    connect(m_bar, &QTabBar::currentChanged, this, [this](int index) {
        if (!m_silent) {
            emit selectionChanged(index);
        }
    });
}

int TabControl::InsertItem(const QString& text) {
    m_silent = true;
    const int index = m_bar->addTab(text);
    m_silent = false;
    m_bar->resize(std::min(m_bar->sizeHint().width(), std::max(0, width() - 4)),
                  m_bar->sizeHint().height());
    return index;
}

int TabControl::CurrentSelection() const {
    return m_bar->currentIndex();
}

void TabControl::Select(int index) {
    m_silent = true;
    m_bar->setCurrentIndex(index);
    m_silent = false;
}

void TabControl::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    m_bar->resize(std::min(m_bar->sizeHint().width(), std::max(0, width() - 4)),
                  m_bar->sizeHint().height());
}

void TabControl::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionTabWidgetFrame frame;
    frame.initFrom(this);
    frame.shape = QTabBar::RoundedNorth;
    frame.tabBarSize = m_bar->size();
    frame.tabBarRect = m_bar->geometry();
    const int top = m_bar->height() - 1;
    frame.rect = QRect(0, top, width(), height() - top);
    painter.drawPrimitive(QStyle::PE_FrameTabWidget, frame);
}

}  // namespace kx::ui
