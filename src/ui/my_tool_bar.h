// The tools toolbar: the eleven waveform tools, and 指数放大 after them, as
// wide text-only buttons.
#pragma once

#include <QToolBar>

#include "ui/tool_bar_util.h"

namespace kx::ui {

class CMytoolBar : public QToolBar {
    Q_OBJECT
public:
    explicit CMytoolBar(QWidget* parent);

    // Builds the buttons from the commands' actions (their captions are the buttons' texts);
    // false if one is missing.
    bool LoadToolBar(const ActionForId& actionFor);
    // Every button gets this size; the image size is what is left of an image (1 x 1 shows
    // none).
    void SetSizes(QSize button, QSize image);

    static const QList<int>& Layout();
};

}  // namespace kx::ui
