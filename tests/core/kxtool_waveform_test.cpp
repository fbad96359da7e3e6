// kxtool process, spectrum and markers, and the --loaded option, run in-process.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "cli/command.h"
#include "record/pile_record.h"
#include "support/fixture_writer.h"

namespace kx {
namespace {

struct ToolRun {
    int code;
    std::string out, err;
};

ToolRun Kxtool(std::vector<std::string> args) {
    args.insert(args.begin(), "kxtool");
    std::vector<const char*> argv;
    for (const std::string& a : args)
        argv.push_back(a.c_str());
    std::ostringstream out, err;
    const int code = cli::RunKxTool(static_cast<int>(argv.size()), argv.data(), out, err,
                                    cli::RunDrawingCommand);
    return {code, out.str(), err.str()};
}

// An analysis file of 6 samples: blows 0 and 1 present (10s and 20s), stacked 1..6.
PileRecord SmallRecord() {
    PileRecord r;
    r.magic = {'Q', 'R', 'V', 'A'};
    r.sampleCount = 6;
    r.sampleIntervalUs = 20;
    r.integrated = true;
    r.waveAbsent = {false, false, true, true, true, true, true, true, false};
    for (int i = 0; i < 6; ++i) {
        r.waves[0][i] = 10;
        r.waves[1][i] = 20;
        r.waves[kStackedSlot][i] = i + 1;
    }
    return r;
}

std::string WriteRecord(const PileRecord& r, const std::string& path) {
    EXPECT_TRUE(r.WriteAnalysisFile(path).ok);
    return path;
}

PileRecord ReadRecord(const std::string& path) {
    PileRecord r;
    EXPECT_TRUE(r.ReadTestFile(nullptr, path).status.ok) << path;
    return r;
}

std::vector<int32_t> Stacked(const PileRecord& r) {
    return {r.waves[kStackedSlot].begin(), r.waves[kStackedSlot].begin() + r.SampleCount()};
}

TEST(KxtoolProcess, OperationsApplyInTheOrderGiven) {
    const std::string in = WriteRecord(SmallRecord(), "in.kxc");
    struct Case {
        std::vector<std::string> ops;
        std::vector<int32_t> stacked;
    };
    const Case cases[] = {
        {{}, {1, 2, 3, 4, 5, 6}},
        {{"--cut-back", "2", "--restack"}, {15, 15, 15, 15, 15, 15}},
        {{"--restack", "--cut-back", "2"}, {15, 15, 0, 0, 0, 0}},
        {{"--cut-front", "1", "--reverse", "--cut-front", "3"}, {0, 0, 0, -4, -5, -6}},
        {{"--cut-front", "-4", "--cut-back", "99"}, {1, 2, 3, 4, 5, 6}},  // clamped
        {{"--smooth", "2"}, {1, 2, 3, 4, 5, 6}},  // (1+2)/2 = 1, (2+3)/2 = 2, ...
        {{"--smooth", "3", "--smooth", "1"}, {1, 2, 3, 4, 5, 6}},
        {{"--lowpass", "0"}, {0, 0, 0, 0, 0, 0}},
        {{"--zero"}, {1, 2, 3, 4, 5, 6}},  // the first 64 samples are never changed
        {{"--delete-blow", "1"}, {10, 10, 10, 10, 10, 10}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"process", in, "out.kxc"};
        args.insert(args.end(), c.ops.begin(), c.ops.end());
        const ToolRun r = Kxtool(args);
        ASSERT_EQ(r.code, 0) << r.err;
        EXPECT_EQ(Stacked(ReadRecord("out.kxc")), c.stacked) << args[3];
    }
    const PileRecord deleted = [&] {
        Kxtool({"process", in, "out.kxc", "--delete-blow", "1"});
        return ReadRecord("out.kxc");
    }();
    EXPECT_TRUE(deleted.waveAbsent[1]);
    EXPECT_EQ(deleted.waves[1][0], 0);
}

TEST(KxtoolProcess, InPlaceAndLoaded) {
    PileRecord rec = SmallRecord();
    rec.invertPending = true;  // the loader negates the stacked waveform once
    WriteRecord(rec, "pile.kxc");
    ASSERT_EQ(Kxtool({"process", "pile.kxc", "pile.kxc", "--cut-front", "1", "--loaded"}).code, 0);
    const PileRecord out = ReadRecord("pile.kxc");
    EXPECT_EQ(Stacked(out), (std::vector<int32_t>{0, -2, -3, -4, -5, -6}));
    EXPECT_FALSE(out.invertPending);

    // Integration of the present slots when the file holds them unintegrated: a flat blow
    // of 1s integrates to 999 each (divisor raised to 0.001).
    rec = SmallRecord();
    rec.integrated = false;
    rec.waves[0].fill(1);
    WriteRecord(rec, "raw.kxc");
    ASSERT_EQ(Kxtool({"process", "raw.kxc", "done.kxc", "--loaded"}).code, 0);
    EXPECT_EQ(ReadRecord("done.kxc").waves[0][3], 999);
    EXPECT_TRUE(ReadRecord("done.kxc").integrated);
}

TEST(KxtoolProcess, FailuresWriteNothing) {
    const std::string in = WriteRecord(SmallRecord(), "in.kxc");
    test::WriteFile("bad.kxc", {'N', 'O', 'P', 'E', 0, 0, 0, 0});
    test::WriteFile("keep.kxc", {'o', 'l', 'd'});
    struct Case {
        std::vector<std::string> args;
        int code;
    };
    const Case cases[] = {
        {{"process", "missing.kxc", "keep.kxc"}, 2},
        {{"process", "bad.kxc", "keep.kxc", "--reverse"}, 2},
        {{"process", in, "keep.kxc", "--delete-blow", "8"}, 1},
        {{"process", in, "keep.kxc", "--smooth", "0"}, 1},
        {{"process", in, "keep.kxc", "--lowpass", "abc"}, 1},
        {{"process", in, "keep.kxc", "--cut-front"}, 1},
        {{"process", in, "keep.kxc", "--bogus"}, 1},
        {{"process", in}, 1},
    };
    for (const Case& c : cases) {
        const ToolRun r = Kxtool(c.args);
        EXPECT_EQ(r.code, c.code) << c.args.back() << r.err;
        EXPECT_FALSE(r.err.empty());
        EXPECT_EQ(test::ReadFile("keep.kxc"), (std::vector<uint8_t>{'o', 'l', 'd'}));
    }
    const ToolRun r = Kxtool({"process", in, "no/such/dir/out.kxc", "--reverse"});
    EXPECT_EQ(r.code, 2);
    EXPECT_NE(r.err.find("kxtool: no/such/dir/out.kxc: "), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists("no/such/dir/out.kxc"));
}

TEST(KxtoolSpectrum, BufferOfTheMeanOfTheBlows) {
    PileRecord rec = SmallRecord();
    rec.sampleCount = 1000;
    rec.waveAbsent[1] = true;
    for (int i = 0; i < 1000; ++i) {
        // 40 cycles over n = 1024 samples: bin 40.
        rec.waves[0][i] =
            static_cast<int32_t>(std::lround(1e6 * std::sin(2 * M_PI * 40 * i / 1024)));
    }
    WriteRecord(rec, "sine.kxc");
    const ToolRun r = Kxtool({"spectrum", "sine.kxc"});
    ASSERT_EQ(r.code, 0) << r.err;
    const nlohmann::json j = nlohmann::json::parse(r.out);
    EXPECT_EQ(j["n"], 1024);
    ASSERT_EQ(j["spectrum"].size(), 1024u);
    EXPECT_EQ(j["spectrum"][40], 16384);
    EXPECT_EQ(j["spectrum"][1023], j["spectrum"][511]);

    // --loaded integrates the blow first, which moves the spectrum.
    rec.integrated = false;
    WriteRecord(rec, "raw.kxc");
    const ToolRun loaded = Kxtool({"spectrum", "raw.kxc", "--loaded"});
    const ToolRun plain = Kxtool({"spectrum", "raw.kxc"});
    ASSERT_EQ(loaded.code, 0);
    EXPECT_NE(nlohmann::json::parse(loaded.out)["spectrum"], j["spectrum"]);
    EXPECT_EQ(nlohmann::json::parse(plain.out)["spectrum"], j["spectrum"]);

    EXPECT_EQ(Kxtool({"spectrum", "missing.kxc"}).code, 2);
}

TEST(KxtoolMarkers, PlacedAsOnSelection) {
    PileRecord rec = SmallRecord();
    rec.sampleCount = 1024;
    rec.pileLength = 12;
    rec.pileBottomTimeUs = 8000;
    rec.defectTimeUs = 4000;
    rec.waves[kStackedSlot].fill(0);
    rec.waves[kStackedSlot][99] = 5000;
    WriteRecord(rec, "pile.kxc");
    const ToolRun r = Kxtool({"markers", "pile.kxc", "--width", "1024"});
    ASSERT_EQ(r.code, 0) << r.err;
    // Top one sample after the peak: 100 * 20 µs; bottom 8000 / 20480 of the width; the
    // defect a third of the way from 2000 to 8000 µs of a 12 m pile.
    const nlohmann::json expected = {
        {"topX", 100},           {"bottomX", 400},           {"defectX", 200},
        {"pileTopTimeUs", 2000}, {"pileBottomTimeUs", 8000}, {"defectTimeUs", 4000.0},
        {"defectDepth", 4.0}};
    EXPECT_EQ(nlohmann::json::parse(r.out), expected);
    EXPECT_EQ(nlohmann::ordered_json::parse(r.out).begin().key(),
              "topX");  // keys in the stated order

    EXPECT_EQ(Kxtool({"markers", "pile.kxc"}).code, 1);
    EXPECT_EQ(Kxtool({"markers", "pile.kxc", "--width", "0"}).code, 1);
    EXPECT_EQ(Kxtool({"markers", "missing.kxc", "--width", "100"}).code, 2);

    // --loaded: the inverted waveform peaks elsewhere.
    rec.invertPending = true;
    rec.waves[kStackedSlot][500] = -9000;
    WriteRecord(rec, "inv.kxc");
    const ToolRun inv = Kxtool({"markers", "inv.kxc", "--width", "1024", "--loaded"});
    EXPECT_EQ(nlohmann::json::parse(inv.out)["topX"], 501);
}

TEST(KxtoolInfo, LoadedIntegratesAndInverts) {
    PileRecord rec = SmallRecord();
    rec.integrated = false;
    rec.invertPending = true;
    rec.waves[0].fill(1);
    WriteRecord(rec, "pile.kxc");
    const nlohmann::json plain = nlohmann::json::parse(Kxtool({"info", "pile.kxc"}).out);
    const nlohmann::json loaded =
        nlohmann::json::parse(Kxtool({"info", "pile.kxc", "--loaded"}).out);
    EXPECT_EQ(plain["waves"][0][0], 1);
    EXPECT_EQ(loaded["waves"][0][0], 999);
    EXPECT_EQ(plain["integrated"], false);
    EXPECT_EQ(loaded["integrated"], true);
    EXPECT_EQ(loaded["invertPending"], false);
}

}  // namespace
}  // namespace kx
