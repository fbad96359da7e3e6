#include "record/header_fields.h"

namespace kx {

void ReadAcquisitionFields(ByteReader& in, PileRecord& rec) {
    rec.pileLength = in.Read<float>();
    rec.waveSpeed = in.Read<float>();
    rec.sampleCount = in.Read<int16_t>();
    rec.sampleIntervalUs = in.Read<int32_t>();
    rec.instrShort1 = in.Read<int16_t>();
    rec.instrShort2 = in.Read<int16_t>();
    rec.pileTopTimeUs = in.Read<int32_t>();
    rec.instrInt1 = in.Read<int32_t>();
    rec.pileBottomTimeUs = in.Read<int32_t>();
    rec.instrInt2 = in.Read<int32_t>();
    rec.instrInt3 = in.Read<int32_t>();
    rec.instrInt4 = in.Read<int32_t>();
    rec.instrFlag1 = in.ReadFlag();
    rec.instrFlag2 = in.ReadFlag();
    rec.instrFlag3 = in.ReadFlag();
    rec.instrFloat1 = in.Read<float>();
    rec.instrFloat2 = in.Read<float>();
    rec.defectTimeUs = in.Read<float>();
    rec.instrInt5 = in.Read<int32_t>();
    rec.instrFloat3 = in.Read<float>();
    rec.lowPassHz = in.Read<int32_t>();
    rec.instrFloat4 = in.Read<float>();
    rec.instrFloat5 = in.Read<float>();
    for (auto& v : rec.channelShorts) {
        v = in.Read<int16_t>();
    }
    rec.instrFlag7 = in.ReadFlag();
    for (auto& v : rec.waveAbsent) {
        v = in.ReadFlag();
    }
    for (auto& v : rec.channelInts) {
        v = in.Read<int32_t>();
    }
}

void ReadTrailingFields(ByteReader& in, PileRecord& rec) {
    rec.instrFlag4 = in.ReadFlag();
    rec.invertPending = in.ReadFlag();
    rec.instrFlag5 = in.ReadFlag();
    rec.integrated = in.ReadFlag();
    rec.longitude = in.Read<double>();
    rec.latitude = in.Read<double>();
    rec.instrInt6 = in.Read<int32_t>();
    rec.instrInt7 = in.Read<int32_t>();
    rec.instrInt8 = in.Read<int32_t>();
    rec.instrFlag6 = in.ReadFlag();
}

}  // namespace kx
