#include "ui/site_summary_dock.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>

namespace kx::ui {

namespace {

// A table item that sorts by its number where it has one (empty cells first), else by text.
class NumberItem : public QTableWidgetItem {
public:
    bool operator<(const QTableWidgetItem& other) const override {
        const QVariant a = data(Qt::UserRole), b = other.data(Qt::UserRole);
        if (a.isValid() && b.isValid()) {
            return a.toDouble() < b.toDouble();
        }
        if (a.isValid() != b.isValid()) {
            return !a.isValid();
        }
        return QTableWidgetItem::operator<(other);
    }
};

QTableWidgetItem* SortableItem(const TableCell& cell) {
    auto* item = new NumberItem;
    item->setText(QString::fromStdString(cell.text));
    if (cell.number) {
        item->setData(Qt::UserRole, *cell.number);
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    return item;
}

}  // namespace

QString SiteSpeedText(const SiteWaveSpeed& site) {
    if (!site.meanMps) {
        return "平均波速：" + QString::fromStdString(site.refusal);
    }
    int kept = 0;
    QStringList dropped;
    for (const SiteSpeedPile& p : site.piles) {
        if (p.droppedAs == 0) {
            ++kept;
        } else {
            dropped << QString::fromStdString(p.pile);
        }
    }
    QString text = QString("平均波速 %1 m/s（%2 根桩").arg(*site.meanMps, 0, 'f', 2).arg(kept);
    if (!dropped.isEmpty()) {
        text += "；去掉 " + dropped.join("、");
    }
    return text + "）";
}

CSpeedHistogram::CSpeedHistogram(QWidget* parent) : QWidget(parent) {
    setMinimumHeight(90);
}

void CSpeedHistogram::SetSpeeds(const std::vector<double>& speeds, std::optional<double> meanMps) {
    m_histogram = HistogramOfSpeeds(speeds);
    m_mean = meanMps;
    update();
}

void CSpeedHistogram::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().base());
    const SpeedHistogram& h = m_histogram;
    if (h.counts.empty()) {
        p.drawText(rect(), Qt::AlignCenter, "没有波速");
        return;
    }
    const int most = *std::max_element(h.counts.begin(), h.counts.end());
    const QFontMetrics fm(font());
    const int bottom = height() - fm.height() - 4;
    const int top = 6;
    // One bin either side, so that the mean's line and the extreme bars are not on the edge.
    const double from = h.firstMps - h.binMps;
    const double span = h.binMps * (static_cast<double>(h.counts.size()) + 2);
    const auto x = [&](double v) { return 4 + (width() - 8) * (v - from) / span; };
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(70, 110, 170));
    for (size_t k = 0; k < h.counts.size(); ++k) {
        const double left = x(h.firstMps + static_cast<double>(k) * h.binMps);
        const double right = x(h.firstMps + static_cast<double>(k + 1) * h.binMps);
        const double barH = (bottom - top) * static_cast<double>(h.counts[k]) / most;
        p.drawRect(QRectF(left + 1, bottom - barH, right - left - 2, barH));
    }
    p.setPen(palette().text().color());
    p.drawLine(4, bottom, width() - 4, bottom);
    p.drawText(QPointF(x(h.firstMps), height() - 3), QString::number(h.firstMps, 'f', 0));
    const QString last =
        QString::number(h.firstMps + h.binMps * static_cast<double>(h.counts.size()), 'f', 0);
    p.drawText(QPointF(x(h.firstMps + h.binMps * h.counts.size()) - fm.horizontalAdvance(last),
                       height() - 3),
               last);
    if (m_mean) {
        p.setPen(QPen(Qt::red, 2));
        p.drawLine(QPointF(x(*m_mean), top), QPointF(x(*m_mean), bottom));
    }
}

CSiteSummaryDock::CSiteSummaryDock(RowsFn rows, QWidget* parent)
    : QDockWidget("工程汇总", parent), m_rowsFn(std::move(rows)) {
    setObjectName("siteSummary");
    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    m_speedLabel = new QLabel(body);
    m_speedLabel->setWordWrap(true);
    m_histogram = new CSpeedHistogram(body);
    m_table = new QTableWidget(body);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->verticalHeader()->hide();
    m_table->setSortingEnabled(true);
    auto* buttons = new QHBoxLayout;
    auto* refresh = new QPushButton("刷新", body);
    auto* csv = new QPushButton("导出CSV…", body);
    auto* xlsx = new QPushButton("导出Excel…", body);
    buttons->addWidget(refresh);
    buttons->addStretch();
    buttons->addWidget(csv);
    buttons->addWidget(xlsx);
    layout->addWidget(m_speedLabel);
    layout->addWidget(m_histogram);
    layout->addWidget(m_table, 1);
    layout->addLayout(buttons);
    setWidget(body);
    connect(refresh, &QPushButton::clicked, this, &CSiteSummaryDock::Refresh);
    connect(csv, &QPushButton::clicked, this, [this] { Export(false); });
    connect(xlsx, &QPushButton::clicked, this, [this] { Export(true); });
    connect(m_table, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
        const QTableWidgetItem* first = m_table->item(row, 0);
        if (first != nullptr) {
            emit openRow(first->data(Qt::UserRole + 1).toInt());
        }
    });
    m_askPath = [this](const QString& caption, const QString& filter) {
        return QFileDialog::getSaveFileName(this, caption, QString(), filter);
    };
}

void CSiteSummaryDock::Refresh() {
    m_rows = m_rowsFn ? m_rowsFn() : std::vector<SiteSummaryRow>{};
    m_site = ComputeSiteWaveSpeed(SpeedCandidatesOf(m_rows).samples);
    m_speedLabel->setText(SiteSpeedText(m_site));
    std::vector<double> speeds;
    for (const SiteSummaryRow& r : m_rows) {
        if (r.readable && r.speedMps > 0) {
            speeds.push_back(r.speedMps);
        }
    }
    m_histogram->SetSpeeds(speeds, m_site.meanMps);

    const kx::Table table = SummaryTable(m_rows);
    m_table->setSortingEnabled(false);
    m_table->clear();
    m_table->setColumnCount(static_cast<int>(table.columns.size()));
    m_table->setRowCount(static_cast<int>(table.rows.size()));
    QStringList titles;
    for (const TableColumn& c : table.columns) {
        titles << QString::fromStdString(c.title);
    }
    m_table->setHorizontalHeaderLabels(titles);
    for (size_t r = 0; r < table.rows.size(); ++r) {
        for (size_t c = 0; c < table.columns.size(); ++c) {
            QTableWidgetItem* item = SortableItem(table.rows[r][c]);
            if (c == 0) {
                item->setData(Qt::UserRole + 1, static_cast<int>(r));  // the list's row
            }
            if (!m_rows[r].saved) {
                item->setForeground(QColor(0xb0, 0, 0));
            }
            m_table->setItem(static_cast<int>(r), static_cast<int>(c), item);
        }
    }
    m_table->resizeColumnsToContents();
    m_table->setSortingEnabled(true);
}

bool CSiteSummaryDock::Export(bool xlsx) {
    QString path = m_askPath(xlsx ? "导出Excel" : "导出CSV",
                             xlsx ? "Excel 工作簿 (*.xlsx)" : "CSV 文件 (*.csv)");
    if (path.isEmpty()) {
        return false;
    }
    const QString suffix = xlsx ? ".xlsx" : ".csv";
    if (!path.endsWith(suffix, Qt::CaseInsensitive)) {
        path += suffix;
    }
    const kx::Table table = SummaryTable(m_rows);
    const std::string target = path.toStdString();
    const Status st = xlsx ? WriteXlsx(table, "工程汇总", target) : WriteCsv(table, target);
    if (!st) {
        QMessageBox::warning(this, "工程汇总",
                             "无法写入 " + path + "：" + QString::fromStdString(st.reason));
        return false;
    }
    return true;
}

}  // namespace kx::ui
