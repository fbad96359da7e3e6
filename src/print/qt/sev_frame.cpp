#include "print/qt/sev_frame.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>
#include <functional>

#include "print/qt/sev_preview_view.h"
#include "print/qt/sev_view.h"
#include "render/fonts.h"
#include "res/ids.h"
#include "widgets/dialog_units.h"

namespace kx::ui {

CSevFrame::CSevFrame(QWidget* owner, std::unique_ptr<CSevView> view)
    : QMainWindow(nullptr), m_owner(owner), m_view(std::move(view)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle("打印预览");
    setFont(DialogFont());
    setGeometry(200, 200, 300, 300);
    if (m_owner != nullptr) {
        setWindowIcon(m_owner->windowIcon());
    }
    m_preview = new CSevPreviewView(*m_view, this);
    setCentralWidget(m_preview);
    BuildToolBar();
    m_pageLabel = new QLabel(this);
    statusBar()->addWidget(m_pageLabel);
    connect(m_preview, &CSevPreviewView::stateChanged, this, &CSevFrame::RefreshButtons);

    // Page Down, Page Up and Esc, wherever the focus is in the window.
    auto* next = new QAction(this);
    next->setShortcut(Qt::Key_PageDown);
    connect(next, &QAction::triggered, m_preview, &CSevPreviewView::NextPage);
    auto* prev = new QAction(this);
    prev->setShortcut(Qt::Key_PageUp);
    connect(prev, &QAction::triggered, m_preview, &CSevPreviewView::PrevPage);
    auto* close = new QAction(this);
    close->setShortcut(Qt::Key_Escape);
    connect(close, &QAction::triggered, this, &QWidget::close);
    addActions({next, prev, close});

    RefreshButtons();
    // Without a window manager to maximise it, the window still covers the screen.
    if (QScreen* s = QGuiApplication::primaryScreen()) {
        setGeometry(s->availableGeometry());
    }
    showMaximized();
    // The keys page at once: the window that had the focus is about to hide.
    activateWindow();
    m_preview->setFocus();
    if (m_owner != nullptr) {
        m_owner->hide();
    }
}

CSevFrame::~CSevFrame() = default;

void CSevFrame::BuildToolBar() {
    auto* bar = addToolBar("打印预览");
    bar->setObjectName(QString::number(id::kPreviewToolBar));
    bar->setMovable(false);
    CSevPreviewView* p = m_preview;
    const struct {
        int id;
        const char* caption;
        std::function<void()> run;
    } buttons[] = {
        {id::kPreviewPrint, "打印(&P)...", [this] { PrintFromPreview(); }},
        {id::kPreviewNext, "下一页(&N)", [p] { p->NextPage(); }},
        {id::kPreviewPrev, "上一页(&V)", [p] { p->PrevPage(); }},
        {id::kPreviewNumPages, "双页(&T)", [p] { p->ToggleTwoPages(); }},
        {id::kPreviewZoomIn, "放大(&I)", [p] { p->ZoomIn(); }},
        {id::kPreviewZoomOut, "缩小(&O)", [p] { p->ZoomOut(); }},
        {id::kPreviewClose, "关闭(&C)", [this] { close(); }},
    };
    const QSize size = DialogRect(0, 0, 46, 12).size();
    for (const auto& b : buttons) {
        auto* button = new QPushButton(b.caption, bar);
        button->setObjectName(QString::number(b.id));
        button->setFixedSize(size);
        button->setFocusPolicy(Qt::NoFocus);
        bar->addWidget(button);
        connect(button, &QPushButton::clicked, this, b.run);
    }
}

QPushButton* CSevFrame::Button(int id) const {
    return findChild<QPushButton*>(QString::number(id));
}

QString CSevFrame::PageText() const {
    return m_pageLabel->text();
}

void CSevFrame::RefreshButtons() {
    Button(id::kPreviewPrint)->setEnabled(m_view->PageCount() > 0);
    Button(id::kPreviewNext)->setEnabled(m_preview->CanGoNext());
    Button(id::kPreviewPrev)->setEnabled(m_preview->CanGoPrev());
    QPushButton* pages = Button(id::kPreviewNumPages);
    pages->setText(m_preview->TwoPages() ? "单页(&O)" : "双页(&T)");
    pages->setEnabled(m_preview->CanToggleTwoPages());
    Button(id::kPreviewZoomIn)->setEnabled(m_preview->CanZoomIn());
    Button(id::kPreviewZoomOut)->setEnabled(m_preview->CanZoomOut());
    if (m_view->PageCount() == 0) {
        m_pageLabel->setText("打印列表为空");
        return;
    }
    const int page = m_preview->CurrentPage();
    const QString shown = m_preview->ShowsTwoPages() && page < m_preview->LastPage()
                              ? QString("第 %1-%2 页").arg(page).arg(page + 1)
                              : QString("第 %1 页").arg(page);
    m_pageLabel->setText(shown + QString("，共 %1 页").arg(m_view->PageCount()));
}

void CSevFrame::PrintFromPreview() {
    m_view->Print(this);
}

// The main window comes back before this one goes, so the program always has a window.
void CSevFrame::closeEvent(QCloseEvent* event) {
    if (m_owner != nullptr) {
        m_owner->show();
        m_owner->activateWindow();
    }
    QMainWindow::closeEvent(event);
}

}  // namespace kx::ui
