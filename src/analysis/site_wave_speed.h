// The site's wave speed: the mean of the speeds of intact piles with a clear toe echo, each
// within a tolerance of that mean (practice of the low-strain method: at least five piles,
// each within ±5 %). Piles outside are dropped one by one, the farthest first, and the mean
// taken again; with too few piles left the mean is refused with the reason.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace kx {

// One pile that qualifies: its length and the two-way travel time to its toe.
struct SpeedSample {
    std::string pile;  // as the engineer names it (pile number or file)
    double lengthM = 0;
    double toeTimeUs = 0;
};

struct SiteWaveSpeedOptions {
    int fewestPiles = 5;
    double tolerance = 0.05;  // share of the mean each speed may differ from it
};

struct SiteSpeedPile {
    std::string pile;
    double speedMps = 0;  // 2L / t
    int droppedAs = 0;    // 0: kept; k: the k-th pile dropped
};

struct SiteWaveSpeed {
    std::vector<SiteSpeedPile> piles;  // in the order given
    std::optional<double> meanMps;     // over the kept piles; none when refused
    std::string refusal;               // why there is no mean
};

// Samples with no length or no time are left out (named in the refusal when too few remain).
SiteWaveSpeed ComputeSiteWaveSpeed(const std::vector<SpeedSample>& samples,
                                   const SiteWaveSpeedOptions& options = {});

// Speeds counted in bins `binMps` wide, from the bin holding the slowest to the one holding the
// fastest (empty bins included); nothing without speeds. Bin k starts at first + k * binMps.
struct SpeedHistogram {
    double firstMps = 0;
    double binMps = 0;
    std::vector<int> counts;
};
SpeedHistogram HistogramOfSpeeds(const std::vector<double>& speeds, double binMps = 100);

}  // namespace kx
