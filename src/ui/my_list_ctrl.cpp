#include "ui/my_list_ctrl.h"

#include <QHeaderView>

#include "res/ids.h"

namespace kx::ui {

CMylistCtrl::CMylistCtrl(QWidget* parent) : QTableWidget(parent) {
    setObjectName(QString::number(id::kFileList));
    setFocusPolicy(Qt::StrongFocus);
}

void CMylistCtrl::SetReportStyle() {
    setShowGrid(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 5);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setColumnCount(0);
}

void CMylistCtrl::InsertColumn(const QString& caption, int width) {
    const int column = columnCount();
    setColumnCount(column + 1);
    auto* header = new QTableWidgetItem(caption);
    header->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setHorizontalHeaderItem(column, header);
    setColumnWidth(column, width);
}

}  // namespace kx::ui
