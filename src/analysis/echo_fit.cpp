#include "analysis/echo_fit.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

#include "analysis/numerics.h"
#include "analysis/sparse_deconvolution.h"

namespace kx {

namespace {

constexpr int kMinSamples = 32;
// Arrivals weaker than this share of the incident pulse are left out of the model...
constexpr double kSmallestArrival = 5e-4;
// ...and so are those below this share of the noise of one echo.
constexpr double kArrivalNoiseShare = 0.05;
// Reflection coefficients stay inside (-1, 1): no change sends back all of a wave.
constexpr double kLargestReflection = 0.9;
// A change this strong in the toe's window is taken for the toe.
constexpr double kStrongToe = 0.1;
// Rounds of the layer stripping, each adding the changes that cannot be multiples.
constexpr int kMaxRounds = 16;
// Changes weaker than this have multiples too faint to matter: the least-squares fit moves
// them by their first echo alone instead of re-running the whole model for each.
constexpr double kExactlyModelled = 0.15;
// Least squares stops when a step gains less than this (in squared noise deviations).
constexpr double kNegligibleGain = 1.0;
constexpr double kNegligibleShare = 1e-4;
constexpr int kDeconvolutionIterations = 300;

// Parameters of the model, with times in samples.
struct Model {
    std::vector<ImpedanceChange> changes;
    double soil = 0;    // reflection of the soil per sample of travel
    double offset = 0;  // the integrator's drift removal, constant in the differences
};

// The echo's wavelet in the sample differences: the pulse's own differences.
std::vector<double> Wavelet(const IncidentPulse& p) {
    const int len = static_cast<int>(p.shape.size());
    std::vector<double> w(static_cast<size_t>(len + 1), 0.0);
    for (int k = 0; k <= len; ++k) {
        w[k] = (k < len ? p.shape[k] : 0.0) - (k > 0 ? p.shape[k - 1] : 0.0);
    }
    return w;
}

double Energy(const std::vector<double>& w) {
    double e = 0.0;
    for (double x : w) {
        e += x * x;
    }
    return e;
}

// What of a change's first echo arrives at the head: twice its reflection times what the
// changes above let through both ways and the damping on the way.
double Passage(const std::vector<ImpedanceChange>& changes, double time, double fade) {
    double passed = 2.0 * std::exp(-fade * time);
    for (const ImpedanceChange& c : changes) {
        if (c.time < time) {
            passed *= 1.0 - c.r * c.r;
        }
    }
    return passed;
}

class Fitter {
public:
    Fitter(const std::vector<double>& v, int peakIndex, double materialPerSample, double noise,
           double soilPrior, double soilSpread)
        : v_(v),
          n_(static_cast<int>(v.size())),
          peakIndex_(peakIndex),
          material_(materialPerSample),
          noise_(noise),
          soilPrior_(soilPrior),
          soilSpread_(soilSpread) {
        a_.assign(static_cast<size_t>(n_), 0.0);
        for (int i = 1; i < n_; ++i) {
            a_[i] = v_[i] - v_[i - 1];
        }
    }

    const IncidentPulse& PulseFor(const Model& m) {
        if (m.soil != cachedSoil_) {
            cachedSoil_ = m.soil;
            pulse_ = EstimateIncidentPulse(v_, peakIndex_, m.soil, m.soil + material_);
            const std::vector<double> w = Wavelet(pulse_);
            // Arrivals too faint to tell from the noise need not be followed.
            smallest_ =
                std::max(kSmallestArrival, kArrivalNoiseShare * noise_ / std::sqrt(Energy(w)));
        }
        return pulse_;
    }

    const std::vector<double>& Differences() const { return a_; }
    int Count() const { return n_; }
    double Material() const { return material_; }
    int FirstFitted() const { return std::max(1, pulse_.first + 1); }
    int Limit() const { return limit_; }
    // Samples from `end` on are left out of the fit (the model is not complete there yet).
    void SetEnd(int end) { end_ = std::clamp(end, 1, limit_); }
    // Samples from `limit` on are never fitted.
    void SetLimit(int limit) {
        limit_ = std::clamp(limit, 1, n_);
        end_ = std::min(end_, limit_);
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
            LayeredHeadResponse(m.changes, m.soil, material_, std::min(end_, limit_), smallest_);
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

    // Sum of squared misfits over the fitted samples, in noise units, and the soil's prior.
    double Cost(const Model& m) {
        Render(m, velScratch_, diffScratch_);
        double s = 0.0;
        for (int i = FirstFitted(); i < end_; ++i) {
            const double e = a_[i] - diffScratch_[i];
            s += e * e;
        }
        return s / (noise_ * noise_) + SoilPenalty(m.soil);
    }

    double SoilPenalty(double soil) const {
        if (!FitsSoil()) {
            return 0.0;
        }
        const double d = std::log(soil / soilPrior_) / soilSpread_;
        return d * d;
    }
    bool FitsSoil() const { return soilSpread_ > 0.0 && soilPrior_ > 0.0; }

    // Levenberg-Marquardt on the changes' times and reflections and the drift.
    void Refine(Model& m, int iterations) {
        double lambda = 1e-3;
        double cost = Cost(m);
        std::vector<double> base = diffScratch_;
        for (int it = 0; it < iterations; ++it) {
            const int count = static_cast<int>(m.changes.size());
            // Times and reflections of the changes, the drift, and (when it is fitted) the
            // logarithm of the soil's resistance.
            const int soilColumn = FitsSoil() ? 2 * count + 1 : -1;
            const int np = 2 * count + (FitsSoil() ? 2 : 1);
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
            const double fade = m.soil + material_;
            for (int j = 0; j < count; ++j) {
                const ImpedanceChange& change = m.changes[j];
                if (std::fabs(change.r) < kExactlyModelled) {
                    FirstEchoColumns(change, Passage(m.changes, change.time, fade), from, rows,
                                     &jac[static_cast<size_t>(2 * j) * rows],
                                     &jac[static_cast<size_t>(2 * j + 1) * rows]);
                    continue;
                }
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
            if (soilColumn >= 0) {
                Model moved = m;
                const double ls = 0.02;
                moved.soil *= std::exp(ls);
                column(soilColumn, moved, ls);
                PulseFor(m);  // the pulse the base was rendered with
            }
            // Normal equations in noise units.
            std::vector<double> residual(static_cast<size_t>(rows));
            for (int i = 0; i < rows; ++i) {
                residual[i] = a_[from + i] - base[from + i];
            }
            NormalEquations eq =
                FormNormalEquations(jac, rows, np, residual, 1.0 / (noise_ * noise_));
            if (soilColumn >= 0) {
                const double inv = 1.0 / (soilSpread_ * soilSpread_);
                eq.jtj[soilColumn * np + soilColumn] += inv;
                eq.jte[soilColumn] -= inv * std::log(m.soil / soilPrior_);
            }
            double gain = 0.0;
            for (int attempt = 0; attempt < 6 && gain <= 0.0; ++attempt) {
                const std::optional<std::vector<double>> step =
                    LevenbergMarquardtStep(eq, np, lambda);
                if (!step) {
                    lambda *= 10.0;
                    continue;
                }
                const std::vector<double>& b = *step;
                Model next = m;
                for (int j = 0; j < count; ++j) {
                    next.changes[j].time += std::clamp(b[2 * j], -2.0, 2.0);
                    next.changes[j].r = std::clamp(next.changes[j].r + b[2 * j + 1],
                                                   -kLargestReflection, kLargestReflection);
                }
                next.offset = m.offset + b[2 * count];
                if (soilColumn >= 0) {
                    next.soil = m.soil * std::exp(std::clamp(b[soilColumn], -0.5, 0.5));
                }
                Tidy(next);
                const double c = Cost(next);
                if (c < cost) {
                    gain = cost - c;
                    m = next;
                    cost = c;
                    base = diffScratch_;
                    lambda = std::max(1e-6, lambda * 0.3);
                } else {
                    lambda *= 10.0;
                }
            }
            if (gain < std::max(kNegligibleGain, kNegligibleShare * cost)) {
                break;
            }
        }
    }

    // Keeps the changes in time order, inside the record, and apart.
    void Tidy(Model& m) const {
        std::sort(
            m.changes.begin(), m.changes.end(),
            [](const ImpedanceChange& x, const ImpedanceChange& y) { return x.time < y.time; });
        std::vector<ImpedanceChange> kept;
        for (const ImpedanceChange& c : m.changes) {
            if (c.time <= 0.5 || c.time >= n_) {
                continue;
            }
            if (!kept.empty() && c.time - kept.back().time < 0.5) {
                kept.back().r =
                    std::clamp(kept.back().r + c.r, -kLargestReflection, kLargestReflection);
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

    // Derivatives of the differences by a weak change's time and reflection, through its
    // first echo alone (passage x r x the pulse delayed by its time).
    void FirstEchoColumns(const ImpedanceChange& c, double passage, int from, int rows,
                          double* byTime, double* byReflection) const {
        const IncidentPulse& p = pulse_;
        const int last = p.first + static_cast<int>(p.shape.size());
        const int lo = std::max(from, static_cast<int>(std::floor(c.time + p.first)));
        const int hi = std::min(from + rows - 1, static_cast<int>(std::ceil(c.time + last)) + 1);
        constexpr double h = 0.05;
        double prevValue = 0.0, prevSlope = 0.0;
        for (int i = lo - 1; i <= hi; ++i) {
            const double x = i - c.time;
            const double value = passage * p.At(x);
            const double slope = -passage * c.r * (p.At(x + h) - p.At(x - h)) / (2.0 * h);
            if (i >= lo) {
                byReflection[i - from] = value - prevValue;
                byTime[i - from] = slope - prevSlope;
            }
            prevValue = value;
            prevSlope = slope;
        }
    }

    const std::vector<double>& v_;
    int n_;
    int peakIndex_;
    double material_;
    double noise_;
    double soilPrior_;
    double soilSpread_;
    std::vector<double> a_;
    int end_ = n_;
    int limit_ = n_;
    double cachedSoil_ = std::numeric_limits<double>::quiet_NaN();
    double smallest_ = kSmallestArrival;
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

// Share of the incident pulse of each change's first echo at the head.
std::vector<double> FirstEchoes(const Model& m, double material) {
    std::vector<double> echoes;
    for (const ImpedanceChange& c : m.changes) {
        echoes.push_back(c.r * Passage(m.changes, c.time, m.soil + material));
    }
    return echoes;
}

// Echoes below this share of the incident pulse are no change: at least the floor, and a
// little of the strongest echo, which the model never describes exactly.
double SmallestEcho(const std::vector<double>& echoes, const EchoFitOptions& options) {
    double strongest = 0.0;
    for (double e : echoes) {
        strongest = std::max(strongest, std::fabs(e));
    }
    return std::max(options.smallestEcho, options.relativeEcho * strongest);
}

// Removes the changes whose first echo no longer stands out, and refits.
void DropWeakChanges(Fitter& fitter, Model& model, double noise, const EchoFitOptions& options) {
    for (int pass = 0; pass < 4; ++pass) {
        const double norm = std::sqrt(Energy(Wavelet(fitter.PulseFor(model))));
        const std::vector<double> echoes = FirstEchoes(model, fitter.Material());
        const double smallest = SmallestEcho(echoes, options);
        std::vector<ImpedanceChange> kept;
        for (size_t j = 0; j < model.changes.size(); ++j) {
            const double sigmas = std::fabs(echoes[j]) * norm / noise;
            if (sigmas >= options.detectSigmas && std::fabs(echoes[j]) >= smallest) {
                kept.push_back(model.changes[j]);
            }
        }
        if (kept.size() == model.changes.size()) {
            return;
        }
        model.changes = std::move(kept);
        fitter.Refine(model, 8);
    }
}

// Layer stripping: the echoes of the misfit are found by sparse deconvolution, and those that
// cannot be multiples of what is still unknown (the earliest, and the next ones before any
// multiple of these that matters could arrive) join the model as changes; the refined model
// then explains their multiples before the later echoes are looked at.
void StripLayers(Fitter& fitter, Model& model, double noise, int minDelay,
                 const EchoFitOptions& options) {
    const int n = fitter.Limit();
    std::vector<double> velocity, diff;
    fitter.Refine(model, 8);  // the soil and the drift, before any echo
    for (int round = 0; round < kMaxRounds; ++round) {
        fitter.SetEnd(n);  // the whole model, for the misfit
        fitter.Render(model, velocity, diff);
        const IncidentPulse& p = fitter.PulseFor(model);
        const std::vector<double> wavelet = Wavelet(p);
        const double norm2 = Energy(wavelet);
        const std::vector<double>& a = fitter.Differences();
        const int from = fitter.FirstFitted();
        std::vector<double> misfit(static_cast<size_t>(fitter.Count()), 0.0);
        for (int i = from; i < n; ++i) {
            misfit[i] = a[i] - diff[i];
        }
        const double smallest = SmallestEcho(FirstEchoes(model, fitter.Material()), options);
        // The penalty keeps echoes out that are within the noise, or smaller than the model's
        // own inexactness when there is hardly any noise.
        const double penalty =
            std::max(options.detectSigmas * noise * std::sqrt(norm2), 0.5 * smallest * norm2);
        const int peakOffset = static_cast<int>(std::lround(p.peak)) - p.first;
        const std::vector<SparseEcho> echoes =
            SparseDeconvolve(misfit, from, wavelet, p.first, minDelay, n - 2 - p.first - peakOffset,
                             penalty, kDeconvolutionIterations);
        // Echoes of one sign close together are one echo the grid split.
        std::vector<SparseEcho> merged;
        const double close = std::max(2.0, 0.125 * static_cast<double>(p.shape.size()));
        for (const SparseEcho& e : echoes) {
            if (!merged.empty() && e.delay - merged.back().delay < close &&
                (e.amplitude > 0) == (merged.back().amplitude > 0)) {
                SparseEcho& m = merged.back();
                m.delay =
                    (m.delay * m.amplitude + e.delay * e.amplitude) / (m.amplitude + e.amplitude);
                m.amplitude += e.amplitude;
                m.strength += e.strength;
                continue;
            }
            merged.push_back(e);
        }
        const double fade = model.soil + fitter.Material();
        std::vector<ImpedanceChange> added;
        std::vector<double> addedEchoes;
        double horizon = n;
        double deferred = n;
        for (const SparseEcho& e : merged) {
            // The L1 penalty shrinks every echo by the same amount; put it back. What stands
            // out only by that amount is not taken.
            const double amp = e.amplitude + std::copysign(penalty / norm2, e.amplitude);
            if (std::fabs(amp) < smallest || e.strength < options.keepSigmas * noise) {
                continue;
            }
            if (e.delay >= horizon) {
                deferred = std::min(deferred, e.delay);
                continue;
            }
            const double r = std::clamp(amp / Passage(model.changes, e.delay, fade),
                                        -kLargestReflection, kLargestReflection);
            added.push_back({e.delay, r});
            addedEchoes.push_back(amp);
            // The earliest multiple of the new changes that could matter: at the head twice a
            // change's time, inside between two of them. A multiple is about the product of
            // the echoes it bounces between.
            const ImpedanceChange& latest = added.back();
            for (size_t k = 0; k < added.size(); ++k) {
                if (std::fabs(addedEchoes[k] * amp) / 2.0 < smallest) {
                    continue;
                }
                const double above = k + 1 == added.size() ? 0.0 : added[k].time;
                horizon = std::min(horizon, 2.0 * latest.time - above);
            }
        }
        if (added.empty() ||
            static_cast<int>(model.changes.size() + added.size()) > options.maxChanges) {
            break;
        }
        model.changes.insert(model.changes.end(), added.begin(), added.end());
        fitter.Tidy(model);
        // Fit only as far as the model is complete: up to the first echo left for later.
        fitter.SetEnd(p.first + static_cast<int>(std::floor(deferred)));
        fitter.Refine(model, 12);
        DropWeakChanges(fitter, model, noise, options);
    }
    fitter.SetEnd(n);
    fitter.Refine(model, 12);
    DropWeakChanges(fitter, model, noise, options);
}

// Where no strong change lies in the toe's window, the best match of an echo to the misfit
// there joins the model if it stands `sigmas` out of the noise: a toe must be somewhere, so a
// weaker echo is believable there than anywhere else.
void LookForWeakToe(Fitter& fitter, Model& model, double noise, double from, double to,
                    double sigmas) {
    from = std::max(from, 1.0);
    to = std::min(to, static_cast<double>(fitter.Limit()));
    if (!(to > from)) {
        return;
    }
    for (const ImpedanceChange& c : model.changes) {
        if (c.time >= from && c.time <= to && std::fabs(c.r) >= kStrongToe) {
            return;
        }
    }
    std::vector<double> velocity, diff;
    fitter.Render(model, velocity, diff);
    const IncidentPulse& p = fitter.PulseFor(model);
    const std::vector<double> wavelet = Wavelet(p);
    const std::vector<double>& a = fitter.Differences();
    const int n = fitter.Limit();
    double bestZ = 0.0, bestAmp = 0.0;
    int bestDelay = -1;
    for (int d = static_cast<int>(std::ceil(from));
         d <= static_cast<int>(std::floor(to)) && p.first + d < n; ++d) {
        double c = 0.0, e = 0.0;
        for (size_t k = 0; k < wavelet.size() && p.first + d + static_cast<int>(k) < n; ++k) {
            const int i = p.first + d + static_cast<int>(k);
            c += wavelet[k] * (a[i] - diff[i]);
            e += wavelet[k] * wavelet[k];
        }
        if (e > 0.0 && std::fabs(c) / (noise * std::sqrt(e)) > bestZ) {
            bestZ = std::fabs(c) / (noise * std::sqrt(e));
            bestAmp = c / e;
            bestDelay = d;
        }
    }
    if (bestDelay < 0 || bestZ < sigmas) {
        return;
    }
    const double passage = Passage(model.changes, bestDelay, model.soil + fitter.Material());
    model.changes.push_back(
        {static_cast<double>(bestDelay),
         std::clamp(bestAmp / passage, -kLargestReflection, kLargestReflection)});
    fitter.Tidy(model);
    fitter.Refine(model, 12);
}

}  // namespace

EchoFit FitEchoes(const PileRecord& rec, const EchoFitOptions& options) {
    EchoFit fit;
    const int n = rec.SampleCount();
    if (n < kMinSamples || rec.sampleIntervalUs <= 0) {
        return fit;
    }
    std::vector<double> trace(rec.waves[kStackedSlot].begin(), rec.waves[kStackedSlot].begin() + n);
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
    const double speed = options.speed > 0   ? options.speed
                         : rec.waveSpeed > 0 ? static_cast<double>(rec.waveSpeed)
                                             : options.defaultSpeed;
    // Damping per metre of depth of a round trip, per sample of two-way time.
    const double metresPerSample = speed * dt * 1e-6 / 2.0;
    Model model;
    model.soil = options.soilDampingPerM * metresPerSample;
    const double material = options.materialDampingPerM * metresPerSample;

    const IncidentPulse first =
        EstimateIncidentPulse(fit.velocity, fit.peakIndex, model.soil, model.soil + material);
    if (first.empty()) {
        return fit;
    }
    std::vector<double> differences(static_cast<size_t>(n), 0.0);
    for (int i = 1; i < n; ++i) {
        differences[i] = fit.velocity[i] - fit.velocity[i - 1];
    }
    const double noise = EstimateNoise(differences, first.first + 1);
    Fitter fitter(fit.velocity, fit.peakIndex, material, noise, model.soil, options.soilSpread);
    if (options.endUs > 0 && options.endUs / dt < n) {
        fitter.SetLimit(static_cast<int>(std::ceil(options.endUs / dt)) + first.first +
                        static_cast<int>(first.shape.size()));
    }
    // Echoes are sought from the pulse's length on: earlier ones merge with the blow.
    const int minDelay = std::max(2, static_cast<int>(first.shape.size()) - 1);
    StripLayers(fitter, model, noise, minDelay, options);
    if (options.toeToUs > options.toeFromUs && std::isfinite(options.toeToUs)) {
        LookForWeakToe(fitter, model, noise, options.toeFromUs / dt, options.toeToUs / dt,
                       options.toeSigmas);
    }

    const double norm = std::sqrt(Energy(Wavelet(fitter.PulseFor(model))));
    const std::vector<double> echoes = FirstEchoes(model, material);
    fit.pulse = fitter.PulseFor(model);
    fit.noise = noise;
    fit.soilPerUs = model.soil / dt;
    fit.fadePerUs = (model.soil + material) / dt;
    for (size_t j = 0; j < model.changes.size(); ++j) {
        FoundChange c;
        c.timeUs = model.changes[j].time * dt;
        c.r = model.changes[j].r;
        c.echo = echoes[j];
        c.sigmas = std::fabs(c.echo) * norm / noise;
        fit.changes.push_back(c);
    }
    fit.ok = true;
    return fit;
}

}  // namespace kx
