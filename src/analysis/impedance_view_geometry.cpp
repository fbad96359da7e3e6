#include "analysis/impedance_view_geometry.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace kx {

namespace {

// Impedances above this are drawn at the top edge: a profile is read for its defects, and a
// wild value from a poor fit would flatten everything else.
constexpr double kLargestImpedanceRange = 4.0;
constexpr double kDepthSteps[] = {0.5, 1, 2, 5, 10, 20, 50, 100};

std::string Number(double value, int decimals) {
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

}  // namespace

std::optional<ImpedancePlot> ComputeImpedancePlot(const PileImpedance& profile, double pileLengthM,
                                                  int viewWidth, int viewHeight) {
    ImpedancePlot p;
    p.left = kImpedanceLeft;
    p.top = kImpedanceTop;
    p.right = viewWidth - kImpedanceRight;
    p.bottom = viewHeight - kImpedanceBottom;
    const double dz = profile.dzM;
    if (profile.values.empty() || !(dz > 0) || !std::isfinite(dz) || p.right - p.left < 50 ||
        p.bottom - p.top < 50) {
        return std::nullopt;
    }
    const bool hasLength = pileLengthM > 0 && std::isfinite(pileLengthM);
    const double profileEnd = dz * static_cast<double>(profile.values.size());
    const double deepest = std::max(profileEnd, hasLength ? pileLengthM : 0.0);
    const double width = p.right - p.left;
    const double height = p.bottom - p.top;

    // Depth: a step a reader counts in, at least 60 pixels apart; the axis ends on a step.
    double step = kDepthSteps[std::size(kDepthSteps) - 1];
    for (double s : kDepthSteps) {
        if (s * width / (deepest * 1.05) >= 60) {
            step = s;
            break;
        }
    }
    p.depthRangeM = std::ceil(deepest * 1.05 / step) * step;
    const double pxPerM = width / p.depthRangeM;
    auto xAt = [&](double depth) {
        return static_cast<int32_t>(std::lround(p.left + depth * pxPerM));
    };
    for (int k = 0; k * step <= p.depthRangeM + 1e-9; ++k) {
        p.depthTicks.push_back({xAt(k * step), Number(k * step, step < 1 ? 1 : 0)});
    }

    // Impedance: 0 at the bottom, at least 2 (twice the head's) at the top, in halves.
    double largest = 0;
    for (double z : profile.values) {
        if (std::isfinite(z)) {
            largest = std::max(largest, z);
        }
    }
    p.impedanceRange = std::clamp(std::ceil(largest * 1.1 * 2) / 2, 2.0, kLargestImpedanceRange);
    const double zStep = p.impedanceRange * 30 <= height / 2 ? 0.25 : 0.5;
    auto yAt = [&](double z) {
        const double clamped = std::isfinite(z) ? std::clamp(z, 0.0, p.impedanceRange) : 0.0;
        return static_cast<int32_t>(std::lround(p.bottom - clamped / p.impedanceRange * height));
    };
    for (int k = 0; k * zStep <= p.impedanceRange + 1e-9; ++k) {
        p.impedanceTicks.push_back({yAt(k * zStep), Number(k * zStep, 2)});
    }
    p.unitY = yAt(1.0);

    // Each element is flat over its length; neighbours meet in a vertical step.
    p.curve.reserve(profile.values.size() * 2);
    for (size_t k = 0; k < profile.values.size(); ++k) {
        const int32_t y = yAt(profile.values[k]);
        p.curve.push_back({xAt(dz * static_cast<double>(k)), y});
        p.curve.push_back({xAt(dz * static_cast<double>(k + 1)), y});
    }
    if (hasLength) {
        p.pileLengthX = xAt(pileLengthM);
    }
    return p;
}

std::string PileLengthCaption(double pileLengthM) {
    return "桩长 " + Number(pileLengthM, 2) + " m";
}

}  // namespace kx
