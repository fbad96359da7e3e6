// The file list (control 1003): one row per data file of the open project, in report view
// with grid lines and whole-row selection; several rows may be selected.
#pragma once

#include <QTableWidget>

namespace kx::ui {

class CMylistCtrl : public QTableWidget {
    Q_OBJECT
public:
    explicit CMylistCtrl(QWidget* parent);

    // Report view with grid lines and full-row selection, no columns yet.
    void SetReportStyle();
    // Appends a left-aligned column.
    void InsertColumn(const QString& caption, int width);
};

}  // namespace kx::ui
