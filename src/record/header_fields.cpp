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

void WriteAcquisitionFields(ByteWriter& out, const PileRecord& rec) {
    out.Write(rec.pileLength);
    out.Write(rec.waveSpeed);
    out.Write(rec.sampleCount);
    out.Write(rec.sampleIntervalUs);
    out.Write(rec.instrShort1);
    out.Write(rec.instrShort2);
    out.Write(rec.pileTopTimeUs);
    out.Write(rec.instrInt1);
    out.Write(rec.pileBottomTimeUs);
    out.Write(rec.instrInt2);
    out.Write(rec.instrInt3);
    out.Write(rec.instrInt4);
    out.WriteFlag(rec.instrFlag1);
    out.WriteFlag(rec.instrFlag2);
    out.WriteFlag(rec.instrFlag3);
    out.Write(rec.instrFloat1);
    out.Write(rec.instrFloat2);
    out.Write(rec.defectTimeUs);
    out.Write(rec.instrInt5);
    out.Write(rec.instrFloat3);
    out.Write(rec.lowPassHz);
    out.Write(rec.instrFloat4);
    out.Write(rec.instrFloat5);
    for (int16_t v : rec.channelShorts) {
        out.Write(v);
    }
    out.WriteFlag(rec.instrFlag7);
    for (bool v : rec.waveAbsent) {
        out.WriteFlag(v);
    }
    for (int32_t v : rec.channelInts) {
        out.Write(v);
    }
}

void WriteTrailingFields(ByteWriter& out, const PileRecord& rec) {
    out.WriteFlag(rec.instrFlag4);
    out.WriteFlag(rec.invertPending);
    out.WriteFlag(rec.instrFlag5);
    out.WriteFlag(rec.integrated);
    out.Write(rec.longitude);
    out.Write(rec.latitude);
    out.Write(rec.instrInt6);
    out.Write(rec.instrInt7);
    out.Write(rec.instrInt8);
    out.WriteFlag(rec.instrFlag6);
}

}  // namespace kx
