#include "waveform/layered_echoes.h"

#include <cmath>
#include <queue>

namespace kx {

namespace {

// Bounds the work for piles of many strong changes, whose multiples branch quickly.
constexpr int kMaxWaves = 4000;

struct Wave {
    double time;  // when it sets off from the end of its section
    int section;  // 0: head to first change; k: change k-1 to change k
    bool down;
    double amplitude;
    bool operator>(const Wave& o) const { return time > o.time; }
};

}  // namespace

std::vector<HeadArrival> HeadArrivals(const std::vector<ImpedanceChange>& changes, double fade,
                                      double endTime, double smallest) {
    std::vector<HeadArrival> out;
    const int count = static_cast<int>(changes.size());
    if (count == 0) {
        return out;
    }
    // One-way travel time down to each change.
    auto depth = [&](int k) { return k < 0 ? 0.0 : 0.5 * changes[k].time; };
    std::priority_queue<Wave, std::vector<Wave>, std::greater<Wave>> waves;
    waves.push({0.0, 0, true, 1.0});
    int handled = 0;
    while (!waves.empty() && handled++ < kMaxWaves) {
        const Wave w = waves.top();
        waves.pop();
        const double span = depth(w.section) - depth(w.section - 1);
        const double t = w.time + span;
        const double a = w.amplitude * std::exp(-fade * span);
        if (t > endTime || std::fabs(a) < smallest) {
            continue;
        }
        auto send = [&](int section, bool down, double amplitude) {
            if (std::fabs(amplitude) >= smallest) {
                waves.push({t, section, down, amplitude});
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
            out.push_back({t, 2.0 * a});
            send(0, true, a);  // the free head reflects it unchanged
        } else {
            const double r = changes[w.section - 1].r;
            send(w.section, true, -a * r);
            send(w.section - 1, false, a * (1.0 - r));
        }
    }
    return out;
}

std::vector<double> ImpedanceBelowChanges(const std::vector<ImpedanceChange>& changes) {
    std::vector<double> z;
    double above = 1.0;
    for (const ImpedanceChange& c : changes) {
        above *= (1.0 - c.r) / (1.0 + c.r);
        z.push_back(above);
    }
    return z;
}

}  // namespace kx
