#include "synth/synth_record.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "record/gbk.h"
#include "record/record_io.h"
#include "record/test_date.h"
#include "synth/synth_random.h"
#include "waveform/float32.h"

namespace kx::synth {

namespace {

// Every synthetic test is dated on one day of a site's campaign; the time of day follows
// the seed so that piles of a site get distinct, reproducible times.
constexpr int kTestYear = 2026, kTestMonth = 5, kTestDay = 20;
constexpr uint32_t kFirstTestSecond = 8 * 3600;

// Blow-to-blow variation of a hand-held hammer.
constexpr double kDurationSpread = 0.06;
constexpr double kAmplitudeSpread = 0.10;
constexpr double kOnsetSpreadSamples = 0.3;

bool ParseNumber(std::string_view text, double& out) {
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, out);
    return ec == std::errc() && ptr == end && std::isfinite(out);
}

std::string Format(const char* fmt, double a, double b = 0.0, double c = 0.0) {
    char buf[128];
    std::snprintf(buf, sizeof buf, fmt, a, b, c);
    return buf;
}

Status ToGbk(const char* option, const std::string& utf8, std::string& gbk) {
    if (Status st = Utf8ToGbk(utf8, gbk); !st) {
        return Status::Fail(std::string(option) + ": cannot be stored in GBK: " + st.reason);
    }
    if (gbk.size() > static_cast<size_t>(kMaxStringBytes)) {
        return Status::Fail(std::string(option) + ": longer than 1023 bytes in GBK");
    }
    return Status::Ok();
}

int32_t RoundToCounts(double v) {
    return TruncToInt32(std::round(v));
}

// One blow of the field model in ADC counts: the sensor's acceleration, scaled so that the
// nominal blow peaks near kPeakCounts, with the converter's offset, a slow drift, white noise
// and its step.
std::vector<double> FieldBlow(const SynthOptions& opt, SynthRandom& rng) {
    const FieldOptions& f = opt.field;
    const double dt = opt.intervalUs;
    FieldPile pile;
    pile.lengthM = opt.pile.lengthM;
    pile.speedMps = opt.pile.speedMps;
    pile.speedGradient = f.speedGradient;
    for (const Defect& d : opt.pile.defects) {
        pile.defects.push_back({d.depthM, d.lengthM, d.ratio, d.taperM});
    }
    pile.soilLoss = f.soilLoss;
    pile.layerWeights = f.soilLayers;
    pile.soilSpringHz = f.soilSpringHz;
    pile.toe = opt.pile.toe == ToeCondition::kFixed    ? FieldToe::kFixed
               : opt.pile.toe == ToeCondition::kSpring ? FieldToe::kSpring
                                                       : FieldToe::kFree;
    pile.toeDashpot = f.toeDashpot;
    pile.toeSpringHz = f.toeSpringHz;
    pile.q = f.q;

    const double nominalUs = f.pulseMs * 1000.0;
    FieldHammer hammer;
    hammer.shape = f.pulse;
    hammer.durationUs = nominalUs * (1.0 + f.pulseSpread * rng.Symmetric());
    hammer.amplitude = 1.0 + kAmplitudeSpread * rng.Symmetric();
    hammer.onsetUs = f.pretrigger * dt;
    if (rng.Uniform() < f.doubleHit) {
        hammer.secondAmplitude = 0.2 + 0.3 * rng.Uniform();
        hammer.secondDelayUs = (0.4 + 0.8 * rng.Uniform()) * hammer.durationUs;
    }
    FieldSensor sensor;
    sensor.resonanceHz = f.resonanceHz;
    sensor.antiAliasHz = f.antiAlias * 0.5e6 / dt;
    sensor.triggerDelayUs = rng.Uniform() * dt;  // the trigger falls anywhere in a sample
    const std::vector<double> a = FieldAcceleration(pile, hammer, sensor, dt, opt.samples);

    // A half sine of the nominal contact time peaks at pi / T in acceleration.
    const double gain = kPeakCounts / (std::numbers::pi * dt / nominalUs) * dt;
    const double drift = f.drift * kPeakCounts;
    const double periods = 0.3 + 0.4 * rng.Uniform();  // of a slow wander over the record
    const double phase = 2.0 * std::numbers::pi * rng.Uniform();
    std::vector<double> counts(a.size());
    for (size_t i = 0; i < a.size(); ++i) {
        const double t = static_cast<double>(i) / a.size();
        double c = gain * a[i] + f.offset * kPeakCounts +
                   drift * std::sin(2.0 * std::numbers::pi * periods * t + phase) +
                   opt.noise * kPeakCounts * rng.Normal();
        counts[i] = std::round(c / f.quantum) * f.quantum;
    }
    return counts;
}

std::string Remarks(const SynthOptions& opt) {
    const PileModel& pile = opt.pile;
    std::string r = Format("模拟桩 桩长%.2fm 波速%.0fm/s ", pile.lengthM, pile.speedMps);
    r += pile.toe == ToeCondition::kFree    ? "桩底自由"
         : pile.toe == ToeCondition::kFixed ? "桩底嵌固"
                                            : "桩底弹性";
    if (opt.field.enabled) {
        r += Format(" 现场模型 桩侧土阻%.0f%%", 100.0 * opt.field.soilLoss);
    }
    for (const Defect& d : pile.defects) {
        r += Format(" 缺陷%.2fm/%.2fm/%.2f", d.depthM, d.lengthM, d.ratio);
    }
    return r;
}

Status ValidateField(const SynthOptions& opt) {
    const FieldOptions& f = opt.field;
    auto in = [](double v, double lo, double hi) { return std::isfinite(v) && v >= lo && v <= hi; };
    if (!f.enabled) {
        if (opt.pile.toe == ToeCondition::kSpring) {
            return Status::Fail("--toe spring: needs the field model (--field)");
        }
        return Status::Ok();
    }
    const struct {
        const char* option;
        double value, lo, hi;
    } ranges[] = {
        {"--soil-loss: must be 0 to 0.95", f.soilLoss, 0.0, 0.95},
        {"--soil-spring: must be 0 to 5000 Hz", f.soilSpringHz, 0.0, 5000.0},
        {"--toe-dashpot: must be 0 to 20", f.toeDashpot, 0.0, 20.0},
        {"--toe-spring: must be 0 to 5000 Hz", f.toeSpringHz, 0.0, 5000.0},
        {"--q: must be 0 (none) or 5 to 1000", f.q == 0 ? 5.0 : f.q, 5.0, 1000.0},
        {"--speed-gradient: must be -0.3 to 0.3", f.speedGradient, -0.3, 0.3},
        {"--pulse-ms: must be 0.3 to 1.5", f.pulseMs, 0.3, 1.5},
        {"--pulse-spread: must be 0 to 0.3", f.pulseSpread, 0.0, 0.3},
        {"--double-hit: must be 0 to 1", f.doubleHit, 0.0, 1.0},
        {"--resonance: must be 0 (none) or 5000 to 60000 Hz",
         f.resonanceHz == 0 ? 5000.0 : f.resonanceHz, 5000.0, 60000.0},
        {"--anti-alias: must be 0 (none) or 0.2 to 1", f.antiAlias == 0 ? 0.2 : f.antiAlias, 0.2,
         1.0},
        {"--pretrigger: must be 1 to 100 samples", static_cast<double>(f.pretrigger), 1.0, 100.0},
        {"--offset: must be -0.5 to 0.5", f.offset, -0.5, 0.5},
        {"--drift: must be -0.5 to 0.5", f.drift, -0.5, 0.5},
        {"--quantum: must be 1 to 100000 counts", f.quantum, 1.0, 100000.0},
    };
    for (const auto& r : ranges) {
        if (!in(r.value, r.lo, r.hi)) {
            return Status::Fail(r.option);
        }
    }
    if (f.soilLayers.size() > 10) {
        return Status::Fail("--soil-layers: at most 10 layers");
    }
    for (double w : f.soilLayers) {
        if (!in(w, 0.0, 100.0)) {
            return Status::Fail("--soil-layers: strengths must be 0 to 100");
        }
    }
    return Status::Ok();
}

}  // namespace

Status ParseDefect(std::string_view text, Defect& out) {
    const auto bad = [&] {
        return Status::Fail("--defect " + std::string(text) +
                            ": expected numbers DEPTH:LENGTH:RATIO or DEPTH:LENGTH:RATIO:TAPER");
    };
    double v[4] = {0, 0, 0, 0};
    int count = 0;
    size_t start = 0;
    while (true) {
        const size_t colon = text.find(':', start);
        const size_t stop = colon == std::string_view::npos ? text.size() : colon;
        if (count == 4 || !ParseNumber(text.substr(start, stop - start), v[count])) {
            return bad();
        }
        ++count;
        if (colon == std::string_view::npos) {
            break;
        }
        start = colon + 1;
    }
    if (count < 3) {
        return bad();
    }
    out = {v[0], v[1], v[2], v[3]};
    return Status::Ok();
}

Status ValidateSynthOptions(const SynthOptions& opt) {
    const PileModel& p = opt.pile;
    auto in = [](double v, double lo, double hi) { return std::isfinite(v) && v >= lo && v <= hi; };
    if (!in(p.lengthM, 1.0, 100.0)) {
        return Status::Fail("--length: the pile length must be 1 to 100 m");
    }
    if (!in(p.speedMps, 1500.0, 6000.0)) {
        return Status::Fail("--speed: the wave speed must be 1500 to 6000 m/s");
    }
    for (size_t i = 0; i < p.defects.size(); ++i) {
        const Defect& d = p.defects[i];
        const std::string name =
            "--defect " + Format("%g:%g:%g", d.depthM, d.lengthM, d.ratio) + ": ";
        if (!in(d.depthM, 0.0, p.lengthM) || d.depthM <= 0.0) {
            return Status::Fail(name + "the depth must lie inside the pile (0 < depth < length)");
        }
        if (!(d.lengthM > 0.0) || d.depthM + d.lengthM > p.lengthM + 1e-9) {
            return Status::Fail(name + "the defect must have a length and end within the pile");
        }
        if (!in(d.ratio, 0.05, 5.0)) {
            return Status::Fail(name + "the impedance ratio must be 0.05 to 5");
        }
        if (!in(d.taperM, 0.0, d.lengthM / 2)) {
            return Status::Fail(name + "the taper must be 0 to half the defect's length");
        }
        for (size_t j = 0; j < i; ++j) {
            const Defect& e = p.defects[j];
            if (d.depthM < e.depthM + e.lengthM && e.depthM < d.depthM + d.lengthM) {
                return Status::Fail(name + "overlaps another defect");
            }
        }
    }
    if (opt.layout != 123 && opt.layout != 234) {
        return Status::Fail("--layout: must be 123 or 234");
    }
    if (opt.blows < 1 || opt.blows > 8) {
        return Status::Fail("--blows: must be 1 to 8");
    }
    if (opt.layout == 234 && opt.blows > 4) {
        return Status::Fail("--blows: layout 234 holds at most 4 blows");
    }
    if (opt.intervalUs < 1 || opt.intervalUs > 200) {
        return Status::Fail("--interval: the sampling interval must be 1 to 200 us");
    }
    if (opt.samples < 16 || opt.samples > kMaxSamples) {
        return Status::Fail("--samples: must be 16 to 1024");
    }
    if (!in(opt.noise, 0.0, 1.0)) {
        return Status::Fail("--noise: must be 0 to 1");
    }
    if (Status st = ValidateField(opt); !st) {
        return st;
    }
    std::string gbk;
    if (Status st = ToGbk("--site", opt.site, gbk); !st) {
        return st;
    }
    return ToGbk("--pile", opt.pileNumber, gbk);
}

std::string ExpectedIntegrityClass(const PileModel& pile) {
    double worst = 1.0;
    for (const Defect& d : pile.defects) {
        worst = std::min(worst, d.ratio);
    }
    if (worst >= 0.999) {
        return "I";
    }
    if (worst >= 0.8) {
        return "II";
    }
    return worst >= 0.6 ? "III" : "IV";
}

SynthResult MakeSynthRecord(const SynthOptions& opt) {
    SynthResult res;
    if (Status st = ValidateSynthOptions(opt); !st) {
        res.status = st;
        return res;
    }
    PileRecord& rec = res.record;
    const int n = opt.samples;
    const double dt = opt.intervalUs;
    SynthRandom rng(opt.seed);

    const uint32_t second =
        kFirstTestSecond + (opt.seed % 600) * 60 + static_cast<uint32_t>(rng.Next() % 60);
    res.stamp.julianDay = GregorianToJulianDay(kTestYear, kTestMonth, kTestDay);
    res.stamp.millisOfDay = second * 1000;

    // The accelerometer's signal per sample is the change of head velocity over the sample:
    // the loader's running sum then gives back the velocity itself. The gain puts the peak of
    // a nominal blow (incident velocity A sin(pi t / T), steepest slope pi / T) at kPeakCounts.
    const double gain = kPeakCounts / (std::numbers::pi * dt / kPulseDurationUs);
    const double noiseCounts = opt.noise * kPeakCounts;
    std::vector<double> meanVelocity(static_cast<size_t>(n), 0.0);
    std::vector<int64_t> sum(static_cast<size_t>(n), 0);
    for (int b = 0; b < opt.blows && opt.field.enabled; ++b) {
        const std::vector<double> counts = FieldBlow(opt, rng);
        double v = 0.0;
        for (int i = 0; i < n; ++i) {
            rec.waves[b][i] = RoundToCounts(counts[i]);
            sum[i] += rec.waves[b][i];
            v += counts[i];
            meanVelocity[i] += v / opt.blows;
        }
        rec.waveAbsent[b] = false;
    }
    for (int b = 0; b < opt.blows && !opt.field.enabled; ++b) {
        HammerPulse pulse;
        pulse.durationUs = kPulseDurationUs * (1.0 + kDurationSpread * rng.Symmetric());
        pulse.amplitude = 1.0 + kAmplitudeSpread * rng.Symmetric();
        pulse.onsetUs = (kOnsetSamples + kOnsetSpreadSamples * rng.Symmetric()) * dt;
        const std::vector<double> v = HeadVelocity(opt.pile, pulse, dt, n);
        double previous = 0.0;
        for (int i = 0; i < n; ++i) {
            const double a = gain * (v[i] - previous) + noiseCounts * rng.Normal();
            previous = v[i];
            rec.waves[b][i] = RoundToCounts(a);
            sum[i] += rec.waves[b][i];
            meanVelocity[i] += v[i] / opt.blows;
        }
        rec.waveAbsent[b] = false;
    }
    // The instrument's stack: the mean of the blows, truncated as the re-stack truncates.
    for (int i = 0; i < n; ++i) {
        rec.waves[kStackedSlot][i] = static_cast<int32_t>(sum[i] / opt.blows);
    }
    rec.waveAbsent[kStackedSlot] = false;

    std::memcpy(rec.magic.data(), kMagic, 4);
    rec.formatVersion = opt.layout;
    rec.headerValue = 0.0f;
    (void)Utf8ToGbk("KX 模拟测试", rec.headerText);
    (void)Utf8ToGbk("演示检测中心", rec.testingUnit);
    (void)Utf8ToGbk("模拟", rec.tester);
    (void)Utf8ToGbk(Remarks(opt), rec.remarks);
    rec.testDate = FormatTestDate(res.stamp.julianDay);
    rec.testTime = FormatTestTime(res.stamp.millisOfDay);
    (void)ToGbk("--site", opt.site, rec.site);
    (void)ToGbk("--pile", opt.pileNumber, rec.pileNumber);
    rec.pileLength = F32(opt.pile.lengthM);
    rec.waveSpeed = F32(opt.pile.speedMps);
    rec.sampleCount = static_cast<int16_t>(n);
    rec.sampleIntervalUs = opt.intervalUs;
    rec.instrShort1 = 0;
    rec.instrFloat1 = 0.0f;
    rec.instrFloat2 = 0.0f;
    rec.defectTimeUs = 0.0f;  // the engineer marks defects
    rec.lowPassHz = 1000;

    // The instrument's picks: the pile top one sample after the first peak, as the program
    // places it, and the toe one travel time 2L/c later, on the sample grid.
    const auto peak = std::max_element(meanVelocity.begin(), meanVelocity.end());
    const int topIndex = static_cast<int>(peak - meanVelocity.begin()) + 1;
    const double travelUs = 2.0 * opt.pile.lengthM / opt.pile.speedMps * 1e6;
    rec.pileTopTimeUs = topIndex * opt.intervalUs;
    rec.pileBottomTimeUs =
        rec.pileTopTimeUs + TruncToInt32(std::round(travelUs / dt)) * opt.intervalUs;

    if (opt.layout == 234) {
        rec.integrityClass = ExpectedIntegrityClass(opt.pile);
        rec.concreteStrength = "C30";
        rec.pileDiameter = "800";
        rec.instrumentNumber = "KX-SYN-01";
    }
    const double echoEndUs = kOnsetSamples * dt + travelUs + kPulseDurationUs;
    if (echoEndUs > n * dt) {
        res.warnings.push_back(
            Format("the toe echo (%.0f us) ends after the record (%.0f us)", echoEndUs, n * dt));
    }
    return res;
}

}  // namespace kx::synth
