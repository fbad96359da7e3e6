// The site in the window: the proposed class on 结论信息 with 采用 (an edit like a pick of the
// class, undone by 撤销), 工程汇总 with its table, mean speed and exports, and 平均波速.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <filesystem>

#include "analysis/pile_analysis.h"
#include "core/synth_test_util.h"
#include "core/workspace_test_util.h"
#include "record/file_io.h"
#include "res/ids.h"
#include "ui/my_list_ctrl.h"
#include "ui/page4.h"
#include "ui/site_summary_dock.h"
#include "window_fixture.h"

namespace kx::ui {
namespace {

namespace fs = std::filesystem;

// A site of seven piles in a temporary folder: five intact ones at about 3,800-4,000 m/s, one
// intact at 3,500 (an outlier) and one with a necking to 0.5 at 5 m.
class SiteInWindow : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        dir = test::TestDir();
        const double speeds[] = {3800, 3900, 4000, 3850, 3950, 3500, 3900};
        for (int k = 0; k < 7; ++k) {
            synth::SynthOptions o;
            o.pile.lengthM = 12;
            o.pile.speedMps = speeds[k];
            o.noise = 0.003;
            o.seed = static_cast<uint32_t>(k + 1);
            if (k == 6) {
                o.pile.defects = {{5, 1.5, 0.5}};
            }
            PileRecord rec = test::LoadedSynthRecord(o);
            rec.pileNumber = std::to_string(k + 1) + "#";
            rec.integrityClass = "I";
            ASSERT_TRUE(rec.WriteAnalysisFile((dir / (std::to_string(k + 1) + ".kxc")).string()));
        }
        ShowActive();
        window->Project()->OpenProjectAt(QString::fromStdString(dir.string()));
        window->Project()->GetWorkspace().WaitUntilLoaded();
        QApplication::processEvents();
    }
    void TearDown() override {
        window.reset();
        fs::remove_all(dir);
    }
    void SelectRow(int row) {
        window->FileList()->selectionModel()->setCurrentIndex(
            window->FileList()->model()->index(row, 0),
            QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        QApplication::processEvents();
    }
    fs::path dir;
};

TEST_F(SiteInWindow, TheProposalIsShownAndAdoptedAsAnEditThatUndoes) {
    SelectRow(6);
    ASSERT_NE(window->CurrentRecord(), nullptr);
    CPage4* page = window->ConclusionPage();
    const ProposedClass expected = ProposeClass(AnalyzePile(*window->CurrentRecord()));
    EXPECT_EQ(page->ProposalLabel()->text().toStdString(), ClassName(expected.grade));
    EXPECT_EQ(page->ReasonLabel()->toolTip().toStdString(), expected.reason);  // shown cut short
    EXPECT_GE(expected.grade, 3) << expected.reason;                           // the necking
    auto* classes = page->Control<QComboBox>(id::kClassCombo);
    EXPECT_EQ(classes->currentText(), "I");  // nothing written by itself
    EXPECT_EQ(window->CurrentRecord()->integrityClass, "I");

    page->AdoptButton()->click();
    EXPECT_EQ(classes->currentText().toStdString(), ClassName(expected.grade));
    EXPECT_TRUE(window->UnsavedLabel()->isVisibleTo(window.get()));
    window->Command(id::kCmdUndo)->trigger();
    EXPECT_EQ(classes->currentText(), "I");
    EXPECT_TRUE(messages.isEmpty()) << messages.join("\n").toStdString();
}

TEST_F(SiteInWindow, TheSummaryListsEveryPileWithTheSiteSpeedAndExportsIt) {
    CSiteSummaryDock* dock = window->SiteSummary();
    ASSERT_NE(dock, nullptr);
    EXPECT_FALSE(dock->isVisible());
    dock->show();  // as 视图 > 工程汇总 does
    QApplication::processEvents();
    ASSERT_EQ(dock->Table()->rowCount(), 7);
    EXPECT_EQ(dock->Table()->item(0, 1)->text(), "1#");
    ASSERT_TRUE(dock->SiteSpeed().meanMps) << dock->SiteSpeed().refusal;
    EXPECT_NEAR(*dock->SiteSpeed().meanMps, 3900, 60);
    EXPECT_TRUE(dock->SpeedLabel()->text().contains("去掉 6#"))
        << dock->SpeedLabel()->text().toStdString();
    EXPECT_FALSE(dock->HistogramView()->Histogram().counts.empty());

    // Sorting by speed sorts numbers, and a double click opens the pile of that row.
    dock->Table()->sortItems(3, Qt::DescendingOrder);
    for (int r = 1; r < 7; ++r) {
        EXPECT_GE(dock->Table()->item(r - 1, 3)->text().toDouble(),
                  dock->Table()->item(r, 3)->text().toDouble());
    }
    const QString first = dock->Table()->item(0, 0)->text();
    emit dock->Table()->cellDoubleClicked(0, 0);
    QApplication::processEvents();
    ASSERT_NE(window->CurrentRecord(), nullptr);
    EXPECT_TRUE(QString::fromStdString(window->CurrentPath()).endsWith(first));

    for (const bool xlsx : {false, true}) {
        const fs::path out = dir / (xlsx ? "汇总" : "汇总表");  // the suffix is added
        dock->SetAskPath(
            [&](const QString&, const QString&) { return QString::fromStdString(out.string()); });
        ASSERT_TRUE(dock->Export(xlsx));
        EXPECT_TRUE(fs::exists(out.string() + (xlsx ? ".xlsx" : ".csv")));
    }
    dock->SetAskPath([](const QString&, const QString&) { return QString(); });
    EXPECT_FALSE(dock->Export(false));  // cancelled: nothing written, nothing said
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(SiteInWindow, SiteWaveSpeedListsThePilesTheDroppedAndTheLeftOut) {
    QString shown;
    int rows = 0;
    window->SetSiteDialogHook([&](QDialog& dialog) {
        shown = dialog.findChild<QLabel*>("siteSpeed")->text();
        rows = dialog.findChild<QTableWidget*>()->rowCount();
    });
    window->Command(id::kCmdSiteSpeed)->trigger();
    EXPECT_TRUE(shown.startsWith("平均波速 ")) << shown.toStdString();
    EXPECT_TRUE(shown.contains("去掉 6#"));
    EXPECT_EQ(rows, 7);  // six speeds, one pile left out (its necking)

    // 应用到选中的桩 on one pile: the mean as its speed in 波速固定; the length follows its
    // markers; 撤销 takes it back.
    SelectRow(6);
    PileRecord* rec = window->CurrentRecord();
    ASSERT_NE(rec, nullptr);
    const float speedBefore = rec->waveSpeed;
    const float lengthBefore = rec->pileLength;
    double mean = 0;
    window->SetSiteDialogHook([&](QDialog& dialog) {
        auto* apply = dialog.findChild<QPushButton*>("applySiteSpeed");
        ASSERT_NE(apply, nullptr);
        ASSERT_TRUE(apply->isEnabled());
        mean = dialog.findChild<QLabel*>("siteSpeed")->text().section(' ', 1, 1).toDouble();
        apply->click();
    });
    window->Command(id::kCmdSiteSpeed)->trigger();
    EXPECT_NEAR(rec->waveSpeed, mean, 0.01);
    EXPECT_TRUE(window->Command(id::kCmdSpeedFixed)->isChecked());
    const double travelUs = static_cast<double>(rec->pileBottomTimeUs) - rec->pileTopTimeUs;
    EXPECT_NEAR(rec->pileLength, rec->waveSpeed * travelUs * 0.5e-6, 0.01);
    window->Command(id::kCmdUndo)->trigger();
    EXPECT_EQ(rec->waveSpeed, speedBefore);
    EXPECT_EQ(rec->pileLength, lengthBefore);

    // On two piles: the first is applied, and leaving it asks to save (是 writes it).
    SelectRow(0);
    window->FileList()->selectionModel()->select(
        window->FileList()->model()->index(6, 0),
        QItemSelectionModel::Select | QItemSelectionModel::Rows);
    filePrompts.saveAnswers = {SaveAnswer::Save};
    window->Command(id::kCmdSiteSpeed)->trigger();
    EXPECT_EQ(filePrompts.questions.size(), 1u);
    PileRecord saved;
    ASSERT_TRUE(saved.ReadTestFile(nullptr, (dir / "1.kxc").string()));
    EXPECT_NEAR(saved.waveSpeed, mean, 0.01);
    ASSERT_NE(window->CurrentRecord(), nullptr);
    EXPECT_TRUE(QString::fromStdString(window->CurrentPath()).endsWith("7.kxc"));
    EXPECT_NEAR(window->CurrentRecord()->waveSpeed, mean, 0.01);
    window->Command(id::kCmdLengthFixed)->trigger();
}

}  // namespace
}  // namespace kx::ui
