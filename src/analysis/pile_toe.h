// 自动识别桩底: the pile toe's reflection in the stacked waveform.
#pragma once

#include <optional>

#include "analysis/echo_scan.h"
#include "record/pile_record.h"

namespace kx {

struct PileToe {
    std::optional<double> timeUs;  // two-way travel time from the pile-top peak; none: not found
    double confidence = 0;         // 0..1
};

// Wave speeds a concrete pile can have, for finding the toe of a pile of known length.
inline constexpr double kLowestPileSpeed = 3000.0;
inline constexpr double kHighestPileSpeed = 4500.0;

// Where the toe can be, in two-way travel times (µs) from the pile-top peak: with a pile
// length, its travel times at 3,000-4,500 m/s (widened to 0.85-1.15 of the travel time at the
// record's speed when it has one, which is then `expected`); without, the whole record.
struct ToeWindow {
    double earliest = 0;
    double latest = 0;
    double expected = 0;  // 0: no speed to expect
};
ToeWindow WindowForToe(double pileLengthM, double waveSpeedMps, double recordUs);

// The toe among the arrivals of a scan: the strongest wave back where the toe can be, of
// either sign (a free or soft toe sends the blow back as it came, a toe in rock inverted). With
// a pile length the toe lies within its travel times at 3,000-4,500 m/s; without, anywhere
// after the blow. Its confidence is how far it stands out of the noise and of every other
// arrival there.
PileToe PickPileToe(const EchoScan& scan, double pileLengthM, double waveSpeedMps);

// The toe of the record's stacked waveform as the project loader leaves it, using its pile
// length and wave speed (each when set) as above.
PileToe FindPileToe(const PileRecord& rec);

}  // namespace kx
