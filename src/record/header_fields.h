// The runs of header fields that the raw file and the analysis file store in the same order
// (each in its own byte order).
#pragma once

#include "record/byte_reader.h"
#include "record/pile_record.h"

namespace kx {

// pileLength ... channelInts: the acquisition numbers, marks, instrument values and the
// per-channel arrays. `sampleCount` is read, not checked.
void ReadAcquisitionFields(ByteReader& in, PileRecord& rec);

// instrFlag4, invertPending, instrFlag5, integrated, longitude, latitude, instrInt6-8,
// instrFlag6.
void ReadTrailingFields(ByteReader& in, PileRecord& rec);

// The same two runs, written.
void WriteAcquisitionFields(ByteWriter& out, const PileRecord& rec);
void WriteTrailingFields(ByteWriter& out, const PileRecord& rec);

}  // namespace kx
