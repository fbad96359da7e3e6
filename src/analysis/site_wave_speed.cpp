#include "analysis/site_wave_speed.h"

#include <algorithm>
#include <cmath>

namespace kx {

SiteWaveSpeed ComputeSiteWaveSpeed(const std::vector<SpeedSample>& samples,
                                   const SiteWaveSpeedOptions& options) {
    SiteWaveSpeed site;
    std::vector<size_t> kept;
    for (const SpeedSample& s : samples) {
        if (!(s.lengthM > 0) || !(s.toeTimeUs > 0) || !std::isfinite(s.lengthM) ||
            !std::isfinite(s.toeTimeUs)) {
            continue;
        }
        site.piles.push_back({s.pile, 2e6 * s.lengthM / s.toeTimeUs, 0});
        kept.push_back(site.piles.size() - 1);
    }
    const auto mean = [&] {
        double sum = 0;
        for (size_t i : kept) {
            sum += site.piles[i].speedMps;
        }
        return sum / static_cast<double>(kept.size());
    };
    int dropped = 0;
    while (static_cast<int>(kept.size()) >= options.fewestPiles) {
        const double m = mean();
        size_t far = 0;
        for (size_t k = 1; k < kept.size(); ++k) {
            if (std::fabs(site.piles[kept[k]].speedMps - m) >
                std::fabs(site.piles[kept[far]].speedMps - m)) {
                far = k;
            }
        }
        if (std::fabs(site.piles[kept[far]].speedMps - m) <= options.tolerance * m) {
            site.meanMps = m;
            return site;
        }
        site.piles[kept[far]].droppedAs = ++dropped;
        kept.erase(kept.begin() + static_cast<std::ptrdiff_t>(far));
    }
    site.refusal =
        "符合条件的桩只有 " + std::to_string(kept.size()) + " 根" +
        (dropped > 0 ? "（已去掉 " + std::to_string(dropped) + " 根偏离平均值的桩）" : "") +
        "，至少需要 " + std::to_string(options.fewestPiles) + " 根完整、桩底反射清晰的桩";
    return site;
}

SpeedHistogram HistogramOfSpeeds(const std::vector<double>& speeds, double binMps) {
    SpeedHistogram h;
    std::vector<double> finite;
    for (double v : speeds) {
        if (std::isfinite(v) && v > 0) {
            finite.push_back(v);
        }
    }
    if (finite.empty() || !(binMps > 0)) {
        return h;
    }
    const auto [lo, hi] = std::minmax_element(finite.begin(), finite.end());
    h.binMps = binMps;
    h.firstMps = std::floor(*lo / binMps) * binMps;
    // Speeds of a pile are a few thousand m/s: a bin count that stays small.
    const size_t bins = static_cast<size_t>(std::floor((*hi - h.firstMps) / binMps)) + 1;
    h.counts.assign(std::min<size_t>(bins, 1000), 0);
    for (double v : finite) {
        const size_t k = static_cast<size_t>(std::floor((v - h.firstMps) / binMps));
        ++h.counts[std::min(k, h.counts.size() - 1)];
    }
    return h;
}

}  // namespace kx
