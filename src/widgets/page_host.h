// What the information pages need from the window that holds them: whether a file is
// selected, a message box, and the operations some of their keys and buttons start.
#pragma once

#include <QString>

namespace kx::ui {

class PageHost {
public:
    virtual ~PageHost() = default;
    virtual bool HasFileSelected() const = 0;
    // A modal message with an OK button, captioned with the application title.
    virtual void ShowMessage(const QString& text) = 0;
    // Applies a waveform tool (view command 10001-10010) to the current record, a file being
    // selected: the stacked view runs it, the all-waveforms view repaints, the wave counts as
    // modified.
    virtual void ApplyViewCommand(int viewCommand) = 0;
    // Moves the defect marker to the position typed on the parameter page.
    virtual void DefectFromPosition() = 0;
    // The conclusion page's "统一信息" button.
    virtual void UnifyConclusionInfo() = 0;
};

}  // namespace kx::ui
