// What the information pages and the remarks box show of a record, and the way back. Every
// conversion between a record's fields and the boxes' texts (numbers, their finiteness, GBK,
// line breaks) is here, so the window only moves strings between these and its controls.
#pragma once

#include <string>

#include "record/pile_record.h"
#include "record/status.h"

namespace kx {

// The page texts the change test of the save prompt compares with the current record.
// Texts are GBK bytes, as the record keeps them, so the comparison is byte for byte.
struct PageTexts {
    std::string tester;            // 1013
    std::string testingUnit;       // 1014
    std::string site;              // 1015
    std::string pileNumber;        // 1016
    std::string testDate;          // date picker 1009, "%Y-%m-%d"
    std::string testTime;          // time picker 1011, "%H:%M:%S"
    std::string integrityClass;    // 1033
    std::string concreteStrength;  // 1054
    std::string pileDiameter;      // 1055
    std::string defectPosition;    // 1019
    std::string pileLength;        // 1017
    std::string waveSpeed;         // 1018
    std::string remarks;           // remarks box 1005

    bool operator==(const PageTexts&) const = default;
};

// The boxes of the five pages and the remarks box as the window shows them, in UTF-8.
struct PageBoxes {
    // 工程信息. The dates are the record's texts on the way to the pickers, and the pickers'
    // texts ("%Y-%m-%d", "%H:%M:%S") on the way back.
    std::string tester;
    std::string testingUnit;
    std::string site;
    std::string pileNumber;
    std::string testDate;
    std::string testTime;
    // 结论信息
    std::string integrityClass;
    std::string concreteStrength;
    std::string pileDiameter;
    // 参数信息
    std::string pileLength;
    std::string waveSpeed;
    std::string defectPosition;
    std::string sampleCount;
    std::string sampleInterval;
    // 波型信息
    std::string cursorTime;
    std::string cursorVoltage;
    std::string cursorPosition;
    std::string lowPass;
    // 设备信息
    std::string instrumentNumber;
    std::string longitude;
    std::string latitude;
    // 备注, its line breaks as LF (the record keeps CR LF).
    std::string remarks;
};

// The boxes for a record whose defect lies `defectDepth` metres deep.
PageBoxes PageBoxesOf(const PileRecord& rec, float defectDepth);

// Copies the editable boxes into the record: the texts as GBK, the dates, length and speed
// (a number past float's range reads as none, 0) and the low-pass cut-off. Fails, changing
// nothing, when GBK cannot hold a character; the reason names it for a message box.
Status CollectPageBoxes(const PageBoxes& boxes, PileRecord& rec);

// The texts the change test compares. A text GBK cannot hold differs from every record text,
// so its UTF-8 bytes stand in for it.
PageTexts PageTextsOf(const PageBoxes& boxes);

// Line breaks of a text box (LF) and of a record (CR LF).
std::string LineBreaksForRecord(std::string_view shown);
std::string LineBreaksForDisplay(std::string_view stored);

}  // namespace kx
