// The project loader running beside the user-interface thread: selections, list edits, new
// projects and closing while records are still being loaded. Also run under ThreadSanitizer.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <random>
#include <thread>

#include "core/record_test_util.h"
#include "core/workspace_test_util.h"
#include "workspace/load_steps.h"

namespace kx {
namespace {

using namespace std::chrono_literals;
using test::Harness;
using test::RowNames;
using test::TestDir;
using test::WriteProject;

std::vector<std::string> Names(int n, int first = 1) {
    std::vector<std::string> v;
    for (int i = 0; i < n; ++i)
        v.push_back(std::to_string(first + i) + ".kxc");
    return v;
}

// Holds the loader before each file until the test lets the first so many files of the list
// through; the loader's threads may reach the gate in any order.
class Gate {
public:
    explicit Gate(std::vector<std::string> names) : names_(std::move(names)) {}
    void Allow(int files) {
        std::lock_guard lock(m_);
        allowed_ = std::max(allowed_, files);
        cv_.notify_all();
    }
    void OpenFully() { Allow(kAll); }
    // Waits until `files` reads have come to the gate (held there or let through).
    void WaitForArrivals(int files) {
        std::unique_lock lock(m_);
        cv_.wait(lock, [&] { return arrived_ >= files; });
    }
    ProjectRecords::BeforeReadFn Hook() {
        return [this](const std::string& path) {
            const auto it =
                std::find(names_.begin(), names_.end(), path.substr(path.find_last_of('/') + 1));
            // Files of other lists pass once the gate is fully open.
            const int position =
                it == names_.end() ? kAll - 1 : static_cast<int>(it - names_.begin());
            std::unique_lock lock(m_);
            ++arrived_;
            cv_.notify_all();
            cv_.wait(lock, [&] { return position < allowed_; });
        };
    }

private:
    static constexpr int kAll = 1 << 30;
    const std::vector<std::string> names_;
    std::mutex m_;
    std::condition_variable cv_;
    int allowed_ = 0;
    int arrived_ = 0;
};

// Each loaded record belongs to the file its row names.
void ExpectRecordsMatchRows(Workspace& ws) {
    ws.WaitUntilLoaded();
    ASSERT_EQ(ws.m_records.size(), ws.m_filePaths.size());
    ASSERT_EQ(ws.Rows().size(), ws.m_filePaths.size());
    for (size_t i = 0; i < ws.m_filePaths.size(); ++i) {
        const PileRecord* r = ws.m_records.WaitFor(i);
        ASSERT_NE(r, nullptr) << i;
        const std::string& name = ws.Rows()[i].name;
        EXPECT_EQ(r->pileNumber, name.substr(0, name.size() - 4)) << i;
    }
}

TEST(LoaderThreads, RowsAreListedAtOnceAndSelectionWaitsForItsRecord) {
    const std::string dir = TestDir();
    WriteProject(dir, Names(6));
    Harness h;
    Gate gate(Names(6));
    h.ws.m_records.SetBeforeReadHookForTesting(gate.Hook());
    h.Open(dir);
    EXPECT_EQ(h.ws.Rows().size(), 6u);  // listed before anything is read
    EXPECT_EQ(h.ws.m_records.LoadedCount(), 0u);
    EXPECT_EQ(h.ws.m_records.TryGet(4), nullptr);

    std::thread releaser([&] {
        std::this_thread::sleep_for(20ms);
        gate.OpenFully();
    });
    h.ws.OnFileRowSelected(4);  // blocks until record 4 is published
    releaser.join();
    EXPECT_EQ(h.ws.m_currentIndex, 4);
    EXPECT_EQ(h.views.pages.pileNumber, "5");
    EXPECT_TRUE(h.ws.m_records.IsLoaded(4));
    ExpectRecordsMatchRows(h.ws);
}

// Several loader threads give every record exactly as reading its file alone and applying
// the post-read steps would, and leave the dump of the last file read in list order.
TEST(LoaderThreads, RecordsAndDumpAreThoseOfReadingEachFileInTurn) {
    const std::string dir = TestDir();
    std::vector<std::string> paths;
    for (int k = 1; k <= 40; ++k) {
        PileRecord r = test::ProjectRecord(std::to_string(k), static_cast<int16_t>(16 + k));
        r.integrated = k % 3 != 0;
        r.invertPending = k % 4 == 0;
        paths.push_back(
            test::WriteFile(dir + "/" + std::to_string(k) + ".kxc", test::AnalysisFixture(r)));
    }
    // The last file in list order does not read, so the one before it leaves the dump.
    paths.push_back(test::WriteFile(dir + "/41.kxc", {'Q', 'R', 'V', 'A', 1}));
    std::filesystem::remove("读KXC文件后.txt");
    Harness h;
    h.OpenLoaded(dir);
    const std::string dumped = test::FileText("读KXC文件后.txt");

    ASSERT_EQ(h.ws.m_records.size(), paths.size());
    for (size_t i = 0; i < paths.size(); ++i) {
        PileRecord expected;
        const bool read = expected.ReadTestFile(nullptr, paths[i]).status.ok;
        ApplyLoadSteps(expected);
        EXPECT_EQ(h.Record(i), expected) << paths[i];
        EXPECT_EQ(h.ws.m_records.ReadStatus(i).ok, read) << paths[i];
    }
    PileRecord last;
    ASSERT_TRUE(last.ReadTestFile(nullptr, paths[39]));  // writes its own dump
    EXPECT_EQ(dumped, test::FileText("读KXC文件后.txt"));
    EXPECT_NE(dumped.find(','), std::string::npos);
}

TEST(LoaderThreads, ProgressCountsEveryRecordInOrder) {
    const std::string dir = TestDir();
    WriteProject(dir, Names(20));
    Harness h;
    std::mutex m;
    std::vector<std::pair<size_t, size_t>> seen;
    h.ws.SetLoadProgressCallback([&](size_t loaded, size_t total) {
        std::lock_guard lock(m);
        seen.emplace_back(loaded, total);
    });
    h.OpenLoaded(dir);
    std::lock_guard lock(m);
    ASSERT_EQ(seen.size(), 20u);
    for (size_t k = 0; k < seen.size(); ++k) {
        EXPECT_EQ(seen[k], std::make_pair(k + 1, size_t{20}));
    }
}

// Lets the loader through one file at a time until stopped, then opens fully.
class Trickle {
public:
    explicit Trickle(Gate& gate)
        : thread_([this, &gate] {
              for (int k = 1; !done_; ++k) {
                  gate.Allow(k);
                  std::this_thread::sleep_for(1ms);
              }
              gate.OpenFully();
          }) {}
    ~Trickle() {
        done_ = true;
        thread_.join();
    }

private:
    std::atomic<bool> done_{false};
    std::thread thread_;
};

TEST(LoaderThreads, RemovingAndAddingRowsWhileLoading) {
    const std::string dir = TestDir();
    const std::string extra = TestDir("-extra");
    WriteProject(dir, Names(12));
    WriteProject(extra, {"50.kxc"});
    Harness h;
    Gate gate(Names(12));
    h.ws.m_records.SetBeforeReadHookForTesting(gate.Hook());
    h.Open(dir);
    {
        Trickle trickle(gate);
        h.ws.RemoveDataRow(10);  // most likely not loaded yet
        h.prompts.openFiles.push_back(extra + "/50.kxc");
        h.ws.AddDataFile();  // appended, loaded, while the loader is still busy
        h.ws.RemoveDataRow(0);
        h.ws.RemoveDataRow(3);
        EXPECT_TRUE(h.prompts.questions.empty());
    }
    EXPECT_EQ(RowNames(h.ws),
              (std::vector<std::string>{"2.kxc", "3.kxc", "4.kxc", "6.kxc", "7.kxc", "8.kxc",
                                        "9.kxc", "10.kxc", "12.kxc", "50.kxc"}));
    ExpectRecordsMatchRows(h.ws);
    EXPECT_EQ(h.ws.m_records.LoadedCount(), 10u);
}

TEST(LoaderThreads, EntriesErasedUnderTheLoadersHandsAreDropped) {
    const std::string dir = TestDir();
    WriteProject(dir, Names(5));
    std::vector<std::string> paths;
    for (const std::string& n : Names(5))
        paths.push_back(dir + "/" + n);
    ProjectRecords records;
    Gate gate(Names(5));
    records.SetBeforeReadHookForTesting(gate.Hook());
    records.StartLoading(paths);
    gate.WaitForArrivals(1);  // the loader now holds file 1 (and maybe more) at the gate
    records.Erase(0);
    records.Erase(1);  // file 3, taken or not
    gate.OpenFully();
    records.WaitUntilLoaded();
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records.LoadedCount(), 3u);
    const char* expected[] = {"2", "4", "5"};
    for (size_t i = 0; i < 3; ++i) {
        ASSERT_NE(records.TryGet(i), nullptr);
        EXPECT_EQ(records.TryGet(i)->pileNumber, expected[i]);
    }
}

TEST(LoaderThreads, StoppedLoaderLeavesNoWaiterHanging) {
    const std::string dir = TestDir();
    WriteProject(dir, Names(4));
    std::vector<std::string> paths;
    for (const std::string& n : Names(4))
        paths.push_back(dir + "/" + n);
    ProjectRecords records;
    Gate gate(Names(4));
    records.SetBeforeReadHookForTesting(gate.Hook());
    records.StartLoading(paths);
    gate.Allow(1);
    ASSERT_NE(records.WaitFor(0), nullptr);
    std::thread stopper([&] {
        std::this_thread::sleep_for(10ms);
        gate.OpenFully();  // let the file being read finish; the stop comes first
    });
    records.StopLoading();
    stopper.join();
    EXPECT_FALSE(records.Loading());
    EXPECT_LT(records.LoadedCount(), 4u);
    EXPECT_EQ(records.WaitFor(3), nullptr);  // will never be loaded: no wait
}

TEST(LoaderThreads, OpeningAnotherProjectStopsTheRunningLoader) {
    const std::string a = TestDir("-a");
    const std::string b = TestDir("-b");
    WriteProject(a, Names(30, 1));
    WriteProject(b, Names(5, 100));
    Harness h;
    Gate gate(Names(30, 1));
    h.ws.m_records.SetBeforeReadHookForTesting(gate.Hook());
    h.Open(a);
    gate.Allow(3);
    h.ws.OnFileRowSelected(1);
    std::thread releaser([&] {
        std::this_thread::sleep_for(20ms);
        gate.OpenFully();
    });
    h.Open(b);  // joins the loader of project a before emptying the lists
    releaser.join();
    EXPECT_EQ(RowNames(h.ws), Names(5, 100));
    ExpectRecordsMatchRows(h.ws);
    EXPECT_EQ(h.ws.m_currentIndex, -1);
}

// The records of a project left behind are freed beside the next listing; a third project
// and closing straight after must wait for that, not race it.
TEST(LoaderThreads, ProjectsOpenedInQuickSuccessionThenClosed) {
    const std::string a = TestDir("-a");
    const std::string b = TestDir("-b");
    WriteProject(a, Names(60, 1));
    WriteProject(b, Names(60, 100));
    {
        Harness h;
        for (const std::string& dir : {a, b, a}) {
            h.Open(dir);
            h.ws.OnFileRowSelected(0);
        }
        EXPECT_EQ(RowNames(h.ws), Names(60, 1));
        ASSERT_NE(h.ws.m_records.WaitFor(59), nullptr);
        EXPECT_EQ(h.ws.m_records.WaitFor(59)->pileNumber, "60");
        h.Open(b);
    }  // closed while the last project loads and the one before is being freed
}

TEST(LoaderThreads, ImportWhileLoading) {
    const std::string a = TestDir("-a");
    const std::string site = TestDir("-site");
    WriteProject(a, Names(30));
    test::WriteFile(site + "/7.kxd", test::MakeRawFixture(234, 16).Build());
    Harness h;
    Gate gate(Names(30));
    h.ws.m_records.SetBeforeReadHookForTesting(gate.Hook());
    h.Open(a);
    Trickle trickle(gate);
    h.ws.OnFileRowSelected(2);
    h.prompts.folders.push_back(site);
    h.ws.ImportRawData();
    h.ws.WaitUntilLoaded();
    EXPECT_EQ(RowNames(h.ws), std::vector<std::string>{"7.kxc"});
    ASSERT_NE(h.ws.m_records.WaitFor(0), nullptr);
    EXPECT_EQ(h.ws.m_records.WaitFor(0)->pileNumber, "P12");
}

TEST(LoaderThreads, ClosingWhileLoading) {
    const std::string dir = TestDir();
    WriteProject(dir, Names(40));
    Gate gate(Names(40));
    {
        Harness h;
        h.ws.m_records.SetBeforeReadHookForTesting(gate.Hook());
        h.Open(dir);
        Trickle trickle(gate);
        h.ws.OnFileRowSelected(3);
        h.views.pages.remarks = "edited";
        h.prompts.yesNo.push_back(false);
        h.ws.OnMainWindowClose();
        EXPECT_TRUE(h.prompts.SaidPrompt());
        EXPECT_FALSE(h.ws.m_records.Loading());
    }  // the workspace goes with its loader stopped
}

// A random mix of everything the user can do while a project loads.
TEST(LoaderThreads, RandomInterleavingKeepsRowsAndRecordsInStep) {
    const std::string a = TestDir("-a");
    const std::string b = TestDir("-b");
    const std::string extra = TestDir("-extra");
    WriteProject(a, Names(25, 1));
    WriteProject(b, Names(25, 200));
    WriteProject(extra, Names(10, 500));
    Harness h;
    h.ws.m_records.SetBeforeReadHookForTesting(
        [](const std::string&) { std::this_thread::sleep_for(100us); });
    std::mt19937 rng(12345);
    int added = 0;
    for (int step = 0; step < 150; ++step) {
        const int rows = static_cast<int>(h.ws.Rows().size());
        h.prompts.yesNo.push_back(rng() % 2 == 0);
        switch (rng() % 8) {
            case 0:
                h.Open(rng() % 2 ? a : b);
                break;
            case 1:
            case 2:
            case 3:
                if (rows > 0)
                    h.ws.OnFileRowSelected(static_cast<int>(rng() % rows));
                break;
            case 4:
                if (rows > 0)
                    h.ws.RemoveDataRow(static_cast<int>(rng() % rows));
                break;
            case 5:
                h.prompts.openFiles.push_back(extra + "/" + std::to_string(500 + added++ % 10) +
                                              ".kxc");
                h.ws.AddDataFile();
                break;
            case 6:
                h.views.pages.remarks = "r" + std::to_string(step);
                break;
            case 7:
                h.ws.m_waveModified = true;
                break;
        }
        h.prompts.yesNo.clear();
        if (HasFailure())
            break;
    }
    ExpectRecordsMatchRows(h.ws);
    if (h.ws.m_currentIndex >= 0) {
        EXPECT_LT(static_cast<size_t>(h.ws.m_currentIndex), h.ws.m_filePaths.size());
    }
}

}  // namespace
}  // namespace kx
