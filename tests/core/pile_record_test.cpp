#include <gtest/gtest.h>

#include "record/pile_record.h"

namespace kx {
namespace {

TEST(PileRecord, NewRecordHasDocumentedDefaults) {
    const PileRecord r;
    EXPECT_EQ(r.integrityClass, "I");
    EXPECT_EQ(r.lowPassHz, 1000);
    EXPECT_EQ(r.pileTopTimeUs, 10);
    EXPECT_EQ(r.pileBottomTimeUs, 210);
    EXPECT_EQ(r.instrInt1, 260);
    EXPECT_EQ(r.instrInt2, 280);
    EXPECT_EQ(r.instrInt3, 10);
    EXPECT_EQ(r.instrInt4, 240);
    EXPECT_EQ(r.instrInt7, 1024);
    EXPECT_EQ(r.instrInt8, 10);
    EXPECT_EQ(r.cursorTimeText, "0");
    EXPECT_EQ(r.sampleCount, 0);
    for (bool absent : r.waveAbsent) EXPECT_TRUE(absent);
    for (const auto& slot : r.waves)
        for (int32_t s : slot) ASSERT_EQ(s, 0);
}

TEST(PileRecord, CopiesAreIndependent) {
    PileRecord a;
    a.site = "工地";
    a.waves[8][3] = 42;
    PileRecord b = a;
    b.site += "X";
    b.waves[8][3] = -1;
    PileRecord c;
    c = a;
    c.remarks = "changed";
    EXPECT_EQ(a.site, "工地");
    EXPECT_EQ(a.waves[8][3], 42);
    EXPECT_EQ(a.remarks, "");
}

TEST(PileRecord, SuffixIsTextAfterLastDotOfTheName) {
    EXPECT_EQ(FileSuffix("/a/b/1.kxd"), "kxd");
    EXPECT_EQ(FileSuffix("/a.b/c"), "");
    EXPECT_EQ(FileSuffix("x.tar.kxc"), "kxc");
    EXPECT_EQ(FileSuffix("X.KXC"), "KXC");
}

}  // namespace
}  // namespace kx
