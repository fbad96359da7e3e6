// The all-waveforms view (所有波型), a tab of the main window's views: one band per project file
// with its name and stacked waveform, scrolled vertically over the whole project. A paint draws
// only the bands inside the exposed rows.
#pragma once

#include <QAbstractScrollArea>
#include <QString>
#include <functional>

#include "record/pile_record.h"
#include "render/all_view_render.h"

namespace kx {

class CAllBoXin : public QAbstractScrollArea {
    Q_OBJECT
public:
    // One band of the view: the file's name and its record, null while the record is not
    // loaded yet or could not be read (the band then shows the name alone).
    using Row = AllViewRow;
    using RowSource = AllViewRowSource;

    explicit CAllBoXin(QWidget* parent = nullptr);

    // Where the bands come from; asked while painting, on the user-interface thread.
    void SetRowSource(RowSource source);
    // The number of bands (the project's files); the scroll extent follows.
    void SetRowCount(int rows);
    int RowCount() const { return m_rowCount; }

    // Draws the bands inside `exposed` (client coordinates) at the current scroll position.
    void Paint(QPainter& p, const QRect& exposed) const;
    // A double click on a band opens its pile (the window selects that row).
    void SetOpenRow(std::function<void(int row)> open) { m_openRow = std::move(open); }
    // The band under client y; -1 below the last one.
    int RowAt(int y) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void UpdateScrollRange();

    RowSource m_rowSource;
    int m_rowCount = 0;
    std::function<void(int row)> m_openRow;
};

}  // namespace kx
