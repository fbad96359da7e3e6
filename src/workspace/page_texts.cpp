#include "workspace/page_texts.h"

#include <cmath>
#include <utility>

#include "record/gbk.h"
#include "waveform/box_text.h"
#include "waveform/float32.h"

namespace kx {

namespace {

std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
    std::string out;
    size_t start = 0;
    for (size_t pos; (pos = text.find(from, start)) != std::string_view::npos;
         start = pos + from.size()) {
        out.append(text.substr(start, pos - start)).append(to);
    }
    out.append(text.substr(start));
    return out;
}

// A typed number as a record float; a number past float's range reads as none.
float BoxFloat(const std::string& text) {
    const float value = F32(BoxNumber(text));
    return std::isfinite(value) ? value : 0.0f;
}

std::string GbkOrUtf8(const std::string& utf8) {
    std::string gbk;
    return TypedTextToGbk(utf8, gbk) ? gbk : utf8;
}

}  // namespace

std::string LineBreaksForRecord(std::string_view shown) {
    return ReplaceAll(shown, "\n", "\r\n");
}

std::string LineBreaksForDisplay(std::string_view stored) {
    return ReplaceAll(stored, "\r\n", "\n");
}

PageBoxes PageBoxesOf(const PileRecord& rec, float defectDepth) {
    PageBoxes b;
    b.tester = GbkToUtf8Lossy(rec.tester);
    b.testingUnit = GbkToUtf8Lossy(rec.testingUnit);
    b.site = GbkToUtf8Lossy(rec.site);
    b.pileNumber = GbkToUtf8Lossy(rec.pileNumber);
    b.testDate = rec.testDate;
    b.testTime = rec.testTime;
    b.integrityClass = GbkToUtf8Lossy(rec.integrityClass);
    b.concreteStrength = GbkToUtf8Lossy(rec.concreteStrength);
    b.pileDiameter = GbkToUtf8Lossy(rec.pileDiameter);
    b.pileLength = FormatFixed2(rec.pileLength);
    b.waveSpeed = FormatFixed2(rec.waveSpeed);
    b.defectPosition = FormatFixed2(F32(defectDepth));
    b.sampleCount = std::to_string(rec.sampleCount);
    b.sampleInterval = std::to_string(rec.sampleIntervalUs);
    b.cursorTime = GbkToUtf8Lossy(rec.cursorTimeText);
    b.cursorVoltage = FormatFixed2(rec.cursorVoltage);
    b.cursorPosition = FormatFixed2(rec.cursorPosition);
    b.lowPass = std::to_string(rec.lowPassHz);
    b.instrumentNumber = GbkToUtf8Lossy(rec.instrumentNumber);
    b.longitude = FormatFixed(rec.longitude, 6);
    b.latitude = FormatFixed(rec.latitude, 6);
    b.remarks = LineBreaksForDisplay(GbkToUtf8Lossy(rec.remarks));
    return b;
}

Status CollectPageBoxes(const PageBoxes& boxes, PileRecord& rec) {
    // Convert every text first, so that a character GBK cannot hold leaves the record as it
    // was instead of half collected.
    struct Text {
        std::string shown;
        std::string* field;
        std::string gbk;
    };
    Text texts[] = {
        {boxes.tester, &rec.tester, {}},
        {boxes.testingUnit, &rec.testingUnit, {}},
        {boxes.site, &rec.site, {}},
        {boxes.pileNumber, &rec.pileNumber, {}},
        {boxes.integrityClass, &rec.integrityClass, {}},
        {boxes.concreteStrength, &rec.concreteStrength, {}},
        {boxes.pileDiameter, &rec.pileDiameter, {}},
        {LineBreaksForRecord(boxes.remarks), &rec.remarks, {}},
        {boxes.instrumentNumber, &rec.instrumentNumber, {}},
    };
    for (Text& t : texts) {
        if (Status st = TypedTextToGbk(t.shown, t.gbk); !st) {
            return st;
        }
    }
    for (Text& t : texts) {
        *t.field = std::move(t.gbk);
    }
    rec.testDate = boxes.testDate;
    rec.testTime = boxes.testTime;
    rec.pileLength = BoxFloat(boxes.pileLength);
    rec.waveSpeed = BoxFloat(boxes.waveSpeed);
    rec.lowPassHz = BoxInteger(boxes.lowPass);
    return Status::Ok();
}

PageTexts PageTextsOf(const PageBoxes& boxes) {
    PageTexts t;
    t.tester = GbkOrUtf8(boxes.tester);
    t.testingUnit = GbkOrUtf8(boxes.testingUnit);
    t.site = GbkOrUtf8(boxes.site);
    t.pileNumber = GbkOrUtf8(boxes.pileNumber);
    t.testDate = boxes.testDate;
    t.testTime = boxes.testTime;
    t.integrityClass = GbkOrUtf8(boxes.integrityClass);
    t.concreteStrength = GbkOrUtf8(boxes.concreteStrength);
    t.pileDiameter = GbkOrUtf8(boxes.pileDiameter);
    t.defectPosition = GbkOrUtf8(boxes.defectPosition);
    t.pileLength = GbkOrUtf8(boxes.pileLength);
    t.waveSpeed = GbkOrUtf8(boxes.waveSpeed);
    t.remarks = GbkOrUtf8(LineBreaksForRecord(boxes.remarks));
    return t;
}

}  // namespace kx
