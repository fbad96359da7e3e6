#include "widgets/tab_control.h"

#include <QFontMetrics>
#include <QStyle>
#include <QStyleOptionTab>
#include <QStyleOptionTabWidgetFrame>
#include <QStylePainter>
#include <QTabBar>

namespace kx::ui {

namespace {

// A strip that shares its width evenly between the tabs when their natural widths do not
// fit, rather than hiding tabs behind scroll arrows.
class FittingTabBar : public QTabBar {
public:
    using QTabBar::QTabBar;
    int available = 0;

protected:
    QSize tabSizeHint(int index) const override {
        QSize natural = QTabBar::tabSizeHint(index);
        int total = 0;
        for (int i = 0; i < count(); ++i) {
            total += QTabBar::tabSizeHint(i).width();
        }
        if (available > 0 && total > available && count() > 0) {
            natural.setWidth(available / count());
        }
        return natural;
    }

    // The style's own tab shapes, with each caption centred across its whole tab: a
    // squeezed tab has no room for the style's side margins.
    void paintEvent(QPaintEvent*) override {
        QStylePainter painter(this);
        const int current = currentIndex();
        for (int pass = 0; pass < 2; ++pass) {  // the selected tab last, over its neighbours
            for (int i = 0; i < count(); ++i) {
                if ((i == current) != (pass == 1)) {
                    continue;
                }
                QStyleOptionTab tab;
                initStyleOption(&tab, i);
                const QString caption = tab.text;
                tab.text.clear();
                painter.drawControl(QStyle::CE_TabBarTabShape, tab);
                tab.text = caption;
                const QRect textRect =
                    style()->subElementRect(QStyle::SE_TabBarTabText, &tab, this);
                painter.setPen(palette().color(
                    isTabEnabled(i) ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
                painter.drawText(
                    QRect(tab.rect.left(), textRect.top(), tab.rect.width(), textRect.height()),
                    Qt::AlignCenter | Qt::TextShowMnemonic, caption);
            }
        }
    }
};

// Vertical strip padding and the smallest caption size a strip may shrink its font to.
constexpr int kMinCaptionPixels = 10;
constexpr int kCaptionPadding = 2;

}  // namespace

TabControl::TabControl(QWidget* parent) : QWidget(parent), m_bar(new FittingTabBar(this)) {
    m_bar->setDrawBase(false);
    m_bar->setExpanding(false);
    m_bar->setUsesScrollButtons(false);
    m_bar->setElideMode(Qt::ElideNone);
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
    FitBar();
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
    FitBar();
}

void TabControl::FitBar() {
    const int available = std::max(0, width() - 4);
    static_cast<FittingTabBar*>(m_bar)->available = available;
    // The captions keep the window's font when they fit; otherwise the font shrinks (to 10
    // pixels at the least) until every caption fits its share of the strip.
    QFont font = this->font();
    const int share = m_bar->count() > 0 ? available / m_bar->count() : available;
    int widest = 0;
    for (int i = 0; i < m_bar->count(); ++i) {
        widest = std::max(widest, QFontMetrics(font).horizontalAdvance(m_bar->tabText(i)));
    }
    const int hspace = style()->pixelMetric(QStyle::PM_TabBarTabHSpace, nullptr, m_bar);
    int natural = 0;
    for (int i = 0; i < m_bar->count(); ++i) {
        natural += QFontMetrics(font).horizontalAdvance(m_bar->tabText(i)) + hspace;
    }
    if (natural > available && font.pixelSize() > 0) {
        int pixels = font.pixelSize();
        while (pixels > kMinCaptionPixels) {
            font.setPixelSize(pixels);
            widest = 0;
            for (int i = 0; i < m_bar->count(); ++i) {
                widest = std::max(widest, QFontMetrics(font).horizontalAdvance(m_bar->tabText(i)));
            }
            if (widest + kCaptionPadding <= share) {
                break;
            }
            --pixels;
        }
        font.setPixelSize(pixels);
    }
    m_bar->setFont(font);
    m_bar->setElideMode(Qt::ElideNone);  // makes the strip measure its tabs again
    m_bar->resize(std::min(m_bar->sizeHint().width(), available), m_bar->sizeHint().height());
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
