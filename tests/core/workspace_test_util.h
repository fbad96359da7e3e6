// Scripted prompts, plain-data pages and views, and project directories for workspace tests.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "support/fixture_writer.h"
#include "waveform/pile_markers.h"
#include "workspace/user_prompts.h"
#include "workspace/workspace.h"
#include "workspace/workspace_views.h"

namespace kx::test {

// Answers come from queues; a question with no answer queued fails the test.
class ScriptedPrompts : public UserPrompts {
public:
    std::deque<std::optional<std::string>> folders, openFiles, saveFiles;
    std::deque<bool> yesNo;
    // Answers of the save prompt; while none is queued it is answered from yesNo.
    std::deque<SaveAnswer> saveAnswers;
    std::deque<OverwriteAnswer> overwrite;
    std::vector<std::string> messages;   // every message box text, in order
    std::vector<std::string> questions;  // every Yes/No and overwrite question
    std::vector<std::string> saveInitialNames;

    void ShowMessage(const std::string& text, const std::string& caption) override {
        EXPECT_EQ(caption, kAppTitle);
        messages.push_back(text);
    }
    bool AskYesNo(const std::string& text, const std::string& caption) override {
        EXPECT_EQ(caption, "提示");
        questions.push_back(text);
        return Next(yesNo, false, text);
    }
    SaveAnswer AskSaveChanges(const std::string& text, const std::string& caption) override {
        if (saveAnswers.empty()) {
            return UserPrompts::AskSaveChanges(text, caption);
        }
        EXPECT_EQ(caption, "提示");
        questions.push_back(text);
        return Next(saveAnswers, SaveAnswer::Cancel, text);
    }
    std::optional<std::string> BrowseForFolder(const std::string& title) override {
        EXPECT_EQ(title, "请选择目录：");
        return Next(folders, std::optional<std::string>{}, title);
    }
    std::optional<std::string> AskOpenFile(const std::string& filter) override {
        EXPECT_EQ(filter, "分析文件(*.kxc)|*.kxc||");
        return Next(openFiles, std::optional<std::string>{}, filter);
    }
    std::optional<std::string> AskSaveFile(const std::string& initialName,
                                           const std::string& filter) override {
        EXPECT_EQ(filter, "数据文件(*.kxc)|*.kxc|");
        saveInitialNames.push_back(initialName);
        return Next(saveFiles, std::optional<std::string>{}, filter);
    }
    OverwriteAnswer AskOverwrite(const std::string& message) override {
        questions.push_back(message);
        return Next(overwrite, OverwriteAnswer::Closed, message);
    }

    bool SaidPrompt() const { return Count("是否保存修改过的数据？") > 0; }
    int Count(const std::string& text) const {
        int n = 0;
        for (const auto& q : questions)
            n += q == text;
        for (const auto& m : messages)
            n += m == text;
        return n;
    }
    void Forget() {
        messages.clear();
        questions.clear();
    }

private:
    template <class T>
    T Next(std::deque<T>& q, T fallback, const std::string& what) {
        if (q.empty()) {
            ADD_FAILURE() << "unexpected question: " << what;
            return fallback;
        }
        T v = q.front();
        q.pop_front();
        return v;
    }
};

inline std::string Fmt2(double v) {
    char b[64];
    std::snprintf(b, sizeof b, "%.2f", v);
    return b;
}

// Pages and views as plain data, with simple stand-ins for the waveform arithmetic.
class FakeViews : public WorkspaceViews {
public:
    PageTexts pages;
    WaveSlot backupWave{};
    int rawBlow = 99;
    int allRows = -1;
    int spectrumComputed = 0;
    int restoreWaveCalls = 0;
    int shownSelection = -2;

    PageTexts ReadPageTexts() override { return pages; }
    void ShowRecordOnPages(const PileRecord& r) override {
        pages.tester = r.tester;
        pages.testingUnit = r.testingUnit;
        pages.site = r.site;
        pages.pileNumber = r.pileNumber;
        pages.testDate = r.testDate;
        pages.testTime = r.testTime;
        pages.integrityClass = r.integrityClass;
        pages.concreteStrength = r.concreteStrength;
        pages.pileDiameter = r.pileDiameter;
        pages.defectPosition = Fmt2(DefectDepth(r));
        pages.pileLength = Fmt2(r.pileLength);
        pages.waveSpeed = Fmt2(r.waveSpeed);
        pages.remarks = r.remarks;
    }
    bool CollectPagesIntoRecord(PileRecord& r) override {
        r.tester = pages.tester;
        r.testingUnit = pages.testingUnit;
        r.site = pages.site;
        r.pileNumber = pages.pileNumber;
        r.testDate = pages.testDate;
        r.testTime = pages.testTime;
        r.pileLength = static_cast<float>(std::atof(pages.pileLength.c_str()));
        r.waveSpeed = static_cast<float>(std::atof(pages.waveSpeed.c_str()));
        r.integrityClass = pages.integrityClass;
        r.concreteStrength = pages.concreteStrength;
        r.pileDiameter = pages.pileDiameter;
        r.remarks = pages.remarks;
        return true;
    }
    void PlaceMarkersForRecord(PileRecord& r) override { r.pileTopTimeUs = r.sampleIntervalUs * 4; }
    void SetBackupWave(const WaveSlot& w) override { backupWave = w; }
    void RestoreWave(PileRecord& r) override {
        ++restoreWaveCalls;
        r.waves[kStackedSlot] = backupWave;
    }
    // The window's arithmetic, for a stacked view 1024 pixels wide.
    float DefectDepth(const PileRecord& r) override { return kx::DefectDepth(r, 1024); }
    void ComputeSpectrum(const PileRecord&) override { ++spectrumComputed; }
    void SetRawViewSelectedBlow(int blow) override { rawBlow = blow; }
    void SetAllViewRowCount(int rows) override { allRows = rows; }
    void ShowListSelection(int row) override { shownSelection = row; }
};

// A record for a project file: recognisable by its pile number, already integrated so the
// loader keeps its waves as stored.
inline PileRecord ProjectRecord(const std::string& pileNumber, int16_t n = 16) {
    PileRecord r = MakeFullRecord(n);
    r.pileNumber = pileNumber;
    r.invertPending = false;
    r.integrated = true;
    return r;
}

// A fresh directory named after the running test, inside the process's temporary directory.
inline std::string TestDir(const std::string& sub = "") {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string dir =
        std::filesystem::absolute(std::string(info->test_suite_name()) + "." + info->name() + sub)
            .string();
    for (char& c : dir) {
        if (c == '\\')
            c = '_';
    }
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir;
}

// Writes analysis files named `names` (pile numbers = names without suffix) into `dir`.
inline void WriteProject(const std::string& dir, const std::vector<std::string>& names) {
    for (const std::string& name : names) {
        WriteFile(dir + "/" + name,
                  AnalysisFixture(ProjectRecord(name.substr(0, name.rfind('.')))));
    }
}

inline std::vector<std::string> RowNames(const Workspace& ws) {
    std::vector<std::string> out;
    for (const DataRow& r : ws.Rows())
        out.push_back(r.name);
    return out;
}

// A workspace with its scripted prompts and fake views.
struct Harness {
    ScriptedPrompts prompts;
    FakeViews views;
    Workspace ws{prompts, views};

    void Open(const std::string& dir) {
        prompts.folders.push_back(dir);
        ws.OpenProject();
    }
    // Opens and waits until every record is loaded.
    void OpenLoaded(const std::string& dir) {
        Open(dir);
        ws.WaitUntilLoaded();
    }
    PileRecord& Record(size_t i) {
        PileRecord* r = ws.m_records.WaitFor(i);
        EXPECT_NE(r, nullptr);
        return *r;
    }
};

}  // namespace kx::test
