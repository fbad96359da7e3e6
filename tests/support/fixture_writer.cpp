#include "support/fixture_writer.h"

#include <cstring>
#include <fstream>
#include <iterator>

#include <gtest/gtest.h>

#include "record/gbk.h"

namespace kx::test {

Bytes& Bytes::put(uint64_t v, int n) {
    for (int i = 0; i < n; ++i) {
        const int shift = big_ ? 8 * (n - 1 - i) : 8 * i;
        data.push_back(static_cast<uint8_t>(v >> shift));
    }
    return *this;
}
Bytes& Bytes::f32(float v) {
    uint32_t u;
    std::memcpy(&u, &v, 4);
    return put(u, 4);
}
Bytes& Bytes::f64(double v) {
    uint64_t u;
    std::memcpy(&u, &v, 8);
    return put(u, 8);
}

std::vector<uint8_t> RawFixture::Build() const {
    const PileRecord& v = values;
    Bytes b(true);
    auto str = [&](const std::string& s) { b.i32(static_cast<int32_t>(s.size())).text(s); };
    auto flag = [&](bool f) { b.u8(f ? trueByte : 0); };
    b.text(std::string(v.magic.data(), 4)).i32(layout).f32(v.headerValue);
    b.i32(headerTextCount.value_or(static_cast<int32_t>(v.headerText.size()))).text(v.headerText);
    str(v.testingUnit);
    str(v.tester);
    str(v.remarks);
    b.u32(julianDay).u32(millis);
    str(v.site);
    str(v.pileNumber);
    b.f32(v.pileLength).f32(v.waveSpeed).i16(v.sampleCount).i32(v.sampleIntervalUs);
    b.i16(v.instrShort1).i16(v.instrShort2);
    b.i32(v.pileTopTimeUs).i32(v.instrInt1).i32(v.pileBottomTimeUs);
    b.i32(v.instrInt2).i32(v.instrInt3).i32(v.instrInt4);
    flag(v.instrFlag1);
    flag(v.instrFlag2);
    flag(v.instrFlag3);
    b.f32(v.instrFloat1).f32(v.instrFloat2).f32(v.defectTimeUs).i32(v.instrInt5);
    b.f32(v.instrFloat3).i32(v.lowPassHz).f32(v.instrFloat4).f32(v.instrFloat5);
    for (int16_t s : v.channelShorts)
        b.i16(s);
    flag(v.instrFlag7);
    for (bool a : v.waveAbsent)
        flag(a);
    for (int32_t c : v.channelInts)
        b.i32(c);
    flag(v.instrFlag4);
    flag(v.invertPending);
    flag(v.instrFlag5);
    flag(v.integrated);
    b.f64(v.longitude).f64(v.latitude);
    b.i32(v.instrInt6).i32(v.instrInt7).i32(v.instrInt8);
    flag(v.instrFlag6);
    size_t conclusion = 0;
    if (layout == 234) {
        for (const std::string* s :
             {&v.integrityClass, &v.concreteStrength, &v.pileDiameter, &v.instrumentNumber}) {
            str(*s);
            conclusion += s->size();
        }
    }
    if (conclusion < 991) {
        b.fill(991 - conclusion, 0xEE);
    }
    for (const auto& w : fileWaves) {
        if (layout == 123)
            b.i32(0x0BADF00D);
        for (int32_t s : w)
            b.i32(s);
    }
    return b.data;
}

RawFixture MakeRawFixture(int32_t layout, int16_t n) {
    RawFixture f;
    PileRecord& v = f.values;
    f.layout = layout;
    std::memcpy(v.magic.data(), "QRVA", 4);
    v.headerValue = 1.5f;
    v.headerText = "HDR";
    v.testingUnit = "\xBC\xEC\xB2\xE2\xB5\xA5\xCE\xBB";  // 检测单位 in GBK
    v.tester = "Zhang";
    v.remarks = "remark text";
    v.site = "Site-7";
    v.pileNumber = "P12";
    v.pileLength = 12.345f;
    v.waveSpeed = 3800.5f;
    v.sampleCount = n;
    v.sampleIntervalUs = 25;
    v.instrShort1 = -3;
    v.instrShort2 = 4;
    v.pileTopTimeUs = 101;
    v.instrInt1 = 102;
    v.pileBottomTimeUs = 6503;
    v.instrInt2 = 104;
    v.instrInt3 = 105;
    v.instrInt4 = 106;
    v.instrFlag1 = true;
    v.instrFlag3 = true;
    v.instrFloat1 = 2.25f;
    v.instrFloat2 = -7.5f;
    v.defectTimeUs = 3100.75f;
    v.instrInt5 = 107;
    v.instrFloat3 = 0.125f;
    v.lowPassHz = 1500;
    v.instrFloat4 = 9.75f;
    v.instrFloat5 = -0.5f;
    for (int i = 0; i < kChannelCount; ++i) {
        v.channelShorts[i] = static_cast<int16_t>(200 + i);
        v.channelInts[i] = -300 - i;
        v.waveAbsent[i] = (i % 3 == 1);
    }
    v.instrFlag7 = true;
    v.instrFlag4 = true;
    v.invertPending = true;
    v.integrated = false;
    v.instrFlag5 = true;
    v.longitude = 114.123456789;
    v.latitude = -22.987654321;
    v.instrInt6 = 108;
    v.instrInt7 = 109;
    v.instrInt8 = 110;
    v.instrFlag6 = true;
    v.integrityClass = "II";
    v.concreteStrength = "C30";
    v.pileDiameter = "800";
    v.instrumentNumber = "KX-1";
    const int count = layout == 123 ? 9 : 5;
    for (int w = 0; w < count; ++w) {
        std::vector<int32_t> wave(static_cast<size_t>(n > 0 ? n : 0));
        for (size_t i = 0; i < wave.size(); ++i) {
            wave[i] =
                static_cast<int32_t>((w + 1) * 100000 + static_cast<int>(i)) * (i % 2 ? -1 : 1);
        }
        f.fileWaves.push_back(std::move(wave));
    }
    return f;
}

std::vector<uint8_t> AnalysisFixture(const PileRecord& v) {
    Bytes b(false);
    auto str = [&](const std::string& s) {
        b.i32(static_cast<int32_t>(s.size() + 1)).text(s).u8(0);
    };
    auto flag = [&](bool f) { b.u8(f ? 1 : 0); };
    b.text(std::string(v.magic.data(), 4)).i32(v.formatVersion).f32(v.headerValue);
    for (const std::string* s : {&v.headerText, &v.testingUnit, &v.tester, &v.remarks, &v.testDate,
                                 &v.testTime, &v.site, &v.pileNumber}) {
        str(*s);
    }
    b.f32(v.pileLength).f32(v.waveSpeed).i16(v.sampleCount).i32(v.sampleIntervalUs);
    b.i16(v.instrShort1).i16(v.instrShort2);
    b.i32(v.pileTopTimeUs).i32(v.instrInt1).i32(v.pileBottomTimeUs);
    b.i32(v.instrInt2).i32(v.instrInt3).i32(v.instrInt4);
    flag(v.instrFlag1);
    flag(v.instrFlag2);
    flag(v.instrFlag3);
    b.f32(v.instrFloat1).f32(v.instrFloat2).f32(v.defectTimeUs).i32(v.instrInt5);
    b.f32(v.instrFloat3).i32(v.lowPassHz).f32(v.instrFloat4).f32(v.instrFloat5);
    for (int16_t s : v.channelShorts)
        b.i16(s);
    flag(v.instrFlag7);
    for (bool a : v.waveAbsent)
        flag(a);
    for (int32_t c : v.channelInts)
        b.i32(c);
    b.text(std::string("test", 4)).u8(0);
    flag(v.instrFlag4);
    flag(v.invertPending);
    flag(v.instrFlag5);
    flag(v.integrated);
    b.f64(v.longitude).f64(v.latitude);
    b.i32(v.instrInt6).i32(v.instrInt7).i32(v.instrInt8);
    flag(v.instrFlag6);
    b.text(std::string("test", 4)).u8(0);
    for (const std::string* s :
         {&v.integrityClass, &v.concreteStrength, &v.pileDiameter, &v.instrumentNumber}) {
        str(*s);
    }
    b.fill(1024, 0x2C);
    for (const auto& slot : v.waves) {
        for (int i = 0; i < v.sampleCount; ++i)
            b.i32(i < kMaxSamples ? slot[static_cast<size_t>(i)] : 0);
    }
    return b.data;
}

PileRecord MakeFullRecord(int16_t n) {
    RawFixture f = MakeRawFixture(234, n);
    PileRecord r = f.values;
    r.formatVersion = 234;
    r.testDate = "2018-06-28";
    r.testTime = "01:02:03";
    r.cursorTimeText = "0";
    for (int s = 0; s < kSlotCount; ++s) {
        for (int i = 0; i < n; ++i) {
            r.waves[s][i] = (s + 1) * 1000003 * (i % 2 ? -1 : 1) + i;
        }
    }
    return r;
}

std::string WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
    return path;
}

std::vector<uint8_t> ReadFile(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

std::string Gbk(const std::string& utf8) {
    std::string gbk;
    EXPECT_TRUE(Utf8ToGbk(utf8, gbk)) << utf8;
    return gbk;
}

}  // namespace kx::test
