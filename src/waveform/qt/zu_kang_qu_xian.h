// The impedance profile view (阻抗曲线), the fifth tab of the main window's views: the
// relative impedance along the shaft of the current record against depth, with the pile
// length marked; nothing while no file is selected. It only shows; it takes no input.
#pragma once

#include <QAbstractScrollArea>
#include <functional>

#include "analysis/pile_analysis.h"
#include "record/pile_record.h"

namespace kx {

class CZuKangQuXian : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit CZuKangQuXian(QWidget* parent = nullptr);

    // The record whose profile is drawn: the current record, null while no file is selected.
    void SetRecord(const PileRecord* record);
    const PileRecord* Record() const { return m_record; }

    struct Hooks {
        std::function<bool()> fileSelected;  // m_currentPath not empty
        // The analysis of a record (the window's); unset: nothing is drawn.
        std::function<const PileAnalysis&(const PileRecord&)> analyse;
    };
    void SetHooks(Hooks hooks) { m_hooks = std::move(hooks); }

    // Draws the client picture onto any painter.
    void Paint(QPainter& p);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const PileRecord* m_record = nullptr;
    Hooks m_hooks;
};

}  // namespace kx
