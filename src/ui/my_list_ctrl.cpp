#include "ui/my_list_ctrl.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <algorithm>

#include "res/ids.h"

namespace kx::ui {

namespace {

// Paints each row in the colours the list gives it instead of the style's selection colours.
class RowColourDelegate : public QStyledItemDelegate {
public:
    explicit RowColourDelegate(CMylistCtrl* list) : QStyledItemDelegate(list), m_list(list) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        const CMylistCtrl::RowColours colours = m_list->ColoursOfRow(index.row());
        opt.state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
        opt.backgroundBrush = colours.background;
        opt.palette.setColor(QPalette::Text, colours.text);
        painter->fillRect(opt.rect, colours.background);
        const QWidget* widget = opt.widget;
        QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);
    }

private:
    CMylistCtrl* m_list;
};

}  // namespace

CMylistCtrl::CMylistCtrl(QWidget* parent) : QTableWidget(parent) {
    setObjectName(QString::number(id::kFileList));
    setFocusPolicy(Qt::StrongFocus);
    setItemDelegate(new RowColourDelegate(this));
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { CheckCurrentRow(); });
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { CheckCurrentRow(); });
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

void CMylistCtrl::SetRowCount(int rows) {
    if (rows == rowCount()) {
        return;
    }
    m_quiet = true;
    setRowCount(rows);
    m_quiet = false;
    const int current = currentRow();
    m_announcedRow =
        current >= 0 && selectionModel()->isRowSelected(current, QModelIndex()) ? current : -1;
}

void CMylistCtrl::SetRowTexts(int row, const QString& name, const QString& printed,
                              const QString& type) {
    if (row >= rowCount()) {
        setRowCount(row + 1);
    }
    const QString texts[] = {name, printed, type};
    for (int column = 0; column < std::min(columnCount(), 3); ++column) {
        QTableWidgetItem* cell = item(row, column);
        if (cell == nullptr) {
            cell = new QTableWidgetItem(texts[column]);
            cell->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            setItem(row, column, cell);
        } else if (cell->text() != texts[column]) {
            cell->setText(texts[column]);
        }
    }
}

int CMylistCtrl::FirstSelectedRow() const {
    const std::vector<int> rows = SelectedRows();
    return rows.empty() ? -1 : rows.front();
}

std::vector<int> CMylistCtrl::SelectedRows() const {
    std::vector<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedRows()) {
        rows.push_back(index.row());
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

void CMylistCtrl::ShowSelection(int row) {
    m_quiet = true;
    if (row >= 0 && row < rowCount()) {
        selectionModel()->setCurrentIndex(
            model()->index(row, 0),
            QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        scrollTo(model()->index(row, 0));
    } else {
        selectionModel()->clearSelection();
        selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    }
    m_quiet = false;
    const int current = currentRow();
    m_announcedRow =
        current >= 0 && selectionModel()->isRowSelected(current, QModelIndex()) ? current : -1;
    viewport()->update();
}

CMylistCtrl::RowColours CMylistCtrl::ColoursOfRow(int row) const {
    if (row == FirstSelectedRow()) {
        return {QColor(255, 255, 255), QColor(49, 106, 197)};
    }
    const bool saved = std::find(m_savedRows.begin(), m_savedRows.end(), row) != m_savedRows.end();
    return {saved ? QColor(255, 0, 0) : QColor(0, 0, 0), QColor(255, 255, 255)};
}

void CMylistCtrl::CheckCurrentRow() {
    // Every row is repainted: the highlight belongs to the first selected row, which a
    // change elsewhere in the list can move.
    viewport()->update();
    if (m_quiet) {
        return;
    }
    const int current = currentRow();
    const bool selected = current >= 0 && selectionModel()->isRowSelected(current, QModelIndex());
    if (!selected) {
        m_announcedRow = -1;
        return;
    }
    if (current == m_announcedRow) {
        return;
    }
    m_announcedRow = current;
    emit rowSelected(FirstSelectedRow());
}

void CMylistCtrl::keyPressEvent(QKeyEvent* event) {
    const bool q = event->key() == Qt::Key_Q;
    const bool w = event->key() == Qt::Key_W;
    if (q || w) {
        if (q) {
            emit addToPrintListKey();
        } else {
            emit removeFromPrintListKey();
        }
        // The selection steps on: the row after the first selected one is selected and
        // focused as well; a row past the end is ignored.
        const int next = FirstSelectedRow() + 1;
        if (next < rowCount()) {
            selectionModel()->setCurrentIndex(
                model()->index(next, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
        }
    }
    QTableWidget::keyPressEvent(event);
}

}  // namespace kx::ui
