// The raw waveform (原始波型) view of the main window's views tab (child id 10001).
#pragma once

#include <QFrame>

#include "record/pile_record.h"

namespace kx {

class CYuanShiBoXin : public QFrame {
    Q_OBJECT
public:
    explicit CYuanShiBoXin(QWidget* parent = nullptr);

    // The current record whose blows are drawn (null: no file selected).
    void SetRecord(PileRecord* record);
    PileRecord* Record() const { return m_record; }
    // The selected blow, 0-7; -1 for none.
    void SetSelectedBlow(int blow);
    int SelectedBlow() const { return m_selectedBlow; }

private:
    PileRecord* m_record = nullptr;
    int m_selectedBlow = -1;
};

}  // namespace kx
