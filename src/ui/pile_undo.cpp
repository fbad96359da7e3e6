#include "ui/pile_undo.h"

#include <QUndoCommand>
#include <bit>

namespace kx::ui {

namespace {

// The boxes an edit changes; the cursor readouts follow every click and are no edit.
bool SameBoxes(const PageBoxes& a, const PageBoxes& b) {
    return a.tester == b.tester && a.testingUnit == b.testingUnit && a.site == b.site &&
           a.pileNumber == b.pileNumber && a.testDate == b.testDate && a.testTime == b.testTime &&
           a.integrityClass == b.integrityClass && a.concreteStrength == b.concreteStrength &&
           a.pileDiameter == b.pileDiameter && a.pileLength == b.pileLength &&
           a.waveSpeed == b.waveSpeed && a.defectPosition == b.defectPosition &&
           a.lowPass == b.lowPass && a.instrumentNumber == b.instrumentNumber &&
           a.remarks == b.remarks;
}

// Records compared field by field where an edit can reach; floats bit for bit.
bool SameRecord(const PileRecord& a, const PileRecord& b) {
    return !MarkerFieldsDiffer(a, b) && a.waves == b.waves && a.waveAbsent == b.waveAbsent &&
           a.tester == b.tester && a.testingUnit == b.testingUnit && a.site == b.site &&
           a.pileNumber == b.pileNumber && a.remarks == b.remarks && a.testDate == b.testDate &&
           a.testTime == b.testTime && a.integrityClass == b.integrityClass &&
           a.concreteStrength == b.concreteStrength && a.pileDiameter == b.pileDiameter &&
           a.instrumentNumber == b.instrumentNumber && a.lowPassHz == b.lowPassHz &&
           std::bit_cast<uint32_t>(a.cursorVoltage) == std::bit_cast<uint32_t>(b.cursorVoltage);
}

}  // namespace

bool PileEditState::SameEdit(const PileEditState& o) const {
    return SameRecord(record, o.record) && topX == o.topX && bottomX == o.bottomX &&
           defectX == o.defectX && showTop == o.showTop && showDefect == o.showDefect &&
           showBottom == o.showBottom && fixMode == o.fixMode && SameBoxes(boxes, o.boxes) &&
           waveModified == o.waveModified && optimizeTouched == o.optimizeTouched;
}

// One step: the state before and after it. Pushed after the step was done, so its first
// redo does nothing.
class CPileUndo::Step : public QUndoCommand {
public:
    Step(CPileUndo& owner, PileEditState before, PileEditState after)
        : m_owner(owner), m_before(std::move(before)), m_after(std::move(after)) {}
    void undo() override { m_owner.Put(m_before); }
    void redo() override {
        if (m_done) {
            m_owner.Put(m_after);
        }
        m_done = true;
    }

private:
    CPileUndo& m_owner;
    PileEditState m_before;
    PileEditState m_after;
    bool m_done = false;
};

CPileUndo::CPileUndo(QObject* parent, std::function<std::optional<PileEditState>()> capture,
                     std::function<void(const PileEditState&)> apply)
    : QObject(parent), m_capture(std::move(capture)), m_apply(std::move(apply)) {
    // Each step holds two copies of the pile; a hundred of them are a few megabytes.
    m_stack.setUndoLimit(100);
}

void CPileUndo::Reset() {
    m_stack.clear();
    m_last = m_capture();
}

void CPileUndo::Checkpoint() {
    if (m_applying) {
        return;
    }
    std::optional<PileEditState> now = m_capture();
    if (!now || !m_last) {
        m_last = std::move(now);
        return;
    }
    if (now->SameEdit(*m_last)) {
        return;
    }
    PileEditState before = std::move(*m_last);
    m_last = *now;
    m_stack.push(new Step(*this, std::move(before), std::move(*now)));
}

void CPileUndo::Rebase() {
    m_last = m_capture();
}

void CPileUndo::Undo() {
    Checkpoint();  // an edit not yet recorded is the first to go
    m_stack.undo();
}

void CPileUndo::Redo() {
    m_stack.redo();
}

void CPileUndo::Put(const PileEditState& state) {
    m_applying = true;
    m_apply(state);
    m_applying = false;
    m_last = m_capture();
}

}  // namespace kx::ui
