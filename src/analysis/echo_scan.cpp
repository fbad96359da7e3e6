#include "analysis/echo_scan.h"

#include <algorithm>
#include <cmath>

#include "analysis/numerics.h"

namespace kx {

namespace {

constexpr int kMinSamples = 32;
// The blow starts where the trace first rises above this share of its peak.
constexpr double kOnsetLevel = 0.03;
// Band-pass: the low side smooths over a sixth of the blow's rise (the sensor's ringing and the
// noise go), the high side takes away what is slower than the blow (the soil's swing, drift).
constexpr double kLowSmoothing = 1.0 / 6.0;
constexpr double kHighSmoothing = 1.0;
// Peaks of the match weaker than this many noise deviations are no arrivals.
constexpr double kArrivalSigmas = 3.0;
// Below this the match's noise is taken as this: what the trace's shape leaves of the blow's
// likeness where there is no echo, whatever its noise.
constexpr double kNoiseFloor = 0.004;
// The soil's pull on the blow lets go over this many rises.
constexpr double kPullRises = 3.0;
// What an echo unlike the blow leaves beside it once its likeness is taken out: within two
// rises of it at most 0.3 of it, within five rises at most 0.1.
constexpr double kNearLobeRises = 2.0;
constexpr double kNearLobeShare = 0.35;
constexpr double kFarLobeRises = 5.0;
constexpr double kFarLobeShare = 0.1;
// Arrivals taken out of the match at the most.
constexpr int kMostArrivals = 40;
// An arrival this soon after the blow's peak (in rises) came back while the blow lasted.
constexpr double kInsideBlowRises = 1.5;

// Gaussian smoothing of deviation `sigma` samples, zero outside the record.
std::vector<double> Smooth(const std::vector<double>& x, double sigma) {
    if (sigma < 0.3) {
        return x;
    }
    const int r = static_cast<int>(std::ceil(4.0 * sigma));
    std::vector<double> kernel(static_cast<size_t>(2 * r + 1));
    double sum = 0;
    for (int k = -r; k <= r; ++k) {
        sum += kernel[k + r] = std::exp(-0.5 * k * k / (sigma * sigma));
    }
    for (double& k : kernel) {
        k /= sum;
    }
    const int n = static_cast<int>(x.size());
    std::vector<double> out(x.size(), 0.0);
    for (int i = 0; i < n; ++i) {
        double s = 0;
        const int lo = std::max(-r, -i), hi = std::min(r, n - 1 - i);
        for (int k = lo; k <= hi; ++k) {
            s += kernel[k + r] * x[i + k];
        }
        out[i] = s;
    }
    return out;
}

// Where the wave of sign `sign` that peaks near `at` in x rises through half its height above
// the trough before it, between samples: the time its front arrives, which a wake behind it
// (the soil's pull, a spring toe's rebound) does not move as it moves the peak.
double LeadingEdge(const std::vector<double>& x, int at, int sign, int w) {
    const int n = static_cast<int>(x.size());
    int top = std::clamp(at, 0, n - 1);
    for (int k = std::max(0, at - w / 2); k <= std::min(n - 1, at + w / 2); ++k) {
        if (sign * x[k] > sign * x[top]) {
            top = k;
        }
    }
    double trough = sign * x[top];
    for (int k = std::max(0, top - 2 * w); k < top; ++k) {
        trough = std::min(trough, sign * x[k]);
    }
    const double half = 0.5 * (sign * x[top] + trough);
    int k = top;
    while (k > 0 && sign * x[k - 1] > half && top - k < 2 * w) {
        --k;
    }
    if (k == 0 || sign * x[k - 1] > half) {
        return top;
    }
    const double a = sign * x[k - 1], b = sign * x[k];
    return (k - 1) + (b != a ? (half - a) / (b - a) : 0.0);
}

std::vector<double> BandPass(const std::vector<double>& x, double low, double high) {
    std::vector<double> b = Smooth(x, low);
    const std::vector<double> slow = Smooth(x, high);
    for (size_t i = 0; i < b.size(); ++i) {
        b[i] -= slow[i];
    }
    return b;
}

}  // namespace

EchoScan ScanEchoes(const PileRecord& rec) {
    EchoScan scan;
    const int n = rec.SampleCount();
    if (n < kMinSamples || rec.sampleIntervalUs <= 0) {
        return scan;
    }
    const auto& s = rec.waves[kStackedSlot];
    int peak = 0;
    for (int i = 1; i < n; ++i) {
        if (s[i] > s[peak]) {
            peak = i;
        }
    }
    if (s[peak] <= 0 || peak >= n - kMinSamples / 2) {
        return scan;
    }
    scan.sampleCount = n;
    scan.intervalUs = rec.sampleIntervalUs;
    scan.peak = peak;
    scan.velocity.resize(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        scan.velocity[i] = static_cast<double>(s[i]) / s[peak];
    }
    const std::vector<double>& v = scan.velocity;
    int onset = peak;
    while (onset > 0 && v[onset - 1] > kOnsetLevel) {
        --onset;
    }
    const int w = std::max(2, peak - onset + 1);
    scan.width = w;

    // The blow as it would be alone: its rising half mirrored (what follows the peak may already
    // hold echoes and the soil's pull).
    const double low = std::max(0.5, kLowSmoothing * w);
    const double high = kHighSmoothing * w;
    const int pad = static_cast<int>(std::ceil(4.0 * high)) + static_cast<int>(kPullRises * 3) * w;
    std::vector<double> blow(static_cast<size_t>(2 * pad + 1), 0.0);
    double area = 0;
    for (int k = 0; k < w && peak - k >= 0; ++k) {
        blow[pad - k] = blow[pad + k] = v[peak - k];
        area += (k == 0 ? 1.0 : 2.0) * v[peak - k];
    }
    area *= scan.intervalUs;
    // The blow as the head gives it back: the soil along the shaft pulls at the passing wave,
    // which the head sees as the pulse's running sum, inverted and slowly let go (its springs).
    // Its size comes from the trace right after the peak.
    std::vector<double> pulled(blow.size(), 0.0);
    const double keep = std::exp(-1.0 / (kPullRises * w));
    for (size_t j = 1; j < blow.size(); ++j) {
        pulled[j] = pulled[j - 1] * keep + blow[j - 1];
    }
    double num = 0, den = 0;
    for (int k = 1; k <= 2 * w && peak + k < n && pad + k < static_cast<int>(blow.size()); ++k) {
        num += (blow[pad + k] - v[peak + k]) * pulled[pad + k];
        den += pulled[pad + k] * pulled[pad + k];
    }
    const double pullShare = den > 0 ? std::max(0.0, num / den) : 0.0;
    std::vector<double> alone = blow;
    for (size_t j = 0; j < alone.size(); ++j) {
        alone[j] -= pullShare * pulled[j];
    }
    // Every wave back at the head drags the soil's pull behind it as the blow does: the blow
    // with its pull is the likeness echoes are matched against.
    const std::vector<double> tb = BandPass(alone, low, high);
    int first = 0, last = static_cast<int>(tb.size()) - 1;
    double tbMax = 0;
    for (double x : tb) {
        tbMax = std::max(tbMax, std::fabs(x));
    }
    while (first < pad && std::fabs(tb[first]) < 1e-3 * tbMax) {
        ++first;
    }
    while (last > pad && std::fabs(tb[last]) < 1e-3 * tbMax) {
        --last;
    }
    double energy = 0;
    for (int k = first; k <= last; ++k) {
        energy += tb[k] * tb[k];
    }
    if (!(energy > 0)) {
        return scan;
    }
    // The match of the trace, and of the blow alone (its own lobes, taken away below).
    const std::vector<double> b = BandPass(v, low, high);
    const auto matchAt = [&](const std::vector<double>& x, int i) {
        double sum = 0;
        for (int k = first; k <= last; ++k) {
            const int j = i + k - pad;
            if (j >= 0 && j < static_cast<int>(x.size())) {
                sum += x[j] * tb[k];
            }
        }
        return sum / energy;
    };
    scan.match.assign(static_cast<size_t>(n), 0.0);
    for (int i = 0; i < n; ++i) {
        const int lag = i - peak;
        double own = 0;
        if (lag + pad >= 0 && lag + pad < static_cast<int>(tb.size())) {
            own = matchAt(tb, lag + pad);
        }
        scan.match[i] = matchAt(b, i) - own;
    }

    // Noise: the accelerometer's white noise (robustly, from the second differences of its
    // samples, where the smooth echoes hardly show) carried through the band-pass and the
    // match, which integrate a step of the trace into a bump of known energy.
    std::vector<double> d2;
    for (int i = 3; i < n; ++i) {
        d2.push_back(std::fabs(v[i] - 3 * v[i - 1] + 3 * v[i - 2] - v[i - 3]));
    }
    // The third difference of the trace is the second of the acceleration: 6 x its variance.
    const double accelNoise = 1.4826 * Median(d2) / std::sqrt(6.0);
    const int span = 2 * pad + 1;
    std::vector<double> step(static_cast<size_t>(2 * span), 0.0);
    for (int i = span; i < 2 * span; ++i) {
        step[i] = 1.0;
    }
    const std::vector<double> stepBand = BandPass(step, low, high);
    double gain = 0;
    for (int i = 0; i < 2 * span; ++i) {
        const double g = matchAt(stepBand, i);
        gain += g * g;
    }
    scan.noise = std::max(kNoiseFloor, accelNoise * std::sqrt(gain));

    // The soil's pull right after the blow: -fade x the blow's area (each depth sends back a
    // little of the passing wave, the free head doubles it).
    std::vector<double> tail;
    for (int i = peak + w; i < std::min(n, peak + 2 * w); ++i) {
        tail.push_back(v[i]);
    }
    const double pull = Median(tail);
    if (pull < 0 && area > 0) {
        scan.fadePerUs = std::min(-pull / area, 1.0 / (w * scan.intervalUs));
    }

    // The arrivals one by one, strongest first, each taking its whole likeness (its side
    // lobes included) out of what is left, so that lobes and overlapping echoes do not pass
    // for waves of their own.
    std::vector<double> own(static_cast<size_t>(2 * (last - first) + 1));
    const int reach = last - first;  // the likeness spreads this far either side
    for (int lag = -reach; lag <= reach; ++lag) {
        own[lag + reach] = matchAt(tb, pad + lag);
    }
    std::vector<double> left = scan.match;
    const int half = std::max(1, w / 2);
    for (int round = 0; round < kMostArrivals; ++round) {
        int at = -1;
        for (int i = peak + 1; i < n; ++i) {
            if (at < 0 || std::fabs(left[i]) > std::fabs(left[at])) {
                at = i;
            }
        }
        if (at < 0 || std::fabs(left[at]) < kArrivalSigmas * scan.noise) {
            break;
        }
        const double amplitude = left[at];
        for (int lag = -reach; lag <= reach; ++lag) {
            if (at + lag >= 0 && at + lag < n) {
                left[at + lag] -= amplitude * own[lag + reach];
            }
        }
        Arrival* near = nullptr;
        for (Arrival& a : scan.arrivals) {
            if (std::abs(a.index - at) <= half) {
                near = &a;
            }
        }
        if (near != nullptr) {
            near->amplitude += amplitude;
            continue;
        }
        Arrival a;
        a.index = at;
        a.amplitude = amplitude;
        scan.arrivals.push_back(a);
    }
    // Times from front to front: the blow's front in the band-passed trace, and each wave's.
    const double blowFront = LeadingEdge(b, peak, 1, w);
    for (Arrival& a : scan.arrivals) {
        const int i = a.index;
        const double front = LeadingEdge(b, i, a.amplitude > 0 ? 1 : -1, w);
        a.timeUs =
            std::clamp(front - blowFront, i - peak - 1.0 * w, i - peak + 0.5 * w) * scan.intervalUs;
        a.sigmas = std::fabs(a.amplitude) / scan.noise;
        a.insideBlow = i - peak < kInsideBlowRises * w;
    }
    // What an echo unlike the blow leaves beside it once its likeness is taken out is no wave
    // of its own.
    std::vector<Arrival> kept;
    for (const Arrival& a : scan.arrivals) {
        bool lobe = false;
        for (const Arrival& b : scan.arrivals) {
            const double apart = std::fabs(a.timeUs - b.timeUs) / scan.intervalUs;
            const double share = std::fabs(a.amplitude) / std::fabs(b.amplitude);
            lobe = lobe || (&b != &a && ((apart <= kNearLobeRises * w && share < kNearLobeShare) ||
                                         (apart <= kFarLobeRises * w && share < kFarLobeShare)));
        }
        if (!lobe && a.sigmas >= kArrivalSigmas) {
            kept.push_back(a);
        }
    }
    std::sort(kept.begin(), kept.end(),
              [](const Arrival& x, const Arrival& y) { return x.index < y.index; });
    scan.arrivals = std::move(kept);
    scan.ok = true;
    return scan;
}

}  // namespace kx
