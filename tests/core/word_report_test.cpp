// The Word report of the print list: title, summary table and figures, as the export builds
// them.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "core/record_test_util.h"
#include "core/workspace_test_util.h"
#include "record/gbk.h"
#include "report/docx_writer.h"
#include "report/word_report.h"
#include "support/docx_reader.h"
#include "support/fixture_writer.h"

namespace kx {
namespace {

namespace fs = std::filesystem;

std::vector<PileRecord> Piles(int n) {
    std::vector<PileRecord> piles(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        PileRecord& r = piles[static_cast<size_t>(i)];
        Utf8ToGbk(std::to_string(i + 1) + "号桩", r.pileNumber);
        r.pileDiameter = "800";
        r.pileLength = 10.0f + static_cast<float>(i);
        r.waveSpeed = 3800.5f;
        // Odd entries have a defect at 3.456 m: a third of the way from top to bottom.
        r.pileTopTimeUs = 100;
        r.pileBottomTimeUs = 400;
        r.defectTimeUs = i % 2 == 1 ? 200.0f : 0.0f;
        r.pileLength = i % 2 == 1 ? 10.368f : r.pileLength;
        Utf8ToGbk("C30", r.concreteStrength);
        r.testDate = "2024-05-06";
    }
    return piles;
}

std::vector<const PileRecord*> Entries(const std::vector<PileRecord>& piles) {
    std::vector<const PileRecord*> e;
    for (const PileRecord& p : piles) {
        e.push_back(&p);
    }
    return e;
}

TEST(WordReport, DefectWordingFollowsTheDepth) {
    const struct {
        float depth;
        const char* text;
    } cases[] = {{3.456f, "距桩顶3.46米左右有缺陷"},
                 {0.004f, "距桩顶0.00米左右有缺陷"},
                 {0.0f, "桩身质量完整"},
                 {-1.5f, "桩身质量完整"},
                 {std::nanf(""), "桩身质量完整"}};
    for (const auto& c : cases) {
        EXPECT_EQ(DefectDescription(c.depth), c.text) << c.depth;
    }
    // Without a defect marker the class speaks: a class III or IV pile is never "intact".
    const struct {
        float depth;
        const char* integrityClass;
        const char* text;
    } byClass[] = {{0.0f, "I", "桩身质量完整"},
                   {0.0f, "II", "桩身质量完整"},
                   {0.0f, "III", "桩身有明显缺陷"},
                   {0.0f, "IV", "桩身存在严重缺陷"},
                   {3.456f, "IV", "距桩顶3.46米左右有缺陷"}};
    for (const auto& c : byClass) {
        EXPECT_EQ(DefectDescription(c.depth, c.integrityClass), c.text) << c.integrityClass;
    }
}

TEST(WordReport, FigureCountIsEntriesPerPageRoundedUp) {
    EXPECT_EQ(WordFigureCount(23, 10), 3);
    EXPECT_EQ(WordFigureCount(23, 14), 2);
    EXPECT_EQ(WordFigureCount(20, 10), 2);
    EXPECT_EQ(WordFigureCount(1, 14), 1);
    EXPECT_EQ(WordFigureCount(0, 10), 0);
    EXPECT_EQ(WordFigureCount(5, 0), 0);
    EXPECT_EQ(WordFigurePaths("/d", 2), (std::vector<std::string>{"/d/1.jpg", "/d/2.jpg"}));
}

TEST(WordReport, TwentyThreeEntriesGiveTwentyFourRowsAndTheFiguresInOrder) {
    const std::string dir = test::TestDir();
    const auto piles = Piles(23);
    const int32_t k = WordFigureCount(piles.size(), 10);
    for (int w = 1; w <= k; ++w) {
        test::WriteFile(dir + "/" + WordFigureName(w), test::JpegHeaderBytes(800 + w, 1300));
    }
    ASSERT_TRUE(WriteWordReport(Entries(piles), WordFigurePaths(dir, k), dir + "/r.docx"));

    const test::DocxParts docx = test::ReadDocx(dir + "/r.docx");
    ASSERT_EQ(docx.error, "");
    const std::string& xml = docx.Document();
    const auto rows = test::TableTexts(xml);
    ASSERT_EQ(rows.size(), 24u);
    EXPECT_EQ(rows[0],
              (std::vector<std::string>{"序号", "桩号", "桩径(mm)", "桩长(m)", "波速(m/s)",
                                        "桩身结构完整性描述", "类别", "砼强度", "检测日期"}));
    EXPECT_EQ(rows[1], (std::vector<std::string>{"1", "1号桩", "800", "10.00", "3800.50",
                                                 "桩身质量完整", "I", "C30", "2024-05-06"}));
    EXPECT_EQ(rows[2][5], "距桩顶3.46米左右有缺陷");
    EXPECT_EQ(rows[23][0], "23");
    EXPECT_EQ(rows[23][3], "32.00");
    // The title, centred in 黑体 18, before the table; the pictures after it, in order.
    const size_t title = xml.find(">低应变检测结果汇总表<");
    ASSERT_NE(title, std::string::npos);
    const std::string titleParagraph =
        xml.substr(xml.rfind("<w:p>", title), title - xml.rfind("<w:p>", title));
    EXPECT_NE(titleParagraph.find("<w:jc w:val=\"center\"/>"), std::string::npos);
    EXPECT_NE(titleParagraph.find("w:eastAsia=\"黑体\""), std::string::npos);
    EXPECT_NE(titleParagraph.find("<w:sz w:val=\"36\"/>"), std::string::npos);
    EXPECT_LT(title, xml.find("<w:tbl>"));
    EXPECT_LT(xml.find("</w:tbl>"), xml.find("<wp:inline "));
    EXPECT_EQ(test::CountOf(xml, "<wp:inline "), 3u);
    for (int w = 1; w <= k; ++w) {
        EXPECT_EQ(docx.members.at("word/media/image" + std::to_string(w) + ".jpg"),
                  test::FileText(dir + "/" + WordFigureName(w)));
    }
}

// Every cell of a short table gets the table font and centring, none is left out or
// addressed beyond the last row.
TEST(WordReport, ShortTableIsCompleteAndFullyFormatted) {
    const auto piles = Piles(3);
    WordHandle h;
    h.OpenNewDocument();
    ASSERT_TRUE(BuildWordReport(h, Entries(piles), {}));
    const WordTable* table = nullptr;
    for (const WordBlock& b : h.Document().body) {
        if (const auto* t = std::get_if<WordTable>(&b)) {
            table = t;
        }
    }
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(table->rows, 4);
    for (const WordCell& cell : table->cells) {
        EXPECT_EQ(cell.font, (WordFont{"宋体", 12.0f}));
        EXPECT_EQ(cell.alignment, kAlignCentre);
        EXPECT_FALSE(cell.text.empty());
    }
    EXPECT_EQ(table->At(4, 2).text, "3号桩");
    EXPECT_EQ(table->leftPaddingPt, 4.0f);
}

TEST(WordReport, PageNumbersOptionRepeatsTheHeaderKeepsNumbersWholeAndNumbersThePages) {
    const auto piles = Piles(3);
    for (const bool on : {false, true}) {
        SCOPED_TRACE(on ? "option on" : "option off");
        WordHandle h;
        h.OpenNewDocument();
        ASSERT_TRUE(BuildWordReport(h, Entries(piles), {}, {on}));
        const WordTable* table = nullptr;
        for (const WordBlock& b : h.Document().body) {
            if (const auto* t = std::get_if<WordTable>(&b)) {
                table = t;
            }
        }
        ASSERT_NE(table, nullptr);
        EXPECT_EQ(h.Document().pageNumberFooter, on);
        EXPECT_EQ(table->repeatHeaderRow, on);
        EXPECT_EQ(table->columnTwips.size(), on ? 9u : 0u);
        EXPECT_EQ(table->At(2, 5).font.sizePt, on ? 10.5f : 12.0f);
        std::vector<uint8_t> bytes;
        ASSERT_TRUE(DocxBytes(h.Document(), bytes));
        const std::string text(bytes.begin(), bytes.end());
        // The parts are stored uncompressed or not: look for the footer part's name.
        EXPECT_EQ(text.find("word/footer1.xml") != std::string::npos, on);
    }
}

TEST(WordReport, LongTableFormatsEveryRowBeyondTheNinth) {
    const auto piles = Piles(30);
    WordHandle h;
    h.OpenNewDocument();
    ASSERT_TRUE(BuildWordReport(h, Entries(piles), {}));
    const auto& table = std::get<WordTable>(h.Document().body[3]);
    ASSERT_EQ(table.rows, 31);
    EXPECT_EQ(table.At(31, 9).font, (WordFont{"宋体", 12.0f}));
    EXPECT_EQ(table.At(31, 9).alignment, kAlignCentre);
}

TEST(WordReport, EmptyListGivesAHeaderOnlyTableAndNoPicture) {
    const std::string dir = test::TestDir();
    ASSERT_TRUE(WriteWordReport({}, WordFigurePaths(dir, WordFigureCount(0, 10)), dir + "/r.docx"));
    const test::DocxParts docx = test::ReadDocx(dir + "/r.docx");
    EXPECT_EQ(test::TableTexts(docx.Document()).size(), 1u);
    EXPECT_EQ(test::CountOf(docx.Document(), "<wp:inline "), 0u);
}

// Only figures 1 ... k go in: a stray file in the folder adds nothing, and a missing figure
// stops the report with its name, leaving no document.
TEST(WordReport, ExactlyTheNumberedFiguresGoInAndAMissingOneIsNamed) {
    const std::string dir = test::TestDir();
    const auto piles = Piles(2);
    test::WriteFile(dir + "/1.jpg", test::JpegHeaderBytes(100, 100));
    test::WriteFile(dir + "/stray.jpg", test::JpegHeaderBytes(100, 100));
    test::WriteFile(dir + "/Thumbs.db", {1, 2, 3});
    WordHandle h;
    h.OpenNewDocument();
    ASSERT_TRUE(BuildWordReport(h, Entries(piles), WordFigurePaths(dir, 1)));
    EXPECT_EQ(h.Document().media.size(), 1u);

    const Status s = WriteWordReport(Entries(piles), WordFigurePaths(dir, 2), dir + "/r.docx");
    EXPECT_FALSE(s.ok);
    EXPECT_NE(s.reason.find(dir + "/2.jpg"), std::string::npos) << s.reason;
    EXPECT_FALSE(fs::exists(dir + "/r.docx"));
}

}  // namespace
}  // namespace kx
