// The page area of the print preview window: one or two pages side by side, fitted to the window or
// zoomed in (then one page, scrolled). A page is drawn only when it comes into view, and kept
// while it stays there, so a report of any length opens at once.
#pragma once

#include <QAbstractScrollArea>
#include <QImage>
#include <map>

namespace kx::ui {

class CSevView;

class CSevPreviewView : public QAbstractScrollArea {
    Q_OBJECT
public:
    static constexpr int kZoomLevels = 3;  // fitted, twice, four times

    CSevPreviewView(CSevView& view, QWidget* parent = nullptr);

    int CurrentPage() const { return m_page; }
    // The last page the user can move to: the page count, at least 1 (an empty print list
    // still shows its one page of title and footer).
    int LastPage() const;
    bool TwoPages() const { return m_twoPages; }
    // Two pages are shown side by side only when fitted.
    bool ShowsTwoPages() const { return m_twoPages && m_zoom == 0; }
    int ZoomLevel() const { return m_zoom; }

    void NextPage();
    void PrevPage();
    void ToggleTwoPages();
    void ZoomIn();
    void ZoomOut();
    bool CanGoNext() const;
    bool CanGoPrev() const { return m_page > 1; }
    bool CanToggleTwoPages() const { return m_zoom == 0 && (m_twoPages || LastPage() > 1); }
    bool CanZoomIn() const { return m_zoom < kZoomLevels - 1; }
    bool CanZoomOut() const { return m_zoom > 0; }

signals:
    // Page, page mode or zoom changed: the toolbar refreshes its buttons.
    void stateChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    // Screen pixels per page pixel.
    double Scale() const;
    QSize PaperPixels() const;  // the sheet in 600-dpi pixels
    QSize ContentSize() const;  // what is shown, in screen pixels
    void UpdateScrollBars();
    void Changed();
    const QImage& PageImage(int page, const QSize& size);

    CSevView& m_view;
    int m_page = 1;
    bool m_twoPages = false;
    int m_zoom = 0;
    std::map<int, QImage> m_images;  // the pages in view, at the current size
};

}  // namespace kx::ui
