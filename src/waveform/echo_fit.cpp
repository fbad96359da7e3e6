#include "waveform/echo_fit.h"



#include <algorithm>
#include <cmath>
#include <limits>
#include <cstdio>
#include <cstdlib>

#include "waveform/sparse_deconvolution.h"

namespace kx {

namespace {

constexpr int kMinSamples = 32;
// Arrivals weaker than this share of the incident pulse are left out of the model.
constexpr double kSmallestArrival = 1e-4;
// Rounds of the layer stripping, each adding the changes that cannot be multiples.
constexpr int kMaxRounds = 16;
// Reflection coefficients stay inside (-1, 1): no change sends back all of a wave.
constexpr double kLargestReflection = 0.9;

// Parameters of the model, with times in samples.
struct Model {
    std::vector<ImpedanceChange> changes;
    double soil = 0;    // reflection of the soil per sample of travel
    double offset = 0;  // the integrator's drift removal, constant in the differences
};


// The median; reorders x.
double Median(std::vector<double>& x) {
    if (x.empty()) {
        return 0.0;
    }
    const auto mid = x.begin() + static_cast<std::ptrdiff_t>(x.size() / 2);
    std::nth_element(x.begin(), mid, x.end());
    return *mid;
}

// Solves the symmetric positive definite system a x = b in place (Cholesky); false when it
// is singular.
bool SolveSymmetric(std::vector<double>& a, std::vector<double>& b, int n) {
    for (int j = 0; j < n; ++j) {
        double d = a[j * n + j];
        for (int k = 0; k < j; ++k) {
            d -= a[j * n + k] * a[j * n + k];
        }
        if (!(d > 0.0)) {
            return false;
        }
        d = std::sqrt(d);
        a[j * n + j] = d;
        for (int i = j + 1; i < n; ++i) {
            double s = a[i * n + j];
            for (int k = 0; k < j; ++k) {
                s -= a[i * n + k] * a[j * n + k];
            }
            a[i * n + j] = s / d;
        }
    }
    for (int i = 0; i < n; ++i) {
        double s = b[i];
        for (int k = 0; k < i; ++k) {
            s -= a[i * n + k] * b[k];
        }
        b[i] = s / a[i * n + i];
    }
    for (int i = n - 1; i >= 0; --i) {
        double s = b[i];
        for (int k = i + 1; k < n; ++k) {
            s -= a[k * n + i] * b[k];
        }
        b[i] = s / a[i * n + i];
    }
    return true;
}

class Fitter {
public:
    Fitter(const std::vector<double>& v, int peakIndex, double materialPerSample)
        : v_(v), n_(static_cast<int>(v.size())), peakIndex_(peakIndex),
          material_(materialPerSample) {
        a_.assign(static_cast<size_t>(n_), 0.0);
        for (int i = 1; i < n_; ++i) {
            a_[i] = v_[i] - v_[i - 1];
        }
    }

    const IncidentPulse& PulseFor(const Model& m) {
        if (m.soil != cachedSoil_) {
            cachedSoil_ = m.soil;
            pulse_ = EstimateIncidentPulse(v_, peakIndex_, m.soil, m.soil + material_);
        }
        return pulse_;
    }

    // The model's trace (velocity, without the drift) and its sample differences.
    void Render(const Model& m, std::vector<double>& velocity, std::vector<double>& diff) {
        const IncidentPulse& p = PulseFor(m);
        // Everything the head receives is the pulse delayed and scaled: gather the delays as
        // impulses on the sample grid (a delay between samples spread over four of them, so
        // that convolving with the pulse interpolates it by the same cubic), then convolve
        // once.
        impulses_.assign(static_cast<size_t>(n_), 0.0);
        soilImpulses_.assign(static_cast<size_t>(n_), 0.0);
        impulses_[0] = 1.0;  // the incident pulse itself
        const HeadResponse response =
            LayeredHeadResponse(m.changes, m.soil, material_, n_, kSmallestArrival);
        for (const HeadArrival& h : response.arrivals) {
            Spread(impulses_, h.time, h.amplitude);
        }
        // The soil along the shaft: each down-going wave sends a little back from every depth
        // it passes, the pulse summed over the span, each delay faded by its travel time.
        const double fade = m.soil + material_;
        for (const SoilEcho& e : response.soil) {
            Spread(soilImpulses_, e.from, e.amplitude * std::exp(-fade * (e.from - e.origin)));
            if (std::isfinite(e.to)) {
                Spread(soilImpulses_, e.to, -e.amplitude * std::exp(-fade * (e.to - e.origin)));
            }
        }
        const double keep = std::exp(-fade);
        double sum = 0.0;
        for (int i = 1; i < n_; ++i) {
            sum = keep * (sum + soilImpulses_[i - 1]);
            impulses_[i] -= sum;
        }
        velocity.assign(static_cast<size_t>(n_), 0.0);
        const int len = static_cast<int>(p.shape.size());
        for (int j = 0; j < n_; ++j) {
            const double w = impulses_[j];
            if (w == 0.0) {
                continue;
            }
            const int start = j + p.first;
            for (int k = 0; k < len && start + k < n_; ++k) {
                velocity[start + k] += w * p.shape[k];
            }
        }
        diff.assign(static_cast<size_t>(n_), m.offset);
        for (int i = 1; i < n_; ++i) {
            diff[i] += velocity[i] - velocity[i - 1];
        }
    }

    // Sum of squared misfits over the fitted samples, in noise units.
    double Cost(const Model& m, double noise) {
        Render(m, velScratch_, diffScratch_);
        double s = 0.0;
        for (int i = FirstFitted(); i < end_; ++i) {
            const double e = a_[i] - diffScratch_[i];
            s += e * e;
        }
        return s / (noise * noise);
    }

    int FirstFitted() { return std::max(1, pulse_.first + 1); }
    // Samples from `end` on are left out of the fit (the model is not complete there yet).
    void SetEnd(int end) { end_ = std::clamp(end, 1, n_); }
    const std::vector<double>& Differences() const { return a_; }
    int Count() const { return n_; }


    // Levenberg-Marquardt on all parameters of the model.
    void Refine(Model& m, double noise, int iterations) {
        double lambda = 1e-3;
        double cost = Cost(m, noise);
        for (int it = 0; it < iterations; ++it) {
            const int count = static_cast<int>(m.changes.size());
            const int np = 2 * count + 1;
            std::vector<double> base;
            Render(m, velScratch_, base);
            const int from = FirstFitted();
            const int rows = std::max(0, end_ - from);
            std::vector<double> jac(static_cast<size_t>(np) * rows, 0.0);
            auto column = [&](int c, const Model& moved, double step) {
                std::vector<double> vel, d;
                Render(moved, vel, d);
                for (int i = 0; i < rows; ++i) {
                    jac[static_cast<size_t>(c) * rows + i] = (d[from + i] - base[from + i]) / step;
                }
            };
            for (int j = 0; j < count; ++j) {
                Model moved = m;
                const double ts = 0.02;
                moved.changes[j].time += ts;
                column(2 * j, moved, ts);
                moved = m;
                const double rs = 1e-3;
                moved.changes[j].r += rs;
                column(2 * j + 1, moved, rs);
            }
            for (int i = 0; i < rows; ++i) {
                jac[static_cast<size_t>(2 * count) * rows + i] = 1.0;
            }

            // Normal equations in noise units.
            std::vector<double> jtj(static_cast<size_t>(np) * np, 0.0), jte(np, 0.0);
            const double w = 1.0 / (noise * noise);
            for (int c1 = 0; c1 < np; ++c1) {
                const double* j1 = &jac[static_cast<size_t>(c1) * rows];
                for (int i = 0; i < rows; ++i) {
                    jte[c1] += w * j1[i] * (a_[from + i] - base[from + i]);
                }
                for (int c2 = 0; c2 <= c1; ++c2) {
                    const double* j2 = &jac[static_cast<size_t>(c2) * rows];
                    double s = 0.0;
                    for (int i = 0; i < rows; ++i) {
                        s += j1[i] * j2[i];
                    }
                    jtj[c1 * np + c2] = jtj[c2 * np + c1] = w * s;
                }
            }
            bool improved = false;
            for (int attempt = 0; attempt < 6 && !improved; ++attempt) {
                std::vector<double> a = jtj, b = jte;
                for (int c = 0; c < np; ++c) {
                    a[c * np + c] += lambda * std::max(jtj[c * np + c], 1e-12);
                }
                if (!SolveSymmetric(a, b, np)) {
                    lambda *= 10.0;
                    continue;
                }
                Model next = m;
                for (int j = 0; j < count; ++j) {
                    next.changes[j].time += std::clamp(b[2 * j], -2.0, 2.0);
                    next.changes[j].r = std::clamp(next.changes[j].r + b[2 * j + 1],
                                                   -kLargestReflection, kLargestReflection);
                }
                next.offset = m.offset + b[2 * count];

                Tidy(next);
                const double c = Cost(next, noise);
                if (c < cost) {
                    m = next;
                    cost = c;
                    lambda = std::max(1e-6, lambda * 0.3);
                    improved = true;
                } else {
                    lambda *= 10.0;
                }
            }
            if (getenv("KXDEBUG")) fprintf(stderr, "    LM it %d cost %.3f lambda %g improved %d\n", it, cost, lambda, improved);
            if (!improved) {
                break;
            }
        }
    }

    // Keeps the changes in time order, inside the record, and apart.
    void Tidy(Model& m) const {
        std::sort(m.changes.begin(), m.changes.end(),
                  [](const ImpedanceChange& x, const ImpedanceChange& y) { return x.time < y.time; });
        std::vector<ImpedanceChange> kept;
        for (const ImpedanceChange& c : m.changes) {
            if (c.time <= 0.5 || c.time >= n_) {
                continue;
            }
            if (!kept.empty() && c.time - kept.back().time < 0.5) {
                kept.back().r = std::clamp(kept.back().r + c.r, -kLargestReflection,
                                           kLargestReflection);
                continue;
            }
            kept.push_back(c);
        }
        m.changes = std::move(kept);
    }

private:
    // Adds an impulse at grid position x so that convolving with samples interpolates them
    // by the Catmull-Rom cubic (as IncidentPulse::At does).
    static void Spread(std::vector<double>& grid, double x, double amplitude) {
        const int n = static_cast<int>(grid.size());
        const double fj = std::floor(x);
        const int j = static_cast<int>(fj);
        const double f = x - fj;
        if (j < 0 || j >= n) {
            return;
        }
        if (f == 0.0) {
            grid[j] += amplitude;
            return;
        }
        const double g = 1.0 - f;
        const double w[4] = {0.5 * (-g * g * g + 2.0 * g * g - g),
                             0.5 * (3.0 * g * g * g - 5.0 * g * g + 2.0),
                             0.5 * (-3.0 * g * g * g + 4.0 * g * g + g), 0.5 * (g * g * g - g * g)};
        // Weight w[0] at j + 2, w[1] at j + 1, w[2] at j, w[3] at j - 1.
        for (int k = 0; k < 4; ++k) {
            const int at = j + 2 - k;
            if (at >= 0 && at < n) {
                grid[at] += amplitude * w[k];
            }
        }
    }

    const std::vector<double>& v_;
    int n_;
    int peakIndex_;
    double material_;
    std::vector<double> a_;
    int end_ = n_;
    double cachedSoil_ = std::numeric_limits<double>::quiet_NaN();

    IncidentPulse pulse_;
    std::vector<double> velScratch_, diffScratch_, impulses_, soilImpulses_;
};

// Noise of the sample differences: the median size of their second differences, which the
// smooth echoes hardly touch while white noise grows by sqrt(6) there.
double EstimateNoise(const std::vector<double>& a, int from) {
    std::vector<double> d2;
    for (int i = std::max(from, 1); i + 1 < static_cast<int>(a.size()); ++i) {
        d2.push_back(std::fabs(a[i + 1] - 2.0 * a[i] + a[i - 1]));
    }
    return std::max(1e-7, 1.4826 * Median(d2) / std::sqrt(6.0));
}

// Share of the incident pulse of a change's first echo at the head.
double FirstEcho(const std::vector<ImpedanceChange>& changes, size_t j, double fade) {
    double passed = 1.0;
    for (size_t k = 0; k < j; ++k) {
        passed *= 1.0 - changes[k].r * changes[k].r;
    }
    return 2.0 * changes[j].r * passed * std::exp(-fade * changes[j].time);
}

}  // namespace

EchoFit FitEchoes(const PileRecord& rec, const EchoFitOptions& options) {
    EchoFit fit;
    const int n = rec.SampleCount();
    if (n < kMinSamples || rec.sampleIntervalUs <= 0) {
        return fit;
    }
    std::vector<double> trace(rec.waves[kStackedSlot].begin(),
                              rec.waves[kStackedSlot].begin() + n);
    if (!FindPileTopPeak(trace, fit.peakIndex, fit.peakPosition)) {
        return fit;
    }
    fit.sampleCount = n;
    fit.intervalUs = rec.sampleIntervalUs;
    fit.scale = trace[fit.peakIndex];
    fit.velocity.resize(trace.size());
    for (int i = 0; i < n; ++i) {
        fit.velocity[i] = trace[i] / fit.scale;
    }
    const double dt = rec.sampleIntervalUs;
    const double speed = options.speed > 0     ? options.speed
                         : rec.waveSpeed > 0   ? static_cast<double>(rec.waveSpeed)
                                               : options.defaultSpeed;
    // Damping per metre of depth of a round trip, per sample of two-way time.
    const double metresPerSample = speed * dt * 1e-6 / 2.0;
    const double soilPrior = options.soilDampingPerM * metresPerSample;
    const double material = options.materialDampingPerM * metresPerSample;

    Fitter fitter(fit.velocity, fit.peakIndex, material);
    Model model;
    model.soil = soilPrior;
    const IncidentPulse& first = fitter.PulseFor(model);
    if (first.empty()) {
        return fit;
    }
    const double noise = EstimateNoise(fitter.Differences(), first.first + 1);
    // Echoes are sought from the pulse's length on: earlier ones merge with the blow.
    const int minDelay = std::max(2, static_cast<int>(first.shape.size()) - 1);

    std::vector<double> velocity, diff;
    if (getenv("KXMODEL")) {
        Model dbg = model;
        double t, r;
        sscanf(getenv("KXMODEL"), "%lf,%lf", &t, &r);
        dbg.changes.push_back({t, r});
        fitter.Render(dbg, velocity, diff);
        for (int i = 0; i < n; ++i) fprintf(stderr, "M %d %.5f %.5f\n", i, fit.velocity[i], velocity[i]);
    }
    // Layer stripping: the echoes of the misfit are found by sparse deconvolution, and those
    // that cannot be multiples of what is still unknown (the earliest, and the next ones before
    // any multiple of these could arrive) join the model as changes; the refined model then
    // explains their multiples before the later echoes are looked at.
    for (int round = 0; round < kMaxRounds; ++round) {
        fitter.Render(model, velocity, diff);
        const IncidentPulse& p = fitter.PulseFor(model);
        const int len = static_cast<int>(p.shape.size());
        std::vector<double> atom(static_cast<size_t>(len + 1), 0.0);
        double atomNorm2 = 0.0;
        for (int k = 0; k <= len; ++k) {
            atom[k] = (k < len ? p.shape[k] : 0.0) - (k > 0 ? p.shape[k - 1] : 0.0);
            atomNorm2 += atom[k] * atom[k];
        }
        const std::vector<double>& a = fitter.Differences();
        const int from = fitter.FirstFitted();
        std::vector<double> misfit(static_cast<size_t>(n), 0.0);
        for (int i = from; i < n; ++i) {
            misfit[i] = a[i] - diff[i];
        }
        const int peakOffset = static_cast<int>(std::lround(p.peak)) - p.first;
        // The penalty keeps echoes out that are within the noise, or smaller than the model's
        // own inexactness when there is hardly any noise.
        const double penalty = std::max(options.detectSigmas * noise * std::sqrt(atomNorm2),
                                        0.5 * options.smallestEcho * atomNorm2);
        const std::vector<SparseEcho> echoes = SparseDeconvolve(
            misfit, from, atom, p.first, minDelay, n - 2 - p.first - peakOffset, penalty, 300);
        const double fade = model.soil + material;
        if (getenv("KXDEBUG")) {
            fprintf(stderr, "round %d soil %g minDelay %d\n", round, model.soil, minDelay);
            for (const SparseEcho& e : echoes) fprintf(stderr, "   echo %.2f amp %.4f z %.1f\n", e.delay, e.amplitude, e.strength / noise);
            for (auto& c : model.changes) fprintf(stderr, "   change %.2f r %.3f\n", c.time, c.r);
            if (getenv("KXRES")) for (int i = 0; i < n; ++i) fprintf(stderr, "R%d %d %.6f %.6f\n", round, i, misfit[i], velocity[i]);
        }
        // Echoes of one sign close together are one echo the grid split.
        std::vector<SparseEcho> merged;
        const double close = std::max(2.0, 0.125 * len);
        for (const SparseEcho& e : echoes) {
            if (!merged.empty() && e.delay - merged.back().delay < close &&
                (e.amplitude > 0) == (merged.back().amplitude > 0)) {
                SparseEcho& m = merged.back();
                m.delay = (m.delay * m.amplitude + e.delay * e.amplitude) /
                          (m.amplitude + e.amplitude);
                m.amplitude += e.amplitude;
                m.strength += e.strength;
                continue;
            }
            merged.push_back(e);
        }
        std::vector<ImpedanceChange> added;
        std::vector<double> addedEchoes;
        double horizon = n;
        double deferred = n;
        for (const SparseEcho& e : merged) {
            // The L1 penalty shrinks every echo by the same amount; put it back. What stands
            // out only by that amount is not taken.
            const double amp = e.amplitude + std::copysign(penalty / atomNorm2, e.amplitude);
            if (std::fabs(amp) < options.smallestEcho ||
                e.strength < options.keepSigmas * noise) {
                continue;
            }
            if (e.delay >= horizon) {
                deferred = std::min(deferred, e.delay);
                continue;
            }
            double passed = std::exp(-fade * e.delay);
            for (const ImpedanceChange& c : model.changes) {
                if (c.time < e.delay) {
                    passed *= 1.0 - c.r * c.r;
                }
            }
            const double r = std::clamp(amp / (2.0 * passed), -kLargestReflection,
                                        kLargestReflection);
            added.push_back({e.delay, r});
            addedEchoes.push_back(amp);
            // The earliest multiple of the new changes that could matter: at the head twice a
            // change's time, inside between two of them. A multiple is about the product of
            // the echoes it bounces between.
            for (size_t k = 0; k < added.size(); ++k) {
                const double product = std::fabs(addedEchoes[k] * amp) / 2.0;
                if (product < options.smallestEcho) {
                    continue;
                }
                horizon = std::min(horizon, added.back().time + (added.back().time -
                                                                 (k + 1 == added.size()
                                                                      ? 0.0
                                                                      : added[k].time)));
            }
        }
        if (added.empty() ||
            static_cast<int>(model.changes.size() + added.size()) > options.maxChanges) {
            break;
        }
        Model next = model;
        next.changes.insert(next.changes.end(), added.begin(), added.end());
        fitter.Tidy(next);
        // Fit only as far as the model is complete: up to the first echo left for later.
        fitter.SetEnd(p.first + static_cast<int>(std::floor(deferred)));
        fitter.Refine(next, noise, 12);
        model = next;
    }
    fitter.SetEnd(n);
    fitter.Refine(model, noise, 12);
    // Drop what the refined model no longer needs, weakest first.
    for (;;) {
        const IncidentPulse& p = fitter.PulseFor(model);
        double pulseEnergy = 0.0;
        for (size_t k = 1; k < p.shape.size(); ++k) {
            const double d = p.shape[k] - p.shape[k - 1];
            pulseEnergy += d * d;
        }
        const double fade = model.soil + material;
        int weakest = -1;
        double weakestZ = std::numeric_limits<double>::infinity();
        for (size_t j = 0; j < model.changes.size(); ++j) {
            const double e = FirstEcho(model.changes, j, fade);
            const double z = std::fabs(e) * std::sqrt(pulseEnergy) / noise;
            const bool weak = z < options.detectSigmas || std::fabs(e) < options.smallestEcho;
            if (weak && z < weakestZ) {
                weakestZ = z;
                weakest = static_cast<int>(j);
            }
        }
        if (weakest < 0) {
            break;
        }
        model.changes.erase(model.changes.begin() + weakest);
        fitter.Refine(model, noise, 8);
    }

    fitter.Render(model, velocity, diff);
    const IncidentPulse& p = fitter.PulseFor(model);
    double pulseEnergy = 0.0;
    for (size_t k = 1; k < p.shape.size(); ++k) {
        const double d = p.shape[k] - p.shape[k - 1];
        pulseEnergy += d * d;
    }
    const double fade = model.soil + material;
    fit.pulse = p;
    fit.noise = noise;
    fit.soilPerUs = model.soil / dt;
    fit.fadePerUs = fade / dt;
    for (size_t j = 0; j < model.changes.size(); ++j) {
        FoundChange c;
        c.timeUs = model.changes[j].time * dt;
        c.r = model.changes[j].r;
        c.echo = FirstEcho(model.changes, j, fade);
        c.sigmas = std::fabs(c.echo) * std::sqrt(pulseEnergy) / noise;
        fit.changes.push_back(c);
    }
    fit.modelVelocity = velocity;
    fit.ok = true;
    return fit;
}

}  // namespace kx
