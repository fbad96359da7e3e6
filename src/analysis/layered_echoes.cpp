#include "analysis/layered_echoes.h"

#include <cmath>
#include <limits>
#include <queue>

namespace kx {

namespace {

// Bounds the work for piles of many strong changes, whose multiples branch quickly.
constexpr int kMaxWaves = 20000;

// Times are kept in ticks this fine, so that waves meeting at the same time compare equal
// whatever order their travel times were added in.
constexpr double kTick = 1e-6;

struct Wave {
    double time;  // when it sets off from the end of its section
    int section;  // 0: head to first change; k: change k-1 to change k
    bool down;
    double amplitude;
};

// A wave waiting to set off; the heap pops them in time order, and those equal in time,
// section and direction one after another, to be merged.
struct Pending {
    long long tick;
    int section;
    bool down;
    double amplitude;
    bool SameAs(const Pending& o) const {
        return tick == o.tick && section == o.section && down == o.down;
    }
    bool operator>(const Pending& o) const {
        if (tick != o.tick) {
            return tick > o.tick;
        }
        if (section != o.section) {
            return section > o.section;
        }
        return down > o.down;
    }
};

}  // namespace

HeadResponse LayeredHeadResponse(const std::vector<ImpedanceChange>& changes, double soil,
                                 double material, double endTime, double smallest) {
    HeadResponse out;
    const int count = static_cast<int>(changes.size());
    if (count == 0) {
        out.soil.push_back({0.0, std::numeric_limits<double>::infinity(), 0.0, soil});
        return out;
    }
    // One-way travel time down to each change; per section its impedance, the soil's share
    // relative to it, and the up-going waves' passage from its top to the head.
    auto depth = [&](int k) { return k < 0 ? 0.0 : 0.5 * changes[k].time; };
    std::vector<double> soilIn(static_cast<size_t>(count) + 1), kept(soilIn.size()),
        upward(soilIn.size());
    double z = 1.0, passage = 1.0;
    for (int k = 0; k <= count; ++k) {
        soilIn[k] = soil / z;
        // What a wave keeps crossing the section.
        kept[k] = k < count ? std::exp(-(soilIn[k] + material) * (depth(k) - depth(k - 1))) : 0.0;
        upward[k] = passage;
        if (k < count) {
            z *= (1.0 - changes[k].r) / (1.0 + changes[k].r);
            passage *= 1.0 - changes[k].r;
        }
    }
    // Waves waiting to set off, in time order. Waves that meet at the same place at the same
    // time travel on as one: a layered pile's multiples arrive in far fewer distinct times
    // than there are paths to them.
    std::priority_queue<Pending, std::vector<Pending>, std::greater<Pending>> waves;
    waves.push({0, 0, true, 1.0});
    int handled = 0;
    while (!waves.empty() && handled++ < kMaxWaves) {
        Pending first = waves.top();
        waves.pop();
        while (!waves.empty() && waves.top().SameAs(first)) {
            first.amplitude += waves.top().amplitude;
            waves.pop();
        }
        const Wave w{static_cast<double>(first.tick) * kTick, first.section, first.down,
                     first.amplitude};
        const double top = depth(w.section - 1), bottom = depth(w.section);
        const double span = bottom - top;
        const double t = w.time + span;
        if (w.down && soil > 0.0) {
            out.soil.push_back({w.time + top, w.time + 2.0 * bottom - top, w.time,
                                soilIn[w.section] * w.amplitude * upward[w.section]});
        }
        const double a = w.amplitude * kept[w.section];
        if (t > endTime || std::fabs(a) < smallest) {
            continue;
        }
        auto send = [&](int section, bool down, double amplitude) {
            if (std::fabs(amplitude) >= smallest) {
                waves.push({std::llround(t / kTick), section, down, amplitude});
            }
        };
        if (w.down) {
            // At the change below the section: back up, and on down unless it leaves the pile.
            const double r = changes[w.section].r;
            send(w.section, false, a * r);
            if (w.section + 1 < count) {
                send(w.section + 1, true, a * (1.0 + r));
            }
        } else if (w.section == 0) {
            out.arrivals.push_back({t, 2.0 * a});
            send(0, true, a);  // the free head reflects it unchanged
        } else {
            const double r = changes[w.section - 1].r;
            send(w.section, true, -a * r);
            send(w.section - 1, false, a * (1.0 - r));
        }
    }
    return out;
}

}  // namespace kx
