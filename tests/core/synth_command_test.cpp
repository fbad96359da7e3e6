#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "cli/command.h"
#include "record/raw_file_writer.h"
#include "support/fixture_writer.h"
#include "synth/synth_record.h"

namespace kx {
namespace {

struct ToolRun {
    int code;
    std::string out, err;
};

ToolRun Synth(std::vector<std::string> args) {
    args.insert(args.begin(), {"kxtool", "synth"});
    std::vector<const char*> argv;
    for (const std::string& a : args) {
        argv.push_back(a.c_str());
    }
    std::ostringstream out, err;
    const int code = cli::RunKxTool(static_cast<int>(argv.size()), argv.data(), out, err,
                                    cli::RunDrawingCommand);
    return {code, out.str(), err.str()};
}

TEST(SynthCommand, EveryOptionReachesTheModel) {
    const ToolRun r =
        Synth({"--length",  "12.5",   "--speed", "4100",     "--defect", "3:1:1.4",    "--defect",
               "7:1.5:0.7", "--toe",  "fixed",   "--blows",  "6",        "--interval", "10",
               "--samples", "900",    "--noise", "0.02",     "--seed",   "77",         "--site",
               "测试工地",  "--pile", "B-3#",    "--layout", "123",      "-o",         "p.kxd"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_TRUE(r.out.empty());

    synth::SynthOptions o;
    o.pile.lengthM = 12.5;
    o.pile.speedMps = 4100;
    o.pile.defects = {{3, 1, 1.4}, {7, 1.5, 0.7}};
    o.pile.toe = synth::ToeCondition::kFixed;
    o.blows = 6;
    o.intervalUs = 10;
    o.samples = 900;
    o.noise = 0.02;
    o.seed = 77;
    o.site = "测试工地";
    o.pileNumber = "B-3#";
    o.layout = 123;
    const synth::SynthResult res = synth::MakeSynthRecord(o);
    std::vector<uint8_t> expected;
    ASSERT_TRUE(RawFileBytes(res.record, res.stamp, expected));
    EXPECT_EQ(test::ReadFile("p.kxd"), expected);
}

TEST(SynthCommand, DefaultsMakeAFourBlowLayout234File) {
    ASSERT_EQ(Synth({"-o", "d.kxd"}).code, 0);
    EXPECT_EQ(test::ReadFile("d.kxd"), [] {
        const synth::SynthResult res = synth::MakeSynthRecord({});
        std::vector<uint8_t> b;
        EXPECT_TRUE(RawFileBytes(res.record, res.stamp, b));
        return b;
    }());
}

TEST(SynthCommand, BadUsageExitsWithOneAndWritesNothing) {
    struct Case {
        std::vector<std::string> args;
        const char* message;
    };
    const Case cases[] = {
        {{"--length", "abc"}, "--length"},
        {{"--length", "0"}, "--length"},
        {{"--defect", "4:1"}, "DEPTH:LENGTH:RATIO"},
        {{"--defect", "12:1:0.5"}, "inside the pile"},
        {{"--toe", "hinged"}, "--toe"},
        {{"--blows", "5"}, "at most 4 blows"},
        {{"--blows", "9", "--layout", "123"}, "--blows"},
        {{"--layout", "345"}, "--layout"},
        {{"--samples", "2000"}, "--samples"},
        {{"--noise", "-1"}, "--noise"},
        {{"--seed", "-3"}, "--seed"},
        {{"--site", "工地😀"}, "GBK"},
        {{"--frobnicate"}, "frobnicate"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = c.args;
        args.insert(args.end(), {"-o", "bad.kxd"});
        const ToolRun r = Synth(args);
        SCOPED_TRACE(r.err);
        EXPECT_EQ(r.code, 1);
        EXPECT_NE(r.err.find(c.message), std::string::npos);
        EXPECT_FALSE(std::filesystem::exists("bad.kxd"));
    }
    const ToolRun noOutput = Synth({"--length", "10"});
    EXPECT_EQ(noOutput.code, 1);
    const ToolRun wrongSuffix = Synth({"-o", "pile.kxc"});
    EXPECT_EQ(wrongSuffix.code, 1);
    EXPECT_NE(wrongSuffix.err.find(".kxd"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists("pile.kxc"));
}

TEST(SynthCommand, AnUnwritableOutputIsAFileError) {
    const ToolRun r = Synth({"-o", "missing-dir/p.kxd"});
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.err.rfind("kxtool: missing-dir/p.kxd: ", 0), 0u) << r.err;
}

TEST(SynthCommand, ARecordTooShortForTheToeEchoIsWrittenWithAWarning) {
    const ToolRun r = Synth({"--length", "30", "--samples", "300", "-o", "short.kxd"});
    EXPECT_EQ(r.code, 0);
    EXPECT_NE(r.err.find("kxtool: short.kxd: the toe echo"), std::string::npos) << r.err;
    PileRecord rec;
    EXPECT_TRUE(rec.ReadTestFile(nullptr, "short.kxd"));
}

}  // namespace
}  // namespace kx
