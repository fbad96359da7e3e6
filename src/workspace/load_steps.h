// What the project loader does to every record right after reading it.
#pragma once

#include "record/pile_record.h"

namespace kx {

// Negates the stacked waveform once when the instrument asked for it (invertPending), and
// integrates the present waveforms of slots 0-8 once when the file holds them unintegrated.
void ApplyLoadSteps(PileRecord& rec);

}  // namespace kx
