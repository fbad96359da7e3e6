// The copy between a record and the texts of the information pages, both ways.
#include "workspace/page_texts.h"

#include <gtest/gtest.h>

#include "record/gbk.h"
#include "support/fixture_writer.h"

namespace kx {
namespace {

using test::Gbk;

PileRecord NamedRecord() {
    PileRecord rec;
    rec.tester = Gbk("张工");
    rec.site = Gbk("滨江花园");
    rec.pileNumber = "12#";
    rec.remarks = Gbk("第一行\r\n第二行");
    rec.testDate = "2026-05-20";
    rec.testTime = "08:01:05";
    rec.pileLength = 12.0f;
    rec.waveSpeed = 3809.5238f;
    rec.sampleCount = 1024;
    rec.sampleIntervalUs = 10;
    rec.lowPassHz = 1500;
    rec.longitude = 114.123456789;
    return rec;
}

TEST(PageTexts, ARecordShowsAndComesBackUnchanged) {
    const PileRecord rec = NamedRecord();
    const PageBoxes shown = PageBoxesOf(rec, 4.4812f);
    EXPECT_EQ(shown.tester, "张工");
    EXPECT_EQ(shown.waveSpeed, "3809.52");
    EXPECT_EQ(shown.defectPosition, "4.48");
    EXPECT_EQ(shown.sampleCount, "1024");
    EXPECT_EQ(shown.lowPass, "1500");
    EXPECT_EQ(shown.longitude, "114.123457");
    EXPECT_EQ(shown.remarks, "第一行\n第二行");

    PileRecord back = rec;
    back.tester = back.site = back.remarks = "";
    ASSERT_TRUE(CollectPageBoxes(shown, back));
    EXPECT_EQ(back.tester, rec.tester);
    EXPECT_EQ(back.site, rec.site);
    EXPECT_EQ(back.remarks, rec.remarks);
    EXPECT_EQ(back.testDate, rec.testDate);
    EXPECT_EQ(back.lowPassHz, 1500);
    EXPECT_EQ(back.waveSpeed, 3809.52f);  // what the box shows is what is kept

    // The change test sees the record's own bytes for an unchanged page.
    const PageTexts texts = PageTextsOf(shown);
    EXPECT_EQ(texts.tester, rec.tester);
    EXPECT_EQ(texts.remarks, rec.remarks);
    EXPECT_EQ(texts.waveSpeed, "3809.52");
}

TEST(PageTexts, NumbersPastTheRangeOfAFloatReadAsNone) {
    struct Case {
        const char* typed;
        float kept;
    } cases[] = {{"12.5m", 12.5f}, {"abc", 0.0f},   {"1e999", 0.0f},
                 {"4e38", 0.0f},   {"-1e39", 0.0f}, {"3.4e38", 3.4e38f}};
    for (const Case& c : cases) {
        PileRecord rec = NamedRecord();
        PageBoxes boxes = PageBoxesOf(rec, 0.0f);
        boxes.pileLength = c.typed;
        boxes.waveSpeed = c.typed;
        ASSERT_TRUE(CollectPageBoxes(boxes, rec)) << c.typed;
        EXPECT_EQ(rec.pileLength, c.kept) << c.typed;
        EXPECT_EQ(rec.waveSpeed, c.kept) << c.typed;
    }
}

TEST(PageTexts, ACharacterGbkCannotHoldChangesNothingAndIsNamed) {
    const PileRecord before = NamedRecord();
    PileRecord rec = before;
    PageBoxes boxes = PageBoxesOf(rec, 0.0f);
    boxes.tester = "李工";
    boxes.pileDiameter = "800\xF0\x9F\x98\x80";  // an emoji
    boxes.waveSpeed = "4000";
    const Status st = CollectPageBoxes(boxes, rec);
    EXPECT_FALSE(st);
    EXPECT_NE(st.reason.find("\xF0\x9F\x98\x80"), std::string::npos);
    EXPECT_NE(st.reason.find("GBK"), std::string::npos);
    EXPECT_EQ(rec.tester, before.tester);
    EXPECT_EQ(rec.waveSpeed, before.waveSpeed);

    // For the change test such a text stands as its UTF-8 bytes, unlike any record text.
    EXPECT_EQ(PageTextsOf(boxes).pileDiameter, boxes.pileDiameter);
}

}  // namespace
}  // namespace kx
