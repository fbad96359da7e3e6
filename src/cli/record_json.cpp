#include "cli/record_json.h"

#include <charconv>

#include "record/gbk.h"

namespace kx::cli {

double JsonFloat(float v) {
    // nlohmann prints doubles shortest-round-trip; going through the float's own shortest
    // text keeps 12.345f as 12.345 instead of 12.345000267028809.
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    double out = v;
    std::from_chars(buf, r.ptr, out);
    return out;
}

nlohmann::ordered_json RecordToJson(const PileRecord& rec, const std::string& path) {
    using nlohmann::ordered_json;
    auto text = [](const std::string& gbk) { return GbkToUtf8Lossy(gbk); };
    ordered_json j;
    j["path"] = path;
    j["cursorTimeText"] = text(rec.cursorTimeText);
    j["cursorVoltage"] = JsonFloat(rec.cursorVoltage);
    j["cursorPosition"] = JsonFloat(rec.cursorPosition);
    j["magic"] = text(std::string(rec.magic.data(), rec.magic.size()));
    j["formatVersion"] = rec.formatVersion;
    j["headerValue"] = JsonFloat(rec.headerValue);
    j["headerText"] = text(rec.headerText);
    j["testingUnit"] = text(rec.testingUnit);
    j["tester"] = text(rec.tester);
    j["remarks"] = text(rec.remarks);
    j["testDate"] = text(rec.testDate);
    j["testTime"] = text(rec.testTime);
    j["site"] = text(rec.site);
    j["pileNumber"] = text(rec.pileNumber);
    j["pileLength"] = JsonFloat(rec.pileLength);
    j["waveSpeed"] = JsonFloat(rec.waveSpeed);
    j["sampleCount"] = rec.sampleCount;
    j["sampleIntervalUs"] = rec.sampleIntervalUs;
    j["instrShort1"] = rec.instrShort1;
    j["instrShort2"] = rec.instrShort2;
    j["pileTopTimeUs"] = rec.pileTopTimeUs;
    j["instrInt1"] = rec.instrInt1;
    j["pileBottomTimeUs"] = rec.pileBottomTimeUs;
    j["instrInt2"] = rec.instrInt2;
    j["instrInt3"] = rec.instrInt3;
    j["instrInt4"] = rec.instrInt4;
    j["instrFlag1"] = rec.instrFlag1;
    j["instrFlag2"] = rec.instrFlag2;
    j["instrFlag3"] = rec.instrFlag3;
    j["instrFlag4"] = rec.instrFlag4;
    j["instrFlag5"] = rec.instrFlag5;
    j["instrFlag6"] = rec.instrFlag6;
    j["instrFlag7"] = rec.instrFlag7;
    j["instrFloat1"] = JsonFloat(rec.instrFloat1);
    j["instrFloat2"] = JsonFloat(rec.instrFloat2);
    j["instrFloat3"] = JsonFloat(rec.instrFloat3);
    j["instrFloat4"] = JsonFloat(rec.instrFloat4);
    j["instrFloat5"] = JsonFloat(rec.instrFloat5);
    j["defectTimeUs"] = JsonFloat(rec.defectTimeUs);
    j["instrInt5"] = rec.instrInt5;
    j["instrInt6"] = rec.instrInt6;
    j["instrInt7"] = rec.instrInt7;
    j["instrInt8"] = rec.instrInt8;
    j["lowPassHz"] = rec.lowPassHz;
    j["channelShorts"] = rec.channelShorts;
    j["invertPending"] = rec.invertPending;
    j["integrated"] = rec.integrated;
    j["longitude"] = rec.longitude;
    j["latitude"] = rec.latitude;
    j["waveAbsent"] = rec.waveAbsent;
    j["channelInts"] = rec.channelInts;
    j["integrityClass"] = text(rec.integrityClass);
    j["concreteStrength"] = text(rec.concreteStrength);
    j["pileDiameter"] = text(rec.pileDiameter);
    j["instrumentNumber"] = text(rec.instrumentNumber);
    ordered_json waves = ordered_json::array();
    const int n = rec.SampleCount();
    for (const auto& slot : rec.waves) {
        waves.push_back(std::vector<int32_t>(slot.begin(), slot.begin() + n));
    }
    j["waves"] = std::move(waves);
    return j;
}

}  // namespace kx::cli
