// The all-waveforms (所有波型) view of the main window's views tab (child id 10004).
#pragma once

#include <QFrame>
#include <QString>
#include <functional>

#include "record/pile_record.h"

namespace kx {

class CAllBoXin : public QFrame {
    Q_OBJECT
public:
    // One band of the view: the file's name and its record, null while the record is not
    // loaded yet or could not be read (the band then shows the name alone).
    struct Row {
        QString name;
        const PileRecord* record = nullptr;
    };
    using RowSource = std::function<Row(int row)>;

    explicit CAllBoXin(QWidget* parent = nullptr);

    // Where the bands come from; asked while painting, on the user-interface thread.
    void SetRowSource(RowSource source);
    // The number of bands (the project's files); the scroll extent follows.
    void SetRowCount(int rows);
    int RowCount() const { return m_rowCount; }

private:
    RowSource m_rowSource;
    int m_rowCount = 0;
};

}  // namespace kx
