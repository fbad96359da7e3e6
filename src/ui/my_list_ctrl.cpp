#include "ui/my_list_ctrl.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <algorithm>

#include "res/ids.h"

namespace kx::ui {

namespace {

// Paints each row in the colours the list gives it instead of the style's selection colours:
// the background, then the text, left-aligned and elided where the column is too narrow, at
// the style's text margin. (Drawn directly rather than through the style's item-view element,
// which lays out each cell's text as a paragraph: the first paint of an opened site waits for
// this list.)
class RowColourDelegate : public QStyledItemDelegate {
public:
    explicit RowColourDelegate(CMylistCtrl* list) : QStyledItemDelegate(list), m_list(list) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const CMylistCtrl::RowColours colours = m_list->ColoursOfRowWhilePainting(index.row());
        painter->fillRect(option.rect, colours.background);
        const QWidget* widget = option.widget;
        const QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
        const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
        const QRect textRect = option.rect.adjusted(margin, 0, -margin, 0);
        const QString text = index.data(Qt::DisplayRole).toString();
        if (text.isEmpty() || textRect.width() <= 0) {
            return;
        }
        painter->save();
        painter->setFont(option.font);
        painter->setPen(colours.text);
        painter->drawText(
            textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
            option.fontMetrics.elidedText(text, option.textElideMode, textRect.width()));
        painter->restore();
    }

private:
    CMylistCtrl* m_list;
};

}  // namespace

// The rows as the source describes them; only their number is kept here.
class CMylistCtrl::Model : public QAbstractTableModel {
public:
    explicit Model(QObject* parent) : QAbstractTableModel(parent) {}

    int rowCount(const QModelIndex& parent = QModelIndex()) const override {
        return parent.isValid() ? 0 : m_rows;
    }
    int columnCount(const QModelIndex& parent = QModelIndex()) const override {
        return parent.isValid() ? 0 : static_cast<int>(m_captions.size());
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid()) {
            return {};
        }
        if (role == Qt::TextAlignmentRole) {
            return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
        }
        if (role != Qt::DisplayRole) {
            return {};
        }
        return Text(index.row(), index.column());
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal || section < 0 ||
            section >= static_cast<int>(m_captions.size())) {
            return {};
        }
        if (role == Qt::TextAlignmentRole) {
            return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
        }
        return role == Qt::DisplayRole ? QVariant(m_captions[static_cast<size_t>(section)])
                                       : QVariant();
    }

    QString Text(int row, int column) const {
        if (!m_source || row < 0 || row >= m_rows) {
            return {};
        }
        const RowTexts texts = m_source(row);
        switch (column) {
            case 0:
                return texts.name;
            case 1:
                return texts.printed;
            case 2:
                return texts.type;
            default:
                return {};
        }
    }
    void SetSource(RowSource source) {
        m_source = std::move(source);
        Refresh();
    }
    void AddColumn(const QString& caption) {
        const int column = static_cast<int>(m_captions.size());
        beginInsertColumns(QModelIndex(), column, column);
        m_captions.push_back(caption);
        endInsertColumns();
    }
    void SetRowCount(int rows) {
        rows = std::max(0, rows);
        if (rows > m_rows) {
            beginInsertRows(QModelIndex(), m_rows, rows - 1);
            m_rows = rows;
            endInsertRows();
        } else if (rows < m_rows) {
            beginRemoveRows(QModelIndex(), rows, m_rows - 1);
            m_rows = rows;
            endRemoveRows();
        }
    }
    void Refresh() {
        if (m_rows > 0 && !m_captions.empty()) {
            emit dataChanged(index(0, 0), index(m_rows - 1, columnCount() - 1));
        }
    }

private:
    RowSource m_source;
    std::vector<QString> m_captions;
    int m_rows = 0;
};

CMylistCtrl::CMylistCtrl(QWidget* parent) : QTableView(parent), m_model(new Model(this)) {
    setObjectName(QString::number(id::kFileList));
    setFocusPolicy(Qt::StrongFocus);
    setModel(m_model);
    setItemDelegate(new RowColourDelegate(this));
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { CheckCurrentRow(); });
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { CheckCurrentRow(); });
}

void CMylistCtrl::SetRowSource(RowSource source) {
    m_model->SetSource(std::move(source));
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
}

void CMylistCtrl::InsertColumn(const QString& caption, int width) {
    m_model->AddColumn(caption);
    setColumnWidth(m_model->columnCount() - 1, width);
}

void CMylistCtrl::RowsChanged(int rows) {
    if (rows != rowCount()) {
        m_quiet = true;
        m_model->SetRowCount(rows);
        m_quiet = false;
        m_announcedRow = FirstSelectedRow();
    }
    m_model->Refresh();
}

int CMylistCtrl::rowCount() const {
    return m_model->rowCount();
}

int CMylistCtrl::currentRow() const {
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() : -1;
}

QString CMylistCtrl::Text(int row, int column) const {
    return m_model->Text(row, column);
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
    m_announcedRow = FirstSelectedRow();
    viewport()->update();
}

CMylistCtrl::RowColours CMylistCtrl::ColoursOfRow(int row) const {
    return ColoursOfRow(row, FirstSelectedRow());
}

CMylistCtrl::RowColours CMylistCtrl::ColoursOfRowWhilePainting(int row) const {
    return ColoursOfRow(row, m_firstSelectedWhilePainting);
}

void CMylistCtrl::paintEvent(QPaintEvent* event) {
    // One look at the selection for the whole paint instead of one per cell.
    m_firstSelectedWhilePainting = FirstSelectedRow();
    QTableView::paintEvent(event);
}

CMylistCtrl::RowColours CMylistCtrl::ColoursOfRow(int row, int firstSelected) const {
    if (row == firstSelected) {
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
    // The current pile is the first selected row: it is announced whenever it changes, by a
    // click, a key or a change of the selection (a press on a row of a selection focuses it at
    // once but selects it alone only at the release).
    const int first = FirstSelectedRow();
    if (first == m_announcedRow) {
        return;
    }
    m_announcedRow = first;
    if (first >= 0) {
        emit rowSelected(first);
    }
}

void CMylistCtrl::keyPressEvent(QKeyEvent* event) {
    // Plain letters only: with a modifier they are someone else's shortcut (Ctrl+Q quits).
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == 0;
    const bool q = plain && event->key() == Qt::Key_Q;
    const bool w = plain && event->key() == Qt::Key_W;
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
    // Home and End go to the first and the last pile.
    if ((event->key() == Qt::Key_Home || event->key() == Qt::Key_End) && plain && rowCount() > 0) {
        const int row = event->key() == Qt::Key_Home ? 0 : rowCount() - 1;
        selectionModel()->setCurrentIndex(
            model()->index(row, 0),
            QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        scrollTo(model()->index(row, 0));
        return;
    }
    QTableView::keyPressEvent(event);
}

}  // namespace kx::ui
