// The program as a desktop application: what `kx7300 PATH` opens and selects, the recent
// projects and the window geometry kept in the settings (a temporary place, see
// gui_test_main.cpp), and 使用说明.
#include <gtest/gtest.h>

#include <QDesktopServices>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QSettings>
#include <QUrl>
#include <condition_variable>
#include <filesystem>
#include <mutex>

#include "res/ids.h"
#include "ui/gong_cheng_xx.h"
#include "ui/my_list_ctrl.h"
#include "ui/path_opener.h"
#include "ui/recent_projects.h"
#include "ui/user_guide.h"
#include "ui/window_geometry.h"
#include "window_fixture.h"

namespace kx::ui {
namespace {

namespace fs = std::filesystem;

class DesktopTest : public WindowTest {
protected:
    void SetUp() override {
        QSettings().clear();
        WindowTest::SetUp();
        project = window->Project();
        dir = test::TestDir();
    }
    void TearDown() override { QSettings().clear(); }

    void WaitLoaded() {
        ASSERT_TRUE(QTest::qWaitFor([&] { return !project->Loading(); }, 10000));
    }
    QString Path(const std::string& name) const { return QString::fromStdString(dir + "/" + name); }
    QString PileNumberShown() const {
        return window->ProjectPage()->Edit(id::kPileNumberEdit)->text();
    }
    int SelectedRow() const { return project->GetWorkspace().m_currentIndex; }
    // The window of the next run, with its recent projects read from the settings.
    void NextRun() {
        WindowTest::SetUp();
        project = window->Project();
        recent = window->RecentProjects();
    }

    CProjectController* project = nullptr;
    CRecentProjects* recent = nullptr;
    std::string dir;
};

// A .kxc selects its row as soon as the row is listed: while the loader still holds the
// records the selection waits, then shows the pile.
TEST_F(DesktopTest, AnalysisFileOpensItsDirectoryWithThePileSelected) {
    test::WriteProject(dir, {"1.kxc", "2.kxc", "7.kxc", "10.kxc"});
    std::mutex m;
    std::condition_variable cv;
    bool open = false;
    project->GetWorkspace().m_records.SetBeforeReadHookForTesting([&](const std::string&) {
        std::unique_lock lock(m);
        cv.wait(lock, [&] { return open; });
    });
    OpenGivenPath(*project, Path("7.kxc"));
    EXPECT_EQ(window->FileList()->rowCount(), 4);
    EXPECT_TRUE(project->Loading());
    EXPECT_EQ(window->FileList()->FirstSelectedRow(), 2);
    EXPECT_EQ(project->GetWorkspace().PendingSelection(), 2);
    {
        std::lock_guard lock(m);
        open = true;
    }
    cv.notify_all();
    WaitLoaded();
    EXPECT_EQ(SelectedRow(), 2);
    EXPECT_EQ(PileNumberShown(), "7");
    EXPECT_EQ(window->windowTitle(), "KX系列基桩低应变分析系统      7.kxc");
    EXPECT_TRUE(filePrompts.messages.empty());

    // A relative path names the same file.
    const fs::path cwd = fs::current_path();
    fs::current_path(dir);
    OpenGivenPath(*project, "10.kxc");
    fs::current_path(cwd);
    WaitLoaded();
    EXPECT_EQ(PileNumberShown(), "10");
}

// A .kxd offers the import of its directory first. "是" imports it (new analysis files
// beside the raw ones) and selects the pile's; "否" opens the directory as it is, selecting the
// pile when an earlier import made its analysis file, else saying that it has none.
TEST_F(DesktopTest, RawFileOffersTheImportThenSelectsThePile) {
    struct Case {
        bool answer;
        bool importedBefore;
        int rows;
        bool selected;
        std::string message;
    } cases[] = {
        {true, false, 3, true, ""},
        {false, true, 2, true, ""},
        {false, false, 1, false, "原始文件5.kxd尚未导入，工程中没有它的分析文件5.kxc。"},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(n);
        dir = test::TestDir("-" + std::to_string(n++));
        for (const char* raw : {"5.kxd", "6.kxd"}) {
            test::WriteFile(dir + "/" + raw, test::MakeRawFixture(234, 16).Build());
        }
        test::WriteProject(dir, {"1.kxc"});
        if (c.importedBefore) {
            test::WriteProject(dir, {"5.kxc"});
        }
        filePrompts.Forget();
        filePrompts.yesNo.push_back(c.answer);
        OpenGivenPath(*project, Path("5.kxd"));
        WaitLoaded();
        ASSERT_EQ(filePrompts.questions.size(), 1u);
        EXPECT_NE(filePrompts.questions[0].find("是否导入目录"), std::string::npos);
        EXPECT_NE(filePrompts.questions[0].find(dir), std::string::npos);
        EXPECT_EQ(fs::exists(dir + "/6.kxc"), c.answer);
        EXPECT_EQ(window->FileList()->rowCount(), c.rows);
        if (c.selected) {
            ASSERT_GE(SelectedRow(), 0);
            EXPECT_EQ(project->Rows()[static_cast<size_t>(SelectedRow())].name, "5.kxc");
            EXPECT_NE(project->CurrentRecord(), nullptr);
        } else {
            EXPECT_EQ(SelectedRow(), -1);
        }
        EXPECT_EQ(filePrompts.messages, c.message.empty() ? std::vector<std::string>{}
                                                          : std::vector<std::string>{c.message});
    }
}

// A path that is missing or of another kind is named in a message; nothing opens and the
// window stays usable. A directory opens as 打开工程 would.
TEST_F(DesktopTest, MissingOrUnsupportedPathIsNamedAndOpensNothing) {
    test::WriteProject(dir, {"1.kxc"});
    test::WriteFile(dir + "/notes.txt", {'x'});
    const std::pair<QString, std::string> refused[] = {
        {Path("gone.kxc"), "找不到“" + dir + "/gone.kxc”。"},
        {Path("notes.txt"),
         "无法打开“" + dir + "/notes.txt”：请给出工程目录、分析文件(*.kxc)或原始文件(*.kxd)。"},
    };
    for (const auto& [path, message] : refused) {
        filePrompts.Forget();
        OpenGivenPath(*project, path);
        EXPECT_EQ(filePrompts.messages, std::vector<std::string>{message});
        EXPECT_TRUE(project->ProjectDir().isEmpty());
        EXPECT_EQ(window->FileList()->rowCount(), 0);
    }
    filePrompts.Forget();
    OpenGivenPath(*project, QString::fromStdString(dir));
    WaitLoaded();
    EXPECT_EQ(window->FileList()->rowCount(), 1);
    EXPECT_EQ(SelectedRow(), -1);
    EXPECT_TRUE(filePrompts.messages.empty());
}

QAction* Entry(CKX7300Dlg& w, int k) {
    return w.Command(id::kCmdRecentProject1 + k);
}

QStringList Shown(CKX7300Dlg& w) {
    QStringList texts;
    for (int k = 0; k < id::kRecentProjectCount; ++k) {
        if (Entry(w, k)->isVisible()) {
            texts << Entry(w, k)->text();
        }
    }
    return texts;
}

// Every opened project goes first into 最近打开的工程, once; five are kept, in the settings
// too, so a new window shows them; an entry opens its project; one that is gone is removed
// with a message.
TEST_F(DesktopTest, RecentProjectsKeepTheLastFiveOnceEach) {
    recent = window->RecentProjects();
    auto* menu = window->findChild<QMenu*>(QString::number(id::kRecentProjectsMenu));
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->title(), "最近打开的工程");
    EXPECT_FALSE(menu->menuAction()->isEnabled());
    EXPECT_TRUE(Shown(*window).isEmpty());

    std::vector<std::string> sites;
    for (int k = 0; k < 7; ++k) {
        sites.push_back(test::TestDir("-site" + std::to_string(k)));
        test::WriteProject(sites.back(), {"1.kxc"});
    }
    auto site = [&](int k) { return QString::fromStdString(sites[static_cast<size_t>(k)]); };
    // Opened by command, by path, again (with another spelling) and by import.
    for (int k : {0, 1, 2, 3, 4, 5}) {
        project->OpenProjectAt(site(k));
        WaitLoaded();
    }
    project->OpenProjectAt(site(3) + "/./");
    WaitLoaded();
    filePrompts.folders.push_back(sites[6]);
    window->Command(id::kCmdImportRawData)->trigger();
    WaitLoaded();
    const QStringList expected = {site(6), site(3), site(5), site(4), site(2)};
    EXPECT_EQ(recent->Projects(), expected);
    EXPECT_TRUE(menu->menuAction()->isEnabled());
    EXPECT_EQ(Shown(*window), (QStringList{"&1 " + site(6), "&2 " + site(3), "&3 " + site(5),
                                           "&4 " + site(4), "&5 " + site(2)}));
    EXPECT_EQ(QSettings().value(CRecentProjects::kSettingsKey).toStringList(), expected);
    // A failed open changes nothing.
    filePrompts.Forget();
    project->OpenProjectAt(site(0) + "/missing");
    EXPECT_EQ(recent->Projects(), expected);

    // The next run shows the same list and opens its entries.
    NextRun();
    EXPECT_EQ(Shown(*window).size(), 5);
    Entry(*window, 2)->trigger();
    WaitLoaded();
    EXPECT_EQ(window->Project()->ProjectDir(), site(5));
    EXPECT_EQ(recent->Projects().front(), site(5));

    fs::remove_all(sites[4]);
    filePrompts.Forget();
    Entry(*window, 3)->trigger();  // site 4
    EXPECT_EQ(
        filePrompts.messages,
        std::vector<std::string>{"工程目录" + sites[4] + "已不存在，已从最近打开的工程中移除。"});
    EXPECT_EQ(recent->Projects(), (QStringList{site(5), site(6), site(3), site(2)}));
    EXPECT_EQ(window->Project()->ProjectDir(), site(5));
    EXPECT_EQ(Shown(*window).size(), 4);
}

// The window comes back where it was left; nothing saved yet leaves the first-run placing to
// the program.
TEST_F(DesktopTest, WindowGeometryOutlivesTheWindow) {
    EXPECT_FALSE(RestoreWindowGeometry(*window));
    ShowActive();
    const QRect placed(40, 50, 900, 700);
    window->setGeometry(placed);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->geometry() == placed; }));
    SaveWindowGeometry(*window);

    CKX7300Dlg next;
    ASSERT_TRUE(RestoreWindowGeometry(next));
    EXPECT_EQ(next.geometry().size(), placed.size());
    EXPECT_FALSE(next.windowState() & Qt::WindowMaximized);
}

// Records the URLs handed to the desktop.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void Open(const QUrl& url) { urls << url; }
};

// 使用说明 hands the guide to the desktop's browser: from the build tree the build tree's HTML
// page with its pictures beside it, never the Markdown text (a text editor would take it).
TEST_F(DesktopTest, UserGuideOpensTheGuideFromTheBuildTree) {
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("file", &catcher, "Open");
    window->Command(id::kCmdUserGuide)->trigger();
    QDesktopServices::unsetUrlHandler("file");
    ASSERT_EQ(catcher.urls.size(), 1);
    const QFileInfo guide(catcher.urls[0].toLocalFile());
    EXPECT_TRUE(guide.isFile()) << guide.filePath().toStdString();
    EXPECT_EQ(guide.fileName(), "guide.html");
    EXPECT_EQ(guide.filePath(), UserGuidePath());
    EXPECT_TRUE(QFileInfo(guide.absolutePath() + "/images/main-window.png").isFile());
    EXPECT_TRUE(messages.isEmpty());
}

}  // namespace
}  // namespace kx::ui

#include "desktop_test.moc"
