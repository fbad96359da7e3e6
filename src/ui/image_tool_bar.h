// The main toolbar: file, print-list, blow and marker commands, each a 22 x 22
// image with its text underneath.
#pragma once

#include <QList>
#include <QToolBar>

#include "ui/tool_bar_util.h"

namespace kx::ui {

class CImageToolBar : public QToolBar {
    Q_OBJECT
public:
    explicit CImageToolBar(QWidget* parent);

    // Builds the buttons and separators of resource 141 from the commands' actions (their
    // images and button texts); false if one is missing.
    bool LoadToolBar(const ActionForId& actionFor);

    // Command ids by position; 0 is a separator.
    static const QList<int>& Layout();
};

}  // namespace kx::ui
