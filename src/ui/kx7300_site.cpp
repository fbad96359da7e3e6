// The main window's side of the site as a whole: 工程汇总 (a dock), 工具 > 平均波速, and the
// proposed class on 结论信息 with 采用. They read the project; only 采用 changes the shown
// pile, as a pick in the class box does.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "analysis/pile_analysis.h"
#include "record/reason_text.h"
#include "res/ids.h"
#include "ui/kx7300_dlg.h"
#include "ui/my_list_ctrl.h"
#include "ui/page4.h"
#include "ui/project_controller.h"
#include "ui/site_summary_dock.h"
#include "ui/zhong_ti_xx.h"

namespace kx::ui {

std::vector<SiteSummaryRow> CKX7300Dlg::SiteRows() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    Workspace& ws = m_project->GetWorkspace();
    std::vector<SiteSummaryRow> rows;
    for (size_t i = 0; i < ws.Rows().size(); ++i) {
        const std::string& name = ws.Rows()[i].name;
        if (ws.RowUnreadable(i)) {
            rows.push_back(
                UnreadablePile(name, ReasonInChinese(ws.m_records.ReadStatus(i).reason)));
            continue;
        }
        PileRecord* rec = ws.m_records.TryGet(i);
        if (rec == nullptr) {
            rows.push_back(UnreadablePile(name, "尚未载入"));
            continue;
        }
        const bool shown = static_cast<int>(i) == ws.m_currentIndex && rec == m_currentRecord;
        SiteSummaryRow row =
            SummarizePile(name, *rec, shown ? AnalysisOf(*rec) : AnalyzePile(*rec));
        row.saved = !(shown && m_unsavedLabel->isVisible());
        rows.push_back(std::move(row));
    }
    QApplication::restoreOverrideCursor();
    return rows;
}

void CKX7300Dlg::BuildSiteSummary() {
    m_siteDock = new CSiteSummaryDock([this] { return SiteRows(); }, this);
    addDockWidget(Qt::RightDockWidgetArea, m_siteDock);
    m_siteDock->hide();
    // Made afresh each time it is shown, and by its 刷新.
    connect(m_siteDock, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        if (visible) {
            m_siteDock->Refresh();
        }
    });
    connect(m_siteDock, &CSiteSummaryDock::openRow, this, [this](int row) {
        if (row >= 0 && row < m_fileList->rowCount()) {
            m_fileList->selectionModel()->setCurrentIndex(
                m_fileList->model()->index(row, 0),
                QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
            m_fileList->scrollTo(m_fileList->model()->index(row, 0));
        }
    });
    QAction* toggle = m_siteDock->toggleViewAction();
    toggle->setText("工程汇总");
    for (QAction* menu : menuBar()->actions()) {
        if (menu->text().startsWith("视图") && menu->menu() != nullptr) {
            menu->menu()->addSeparator();
            menu->menu()->addAction(toggle);
        }
    }
    connect(m_conclusionPage, &CPage4::adoptProposal, this, &CKX7300Dlg::AdoptProposedClass);
}

void CKX7300Dlg::ShowSiteWaveSpeed() {
    const std::vector<SiteSummaryRow> rows = SiteRows();
    const SpeedCandidates candidates = SpeedCandidatesOf(rows);
    const SiteWaveSpeed site = ComputeSiteWaveSpeed(candidates.samples);

    QDialog dialog(this);
    dialog.setObjectName(QString::number(id::kCmdSiteSpeed));
    dialog.setWindowTitle("平均波速");
    auto* layout = new QVBoxLayout(&dialog);
    auto* summary = new QLabel(SiteSpeedText(site), &dialog);
    summary->setObjectName("siteSpeed");
    summary->setWordWrap(true);
    layout->addWidget(summary);
    auto* table = new QTableWidget(static_cast<int>(site.piles.size() + candidates.leftOut.size()),
                                   3, &dialog);
    table->setHorizontalHeaderLabels({"桩号", "波速(m/s)", "说明"});
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    int r = 0;
    for (const SiteSpeedPile& p : site.piles) {
        table->setItem(r, 0, new QTableWidgetItem(QString::fromStdString(p.pile)));
        auto* speed = new QTableWidgetItem(QString::number(p.speedMps, 'f', 2));
        speed->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        table->setItem(r, 1, speed);
        table->setItem(
            r, 2,
            new QTableWidgetItem(
                p.droppedAs == 0 ? QString("计入")
                                 : QString("偏离平均值超过 5%，第 %1 个去掉").arg(p.droppedAs)));
        ++r;
    }
    for (const auto& [pile, reason] : candidates.leftOut) {
        table->setItem(r, 0, new QTableWidgetItem(QString::fromStdString(pile)));
        table->setItem(r, 2, new QTableWidgetItem("不计入：" + QString::fromStdString(reason)));
        ++r;
    }
    table->resizeColumnsToContents();
    table->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(table);
    layout->addWidget(
        new QLabel("每根桩的波速为 2L ÷ t（桩长与桩顶至桩底的时间）；只计完整性类别为 I、"
                   "桩底反射清晰的桩。",
                   &dialog));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, &dialog);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    // The mean as the wave speed of the piles selected in the list, in 波速固定: each pile's
    // length and defect depth follow from its markers, an edit like a typed speed. The piles
    // are opened one after another, so leaving each asks to save it as leaving any edited
    // pile does (取消 stops there).
    QPushButton* apply = buttons->addButton("应用到选中的桩", QDialogButtonBox::ActionRole);
    apply->setObjectName("applySiteSpeed");
    std::vector<int> selected;
    for (const QModelIndex& index : m_fileList->selectionModel()->selectedRows()) {
        selected.push_back(index.row());
    }
    std::sort(selected.begin(), selected.end());
    apply->setEnabled(site.meanMps.has_value() && !selected.empty());
    if (site.meanMps) {
        const double mean = *site.meanMps;
        connect(apply, &QPushButton::clicked, &dialog, [this, mean, selected, &dialog] {
            dialog.accept();
            ApplyWaveSpeedTo(selected, mean);
        });
    }
    layout->addWidget(buttons);
    dialog.resize(520, 420);
    if (m_siteDialogShown) {
        m_siteDialogShown(dialog);
        return;
    }
    dialog.exec();
}

void CKX7300Dlg::ApplyWaveSpeed(double speedMps) {
    if (SelectedRecord() == nullptr) {
        return;
    }
    m_parameterPage->Edit(id::kWaveSpeedEdit)->setText(QString::number(speedMps, 'f', 2));
    SetSpeedFixed();
    RecordEdit();
}

void CKX7300Dlg::ApplyWaveSpeedTo(const std::vector<int>& rows, double speedMps) {
    Workspace& ws = m_project->GetWorkspace();
    for (int row : rows) {
        if (row != ws.m_currentIndex) {
            m_fileList->selectionModel()->setCurrentIndex(
                m_fileList->model()->index(row, 0),
                QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
            QApplication::processEvents();
            if (ws.m_currentIndex != row) {
                return;  // 取消 at the save prompt, or a row that cannot be read
            }
        }
        ApplyWaveSpeed(speedMps);
    }
}

void CKX7300Dlg::ShowProposedClass() {
    const PileRecord* rec = m_currentRecord;
    if (rec == nullptr) {
        m_conclusionPage->ShowProposal(0, QString(), QString());
        return;
    }
    const ProposedClass p = ProposeClass(AnalysisOf(*rec));
    m_conclusionPage->ShowProposal(p.grade, QString::fromStdString(ClassName(p.grade)),
                                   QString::fromStdString(p.reason));
}

void CKX7300Dlg::AdoptProposedClass() {
    auto* classes = m_conclusionPage->Control<QComboBox>(id::kClassCombo);
    const int index =
        classes->findText(m_conclusionPage->ProposalLabel()->text(), Qt::MatchExactly);
    if (index < 0 || index == classes->currentIndex()) {
        return;
    }
    classes->setCurrentIndex(index);
    RecordEdit();
}

}  // namespace kx::ui
