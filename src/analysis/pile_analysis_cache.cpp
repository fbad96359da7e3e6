#include "analysis/pile_analysis_cache.h"

#include <bit>
#include <cstdint>

namespace kx {

bool PileAnalysisCache::Matches(const PileRecord& rec) const {
    // Bit for bit, so that a NaN read from a file matches itself.
    auto bits = [](float v) { return std::bit_cast<uint32_t>(v); };
    return m_valid && m_sampleCount == rec.sampleCount && m_intervalUs == rec.sampleIntervalUs &&
           bits(m_pileLength) == bits(rec.pileLength) && bits(m_waveSpeed) == bits(rec.waveSpeed) &&
           m_wave == rec.waves[kStackedSlot];
}

const PileAnalysis& PileAnalysisCache::For(const PileRecord& rec) {
    if (!Matches(rec)) {
        m_result = AnalyzePile(rec);
        ++m_computations;
        m_valid = true;
        m_wave = rec.waves[kStackedSlot];
        m_sampleCount = rec.sampleCount;
        m_intervalUs = rec.sampleIntervalUs;
        m_pileLength = rec.pileLength;
        m_waveSpeed = rec.waveSpeed;
    }
    return m_result;
}

}  // namespace kx
