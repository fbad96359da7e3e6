// 工程汇总: every pile of the project in one sortable table (桩号, 桩长, 波速, 缺陷位置, the
// recorded and the proposed class with its reason, the toe's confidence, saved or not), the
// site's mean wave speed with a histogram of the speeds, and the table exported as CSV or
// Excel. A double click on a row opens that pile. The table is made when asked (刷新, or the
// dock shown), never while the engineer edits.
#pragma once

#include <QDockWidget>
#include <QWidget>
#include <functional>
#include <optional>

#include "analysis/site_wave_speed.h"
#include "workspace/site_summary.h"

class QLabel;
class QTableWidget;

namespace kx::ui {

// The speeds of the site's piles as bars, the site's mean as a red line.
class CSpeedHistogram : public QWidget {
    Q_OBJECT
public:
    explicit CSpeedHistogram(QWidget* parent = nullptr);
    void SetSpeeds(const std::vector<double>& speeds, std::optional<double> meanMps);
    const SpeedHistogram& Histogram() const { return m_histogram; }
    QSize sizeHint() const override { return {260, 120}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    SpeedHistogram m_histogram;
    std::optional<double> m_mean;
};

class CSiteSummaryDock : public QDockWidget {
    Q_OBJECT
public:
    using RowsFn = std::function<std::vector<SiteSummaryRow>()>;
    // Where to export: a save dialog unless a test gives the path.
    using AskPathFn = std::function<QString(const QString& caption, const QString& filter)>;

    CSiteSummaryDock(RowsFn rows, QWidget* parent);

    void Refresh();
    void SetAskPath(AskPathFn fn) { m_askPath = std::move(fn); }
    // 导出CSV / 导出Excel: false when nothing was written (cancelled or failed, said why).
    bool Export(bool xlsx);

    QTableWidget* Table() const { return m_table; }
    QLabel* SpeedLabel() const { return m_speedLabel; }
    CSpeedHistogram* HistogramView() const { return m_histogram; }
    const std::vector<SiteSummaryRow>& Rows() const { return m_rows; }
    const SiteWaveSpeed& SiteSpeed() const { return m_site; }

signals:
    // The row of the project's file list (the rows keep the list's order).
    void openRow(int row);

private:
    RowsFn m_rowsFn;
    AskPathFn m_askPath;
    std::vector<SiteSummaryRow> m_rows;
    SiteWaveSpeed m_site;
    QTableWidget* m_table = nullptr;
    QLabel* m_speedLabel = nullptr;
    CSpeedHistogram* m_histogram = nullptr;
};

// The text of the site's wave speed: "平均波速 3931.79 m/s（6 根桩；去掉 8#）" or the refusal.
QString SiteSpeedText(const SiteWaveSpeed& site);

}  // namespace kx::ui
