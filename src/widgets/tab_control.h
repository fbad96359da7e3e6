// A tab control in the manner of the original window: a strip of tabs over a framed panel,
// whose children are placed by their owner in the control's own coordinates (the strip
// included) rather than managed by a stacked layout. Only selection changes made by the user
// are reported; the owner selects tabs itself without a notification.
#pragma once

#include <QWidget>

class QTabBar;

namespace kx::ui {

class TabControl : public QWidget {
    Q_OBJECT
public:
    explicit TabControl(QWidget* parent = nullptr);

    int InsertItem(const QString& text);
    int CurrentSelection() const;
    // Selects a tab without reporting it.
    void Select(int index);
    QTabBar* Bar() const { return m_bar; }

signals:
    // The user selected another tab; the children have not been switched yet.
    void selectionChanged(int index);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void FitBar();

    QTabBar* m_bar;
    bool m_silent = false;
};

}  // namespace kx::ui
