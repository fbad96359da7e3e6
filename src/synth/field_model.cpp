// The pile in the frequency domain. A uniform segment of impedance Z and propagation constant
// g = s / c (plus the constant-Q loss) carries velocity V and force F (compression positive,
// velocity downward) from its top to its bottom as
//   V_b = V_t cosh(g h) - (F_t / Z) sinh(g h),   F_b = -Z V_t sinh(g h) + F_t cosh(g h).
// Between segments the shaft's soil resists with (c + k / s) V, taking that from the force
// below; the toe's soil sets F = R V at the bottom, and the hammer the force at the head
// (otherwise free). The head velocity then follows from one linear equation per frequency.
//
// Frequencies are taken on s = sigma + i omega: the transform of a signal damped by
// exp(-sigma t), undone after the inverse transform, so that a long ring does not wrap around
// the periodic transform into the early samples.
#include "synth/field_model.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>

#include "synth/fft.h"

namespace kx::synth {

namespace {

using Complex = std::complex<double>;

// The model's time step is at most this (a 50 kHz band, past every sensor resonance modelled).
constexpr double kFinestStepUs = 10.0;
// Properties are followed in steps of this length; the soil is lumped every kSoilStepM.
constexpr double kPropertyStepM = 0.05;
constexpr double kSoilStepM = 0.25;
// The wave speed given is the group speed at 1 kHz, about where a blow's energy lies.
constexpr double kQReferenceRadPerUs = 2.0 * std::numbers::pi * 1e-3;

struct Segment {
    double lengthM = 0;
    double impedance = 1;
    double speed = 0;
    double soil = 0;  // dashpot of the soil at the segment's bottom, in units of Z0
};

double Smooth(double x) {  // 0 -> 0, 1 -> 1, flat at both ends
    x = std::clamp(x, 0.0, 1.0);
    return 0.5 - 0.5 * std::cos(std::numbers::pi * x);
}

double SpeedAt(const FieldPile& pile, double depthM) {
    return pile.speedMps * (1.0 + pile.speedGradient * depthM / pile.lengthM);
}

std::vector<Segment> Segments(const FieldPile& pile) {
    const int steps = std::max(1, static_cast<int>(std::ceil(pile.lengthM / kPropertyStepM)));
    const double h = pile.lengthM / steps;
    const int perSoil = std::max(1, static_cast<int>(std::round(kSoilStepM / h)));
    // The soil's dashpot per metre: a wave running down and back through it keeps about
    // exp(-c L) (each node takes c dx / 2 of the wave each way).
    const double perM =
        pile.soilLoss > 0 ? -std::log(1.0 - std::min(pile.soilLoss, 0.999)) / pile.lengthM : 0.0;
    double weightSum = 0;
    for (double w : pile.layerWeights) {
        weightSum += w;
    }
    std::vector<Segment> segs;
    for (int i = 0; i < steps; ++i) {
        const double mid = (i + 0.5) * h;
        Segment s;
        s.lengthM = h;
        s.speed = SpeedAt(pile, mid);
        s.impedance = FieldImpedance(pile, mid);
        if ((i + 1) % perSoil == 0 && i + 1 < steps) {
            double layer = 1.0;
            if (!pile.layerWeights.empty() && weightSum > 0) {
                const size_t k =
                    std::min(pile.layerWeights.size() - 1,
                             static_cast<size_t>(mid / pile.lengthM * pile.layerWeights.size()));
                layer = pile.layerWeights[k] * pile.layerWeights.size() / weightSum;
            }
            s.soil = perM * layer * h * perSoil;
        }
        segs.push_back(s);
    }
    // Neighbours alike in everything but the soil between them are one segment.
    std::vector<Segment> merged;
    for (const Segment& s : segs) {
        if (!merged.empty() && merged.back().soil == 0 && merged.back().impedance == s.impedance &&
            merged.back().speed == s.speed) {
            merged.back().lengthM += s.lengthM;
            merged.back().soil = s.soil;
        } else {
            merged.push_back(s);
        }
    }
    return merged;
}

// The hammer's force at t.
double Force(const FieldHammer& hm, double tUs) {
    const auto pulse = [&](double onset, double amplitude) {
        const double x = (tUs - onset) / hm.durationUs;
        if (x <= 0 || x >= 1) {
            return 0.0;
        }
        const double s = std::sin(std::numbers::pi * x);
        return amplitude * (hm.shape == PulseShape::kHalfSine ? s : s * s);
    };
    return pulse(hm.onsetUs, hm.amplitude) +
           (hm.secondAmplitude > 0 ? pulse(hm.onsetUs + hm.secondDelayUs, hm.secondAmplitude)
                                   : 0.0);
}

// Head velocity per unit hammer force at s (1/us units for s).
Complex HeadMobility(const std::vector<Segment>& segs, const FieldPile& pile, Complex s,
                     double omega) {
    // Transfer from the head (V0, F0) as the matrix [[a, b], [c, d]].
    Complex a = 1, b = 0, c = 0, d = 1;
    for (const Segment& seg : segs) {
        // Constant Q: the wave loses |omega| / (2 Q c) per metre, and to stay causal it is
        // dispersive, faster at higher frequencies: 1 / c(omega) = (1 - (ln(|omega| / omega_r)
        // - 1) / (pi Q)) / c, where c is the speed a pulse of the reference frequency travels at
        // (its group speed, what an echo's time measures). The front of an echo is then sharp
        // and its tail drawn out, as measured; without the dispersion the loss alone would smear
        // the echo symmetrically, ahead of its own arrival.
        Complex g = s / (seg.speed * 1e-6);
        if (pile.q > 0 && omega != 0) {
            const double w = std::abs(omega);
            const double lag =
                (std::log(w / kQReferenceRadPerUs) - 1.0) / (std::numbers::pi * pile.q);
            g += (w / (2.0 * pile.q) - Complex(0, omega * lag)) / (seg.speed * 1e-6);
        }
        const Complex gh = g * seg.lengthM;
        const Complex ch = std::cosh(gh), sh = std::sinh(gh);
        const double z = seg.impedance;
        // [V; F]_bottom = T [V; F]_top, T = [[ch, -sh / z], [-z sh, ch]].
        const Complex na = ch * a - sh / z * c, nb = ch * b - sh / z * d;
        const Complex nc = -z * sh * a + ch * c, nd = -z * sh * b + ch * d;
        a = na, b = nb, c = nc, d = nd;
        if (seg.soil > 0) {
            // F_below = F_above - R V with the soil's dashpot and spring.
            const double k = seg.soil * 2.0 * std::numbers::pi * pile.soilSpringHz * 1e-6;
            const Complex r = seg.soil + k / s;
            c -= r * a;
            d -= r * b;
        }
    }
    // V_toe = a V0 + b F0, F_toe = c V0 + d F0.
    if (pile.toe == FieldToe::kFixed) {
        return -b / a;
    }
    Complex rt = pile.toeDashpot;
    if (pile.toe == FieldToe::kSpring) {
        rt += pile.toeDashpot * 2.0 * std::numbers::pi * pile.toeSpringHz * 1e-6 / s;
    }
    return (rt * b - d) / (c - rt * a);
}

}  // namespace

double FieldImpedance(const FieldPile& pile, double depthM) {
    double z = SpeedAt(pile, depthM) / pile.speedMps;
    for (const FieldDefect& d : pile.defects) {
        double weight = 0;
        if (d.taperM > 0) {
            // The full change is reached `taperM` inside each end.
            weight = std::min(Smooth((depthM - d.depthM) / d.taperM),
                              Smooth((d.depthM + d.lengthM - depthM) / d.taperM));
        } else {
            weight = depthM >= d.depthM && depthM < d.depthM + d.lengthM ? 1.0 : 0.0;
        }
        z *= 1.0 + (d.ratio - 1.0) * weight;
    }
    return z;
}

std::vector<double> FieldAcceleration(const FieldPile& pile, const FieldHammer& hammer,
                                      const FieldSensor& sensor, double intervalUs, int count) {
    std::vector<double> out(static_cast<size_t>(std::max(count, 0)), 0.0);
    if (count <= 0 || intervalUs <= 0 || pile.lengthM <= 0 || pile.speedMps <= 0) {
        return out;
    }
    // The model's step: an integer part of the sampling interval, at most kFinestStepUs.
    const int per = std::max(1, static_cast<int>(std::ceil(intervalUs / kFinestStepUs)));
    const double dt = intervalUs / per;
    const double span = (count + 2) * intervalUs + sensor.triggerDelayUs;
    size_t n = 1;
    while (n * dt < 2.0 * span) {
        n <<= 1;
    }
    const double total = n * dt;
    const double sigma = std::log(1e6) / total;  // per µs

    std::vector<Complex> x(n);
    for (size_t i = 0; i < n; ++i) {
        x[i] = Force(hammer, i * dt) * std::exp(-sigma * i * dt);
    }
    Fft(x, false);
    const std::vector<Segment> segs = Segments(pile);
    const double wc = 2.0 * std::numbers::pi * sensor.antiAliasHz * 1e-6;
    const double wr = 2.0 * std::numbers::pi * sensor.resonanceHz * 1e-6;
    for (size_t k = 0; k < n; ++k) {
        const double kk = k <= n / 2 ? static_cast<double>(k) : static_cast<double>(k) - n;
        const double omega = 2.0 * std::numbers::pi * kk / total;
        const Complex s(sigma, omega);
        Complex h = HeadMobility(segs, pile, s, omega) * s;  // acceleration per force
        if (wr > 0) {
            h *= wr * wr / (s * s + s * wr / sensor.resonanceQ + wr * wr);
        }
        if (wc > 0) {
            // Two biquads of the 4-pole Butterworth (pole pairs at 3 pi / 8 and pi / 8).
            for (double q : {0.5411961, 1.3065630}) {
                h *= wc * wc / (s * s + s * wc / q + wc * wc);
            }
        }
        x[k] *= h;
    }
    Fft(x, true);
    for (int i = 0; i < count; ++i) {
        const double t = sensor.triggerDelayUs + i * intervalUs;
        const double pos = t / dt;
        const size_t j = std::min(static_cast<size_t>(pos), n - 2);
        const double frac = pos - static_cast<double>(j);
        const double a0 = x[j].real() * std::exp(sigma * j * dt);
        const double a1 = x[j + 1].real() * std::exp(sigma * (j + 1) * dt);
        out[static_cast<size_t>(i)] = a0 + (a1 - a0) * frac;
    }
    return out;
}

}  // namespace kx::synth
