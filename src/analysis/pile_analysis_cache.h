// The analysis aids as the window shows them: the depth scale's defects, the impedance tab and
// 自动识别桩底 all ask for the analysis of the current record, which takes a noticeable moment.
// The cache keeps the last result and computes it again only when what the analysis reads
// has changed (a tool, a marker that changed the speed or length, another record).
#pragma once

#include "analysis/pile_analysis.h"
#include "record/pile_record.h"

namespace kx {

class PileAnalysisCache {
public:
    // AnalyzePile(rec), from the cache while rec's stacked waveform, sample count, sampling
    // interval, pile length and wave speed are those of the last call.
    const PileAnalysis& For(const PileRecord& rec);
    // How many times the analysis has been computed (the cache's own test reads it).
    int Computations() const { return m_computations; }

private:
    bool Matches(const PileRecord& rec) const;

    bool m_valid = false;
    WaveSlot m_wave{};
    int16_t m_sampleCount = 0;
    int32_t m_intervalUs = 0;
    float m_pileLength = 0;
    float m_waveSpeed = 0;
    PileAnalysis m_result;
    int m_computations = 0;
};

}  // namespace kx
