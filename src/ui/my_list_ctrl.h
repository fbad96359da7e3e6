// The file list: one row per data file of the open project, in report view
// with grid lines and whole-row selection; several rows may be selected.
//
// Only the first selected row is drawn highlighted (white on blue), whether or not the list
// has the focus, so the current file stays marked while the user works in a view or a page;
// the other rows are drawn on white, in red when saved at the save prompt during this run
// (m_savedRows), else in black. Q and W ask for the print-list commands and then select the
// row after the first selected one as well.
//
// The list holds no texts of its own: a row's texts are asked of the row source when the row
// is drawn, so listing a project of thousands of files costs the same as listing a few.
#pragma once

#include <QColor>
#include <QString>
#include <QTableView>
#include <cstdint>
#include <functional>
#include <vector>

namespace kx::ui {

class CMylistCtrl : public QTableView {
    Q_OBJECT
public:
    explicit CMylistCtrl(QWidget* parent);

    // The texts of a row's three columns ("名称", "是否打印", "类型").
    struct RowTexts {
        QString name;
        QString printed;
        QString type;
    };
    using RowSource = std::function<RowTexts(int row)>;
    void SetRowSource(RowSource source);

    // Report view with grid lines and full-row selection, no columns yet.
    void SetReportStyle();
    // Appends a left-aligned column.
    void InsertColumn(const QString& caption, int width);

    // The source now has `rows` rows and their texts may have changed: rows are added or
    // dropped at the end without announcing a selection, and every row is drawn anew.
    void RowsChanged(int rows);
    int rowCount() const;
    // The focused row, -1 when none.
    int currentRow() const;
    // The text shown in a cell.
    QString Text(int row, int column) const;

    // The first selected row from the top, -1 when none; every selected row, ascending.
    int FirstSelectedRow() const;
    std::vector<int> SelectedRows() const;
    // Shows `row` alone selected and focused (-1: nothing selected) without announcing it.
    void ShowSelection(int row);

    // The colours a row is drawn with.
    struct RowColours {
        QColor text;
        QColor background;
    };
    RowColours ColoursOfRow(int row) const;
    // The same during a paint of the list (the selection as the paint began).
    RowColours ColoursOfRowWhilePainting(int row) const;

    // Rows saved at the save prompt during this run, drawn in red.
    std::vector<int32_t> m_savedRows;

signals:
    // A row became selected and focused: the selection flow runs for the first selected row.
    void rowSelected(int firstSelectedRow);
    // Keys Q and W.
    void addToPrintListKey();
    void removeFromPrintListKey();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    class Model;

    RowColours ColoursOfRow(int row, int firstSelected) const;
    // Announces the current row when it has just become selected and focused.
    void CheckCurrentRow();

    Model* m_model;
    int m_announcedRow = -1;  // the first selected row at the last check
    int m_firstSelectedWhilePainting = -1;
    bool m_quiet = false;  // selection changed by the program, not by the user
};

}  // namespace kx::ui
