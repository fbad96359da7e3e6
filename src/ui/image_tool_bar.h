// The main toolbar (resource 141): file, print-list, blow and marker commands, each a 22 x 22
// image with its text underneath.
#pragma once

#include <QList>
#include <QPixmap>
#include <QToolBar>

namespace kx::ui {

class CImageToolBar : public QToolBar {
    Q_OBJECT
public:
    explicit CImageToolBar(QWidget* parent);

    // Builds the buttons and separators of resource 141; false if it cannot.
    bool LoadToolBar();
    // Sets the text at a position, separators counted.
    void SetButtonText(int position, const QString& text);
    // The n-th button (separators not counted) shows image n.
    void SetImageList(const QList<QPixmap>& images);

    // Command ids by position; 0 is a separator.
    static const QList<int>& Layout();
};

}  // namespace kx::ui
