// The print preview window and the main window's print commands: page count, paging keys and
// buttons, pages drawn only when shown, printing from the preview, 输出PDF.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QMenu>
#include <QPointer>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "core/workspace_test_util.h"
#include "print/qt/my_print.h"
#include "print/qt/sev_frame.h"
#include "print/qt/sev_preview_view.h"
#include "print/qt/sev_view.h"
#include "record/gbk.h"
#include "res/ids.h"
#include "support/pdf_text.h"
#include "ui/background_task.h"
#include "ui/print_commands.h"
#include "ui/project_controller.h"
#include "window_fixture.h"

namespace kx::ui {
namespace {

// `n` piles in memory, numbered from 1.
struct Piles {
    std::vector<PileRecord> records;
    std::vector<const PileRecord*> pointers;
    explicit Piles(size_t n) : records(n) {
        for (size_t i = 0; i < n; ++i) {
            records[i] = test::MakeFullRecord(1024);
            records[i].pileNumber = "P" + std::to_string(i + 1);
            pointers.push_back(&records[i]);
        }
    }
};

class PreviewTest : public WindowTest {
protected:
    // A preview of `piles` opened from the main window.
    CSevFrame* Open(const Piles& piles) {
        ShowActive();
        auto* frame = new CSevFrame(
            window.get(), std::make_unique<CSevView>(settings, EntriesOf(piles.pointers)));
        EXPECT_TRUE(QTest::qWaitForWindowExposed(frame));
        return frame;
    }
    void Key(CSevFrame* frame, Qt::Key key) {
        QTest::keyClick(frame->Preview(), key);
        QApplication::processEvents();
    }
    PrintSettings settings;
};

TEST_F(PreviewTest, PagesThroughTheReportAndBringsTheMainWindowBack) {
    const Piles piles(23);
    QPointer<CSevFrame> frame = Open(piles);
    EXPECT_EQ(frame->windowTitle(), "打印预览");
    EXPECT_TRUE(frame->windowState() & Qt::WindowMaximized);
    EXPECT_TRUE(window->isHidden());
    // It takes the keys at once, from the main window that hides.
    EXPECT_TRUE(QTest::qWaitForWindowActive(frame));
    EXPECT_EQ(frame->PageText(), "第 1 页，共 3 页");
    EXPECT_EQ(frame->PrintingView().PageCount(), 3);
    settings.pilesPerPage = "14";
    EXPECT_EQ(frame->PrintingView().PageCount(), 2);
    settings.pilesPerPage = "10";

    CSevPreviewView* preview = frame->Preview();
    EXPECT_EQ(preview->CurrentPage(), 1);
    EXPECT_FALSE(frame->Button(id::kPreviewPrev)->isEnabled());
    QTest::mouseClick(frame->Button(id::kPreviewNext), Qt::LeftButton);
    EXPECT_EQ(preview->CurrentPage(), 2);
    Key(frame, Qt::Key_PageDown);
    EXPECT_EQ(preview->CurrentPage(), 3);
    EXPECT_FALSE(frame->Button(id::kPreviewNext)->isEnabled());
    Key(frame, Qt::Key_PageDown);
    EXPECT_EQ(preview->CurrentPage(), 3);
    Key(frame, Qt::Key_PageUp);
    EXPECT_EQ(preview->CurrentPage(), 2);

    // 双页 shows pages side by side; zooming in shows one page and greys the choice.
    QPushButton* pages = frame->Button(id::kPreviewNumPages);
    EXPECT_EQ(pages->text(), "双页(&T)");
    QTest::mouseClick(pages, Qt::LeftButton);
    EXPECT_TRUE(preview->ShowsTwoPages());
    EXPECT_EQ(pages->text(), "单页(&O)");
    EXPECT_FALSE(frame->Button(id::kPreviewZoomOut)->isEnabled());
    QTest::mouseClick(frame->Button(id::kPreviewZoomIn), Qt::LeftButton);
    EXPECT_FALSE(preview->ShowsTwoPages());
    EXPECT_FALSE(pages->isEnabled());
    QTest::mouseClick(frame->Button(id::kPreviewZoomIn), Qt::LeftButton);
    EXPECT_FALSE(frame->Button(id::kPreviewZoomIn)->isEnabled());
    QTest::mouseClick(frame->Button(id::kPreviewZoomOut), Qt::LeftButton);
    QTest::mouseClick(frame->Button(id::kPreviewZoomOut), Qt::LeftButton);
    EXPECT_TRUE(preview->ShowsTwoPages());

    Key(frame, Qt::Key_Escape);
    EXPECT_TRUE(frame.isNull());
    EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
    EXPECT_FALSE(window->isHidden());
}

TEST_F(PreviewTest, AThousandPilesOpenWithOnlyTheShownPageDrawn) {
    const Piles piles(1000);
    QPointer<CSevFrame> frame = Open(piles);
    QApplication::processEvents();
    EXPECT_EQ(frame->PrintingView().PageCount(), 100);
    EXPECT_EQ(frame->PrintingView().PagesDrawn(), 1);
    frame->Preview()->NextPage();
    frame->Preview()->viewport()->repaint();
    EXPECT_EQ(frame->PrintingView().PagesDrawn(), 2);
    // Showing the same page again draws nothing new.
    frame->Preview()->viewport()->repaint();
    EXPECT_EQ(frame->PrintingView().PagesDrawn(), 2);

    // The sheet is white where the page is, grey around it.
    const QImage shown = frame->Preview()->viewport()->grab().toImage();
    EXPECT_EQ(shown.pixelColor(shown.width() / 2, shown.height() / 2), QColor(Qt::white));
    EXPECT_EQ(shown.pixelColor(2, 2), QColor(128, 128, 128));
    frame->close();
}

TEST_F(PreviewTest, PrintsThePagesChosenAndStaysOpen) {
    const Piles piles(23);
    QPointer<CSevFrame> frame = Open(piles);
    const std::string pdf = test::TestDir() + "/printed.pdf";
    int offered = 0;
    frame->PrintingView().SetAskPrinter(
        [&](QPrinter& printer, int pageCount, QWidget*, int& from, int& to) {
            offered = pageCount;
            EXPECT_EQ(printer.resolution(), 600);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(QString::fromStdString(pdf));
            from = 2;
            to = 3;
            return true;
        });
    QTest::mouseClick(frame->Button(id::kPreviewPrint), Qt::LeftButton);
    EXPECT_EQ(offered, 3);
    ASSERT_FALSE(frame.isNull());
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(test::PdfPages(pdf), 2);
    const std::string second = test::PdfText(pdf, 1);
    EXPECT_NE(second.find("桩号:P11"), std::string::npos) << second;
    EXPECT_NE(second.find("第2页"), std::string::npos) << second;
    frame->close();
}

TEST_F(PreviewTest, AnEmptyListShowsOneBlankPageAndCannotPrint) {
    const Piles none(0);
    QPointer<CSevFrame> frame = Open(none);
    EXPECT_EQ(frame->PrintingView().PageCount(), 0);
    EXPECT_EQ(frame->Preview()->LastPage(), 1);
    EXPECT_EQ(frame->PageText(), "打印列表为空");
    EXPECT_FALSE(frame->Button(id::kPreviewPrint)->isEnabled());
    EXPECT_FALSE(frame->Button(id::kPreviewNext)->isEnabled());
    QTest::mouseClick(frame->Button(id::kPreviewClose), Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_TRUE(frame.isNull());
    EXPECT_FALSE(window->isHidden());
}

// The print commands on a project's print list, with the main window's settings.
class PrintCommandsTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        dir = test::TestDir();
        std::vector<std::string> names;
        for (int i = 1; i <= 12; ++i) {
            names.push_back(std::to_string(i) + ".kxc");
        }
        test::WriteProject(dir, names);
        prompts.folders.push_back(dir);
        ws.OpenProject();
        ws.WaitUntilLoaded();
        ws.OnFileRowSelected(0);
        commands = std::make_unique<CPrintCommands>(window.get(), window->PrintSettingsRef(), ws,
                                                    prompts, window->Project()->Task());
    }
    void TearDown() override { commands.reset(); }
    // 输出PDF through `with`, waiting for the task's end; the file written, if any.
    std::string ExportPdf(UserPrompts& with) {
        CBackgroundTask* task = window->Project()->Task();
        std::string written;
        CPrintCommands pdf(window.get(), window->PrintSettingsRef(), ws, with, task);
        pdf.ExportPdf([&](const std::string& path) { written = path; });
        EXPECT_TRUE(QTest::qWaitFor([&] { return !task->Running(); }, 20000));
        return written;
    }

    std::string dir;
    test::ScriptedPrompts prompts;
    test::FakeViews views;
    Workspace ws{prompts, views};
    std::unique_ptr<CPrintCommands> commands;
};

TEST_F(PrintCommandsTest, ExportPdfWritesTheReportPages) {
    commands->ExportPdf([](const std::string&) { FAIL(); });  // empty list
    EXPECT_EQ(prompts.messages, std::vector<std::string>{"打印列表为空，请先加入打印列表！"});

    std::vector<int> rows;
    for (int r = 0; r < 12; ++r) {
        rows.push_back(r);
    }
    ws.AddToPrintList(rows);
    window->PrintSettingsRef().pilesPerPage = "5";
    // ScriptedPrompts checks the filter of the analysis-file dialog; this one is the PDF's.
    class PdfPrompts : public test::ScriptedPrompts {
    public:
        std::optional<std::string> AskSaveFile(const std::string& name,
                                               const std::string& filter) override {
            proposed = name;
            EXPECT_EQ(filter, "PDF文件(*.pdf)|*.pdf||");
            return answer;
        }
        std::optional<std::string> answer;
        std::string proposed;
    } pdfPrompts;
    pdfPrompts.answer = dir + "/out/report";
    std::filesystem::create_directories(dir + "/out");
    EXPECT_EQ(ExportPdf(pdfPrompts), dir + "/out/report.pdf");
    // Proposed in the project's directory, named after the site.
    EXPECT_EQ(pdfPrompts.proposed,
              dir + "/" + GbkToUtf8Lossy(ws.m_records.WaitFor(0)->site) + ".pdf");
    const std::string pdf = dir + "/out/report.pdf";
    EXPECT_EQ(test::PdfPages(pdf), 3);
    EXPECT_NE(test::PdfText(pdf, 3).find("桩号:12"), std::string::npos);
    EXPECT_TRUE(pdfPrompts.messages.empty());

    // A target that cannot be written is named with the reason, and nothing is left there.
    pdfPrompts.answer = dir + "/missing/report.pdf";
    EXPECT_EQ(ExportPdf(pdfPrompts), "");
    ASSERT_EQ(pdfPrompts.messages.size(), 1u);
    EXPECT_EQ(pdfPrompts.messages[0].rfind("PDF文件未能保存：" + dir + "/missing/report.pdf\n", 0),
              0u)
        << pdfPrompts.messages[0];
    EXPECT_FALSE(std::filesystem::exists(dir + "/missing"));
}

// 输出PDF draws beside the window: "输出PDF k / n" with 取消 shows at once, and 取消 leaves
// either the whole report or no file at all.
TEST_F(PrintCommandsTest, ExportPdfShowsProgressAndCancels) {
    std::vector<int> rows;
    for (int r = 0; r < 12; ++r) {
        rows.push_back(r);
    }
    ws.AddToPrintList(rows);
    window->PrintSettingsRef().pilesPerPage = "1";
    class PdfPrompts : public test::ScriptedPrompts {
    public:
        std::optional<std::string> AskSaveFile(const std::string&, const std::string&) override {
            return answer;
        }
        std::string answer;
    } pdfPrompts;
    pdfPrompts.answer = dir + "/out.pdf";
    CBackgroundTask* task = window->Project()->Task();
    CPrintCommands pdf(window.get(), window->PrintSettingsRef(), ws, pdfPrompts, task);
    bool written = false;
    pdf.ExportPdf([&](const std::string&) { written = true; });
    auto* bar = window->findChild<QProgressBar*>("taskProgress");
    auto* cancel = window->findChild<QPushButton*>("taskCancel");
    EXPECT_FALSE(bar->isHidden());
    EXPECT_TRUE(bar->format().startsWith("输出PDF"));
    EXPECT_FALSE(cancel->isHidden());
    EXPECT_TRUE(window->Busy());
    cancel->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !task->Running(); }, 20000));
    EXPECT_TRUE(bar->isHidden());
    EXPECT_FALSE(window->Busy());
    EXPECT_TRUE(pdfPrompts.messages.empty());  // a cancel is no failure
    EXPECT_EQ(std::filesystem::exists(dir + "/out.pdf"), written);
    if (written) {
        EXPECT_EQ(test::PdfPages(dir + "/out.pdf"), 12);
    }
    for (const auto& e : std::filesystem::directory_iterator(dir)) {
        EXPECT_TRUE(e.path().extension() == ".kxc" || e.path() == dir + "/out.pdf") << e.path();
    }
}

TEST_F(PrintCommandsTest, PreviewAndSettingsDialogFromTheWindow) {
    ShowActive();
    ws.AddToPrintList({0, 1, 2});
    QPointer<CSevFrame> frame = commands->OpenPrintPreview();
    EXPECT_TRUE(window->isHidden());
    EXPECT_EQ(frame->PrintingView().PageCount(), 1);
    frame->close();
    EXPECT_FALSE(window->isHidden());

    // The settings dialog is modal: confirm it as soon as it is up.
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<CMyPrint*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->ListBox()->count(), 3);
        EXPECT_EQ(dialog->ConfirmButton()->text(), "确定");
        dialog->OnConfirm();
    });
    window->PrintSettingsRef().writer = "";
    commands->OpenPrintSettings();
    EXPECT_EQ(window->PrintSettingsRef().pilesPerPage, "10");
}

TEST_F(PrintCommandsTest, TheWindowsMenuItemsReachTheCommands) {
    // The window's own project, pile 1 in its print list.
    filePrompts.folders.push_back(dir);
    window->Project()->OpenProject();
    Workspace& own = window->Project()->GetWorkspace();
    own.WaitUntilLoaded();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window->Project()->Loading(); }, 10000));
    own.OnFileRowSelected(0);
    own.AddToPrintList({0});
    ShowActive();
    window->Command(id::kCmdPrintPreview)->trigger();
    EXPECT_TRUE(window->isHidden());
    CSevFrame* frame = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        frame = frame != nullptr ? frame : qobject_cast<CSevFrame*>(w);
    }
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->PrintingView().PageCount(), 1);
    frame->close();
    EXPECT_FALSE(window->isHidden());
}

TEST_F(WindowTest, ExportPdfStandsNextToPrintPreview) {
    QAction* preview = window->Command(id::kCmdPrintPreview);
    QAction* pdf = window->Command(id::kCmdExportPdf);
    ASSERT_NE(pdf, nullptr);
    EXPECT_EQ(pdf->text(), "输出PDF");
    const QList<QAction*> items = qobject_cast<QMenu*>(preview->parent())->actions();
    EXPECT_EQ(items.indexOf(pdf), items.indexOf(preview) + 1);
    EXPECT_FALSE(items.last()->icon().isNull());  // 退出 keeps its bitmap
}

}  // namespace
}  // namespace kx::ui
