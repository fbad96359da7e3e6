// The print preview window (打印预览): a maximised top-level window with the preview toolbar
// (打印, 下一页, 上一页, 单页/双页, 放大, 缩小, 关闭) over the pages. While it is open the main
// window that opened it is hidden; closing it shows that window again. Page Down, Page Up
// and Esc page and close. It deletes itself when closed.
#pragma once

#include <QMainWindow>
#include <memory>

class QLabel;
class QPushButton;

namespace kx::ui {

class CSevView;
class CSevPreviewView;

class CSevFrame : public QMainWindow {
    Q_OBJECT
public:
    // Builds the window, shows it maximised on page 1 and hides `owner`.
    CSevFrame(QWidget* owner, std::unique_ptr<CSevView> view);
    ~CSevFrame() override;

    CSevView& PrintingView() const { return *m_view; }
    CSevPreviewView* Preview() const { return m_preview; }
    QWidget* Owner() const { return m_owner; }
    QPushButton* Button(int id) const;
    // The status line: the page shown and the page count.
    QString PageText() const;

    // Toolbar button 58116: prints through the printing view; the preview stays open.
    void PrintFromPreview();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildToolBar();
    void RefreshButtons();

    QWidget* m_owner;
    std::unique_ptr<CSevView> m_view;
    CSevPreviewView* m_preview = nullptr;
    QLabel* m_pageLabel = nullptr;
};

}  // namespace kx::ui
