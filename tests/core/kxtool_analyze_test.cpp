// kxtool analyze and process --amplify, run in-process.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "support/kxtool_runner.h"
#include "waveform/exponential_amplification.h"
#include "workspace/load_steps.h"

namespace kx {
namespace {

using test::Kxtool;

PileRecord Read(const std::string& path) {
    PileRecord r;
    EXPECT_TRUE(r.ReadTestFile(nullptr, path).status.ok) << path;
    return r;
}

TEST(KxtoolAnalyze, PrintsTheToeTheDefectsAndTheProfile) {
    // 12 m at 3,900 m/s, necking to 0.6 from 4.5 m over 1.5 m, 20 µs.
    ASSERT_EQ(Kxtool({"synth", "--length", "12", "--speed", "3900", "--defect", "4.5:1.5:0.6",
                      "--noise", "0.005", "-o", "neck.kxd"})
                  .status,
              0);
    const auto r = Kxtool({"analyze", "neck.kxd", "--loaded"});
    ASSERT_EQ(r.status, 0) << r.err;
    const nlohmann::ordered_json j = nlohmann::ordered_json::parse(r.out);
    std::vector<std::string> keys;
    for (const auto& item : j.items()) {
        keys.push_back(item.key());
    }
    EXPECT_EQ(keys,
              (std::vector<std::string>{"toeTimeUs", "toeConfidence", "defects", "impedance"}));
    const double toeUs = j["toeTimeUs"].get<double>();
    EXPECT_NEAR(toeUs, 2e6 * 12 / 3900, 20.0);
    EXPECT_GT(j["toeConfidence"].get<double>(), 0.9);
    EXPECT_LE(j["toeConfidence"].get<double>(), 1.0);
    ASSERT_EQ(j["defects"].size(), 1u);
    const auto& d = j["defects"][0];
    EXPECT_EQ(d["kind"], "necking");
    EXPECT_NEAR(d["depthM"].get<double>(), 4.5, 0.1);
    // The length-fixed rule: depth = length x time / toe time.
    EXPECT_NEAR(d["depthM"].get<double>(), 12.0 * d["timeUs"].get<double>() / toeUs, 0.002);
    EXPECT_NEAR(d["ratio"].get<double>(), 0.6, 0.03);
    const auto& z = j["impedance"];
    EXPECT_NEAR(z["dzM"].get<double>(), 12.0 / toeUs * 20, 1e-4);
    ASSERT_EQ(z["values"].size(), static_cast<size_t>(toeUs / 20) + 1);
    EXPECT_EQ(z["values"][0].get<double>(), 1.0);
    EXPECT_NEAR(z["values"][static_cast<size_t>(5.2 / z["dzM"].get<double>())].get<double>(), 0.6,
                0.03);
}

TEST(KxtoolAnalyze, AFileWithoutABlowHasNothingToShow) {
    PileRecord rec;
    rec.magic = {'Q', 'R', 'V', 'A'};
    rec.sampleCount = 256;
    rec.sampleIntervalUs = 20;
    rec.integrated = true;
    rec.waveAbsent[kStackedSlot] = false;
    ASSERT_TRUE(rec.WriteAnalysisFile("flat.kxc").ok);
    const auto r = Kxtool({"analyze", "flat.kxc"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(nlohmann::json::parse(r.out),
              nlohmann::json::parse(R"({"toeTimeUs": null, "toeConfidence": 0.0, "defects": [],
                                        "impedance": {"dzM": 0.0, "values": []}})"));
}

TEST(KxtoolAnalyze, ExitStatusAsTheOtherCommands) {
    const auto missing = Kxtool({"analyze", "missing.kxc"});
    EXPECT_EQ(missing.status, 2);
    EXPECT_EQ(missing.err.rfind("kxtool: missing.kxc: ", 0), 0u) << missing.err;
    EXPECT_TRUE(missing.out.empty());
    EXPECT_EQ(Kxtool({"analyze"}).status, 1);
    EXPECT_EQ(Kxtool({"analyze", "a.kxc", "--width", "3"}).status, 1);
}

TEST(KxtoolProcess, AmplifiesTheStackedWaveformExponentially) {
    ASSERT_EQ(Kxtool({"synth", "--length", "8", "-o", "p.kxd"}).status, 0);
    ASSERT_EQ(Kxtool({"process", "p.kxd", "out.kxc", "--loaded", "--amplify", "2:100", "--amplify",
                      "0.5"})
                  .status,
              0);
    PileRecord expected = Read("p.kxd");
    ApplyLoadSteps(expected);
    AmplifyExponential(expected.waves[kStackedSlot].data(), expected.SampleCount(), 20, 2.0, 100);
    AmplifyExponential(expected.waves[kStackedSlot].data(), expected.SampleCount(), 20, 0.5, 0);
    EXPECT_EQ(Read("out.kxc").waves[kStackedSlot], expected.waves[kStackedSlot]);
}

TEST(KxtoolProcess, RejectsAnAmplificationOutOfRangeAndWritesNothing) {
    ASSERT_EQ(Kxtool({"synth", "--length", "8", "-o", "q.kxd"}).status, 0);
    for (const char* bad : {"abc", "-1", "10.5", "2:-5", "2:x", "2:", ":5", "nan", "2:inf"}) {
        const auto r = Kxtool({"process", "q.kxd", "bad.kxc", "--amplify", bad});
        EXPECT_EQ(r.status, 1) << bad;
        EXPECT_NE(r.err.find("--amplify"), std::string::npos) << r.err;
        EXPECT_FALSE(std::filesystem::exists("bad.kxc")) << bad;
    }
    EXPECT_EQ(Kxtool({"process", "q.kxd", "ok.kxc", "--amplify", "10:0"}).status, 0);
}

}  // namespace
}  // namespace kx
