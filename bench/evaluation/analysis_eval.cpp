// Accuracy of the analysis aids (toe, defects, impedance ratio, confidence) on piles of the
// field model (kxtool synth --field), in tiers of difficulty like a site's records. Each pile is
// made with the synthetic generator, written as a raw file and read back, and loaded as the
// project loader loads it; then, as in the field, the pile length is kept (as built) but the
// wave speed is set to a nominal 3,800 m/s and the marker times are cleared, so the toe and the
// defects must come from the waveform alone.
//
//   kx_analysis_eval [--tier easy|field|hard|nosoil|all] [--seed S] [--count N] [--jobs J]
//                    [--verbose] [--pile I]
//
// --count is per tier. --pile I prints the truth and the analysis of pile I of the tier (same
// seed) and nothing else.
#include <stdlib.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "analysis/echo_scan.h"
#include "analysis/pile_analysis.h"
#include "record/raw_file_writer.h"
#include "synth/synth_random.h"
#include "synth/synth_record.h"
#include "workspace/load_steps.h"

namespace {

using kx::synth::SynthRandom;

constexpr double kNominalSpeed = 3800.0;
constexpr int kIntervals[] = {10, 20, 25, 40, 50};

enum class Tier { kEasy, kField, kHard, kNoSoil };
constexpr const char* kTierNames[] = {"easy", "field", "hard", "nosoil"};

struct TrueDefect {
    double depthM = 0;  // where the change is half way (the middle of a taper)
    double ratio = 1;
};

struct Truth {
    kx::synth::SynthOptions options;
    std::vector<TrueDefect> defects;
    double toeUs = 0;
};

struct Outcome {
    Truth truth;
    kx::PileAnalysis analysis;
    bool toeOk = false;
    std::vector<bool> found;         // per true defect: a reported one of its kind within 0.3 m
    std::vector<double> ratioError;  // per true defect found (relative; -1 without a ratio)
    int falseDefects = 0;            // reported defects that match no true one
    double seconds = 0;
};

int IntervalFor(double lengthM) {
    const double needUs = 1.5 * 2e6 * lengthM / kx::kLowestPileSpeed + 1500.0;
    for (int dt : kIntervals) {
        if (1024.0 * dt >= needUs) {
            return dt;
        }
    }
    return kIntervals[std::size(kIntervals) - 1];
}

double Between(SynthRandom& rng, double lo, double hi) {
    return lo + (hi - lo) * rng.Uniform();
}

bool Strong(double ratio) {
    return ratio <= 0.7 || ratio >= 1.3;
}

// A defect of `ratio` somewhere in [from, to] of the shaft, `taper` at each end.
kx::synth::Defect PlaceDefect(SynthRandom& rng, double from, double to, double ratio,
                              double taper) {
    const double length = std::min(to - from, Between(rng, 0.5, 2.5)) + 2 * taper;
    const double depth = Between(rng, from, std::max(from, to - length));
    return {depth, length, ratio, taper};
}

double DrawRatio(SynthRandom& rng, bool strong) {
    const bool necking = rng.Uniform() < 0.5;
    if (strong) {
        return necking ? Between(rng, 0.3, 0.7) : Between(rng, 1.3, 2.0);
    }
    return necking ? Between(rng, 0.7, 0.85) : Between(rng, 1.15, 1.3);
}

Truth DrawPile(SynthRandom& rng, Tier tier) {
    Truth t;
    kx::synth::SynthOptions& o = t.options;
    kx::synth::FieldOptions& f = o.field;
    f.enabled = true;
    o.blows = 4;
    o.pile.speedMps = Between(rng, 3300, 4300);
    o.pile.toe = rng.Uniform() < 0.6   ? kx::synth::ToeCondition::kFree
                 : rng.Uniform() < 0.5 ? kx::synth::ToeCondition::kFixed
                                       : kx::synth::ToeCondition::kSpring;
    f.toeDashpot = Between(rng, 0.1, 0.6);
    f.toeSpringHz = Between(rng, 100, 800);
    f.q = Between(rng, 20, 80);
    f.soilSpringHz = Between(rng, 100, 500);
    f.pulse =
        rng.Uniform() < 0.5 ? kx::synth::PulseShape::kHalfSine : kx::synth::PulseShape::kHaversine;
    f.resonanceHz = Between(rng, 10000, 30000);
    f.antiAlias = Between(rng, 0.6, 0.9);
    f.pretrigger = 4 + static_cast<int>(rng.Uniform() * 20);
    f.offset = Between(rng, -0.01, 0.01);
    int defects = 0;
    double taperMax = 0;
    switch (tier) {
        case Tier::kEasy:
            o.pile.lengthM = Between(rng, 6, 25);
            f.soilLoss = Between(rng, 0.05, 0.3);
            o.noise = Between(rng, 0.001, 0.005);
            f.pulseMs = Between(rng, 0.5, 1.0);
            f.pulseSpread = 0.03;
            defects = rng.Uniform() < 0.5 ? 1 : 0;
            break;
        case Tier::kField:
            o.pile.lengthM = Between(rng, 6, 30);
            f.soilLoss = Between(rng, 0.3, 0.8);
            o.noise = Between(rng, 0.003, 0.02);
            f.pulseMs = Between(rng, 0.4, 1.5);
            f.pulseSpread = 0.08;
            f.doubleHit = 0.1;
            f.drift = Between(rng, -0.02, 0.02);
            f.speedGradient = Between(rng, -0.05, 0.05);
            f.soilLayers = {Between(rng, 0.5, 2), Between(rng, 0.5, 2), Between(rng, 0.5, 2)};
            defects = rng.Uniform() < 0.5 ? 1 : 0;
            taperMax = 0.5;
            break;
        case Tier::kHard:
            o.pile.lengthM = Between(rng, 25, 45);
            f.soilLoss = Between(rng, 0.6, 0.9);
            o.noise = Between(rng, 0.003, 0.015);
            f.pulseMs = Between(rng, 0.6, 1.5);
            f.pulseSpread = 0.08;
            f.drift = Between(rng, -0.02, 0.02);
            f.speedGradient = Between(rng, -0.05, 0.05);
            defects = rng.Uniform() < 0.5 ? 2 : 0;
            taperMax = 0.5;
            break;
        case Tier::kNoSoil:
            o.pile.lengthM = Between(rng, 6, 30);
            f.soilLoss = Between(rng, 0.0, 0.03);
            o.noise = Between(rng, 0.001, 0.01);
            f.pulseMs = Between(rng, 0.4, 1.2);
            o.pile.toe = kx::synth::ToeCondition::kFree;
            f.toeDashpot = Between(rng, 0.0, 0.15);
            break;
    }
    // Defects keep 1.5 m clear of the head (the blow covers the first metres) and of the toe,
    // and apart from each other.
    const double top = 1.5, bottom = o.pile.lengthM - 1.5;
    for (int k = 0; k < defects; ++k) {
        const double from = top + (bottom - top) * k / defects;
        const double to = top + (bottom - top) * (k + 1) / defects - (defects > 1 ? 1.0 : 0.0);
        const double ratio = DrawRatio(rng, rng.Uniform() < 0.6);
        const double taper = taperMax > 0 && rng.Uniform() < 0.5 ? Between(rng, 0.1, taperMax) : 0;
        const kx::synth::Defect d = PlaceDefect(rng, from, to, ratio, taper);
        o.pile.defects.push_back(d);
        t.defects.push_back({d.depthM + d.taperM / 2, ratio});
    }
    o.intervalUs = IntervalFor(o.pile.lengthM);
    o.seed = static_cast<uint32_t>(rng.Next());
    const double g = f.speedGradient;
    const double oneWayS = std::fabs(g) < 1e-9
                               ? o.pile.lengthM / o.pile.speedMps
                               : o.pile.lengthM / (o.pile.speedMps * g) * std::log(1.0 + g);
    t.toeUs = 2e6 * oneWayS;
    return t;
}

bool LoadedRecord(const Truth& t, kx::PileRecord& rec) {
    const kx::synth::SynthResult res = kx::synth::MakeSynthRecord(t.options);
    std::vector<uint8_t> bytes;
    if (!res.status || !kx::RawFileBytes(res.record, res.stamp, bytes) ||
        !rec.ReadTestBytes(nullptr, bytes, true)) {
        return false;
    }
    kx::ApplyLoadSteps(rec);
    rec.waveSpeed = static_cast<float>(kNominalSpeed);
    rec.pileTopTimeUs = 0;
    rec.pileBottomTimeUs = 0;
    rec.defectTimeUs = 0.0f;
    return true;
}

Outcome Evaluate(const Truth& t) {
    Outcome out;
    out.truth = t;
    kx::PileRecord rec;
    if (!LoadedRecord(t, rec)) {
        std::fprintf(stderr, "kx_analysis_eval: a synthetic pile could not be made\n");
        std::exit(2);
    }
    const auto start = std::chrono::steady_clock::now();
    out.analysis = kx::AnalyzePile(rec);
    out.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const kx::PileToe& toe = out.analysis.toe;
    const double tolerance = std::max(2.0 * t.options.intervalUs, 0.01 * t.toeUs);
    out.toeOk = toe.timeUs && std::fabs(*toe.timeUs - t.toeUs) <= tolerance;
    out.found.assign(t.defects.size(), false);
    out.ratioError.assign(t.defects.size(), -1.0);
    for (const kx::PileDefect& d : out.analysis.defects) {
        bool matched = false;
        for (size_t k = 0; k < t.defects.size(); ++k) {
            const TrueDefect& td = t.defects[k];
            const bool kindOk = (d.kind == kx::DefectKind::kNecking) == (td.ratio < 1.0);
            if (kindOk && !out.found[k] && std::fabs(d.depthM - td.depthM) <= 0.3) {
                out.found[k] = true;
                if (d.ratio) {
                    out.ratioError[k] = std::fabs(*d.ratio - td.ratio) / td.ratio;
                }
                matched = true;
                break;
            }
        }
        out.falseDefects += !matched;
    }
    return out;
}

const char* ToeName(kx::synth::ToeCondition toe) {
    return toe == kx::synth::ToeCondition::kFree    ? "free"
           : toe == kx::synth::ToeCondition::kFixed ? "fixed"
                                                    : "spring";
}

void PrintPile(int index, const Outcome& o) {
    const Truth& t = o.truth;
    const kx::synth::SynthOptions& opt = t.options;
    std::printf(
        "pile %d: L %.2f m, c %.0f m/s (%+.0f %%), dt %d us, noise %.3f, soil %.0f %%, toe %s, "
        "pulse %.2f ms%s [%.0f ms]\n",
        index, opt.pile.lengthM, opt.pile.speedMps, 100 * opt.field.speedGradient, opt.intervalUs,
        opt.noise, 100 * opt.field.soilLoss, ToeName(opt.pile.toe), opt.field.pulseMs,
        opt.field.doubleHit > 0 ? " (double hits)" : "", 1e3 * o.seconds);
    for (size_t k = 0; k < t.defects.size(); ++k) {
        const auto& d = opt.pile.defects[k];
        std::printf("  true defect at %.2f m (%.2f m long, taper %.2f), ratio %.2f%s\n",
                    t.defects[k].depthM, d.lengthM, d.taperM, d.ratio,
                    o.found[k] ? "" : "  MISSED");
    }
    std::printf("  true toe %.0f us; found ", t.toeUs);
    if (o.analysis.toe.timeUs) {
        std::printf("%.0f us (confidence %.2f)%s\n", *o.analysis.toe.timeUs,
                    o.analysis.toe.confidence, o.toeOk ? "" : "  WRONG");
    } else {
        std::printf("none  WRONG\n");
    }
    for (const kx::PileDefect& d : o.analysis.defects) {
        std::printf("  reported %s at %.2f m (%.0f us), ratio ",
                    d.kind == kx::DefectKind::kNecking ? "necking" : "bulge", d.depthM, d.timeUs);
        if (d.ratio) {
            std::printf("%.2f\n", *d.ratio);
        } else {
            std::printf("none\n");
        }
    }
}

void WriteTrace(const Truth& t, const std::string& path, const std::filesystem::path& home) {
    kx::PileRecord rec;
    if (!LoadedRecord(t, rec)) {
        return;
    }
    std::FILE* f = std::fopen((home / path).c_str(), "w");
    if (f == nullptr) {
        return;
    }
    const kx::EchoScan scan = kx::ScanEchoes(rec);
    for (int i = 0; i < rec.SampleCount(); ++i) {
        std::fprintf(f, "%d,%d,%g\n", i * rec.sampleIntervalUs, rec.waves[kx::kStackedSlot][i],
                     scan.ok ? scan.match[i] : 0.0);
    }
    std::fclose(f);
}

double Median(std::vector<double> v) {
    if (v.empty()) {
        return NAN;
    }
    std::sort(v.begin(), v.end());
    const size_t m = v.size() / 2;
    return v.size() % 2 ? v[m] : 0.5 * (v[m - 1] + v[m]);
}

std::vector<Outcome> Run(const std::vector<Truth>& piles, int jobs) {
    std::vector<Outcome> outcomes(piles.size());
    std::atomic<size_t> next{0};
    std::vector<std::thread> workers;
    for (int j = 0; j < jobs; ++j) {
        workers.emplace_back([&]() {
            for (size_t i; (i = next++) < piles.size();) {
                outcomes[i] = Evaluate(piles[i]);
            }
        });
    }
    for (std::thread& w : workers) {
        w.join();
    }
    return outcomes;
}

struct Totals {
    int piles = 0, toeOk = 0, strong = 0, strongFound = 0, weak = 0, weakFound = 0, intact = 0,
        falseIntact = 0, sure = 0, sureOk = 0;
    std::vector<double> ratioErrors, times;
};

void Add(Totals& s, const Outcome& o) {
    ++s.piles;
    s.toeOk += o.toeOk;
    s.times.push_back(o.seconds);
    if (o.analysis.toe.timeUs && o.analysis.toe.confidence >= 0.5) {
        ++s.sure;
        s.sureOk += o.toeOk;
    }
    if (o.truth.defects.empty()) {
        ++s.intact;
        s.falseIntact += o.falseDefects > 0;
    }
    for (size_t k = 0; k < o.truth.defects.size(); ++k) {
        const bool strong = Strong(o.truth.defects[k].ratio);
        (strong ? s.strong : s.weak) += 1;
        (strong ? s.strongFound : s.weakFound) += o.found[k];
        if (o.ratioError[k] >= 0) {
            s.ratioErrors.push_back(o.ratioError[k]);
        }
    }
}

void PrintTotals(const char* name, Totals s) {
    auto pct = [](int a, int b) { return b > 0 ? 100.0 * a / b : NAN; };
    std::sort(s.times.begin(), s.times.end());
    std::printf(
        "| %s | %.1f %% (%d/%d) | %.1f %% (%d/%d) | %.1f %% (%d/%d) | %.1f %% (%d/%d) | %.1f %% | "
        "%.1f %% (%d/%d) | %.0f / %.0f / %.0f ms |\n",
        name, pct(s.toeOk, s.piles), s.toeOk, s.piles, pct(s.strongFound, s.strong), s.strongFound,
        s.strong, pct(s.weakFound, s.weak), s.weakFound, s.weak, pct(s.falseIntact, s.intact),
        s.falseIntact, s.intact, 100.0 * Median(s.ratioErrors), pct(s.sureOk, s.sure), s.sureOk,
        s.sure, 1e3 * Median(s.times), 1e3 * s.times[s.times.size() * 99 / 100],
        1e3 * s.times.back());
}

}  // namespace

int main(int argc, char** argv) {
    uint64_t seed = 20261211;
    int count = 150;
    int jobs = 1;
    int onlyPile = -1;
    bool verbose = false;
    std::string tracePath;  // with --pile: the loaded trace, one "time_us,value" line a sample
    std::vector<Tier> tiers = {Tier::kEasy, Tier::kField, Tier::kHard, Tier::kNoSoil};
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        auto value = [&]() -> const char* {
            if (i + 1 >= argc) {
                std::fprintf(stderr, "kx_analysis_eval: %s needs a value\n", a.c_str());
                std::exit(1);
            }
            return argv[++i];
        };
        if (a == "--seed") {
            seed = std::strtoull(value(), nullptr, 10);
        } else if (a == "--count") {
            count = std::max(1, std::atoi(value()));
        } else if (a == "--jobs") {
            jobs = std::max(1, std::atoi(value()));
        } else if (a == "--pile") {
            onlyPile = std::atoi(value());
        } else if (a == "--tier") {
            const std::string name = value();
            tiers.clear();
            for (int k = 0; k < 4; ++k) {
                if (name == kTierNames[k] || name == "all") {
                    tiers.push_back(static_cast<Tier>(k));
                }
            }
            if (tiers.empty()) {
                std::fprintf(stderr, "kx_analysis_eval: no tier %s\n", name.c_str());
                return 1;
            }
        } else if (a == "--trace") {
            tracePath = value();
        } else if (a == "--verbose") {
            verbose = true;
        } else {
            std::fprintf(stderr,
                         "usage: kx_analysis_eval [--tier easy|field|hard|nosoil|all] [--seed S] "
                         "[--count N] [--jobs J] [--verbose] [--pile I]\n");
            return 1;
        }
    }
    // The reader leaves diagnostic dump files in the current directory: work in a scratch one.
    std::string dir = (std::filesystem::temp_directory_path() / "kx-analysis-eval-XXXXXX").string();
    if (::mkdtemp(dir.data()) == nullptr) {
        std::perror("kx_analysis_eval: mkdtemp");
        return 2;
    }
    const auto home = std::filesystem::current_path();
    std::filesystem::current_path(dir);

    const auto start = std::chrono::steady_clock::now();
    Totals all;
    std::vector<std::pair<const char*, Totals>> rows;
    for (Tier tier : tiers) {
        SynthRandom rng(seed + 1000003ull * static_cast<uint64_t>(tier));
        std::vector<Truth> piles;
        for (int i = 0; i < count; ++i) {
            piles.push_back(DrawPile(rng, tier));
        }
        if (onlyPile >= 0) {
            if (onlyPile < count) {
                PrintPile(onlyPile, Evaluate(piles[onlyPile]));
                if (std::getenv("KX_EVAL_ARRIVALS") != nullptr) {
                    kx::PileRecord rec;
                    LoadedRecord(piles[onlyPile], rec);
                    const kx::EchoScan scan = kx::ScanEchoes(rec);
                    std::printf("  scan: width %d, noise %.4f, fade %.2e /us\n", scan.width,
                                scan.noise, scan.fadePerUs);
                    for (const kx::Arrival& a : scan.arrivals) {
                        std::printf("    %8.0f us %+.3f (%.1f sigma)%s\n", a.timeUs, a.amplitude,
                                    a.sigmas, a.insideBlow ? " inside the blow" : "");
                    }
                }
                if (!tracePath.empty()) {
                    WriteTrace(piles[onlyPile], tracePath, home);
                }
            }
            continue;
        }
        Totals totals;
        const std::vector<Outcome> outcomes = Run(piles, jobs);
        for (size_t i = 0; i < outcomes.size(); ++i) {
            const Outcome& o = outcomes[i];
            Add(totals, o);
            Add(all, o);
            const bool missed = std::find(o.found.begin(), o.found.end(), false) != o.found.end();
            if (std::getenv("KX_EVAL_CONFIDENCE") != nullptr && o.analysis.toe.timeUs) {
                std::printf("confidence %.3f %s\n", o.analysis.toe.confidence,
                            o.toeOk ? "right" : "wrong");
            }
            if (verbose && (!o.toeOk || o.falseDefects > 0 || missed || o.seconds > 1.0)) {
                std::printf("[%s] ", kTierNames[static_cast<int>(tier)]);
                PrintPile(static_cast<int>(i), o);
            }
        }
        rows.emplace_back(kTierNames[static_cast<int>(tier)], totals);
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::filesystem::current_path(home);
    std::filesystem::remove_all(dir);
    if (onlyPile >= 0) {
        return 0;
    }
    std::printf("seed %llu, %d piles per tier, %.1f s\n\n", static_cast<unsigned long long>(seed),
                count, seconds);
    std::printf(
        "| tier | toe within max(2 samples, 1 %%) | strong defects found (<= 0.7, >= 1.3) | "
        "weak defects found | intact piles with a false defect | median ratio error | "
        "toes with confidence >= 0.5 right | time median / 99th %% / longest |\n"
        "|---|---|---|---|---|---|---|---|\n");
    for (const auto& [name, totals] : rows) {
        PrintTotals(name, totals);
    }
    if (rows.size() > 1) {
        PrintTotals("all", all);
    }
    return 0;
}
