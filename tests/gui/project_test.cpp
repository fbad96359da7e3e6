// The project in the main window: opening, loading, selecting, editing, saving, importing,
// the print list from the file list, and the files that cannot be read or written.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTimer>
#include <condition_variable>
#include <filesystem>
#include <map>
#include <mutex>
#include <thread>

#include "res/ids.h"
#include "ui/gong_cheng_xx.h"
#include "ui/is_fugai.h"
#include "ui/my_list_ctrl.h"
#include "ui/page4.h"
#include "ui/qt_user_prompts.h"
#include "ui/zhong_ti_xx.h"
#include "waveform/pile_markers.h"
#include "waveform/qt/my_die_jia.h"
#include "waveform/qt/yuan_shi_bo_xin.h"
#include "waveform/stacking.h"
#include "widgets/tab_control.h"
#include "window_fixture.h"

namespace kx::ui {
namespace {

namespace fs = std::filesystem;

// A pile record that the pages show and collect back unchanged, so that a save changes no
// byte the user did not edit: already integrated, its pile top where the selection puts it,
// values that survive the boxes' two decimals.
PileRecord PageExactRecord(const std::string& pileNumber) {
    PileRecord r = test::ProjectRecord(pileNumber, 64);
    r.pileLength = 12.34f;
    PlaceMarkersForRecord(r, 1);
    return r;
}

void WriteProject(const std::string& dir, const std::vector<std::string>& names) {
    for (const std::string& name : names) {
        test::WriteFile(dir + "/" + name,
                        test::AnalysisFixture(PageExactRecord(name.substr(0, name.rfind('.')))));
    }
}

class ProjectTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        dir = test::TestDir();
        project = window->Project();
    }

    // A fresh window in place of the fixture's.
    void NewWindow() {
        WindowTest::SetUp();
        project = window->Project();
    }
    void OpenLoaded(const std::string& path) {
        project->OpenProjectAt(QString::fromStdString(path));
        WaitLoaded();
    }
    void WaitLoaded() {
        ASSERT_TRUE(QTest::qWaitFor([&] { return !project->Loading(); }, 10000));
    }
    // Clicks row `row` of the file list as the user would.
    void ClickRow(int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        CMylistCtrl* list = window->FileList();
        const QRect cell = list->visualRect(list->model()->index(row, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers, cell.center());
    }
    QString Cell(int row, int column) { return window->FileList()->Text(row, column); }
    QLineEdit* Box(int id) { return window->ParameterPage()->Edit(id); }
    PileRecord OnDisk(const std::string& name) {
        PileRecord r;
        EXPECT_TRUE(r.ReadTestFile(nullptr, dir + "/" + name));
        return r;
    }

    std::string dir;
    CProjectController* project = nullptr;
};

TEST_F(ProjectTest, OpenByArgumentOrCommandListsRowsInNumericOrder) {
    WriteProject(dir, {"10.kxc", "9.kxc", "2.kxc", "1.kxc"});
    for (bool byCommand : {false, true}) {
        SCOPED_TRACE(byCommand);
        if (byCommand) {
            filePrompts.folders.push_back(dir);
            window->Command(id::kBtnOpen)->trigger();
            WaitLoaded();
        } else {
            OpenLoaded(dir);
        }
        ASSERT_EQ(window->FileList()->rowCount(), 4);
        const QStringList names = {"1.kxc", "2.kxc", "9.kxc", "10.kxc"};
        for (int row = 0; row < 4; ++row) {
            EXPECT_EQ(Cell(row, 0), names[row]);
            EXPECT_EQ(Cell(row, 1), "否");
            EXPECT_EQ(Cell(row, 2), "分析文件");
        }
        EXPECT_TRUE(window->findChild<QProgressBar*>("loadProgress")->isHidden());
        if (!byCommand) {
            EXPECT_FALSE(window->Command(id::kCmdSave)->isEnabled());
        }

        ClickRow(2);
        EXPECT_EQ(window->ProjectPage()->Edit(id::kPileNumberEdit)->text(), "9");
        EXPECT_EQ(Box(id::kPileLengthEdit)->text(), "12.34");
        EXPECT_EQ(window->windowTitle(), "KX系列基桩低应变分析系统      9.kxc");
        EXPECT_TRUE(window->Command(id::kCmdSave)->isEnabled());
        EXPECT_EQ(window->StackedView()->Record(), project->CurrentRecord());
    }
    EXPECT_TRUE(filePrompts.messages.empty());
}

// Every way of changing a pile in the window asks before the pile is left, by selecting another
// row or by closing; a pile only looked at never asks, nor one whose command changed nothing.
// 1.kxc holds the mean of its blows as its stacked waveform and a defect, 2.kxc another
// stacked waveform.
TEST_F(ProjectTest, SavePromptExactlyWhenThePileWasChanged) {
    PileRecord mean = PageExactRecord("1");
    RestackWave(mean);
    PlaceMarkersForRecord(mean, 1);
    mean.defectTimeUs = static_cast<float>(mean.pileTopTimeUs + 100);
    test::WriteFile(dir + "/1.kxc", test::AnalysisFixture(mean));
    WriteProject(dir, {"2.kxc", "3.kxc"});

    auto trigger = [this](int commandId) {
        return [=, this] { window->Command(commandId)->trigger(); };
    };
    auto markerKey = [this](int dx, Qt::Key key) {
        return [=, this] {
            CMyDieJia* view = window->StackedView();
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                              QPoint(view->Markers().topX + dx, 60));
            QTest::keyClick(view, key);
        };
    };
    auto rawKey = [this](Qt::Key key) {
        return [=, this] {
            window->ViewTab()->Bar()->setCurrentIndex(0);
            CYuanShiBoXin* raw = window->RawView();
            QTest::mouseClick(raw->viewport(), Qt::LeftButton, {}, QPoint(10, 60));  // blow 1
            QTest::keyClick(raw, key);
        };
    };
    auto handDraw = [this](bool draw) {
        return [=, this] {
            window->Command(id::kBtnOptimize)->trigger();
            if (draw) {
                QWidget* viewport = window->StackedView()->viewport();
                QTest::mousePress(viewport, Qt::LeftButton, {}, QPoint(200, 40));
                QTest::mouseMove(viewport, QPoint(201, 40));
                QTest::mouseRelease(viewport, Qt::LeftButton, {}, QPoint(201, 40));
            }
            window->Command(id::kBtnOptimize)->trigger();
        };
    };
    struct Case {
        const char* what;
        int row;
        std::function<void()> act;
        bool asksOnSelection, asksOnClose;
    };
    const Case cases[] = {
        {"only looked at (a pile with a defect)", 0, [] {}, false, false},
        {"remarks", 0, [this] { window->RemarksEdit()->setPlainText("x"); }, true, true},
        {"pile length box", 0, [this] { Box(id::kPileLengthEdit)->setText("13.00"); }, true, true},
        {"反向 from the tools toolbar", 0, trigger(id::kBtnReverse), true, true},
        {"放大: every tool counts", 0, trigger(id::kCmdZoomIn), true, true},
        {"pile bottom with key D", 0, markerKey(100, Qt::Key_D), true, true},
        {"defect with key S", 0, markerKey(50, Qt::Key_S), true, true},
        {"pile bottom refused (left of the top)", 0, markerKey(-1, Qt::Key_D), false, false},
        {"优化 drawing", 0, handDraw(true), true, true},
        // The button alone counts as touched when another row is selected, not on closing.
        {"优化 on and off without drawing", 0, handDraw(false), true, false},
        {"blow deleted with X", 0, rawKey(Qt::Key_X), true, true},
        {"undo of a blow never deleted, mean already stacked", 0, rawKey(Qt::Key_B), false, false},
        {"undo of a blow never deleted, another stack", 1, rawKey(Qt::Key_B), true, true},
        {"重新叠加, mean already stacked", 0, trigger(id::kCmdRestack), false, false},
        {"重新叠加 of another stack", 1, trigger(id::kBtnRestack), true, true},
    };
    for (const Case& c : cases) {
        for (bool close : {false, true}) {
            SCOPED_TRACE(std::string(c.what) + (close ? ", closing" : ", selecting"));
            NewWindow();
            ShowActive();
            OpenLoaded(dir);
            ClickRow(c.row);
            ASSERT_EQ(project->GetWorkspace().m_currentIndex, c.row);
            if (c.row == 0) {
                ASSERT_NE(Box(id::kDefectPositionEdit)->text(), "0.00");
            }
            const PileRecord shown = *project->CurrentRecord();
            c.act();
            filePrompts.Forget();
            filePrompts.yesNo = {false};
            if (close) {
                window->close();
            } else {
                ClickRow(2);
            }
            EXPECT_EQ(filePrompts.SaidPrompt(), close ? c.asksOnClose : c.asksOnSelection);
            // "否" (or nothing to ask) leaves the pile as it was selected.
            EXPECT_EQ(*project->GetWorkspace().m_records.TryGet(static_cast<size_t>(c.row)), shown);
        }
    }
}

// Remarks and pile length edited, then another row: "否" brings the record back, "是" writes
// exactly the two edits into the file.
TEST_F(ProjectTest, EditedRecordAtTheSavePrompt) {
    WriteProject(dir, {"1.kxc", "2.kxc"});
    const auto before = test::ReadFile(dir + "/1.kxc");
    for (bool yes : {false, true}) {
        SCOPED_TRACE(yes);
        OpenLoaded(dir);
        ClickRow(0);
        const PileRecord shown = *project->CurrentRecord();
        window->RemarksEdit()->setPlainText("新的备注");
        Box(id::kPileLengthEdit)->setText("15.50");
        filePrompts.Forget();
        filePrompts.yesNo.push_back(yes);
        ClickRow(1);
        EXPECT_EQ(filePrompts.questions, std::vector<std::string>{"是否保存修改过的数据？"});
        const PileRecord* first = project->GetWorkspace().m_records.TryGet(0);
        ASSERT_NE(first, nullptr);
        if (!yes) {
            EXPECT_EQ(*first, shown);
            EXPECT_EQ(test::ReadFile(dir + "/1.kxc"), before);
            continue;
        }
        EXPECT_EQ(filePrompts.messages, std::vector<std::string>{"保存成功！"});
        PileRecord expected = PageExactRecord("1");
        expected.remarks = "\xD0\xC2\xB5\xC4\xB1\xB8\xD7\xA2";  // 新的备注 in GBK
        expected.pileLength = 15.5f;
        EXPECT_EQ(test::ReadFile(dir + "/1.kxc"), test::AnalysisFixture(expected));
        EXPECT_EQ(window->FileList()->ColoursOfRow(0).text, QColor(255, 0, 0));
    }
}

TEST_F(ProjectTest, SaveAndSaveAs) {
    WriteProject(dir, {"1.kxc", "2.kxc"});
    OpenLoaded(dir);
    ClickRow(1);
    window->ProjectPage()->Edit(id::kTesterEdit)->setText("Wang");
    window->Command(id::kBtnSave)->trigger();
    EXPECT_EQ(filePrompts.messages, std::vector<std::string>{"保存成功！"});
    EXPECT_EQ(OnDisk("2.kxc").tester, "Wang");

    window->ProjectPage()->Edit(id::kTesterEdit)->setText("Li");
    filePrompts.saveFiles.push_back(dir + "/copy");
    window->Command(id::kCmdSaveAs)->trigger();
    EXPECT_EQ(filePrompts.saveInitialNames, std::vector<std::string>{dir + "/"});
    // The name typed without the suffix gets it, and the copy joins the project's list.
    EXPECT_EQ(OnDisk("copy.kxc").tester, "Li");
    EXPECT_EQ(OnDisk("2.kxc").tester, "Wang");
    ASSERT_EQ(window->FileList()->rowCount(), 3);
    EXPECT_EQ(Cell(2, 0), "copy.kxc");
}

TEST_F(ProjectTest, UnifySiteAndUnitWritesEveryFile) {
    WriteProject(dir, {"1.kxc", "2.kxc", "3.kxc"});
    OpenLoaded(dir);
    ClickRow(0);
    window->ProjectPage()->Edit(id::kSiteEdit)->setText("新工地");
    window->ProjectPage()->Edit(id::kTestingUnitEdit)->setText("U");
    window->Command(id::kCmdUnifySiteUnit)->trigger();
    EXPECT_EQ(filePrompts.messages, std::vector<std::string>{"修改成功！"});
    for (const char* name : {"1.kxc", "2.kxc", "3.kxc"}) {
        EXPECT_EQ(OnDisk(name).site, "\xD0\xC2\xB9\xA4\xB5\xD8") << name;  // 新工地
        EXPECT_EQ(OnDisk(name).testingUnit, "U") << name;
    }
    window->ConclusionPage()->Edit(id::kPileDiameterEdit)->setText("1200");
    window->ConclusionPage()
        ->findChild<QPushButton*>(QString::number(id::kUnifyInfoButton))
        ->click();
    EXPECT_EQ(OnDisk("3.kxc").pileDiameter, "1200");
}

// The import asks through CIsFugai itself: a scripted click on one of its buttons, or its
// close box.
class DialogAnswers : public test::ScriptedPrompts {
public:
    int button = 0;  // 0: close the dialog
    std::vector<QString> shown;
    OverwriteAnswer AskOverwrite(const std::string& message) override {
        CIsFugai dialog;
        dialog.SetMessage(QString::fromStdString(message));
        QTimer::singleShot(0, &dialog, [&] {
            shown.push_back(dialog.findChild<QLabel*>(QString::number(id::kStatic))->text());
            if (button == 0) {
                dialog.close();
            } else {
                dialog.findChild<QPushButton*>(QString::number(button))->click();
            }
        });
        dialog.exec();
        return dialog.Answer();
    }
};

TEST_F(ProjectTest, ImportAsksThroughTheOverwriteDialog) {
    struct Case {
        int button;
        bool replaced5, replaced6;
    };
    const Case cases[] = {
        {id::kOverwriteYes, true, true},
        {id::kOverwriteNo, false, false},
        {id::kOverwriteAll, true, true},
        {id::kOverwriteNone, false, false},
        {0, false, false},  // closed: nothing replaced
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button);
        const std::string site = test::TestDir("-" + std::to_string(c.button));
        for (const char* n : {"5", "6", "7"}) {
            test::WriteFile(site + "/" + n + ".kxd", test::MakeRawFixture(234, 16).Build());
        }
        WriteProject(site, {"5.kxc", "6.kxc"});
        const auto old5 = test::ReadFile(site + "/5.kxc");
        const auto old6 = test::ReadFile(site + "/6.kxc");
        DialogAnswers answers;
        answers.button = c.button;
        answers.folders.push_back(site);
        project->SetUserPrompts(&answers);
        window->Command(id::kCmdImportRawData)->trigger();
        WaitLoaded();
        // "是", "否" and the close box ask again for 6.kxc; the blanket answers do not.
        const bool blanket = c.button == id::kOverwriteAll || c.button == id::kOverwriteNone;
        ASSERT_EQ(answers.shown.size(), blanket ? 1u : 2u);
        EXPECT_TRUE(answers.shown[0] == "文件5.kxc已经存在是否覆盖" ||
                    answers.shown[0] == "文件6.kxc已经存在是否覆盖");
        EXPECT_EQ(test::ReadFile(site + "/5.kxc") != old5, c.replaced5);
        EXPECT_EQ(test::ReadFile(site + "/6.kxc") != old6, c.replaced6);
        EXPECT_TRUE(fs::exists(site + "/7.kxc"));
        EXPECT_EQ(window->FileList()->rowCount(), 3);
        project->SetUserPrompts(&filePrompts);
    }
}

// The import converts beside the window: while the overwrite question is open the status bar
// shows "导入 k / n" with 取消, the menus rest and the list holds the files converted so far.
// 取消 then stops the import after the file asked about: every analysis file is either
// converted whole or not there, and the project lists exactly the files in place.
TEST_F(ProjectTest, ImportRunsBesideTheWindowAndStopsOnCancel) {
    // Odd piles have an analysis file already: the first of them met brings the question.
    const int files = 30;
    std::vector<std::string> existing;
    for (int n = 1; n <= files; ++n) {
        test::WriteFile(dir + "/" + std::to_string(n) + ".kxd",
                        test::MakeRawFixture(234, 16).Build());
        if (n % 2 == 1) {
            existing.push_back(std::to_string(n) + ".kxc");
        }
    }
    WriteProject(dir, existing);
    std::map<std::string, std::vector<uint8_t>> before;
    for (const std::string& name : existing) {
        before[name] = test::ReadFile(dir + "/" + name);
    }
    struct CancelAtQuestion : test::ScriptedPrompts {
        CKX7300Dlg* window = nullptr;
        QString bar;
        bool menusRested = false;
        int listed = -1;
        int asked = 0;
        OverwriteAnswer AskOverwrite(const std::string&) override {
            ++asked;
            auto* progress = window->findChild<QProgressBar*>("taskProgress");
            bar = progress->isHidden() ? QString() : progress->text();
            menusRested = !window->menuBar()->isEnabled();
            listed = window->FileList()->rowCount();
            window->findChild<QPushButton*>("taskCancel")->click();
            return OverwriteAnswer::Yes;
        }
    } answers;
    answers.window = window.get();
    answers.folders.push_back(dir);
    project->SetUserPrompts(&answers);
    window->Command(id::kCmdImportRawData)->trigger();
    EXPECT_TRUE(project->Loading());
    WaitLoaded();
    project->SetUserPrompts(&filePrompts);

    EXPECT_EQ(answers.asked, 1);
    EXPECT_TRUE(answers.bar.startsWith("导入 ")) << answers.bar.toStdString();
    EXPECT_TRUE(answers.bar.endsWith(" / " + QString::number(files)));
    EXPECT_TRUE(answers.menusRested);
    EXPECT_TRUE(window->menuBar()->isEnabled());

    const auto converted = [&](const fs::path& kxc) {
        PileRecord r;
        EXPECT_TRUE(r.ReadTestFile(nullptr, fs::path(kxc).replace_extension(".kxd").string()));
        if (r.integrityClass.empty()) {
            r.integrityClass = "I";
        }
        return r.AnalysisFileBytes();
    };
    int convertedFiles = 0, untouched = 0, kxcFiles = 0;
    for (const auto& e : fs::directory_iterator(dir)) {
        const std::string name = e.path().filename().string();
        ASSERT_TRUE(name.ends_with(".kxd") || name.ends_with(".kxc")) << name;  // nothing staged
        if (name.ends_with(".kxc")) {
            ++kxcFiles;
            const std::vector<uint8_t> bytes = test::ReadFile(e.path().string());
            const bool whole = bytes == converted(e.path());
            EXPECT_TRUE(whole || (before.count(name) > 0 && bytes == before[name])) << name;
            convertedFiles += whole ? 1 : 0;
            untouched += whole ? 0 : 1;
        }
    }
    // Stopped after the file asked about: the even piles converted before it, that one
    // replaced, every later file as it was.
    EXPECT_EQ(answers.listed, static_cast<int>(existing.size()) + convertedFiles - 1);
    EXPECT_EQ(untouched, static_cast<int>(existing.size()) - 1);
    EXPECT_EQ(window->FileList()->rowCount(), kxcFiles);
    EXPECT_TRUE(window->statusBar()->currentMessage().startsWith("导入已取消"));
}

TEST_F(ProjectTest, OverwriteDialogTextsAndButtons) {
    CIsFugai dialog;
    EXPECT_EQ(dialog.objectName(), "168");
    EXPECT_EQ(dialog.windowTitle(), "Dialog");
    const std::pair<int, const char*> buttons[] = {{id::kOverwriteYes, "是"},
                                                   {id::kOverwriteNo, "否"},
                                                   {id::kOverwriteAll, "全部覆盖"},
                                                   {id::kOverwriteNone, "全部不覆盖"}};
    for (auto [buttonId, text] : buttons) {
        auto* b = dialog.findChild<QPushButton*>(QString::number(buttonId));
        ASSERT_NE(b, nullptr) << buttonId;
        EXPECT_EQ(b->text(), text);
    }
    EXPECT_EQ(dialog.Answer(), OverwriteAnswer::Closed);
}

TEST(QtFileFilter, FromTheProgramsFilterStrings) {
    EXPECT_EQ(QtFileFilter("分析文件(*.kxc)|*.kxc||"), "分析文件(*.kxc)");
    EXPECT_EQ(QtFileFilter("数据文件(*.kxc)|*.kxc|"), "数据文件(*.kxc)");
    EXPECT_EQ(QtFileFilter("数据文件(*.pr)|*.pr||"), "数据文件(*.pr)");
    EXPECT_EQ(QtFileFilter("Raw|*.kxd|All|*.*||"), "Raw (*.kxd);;All (*.*)");
}

// Only the first selected row is highlighted, focused or not; saved rows are red.
TEST_F(ProjectTest, ListColoursFromTheDelegateAndOnScreen) {
    WriteProject(dir, {"1.kxc", "2.kxc", "3.kxc", "4.kxc"});
    ShowActive();
    window->resize(1200, 800);  // tall enough for the list's full height: every row shows
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->FileList()->height() >= 200; }));
    OpenLoaded(dir);
    ClickRow(1);
    ClickRow(2, Qt::ControlModifier);
    project->GetWorkspace().m_savedRows = {3};
    project->DataListChanged();
    window->RemarksEdit()->setFocus();  // the list loses the focus

    CMylistCtrl* list = window->FileList();
    const QColor blue(49, 106, 197), white(255, 255, 255), red(255, 0, 0), black(0, 0, 0);
    EXPECT_EQ(list->ColoursOfRow(1).background, blue);
    EXPECT_EQ(list->ColoursOfRow(1).text, white);
    EXPECT_EQ(list->ColoursOfRow(2).background, white);  // selected too, but not first
    EXPECT_EQ(list->ColoursOfRow(3).text, red);
    EXPECT_EQ(list->ColoursOfRow(0).text, black);

    const QImage shot = list->viewport()->grab().toImage();
    auto background = [&](int row) {
        const QRect r = list->visualRect(list->model()->index(row, 1));
        return shot.pixelColor(r.right() - 3, r.center().y());
    };
    EXPECT_EQ(background(1), blue);
    EXPECT_EQ(background(2), white);
    EXPECT_EQ(background(0), white);
}

// Q adds to the print list and selects the next row as well; W takes the first selected row
// out again.
TEST_F(ProjectTest, QAndWKeysInTheFileList) {
    WriteProject(dir, {"1.kxc", "2.kxc", "3.kxc", "4.kxc"});
    ShowActive();
    OpenLoaded(dir);
    CMylistCtrl* list = window->FileList();
    ClickRow(2);
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Q);
    EXPECT_EQ(Cell(2, 1), "是");
    ASSERT_EQ(project->GetPrintList().size(), 1u);
    EXPECT_EQ(list->SelectedRows(), (std::vector<int>{2, 3}));
    EXPECT_EQ(list->currentRow(), 3);
    EXPECT_EQ(list->FirstSelectedRow(), 2);
    EXPECT_EQ(project->GetWorkspace().m_currentIndex, 2);

    QTest::keyClick(list, Qt::Key_W);
    EXPECT_EQ(Cell(2, 1), "否");
    EXPECT_EQ(project->GetPrintList().size(), 0u);

    // The list's right-click menu reaches the same commands.
    window->Command(id::kCmdListAddToPrintList)->trigger();
    EXPECT_EQ(Cell(2, 1), "是");
    EXPECT_EQ(Cell(3, 1), "是");
    window->Command(id::kCmdListRemoveFromPrintList)->trigger();
    EXPECT_EQ(Cell(2, 1), "否");
}

TEST_F(ProjectTest, RemoveDataRowFromTheListMenu) {
    WriteProject(dir, {"1.kxc", "2.kxc", "3.kxc"});
    OpenLoaded(dir);
    ClickRow(1);
    window->Command(id::kCmdListRemoveFromDataList)->trigger();
    ASSERT_EQ(window->FileList()->rowCount(), 2);
    EXPECT_EQ(Cell(1, 0), "3.kxc");
    EXPECT_EQ(window->ProjectPage()->Edit(id::kPileNumberEdit)->text(), "3");
    EXPECT_EQ(window->StackedView()->Record(), project->CurrentRecord());
    EXPECT_TRUE(fs::exists(dir + "/2.kxc"));
}

// Damaged files: the rest of the project works, one message names them after the load, their
// rows say so, selecting one repeats the message, and no command writes over them.
TEST_F(ProjectTest, UnreadableFilesAreNamedAndNeverWritten) {
    WriteProject(dir, {"1.kxc", "4.kxc"});
    const std::vector<uint8_t> truncated = {'Q', 'R', 'V', 'A', 0, 1, 0};
    const std::vector<uint8_t> wrongMagic(2000, 'Z');
    test::WriteFile(dir + "/2.kxc", truncated);
    test::WriteFile(dir + "/3.kxc", wrongMagic);
    OpenLoaded(dir);
    ASSERT_EQ(filePrompts.messages.size(), 1u);
    EXPECT_NE(filePrompts.messages[0].find("2.kxc：文件不完整"), std::string::npos);
    EXPECT_NE(filePrompts.messages[0].find("3.kxc：不是桩基检测数据文件"), std::string::npos);
    EXPECT_EQ(Cell(1, 2), "无法读取");
    EXPECT_EQ(Cell(2, 2), "无法读取");
    EXPECT_EQ(Cell(3, 2), "分析文件");

    ClickRow(3);
    filePrompts.Forget();
    ClickRow(2);
    ASSERT_EQ(filePrompts.messages.size(), 1u);
    EXPECT_EQ(filePrompts.messages[0].rfind("文件3.kxc无法读取", 0), 0u);
    EXPECT_EQ(project->GetWorkspace().m_currentIndex, 3);
    EXPECT_EQ(window->FileList()->FirstSelectedRow(), 3);
    EXPECT_EQ(window->ProjectPage()->Edit(id::kPileNumberEdit)->text(), "4");

    window->Command(id::kCmdSave)->trigger();
    window->Command(id::kCmdUnifySiteUnit)->trigger();
    EXPECT_EQ(test::ReadFile(dir + "/2.kxc"), truncated);
    EXPECT_EQ(test::ReadFile(dir + "/3.kxc"), wrongMagic);
}

// A save that cannot be written: the message names the file and the reason, the edits stay
// in the window, and closing with "是" keeps the window open until "否".
TEST_F(ProjectTest, FailedSaveKeepsTheEditsAndTheWindow) {
    WriteProject(dir, {"1.kxc", "2.kxc"});
    ShowActive();
    OpenLoaded(dir);
    ClickRow(0);
    ClickRow(1);
    window->RemarksEdit()->setPlainText("keep me");
    fs::remove(dir + "/2.kxc");
    fs::create_directory(dir + "/2.kxc");  // cannot be replaced by a file
    window->Command(id::kCmdSave)->trigger();
    ASSERT_EQ(filePrompts.messages.size(), 1u);
    EXPECT_NE(filePrompts.messages[0].find("2.kxc"), std::string::npos);
    EXPECT_NE(filePrompts.messages[0].find("这是一个文件夹"), std::string::npos);
    EXPECT_EQ(window->RemarksEdit()->toPlainText(), "keep me");

    filePrompts.yesNo = {true};
    window->close();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->RemarksEdit()->toPlainText(), "keep me");
    filePrompts.yesNo = {false};
    window->close();
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(fs::is_directory(dir + "/2.kxc"));
}

TEST_F(ProjectTest, ClosingWithChangesAlwaysAsks) {
    for (bool yes : {false, true}) {
        SCOPED_TRACE(yes);
        NewWindow();
        WriteProject(dir, {"1.kxc"});
        const auto before = test::ReadFile(dir + "/1.kxc");
        ShowActive();
        OpenLoaded(dir);
        ClickRow(0);
        window->RemarksEdit()->setPlainText("closing");
        filePrompts.Forget();
        answer = PromptAnswer::Yes;  // 确定退出程序？
        filePrompts.yesNo = {yes};   // the save prompt
        window->Command(id::kCmdExit)->trigger();
        EXPECT_TRUE(messages.contains("确定退出程序？"));
        EXPECT_EQ(filePrompts.questions, std::vector<std::string>{"是否保存修改过的数据？"});
        EXPECT_FALSE(window->isVisible());
        EXPECT_EQ(OnDisk("1.kxc").remarks, yes ? "closing" : "remark text");
        if (!yes) {
            EXPECT_EQ(test::ReadFile(dir + "/1.kxc"), before);
        }
    }
}

// A file deleted on disk while the project is open: selecting it says so and shows the
// record as read; saving writes it again.
TEST_F(ProjectTest, FileDeletedOnDiskWhileOpen) {
    WriteProject(dir, {"1.kxc", "2.kxc"});
    OpenLoaded(dir);
    fs::remove(dir + "/2.kxc");
    ClickRow(1);
    EXPECT_EQ(filePrompts.messages,
              std::vector<std::string>{"文件2.kxc已被删除，显示的是先前读取的数据。"});
    EXPECT_EQ(window->ProjectPage()->Edit(id::kPileNumberEdit)->text(), "2");
    filePrompts.Forget();
    EXPECT_TRUE(project->Save());
    EXPECT_EQ(filePrompts.messages.front(), "文件2.kxc在读取后已被删除，现已重新保存。");
    EXPECT_EQ(OnDisk("2.kxc").pileNumber, "2");
}

// While the loader holds back the records, the rows are listed, the progress bar shows, a
// selected row waits with a busy cursor and the event loop keeps running; the record shows
// once loaded. Closing during a load stops the loader.
TEST_F(ProjectTest, SelectionWaitsForItsRecordWithoutBlocking) {
    std::vector<std::string> names;
    for (int i = 1; i <= 30; ++i) {
        names.push_back(std::to_string(i) + ".kxc");
    }
    WriteProject(dir, names);
    std::mutex m;
    std::condition_variable cv;
    bool open = false;
    project->GetWorkspace().m_records.SetBeforeReadHookForTesting([&](const std::string& path) {
        if (path.ends_with("/1.kxc")) {
            return;
        }
        std::unique_lock lock(m);
        cv.wait(lock, [&] { return open; });
    });
    ShowActive();
    project->OpenProjectAt(QString::fromStdString(dir));
    EXPECT_EQ(window->FileList()->rowCount(), 30);
    EXPECT_TRUE(project->Loading());
    QProgressBar* bar = window->findChild<QProgressBar*>("loadProgress");
    EXPECT_FALSE(bar->isHidden());
    EXPECT_EQ(bar->maximum(), 30);

    ClickRow(20);
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start(5);
    // The event loop runs while the record is awaited.
    EXPECT_TRUE(QTest::qWaitFor([&] { return ticks > 3; }, 10000));
    EXPECT_EQ(project->GetWorkspace().m_currentIndex, -1);

    {
        std::lock_guard lock(m);
        open = true;
    }
    cv.notify_all();
    WaitLoaded();
    EXPECT_EQ(project->GetWorkspace().m_currentIndex, 20);
    EXPECT_EQ(window->ProjectPage()->Edit(id::kPileNumberEdit)->text(), "21");
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(bar->isHidden());

    // A second load, closed while loading: the loader stops and nothing is asked.
    {
        std::lock_guard lock(m);
        open = false;
    }
    project->OpenProjectAt(QString::fromStdString(dir));
    EXPECT_TRUE(project->Loading());
    std::thread releaser([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        std::lock_guard lock(m);
        open = true;
        cv.notify_all();
    });
    window->close();
    releaser.join();
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(project->GetWorkspace().m_records.Loading());
}

}  // namespace
}  // namespace kx::ui

namespace kx::ui {
namespace {

// Whatever the clicks and keys, the pile shown and edited is the first selected row, and the
// list highlights that row.
TEST_F(ProjectTest, TheShownPileIsTheHighlightedRow) {
    WriteProject(dir, {"1.kxc", "2.kxc", "3.kxc", "4.kxc", "5.kxc", "6.kxc", "7.kxc"});
    OpenLoaded(dir);
    ShowActive();
    CMylistCtrl* list = window->FileList();
    const auto shown = [&] { return window->ProjectPage()->Edit(id::kPileNumberEdit)->text(); };
    struct Step {
        const char* what;
        std::function<void()> act;
        int row;
    } steps[] = {
        {"click 1", [&] { ClickRow(0); }, 0},
        {"shift-click 6", [&] { ClickRow(5, Qt::ShiftModifier); }, 0},
        {"click 4", [&] { ClickRow(3); }, 3},
        {"ctrl-click 2", [&] { ClickRow(1, Qt::ControlModifier); }, 1},
        {"ctrl-click 2 off", [&] { ClickRow(1, Qt::ControlModifier); }, 3},
        // The focus stayed on row 2: the arrow goes on from there.
        {"down", [&] { QTest::keyClick(list, Qt::Key_Down); }, 2},
        {"shift-up", [&] { QTest::keyClick(list, Qt::Key_Up, Qt::ShiftModifier); }, 1},
        {"click 7", [&] { ClickRow(6); }, 6},
    };
    for (const Step& s : steps) {
        s.act();
        EXPECT_EQ(list->FirstSelectedRow(), s.row) << s.what;
        EXPECT_EQ(project->GetWorkspace().m_currentIndex, s.row) << s.what;
        EXPECT_EQ(shown(), QString::number(s.row + 1)) << s.what;
        EXPECT_EQ(window->StackedView()->Record(), project->CurrentRecord()) << s.what;
    }
}

}  // namespace
}  // namespace kx::ui
