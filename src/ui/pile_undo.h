// 编辑 > 撤销 / 重做: the edits of the current pile step by step (QUndoStack). After every
// command that may change the pile and every finished page edit the window calls Checkpoint;
// a step is recorded when the pile's state differs from the last one: the record, the markers,
// the boxes of the pages, the fix mode and the change flags. Undo and redo put a recorded state
// back as a whole. Selecting another pile starts afresh.
#pragma once

#include <QObject>
#include <QUndoStack>
#include <functional>
#include <optional>

#include "record/pile_record.h"
#include "waveform/pile_markers.h"
#include "workspace/page_texts.h"

namespace kx::ui {

// What one step of the current pile puts back.
struct PileEditState {
    PileRecord record;
    // The markers as drawn (pixels at viewWidth), the fix mode and its boxes' enabling.
    int32_t viewWidth = 0;
    int32_t topX = 0;
    int32_t bottomX = 0;
    int32_t defectX = 0;
    bool showTop = true;
    bool showDefect = true;
    bool showBottom = true;
    FixMode fixMode = FixMode::kLengthFixed;
    // The page boxes, the cursor readouts left out (a click is no edit).
    PageBoxes boxes;
    // The change flags of the save prompt.
    bool waveModified = false;
    bool optimizeTouched = false;

    bool SameEdit(const PileEditState& other) const;
};

class CPileUndo : public QObject {
    Q_OBJECT
public:
    // `capture` reads the current pile's state (nothing while no pile is selected); `apply`
    // puts a state back.
    CPileUndo(QObject* parent, std::function<std::optional<PileEditState>()> capture,
              std::function<void(const PileEditState&)> apply);

    // A pile was selected (or none is): the steps start afresh from its state.
    void Reset();
    // Records a step when the pile's state changed since the last one.
    void Checkpoint();
    // The pile's state now is where later steps start from, without a step of its own (a save
    // collected the pages into the record: nothing the user would undo).
    void Rebase();
    void Undo();
    void Redo();
    QUndoStack& Stack() { return m_stack; }

private:
    class Step;
    // Puts a recorded state back; it becomes the state later steps start from.
    void Put(const PileEditState& state);

    std::function<std::optional<PileEditState>()> m_capture;
    std::function<void(const PileEditState&)> m_apply;
    std::optional<PileEditState> m_last;
    QUndoStack m_stack;
    bool m_applying = false;
};

}  // namespace kx::ui
