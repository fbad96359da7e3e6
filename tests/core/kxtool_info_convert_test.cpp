#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>

#include "support/kxtool_runner.h"
#include "support/fixture_writer.h"

namespace kx {
namespace {

namespace fs = std::filesystem;

using test::Kxtool;

TEST(KxtoolInfo, PrintsEveryFieldOfBothFormats) {
    test::WriteFile("p.kxd", test::MakeRawFixture(234, 3).Build());
    auto r = Kxtool({"info", "p.kxd"});
    ASSERT_EQ(r.status, 0) << r.err;
    auto j = nlohmann::json::parse(r.out);
    EXPECT_EQ(j["path"], "p.kxd");
    EXPECT_EQ(j["magic"], "QRVA");
    EXPECT_EQ(j["testingUnit"], "检测单位");
    EXPECT_EQ(j["testDate"], "2018-06-28");
    EXPECT_EQ(j["pileLength"].get<double>(), 12.345);  // shortest text of the float
    EXPECT_EQ(static_cast<float>(j["pileLength"].get<double>()), 12.345f);
    EXPECT_EQ(j["longitude"].get<double>(), static_cast<double>(114.123456789f));
    EXPECT_EQ(j["channelShorts"].size(), 9u);
    EXPECT_EQ(j["waveAbsent"][1], true);
    ASSERT_EQ(j["waves"].size(), 10u);
    EXPECT_EQ(j["waves"][8].size(), 3u);
    EXPECT_EQ(j["waves"][0][1], -100001);
    for (const char* key :
         {"formatVersion", "headerValue", "headerText", "tester", "remarks", "testTime", "site",
          "pileNumber", "waveSpeed", "sampleCount", "sampleIntervalUs", "instrShort1",
          "instrShort2", "pileTopTimeUs", "instrInt1", "pileBottomTimeUs", "instrInt2",
          "instrInt3", "instrInt4", "instrFlag1", "instrFlag2", "instrFlag3", "instrFlag4",
          "instrFlag5", "instrFlag6", "instrFlag7", "instrFloat1", "instrFloat2", "instrFloat3",
          "instrFloat4", "instrFloat5", "defectTimeUs", "instrInt5", "instrInt6", "instrInt7",
          "instrInt8", "lowPassHz", "invertPending", "integrated", "latitude", "channelInts",
          "integrityClass", "concreteStrength", "pileDiameter", "instrumentNumber",
          "cursorTimeText", "cursorVoltage", "cursorPosition"}) {
        EXPECT_TRUE(j.contains(key)) << key;
    }
}

TEST(KxtoolInfo, RejectedFilesExitTwoWithOneLine) {
    auto bad = test::MakeRawFixture(234, 3).Build();
    bad.resize(100);
    test::WriteFile("short.kxd", bad);
    test::WriteFile("text.txt", {'x'});
    for (const char* path : {"short.kxd", "missing.kxc", "text.txt"}) {
        auto r = Kxtool({"info", path});
        EXPECT_EQ(r.status, 2) << path;
        EXPECT_TRUE(r.out.empty());
        EXPECT_EQ(r.err.rfind(std::string("kxtool: ") + path + ": ", 0), 0u) << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    }
}

TEST(KxtoolUsage, UnknownCommandOrOptionIsExitOne) {
    EXPECT_EQ(Kxtool({"frobnicate"}).status, 1);
    EXPECT_EQ(Kxtool({"info"}).status, 1);
    EXPECT_EQ(Kxtool({"info", "a.kxc", "--bogus"}).status, 1);
    EXPECT_EQ(Kxtool({}).status, 1);
}

TEST(KxtoolUsage, VersionAndHelpNeedNoCommand) {
    const auto version = Kxtool({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out.rfind("kxtool ", 0), 0u) << version.out;
    EXPECT_TRUE(version.err.empty());
    const auto help = Kxtool({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("--version"), std::string::npos) << help.out;
    EXPECT_NE(help.out.find("import"), std::string::npos);
}

TEST(KxtoolConvert, WritesTheAnalysisFileAsTheImportDoes) {
    test::RawFixture f = test::MakeRawFixture(123, 4);  // layout 123: no conclusion strings
    test::WriteFile("5.kxd", f.Build());
    const auto rawBefore = test::ReadFile("5.kxd");
    auto r = Kxtool({"convert", "5.kxd", "5.kxc"});
    ASSERT_EQ(r.status, 0) << r.err;
    PileRecord raw, converted;
    ASSERT_TRUE(raw.ReadTestFile(nullptr, "5.kxd"));
    ASSERT_TRUE(converted.ReadTestFile(nullptr, "5.kxc"));
    EXPECT_EQ(converted.integrityClass, "I");
    EXPECT_EQ(converted, raw);  // waves as read, not integrated
    EXPECT_EQ(test::ReadFile("5.kxd"), rawBefore);

    // Empty class from a layout-234 file becomes "I".
    test::RawFixture g = test::MakeRawFixture(234, 2);
    g.values.integrityClass = "";
    test::WriteFile("6.kxd", g.Build());
    ASSERT_EQ(Kxtool({"convert", "6.kxd", "6.kxc"}).status, 0);
    ASSERT_TRUE(converted.ReadTestFile(nullptr, "6.kxc"));
    EXPECT_EQ(converted.integrityClass, "I");
}

TEST(KxtoolConvert, RefusesToReplaceWithoutForceAndWritesNothingOnFailure) {
    test::WriteFile("7.kxd", test::MakeRawFixture(234, 2).Build());
    test::WriteFile("7.kxc", {'o', 'l', 'd'});
    auto r = Kxtool({"convert", "7.kxd", "7.kxc"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(test::ReadFile("7.kxc"), (std::vector<uint8_t>{'o', 'l', 'd'}));
    EXPECT_EQ(Kxtool({"convert", "7.kxd", "7.kxc", "--force"}).status, 0);
    EXPECT_GT(test::ReadFile("7.kxc").size(), 1000u);

    auto bad = test::MakeRawFixture(234, 2).Build();
    bad[0] = 'X';
    test::WriteFile("8.kxd", bad);
    r = Kxtool({"convert", "8.kxd", "8.kxc"});
    EXPECT_EQ(r.status, 2);
    EXPECT_FALSE(fs::exists("8.kxc"));
    EXPECT_EQ(Kxtool({"convert", "7.kxc", "9.kxc"}).status, 2);  // not a raw file
    EXPECT_FALSE(fs::exists("9.kxc"));
}

}  // namespace
}  // namespace kx
