#include "analysis/incident_pulse.h"

#include <algorithm>
#include <cmath>

namespace kx {

namespace {

// Below this share of the peak the rising side counts as the quiet before the blow.
constexpr double kFootLevel = 0.02;

}  // namespace

double CubicInterpolate(const std::vector<double>& s, double x) {
    const int n = static_cast<int>(s.size());
    const double fk = std::floor(x);
    const int k = static_cast<int>(fk);
    if (k < -2 || k > n) {
        return 0.0;
    }
    const double f = x - fk;
    auto at = [&](int i) { return (i >= 0 && i < n) ? s[i] : 0.0; };
    const double p0 = at(k - 1), p1 = at(k), p2 = at(k + 1), p3 = at(k + 2);
    // Catmull-Rom: passes through the samples with continuous slope.
    return p1 + 0.5 * f *
                    (p2 - p0 +
                     f * (2.0 * p0 - 5.0 * p1 + 4.0 * p2 - p3 + f * (3.0 * (p1 - p2) + p3 - p0)));
}

namespace {

double ParabolaPeak(double a, double b, double c) {
    const double den = a - 2.0 * b + c;
    return den < 0.0 ? 0.5 * (a - c) / den : 0.0;
}

}  // namespace

double IncidentPulse::At(double x) const {
    return CubicInterpolate(shape, x - first);
}

bool FindPileTopPeak(const std::vector<double>& trace, int& index, double& position) {
    const int n = static_cast<int>(trace.size());
    index = -1;
    double best = 0.0;
    for (int i = 0; i < n; ++i) {
        if (trace[i] > best) {
            best = trace[i];
            index = i;
        }
    }
    if (index < 0) {
        return false;
    }
    position = index;
    if (index > 0 && index + 1 < n) {
        position += ParabolaPeak(trace[index - 1], trace[index], trace[index + 1]);
    }
    return true;
}

IncidentPulse EstimateIncidentPulse(const std::vector<double>& v, int peakIndex,
                                    double soilPerSample, double fadePerSample) {
    IncidentPulse pulse;
    const int n = static_cast<int>(v.size());
    if (peakIndex <= 0 || peakIndex >= n - 1) {
        return pulse;
    }
    // The foot of the rising side: the last quiet sample before the peak.
    int foot = peakIndex - 1;
    while (foot > 0 && v[foot] > kFootLevel) {
        --foot;
    }
    foot = std::max(0, foot - 1);
    // The trace with the soil's share put back (a causal sum of what the pulse so far has sent
    // back), until it falls to zero; a blow falls within a third longer than it rose.
    const int latest = std::min(n - 1, peakIndex + (peakIndex - foot) * 4 / 3 + 2);
    const double fade = std::exp(-fadePerSample);
    double echoSum = 0.0;
    for (int i = foot; i <= latest; ++i) {
        double p = v[i] + soilPerSample * echoSum;
        const bool ended = i > peakIndex && p <= 0.0;
        if (ended) {
            p = 0.0;
        }
        pulse.shape.push_back(i == foot ? 0.0 : p);
        if (ended) {
            break;
        }
        echoSum = fade * (echoSum + p);
    }
    if (pulse.shape.back() != 0.0) {
        pulse.shape.push_back(0.0);
    }
    pulse.first = foot;
    int top = 0;
    for (int k = 1; k < static_cast<int>(pulse.shape.size()); ++k) {
        if (pulse.shape[k] > pulse.shape[top]) {
            top = k;
        }
    }
    pulse.peak = foot + top;
    if (top > 0 && top + 1 < static_cast<int>(pulse.shape.size())) {
        pulse.peak += ParabolaPeak(pulse.shape[top - 1], pulse.shape[top], pulse.shape[top + 1]);
    }
    return pulse;
}

}  // namespace kx
