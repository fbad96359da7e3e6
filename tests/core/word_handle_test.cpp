// The Word writer: tables, fonts, pictures and the .docx it writes, read back apart from it.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/record_test_util.h"
#include "core/workspace_test_util.h"
#include "report/jpeg_size.h"
#include "report/word_handle.h"
#include "report/xml_writer.h"
#include "support/docx_reader.h"
#include "support/fixture_writer.h"

namespace kx {
namespace {

namespace fs = std::filesystem;

TEST(WordHandle, TableOfNineColumnsWithGridFontsAndCentredCells) {
    const std::string dir = test::TestDir();
    WordHandle h;
    ASSERT_TRUE(h.Start());
    ASSERT_TRUE(h.OpenNewDocument());
    h.SetSelectionFont("宋体", 10.0f);
    h.SetParagraphAlignment(kAlignRight);
    ASSERT_TRUE(h.CreateSummaryTable(3));
    h.SetTableCellsFont(12.0f);
    h.CentreTableCells();
    h.SetTableSpacing(4.0f, 4.0f, 4.0f, 4.0f);
    ASSERT_TRUE(h.SetCellText(1, 1, "序号"));
    ASSERT_TRUE(h.SetCellText(3, 9, "a<b & \"c\""));
    h.MoveBelowTable();
    h.TypeText("below");
    ASSERT_TRUE(h.SaveAs(dir + "/t.docx"));

    const test::DocxParts docx = test::ReadDocx(dir + "/t.docx");
    ASSERT_EQ(docx.error, "");
    const std::string& xml = docx.Document();
    const auto rows = test::TableTexts(xml);
    ASSERT_EQ(rows.size(), 3u);
    for (const auto& row : rows) {
        EXPECT_EQ(row.size(), 9u);
    }
    EXPECT_EQ(rows[0][0], "序号");
    EXPECT_EQ(rows[2][8], "a<b & \"c\"");
    EXPECT_EQ(test::CountOf(xml, "<w:gridCol "), 9u);
    EXPECT_EQ(test::CountOf(xml, "<w:insideV "), 1u);
    // Cell text in 宋体 12 for East-Asian text too; every cell centred both ways.
    EXPECT_NE(xml.find("w:eastAsia=\"宋体\""), std::string::npos);
    EXPECT_EQ(test::CountOf(xml, "<w:sz w:val=\"24\"/>"), 2u);
    EXPECT_EQ(test::CountOf(xml, "<w:vAlign w:val=\"center\"/>"), 27u);
    EXPECT_EQ(test::CountOf(xml, "<w:top w:w=\"80\""), 1u);
    // The text typed after leaving the table is in the paragraph below it.
    EXPECT_LT(xml.find("</w:tbl>"), xml.find(">below<"));
    EXPECT_TRUE(docx.members.count("[Content_Types].xml"));
    EXPECT_TRUE(docx.members.count("word/styles.xml"));
}

TEST(WordHandle, CellsOutsideTheTableAreRefusedAndOneRowIsAHeaderOnlyTable) {
    WordHandle h;
    h.OpenNewDocument();
    EXPECT_FALSE(h.CreateSummaryTable(0));
    EXPECT_FALSE(h.SetCellText(1, 1, "x").ok);  // no table yet
    ASSERT_TRUE(h.CreateSummaryTable(1));
    EXPECT_TRUE(h.SetCellText(1, 9, "日期"));
    for (auto [row, col] : {std::pair{2, 1}, {0, 1}, {1, 10}, {1, 0}}) {
        const Status s = h.SetCellText(row, col, "x");
        EXPECT_FALSE(s.ok) << row << "," << col;
        EXPECT_NE(s.reason.find("outside the table of 1 rows"), std::string::npos) << s.reason;
    }
    const auto& table = std::get<WordTable>(h.Document().body[0]);
    EXPECT_EQ(table.rows, 1);
    EXPECT_EQ(table.At(1, 9).text, "日期");
}

TEST(WordHandle, PicturesAreEmbeddedScaledToThePageEachFollowedByANewParagraph) {
    const std::string dir = test::TestDir();
    const auto tall = test::WriteFile(dir + "/1.jpg", test::JpegHeaderBytes(830, 1340));
    const auto small = test::WriteFile(dir + "/2.jpg", test::JpegHeaderBytes(200, 100, 0xC2));
    WordHandle h;
    h.OpenNewDocument();
    h.SetParagraphAlignment(kAlignRight);
    ASSERT_TRUE(h.InsertPicture(tall));
    ASSERT_TRUE(h.InsertPicture(small));

    const auto& body = h.Document().body;
    ASSERT_EQ(body.size(), 3u);
    const auto& first = std::get<WordParagraph>(body[0]);
    ASSERT_EQ(first.runs.size(), 1u);
    ASSERT_TRUE(first.runs[0].isPicture);
    // Wider than the text area: fitted to its width, proportions kept.
    EXPECT_EQ(first.runs[0].picture.widthEmu, int64_t{kTextWidthTwips} * kEmuPerTwip);
    EXPECT_NEAR(static_cast<double>(first.runs[0].picture.heightEmu),
                kTextWidthTwips * kEmuPerTwip * 1340.0 / 830.0, 2.0);
    // Smaller: its own size at 96 dpi.
    EXPECT_EQ(std::get<WordParagraph>(body[1]).runs[0].picture.widthEmu, 200 * 9525);
    EXPECT_TRUE(std::get<WordParagraph>(body[2]).runs.empty());  // the new paragraph
    EXPECT_EQ(std::get<WordParagraph>(body[2]).alignment, kAlignRight);

    ASSERT_TRUE(h.SaveAs(dir + "/p.docx"));
    const test::DocxParts docx = test::ReadDocx(dir + "/p.docx");
    ASSERT_EQ(docx.error, "");
    EXPECT_EQ(docx.members.at("word/media/image2.jpg"), test::FileText(small));
    EXPECT_NE(
        docx.members.at("[Content_Types].xml").find("Extension=\"jpg\" ContentType=\"image/jpeg\""),
        std::string::npos);
    EXPECT_EQ(test::CountOf(docx.Document(), "<wp:inline "), 2u);
    EXPECT_EQ(test::CountOf(docx.members.at("word/_rels/document.xml.rels"), "/image\""), 2u);
}

TEST(WordHandle, PictureThatIsNotAReadableJpegIsRefused) {
    const std::string dir = test::TestDir();
    const auto text = test::WriteFile(dir + "/1.jpg", {'h', 'i'});
    WordHandle h;
    h.OpenNewDocument();
    EXPECT_EQ(h.InsertPicture(text).reason, "not a JPEG picture");
    EXPECT_FALSE(h.InsertPicture(dir + "/missing.jpg").ok);
    EXPECT_TRUE(h.Document().media.empty());
    EXPECT_EQ(h.Document().body.size(), 1u);
}

TEST(JpegSize, FrameHeaderGivesTheSizeAndBrokenStreamsAreRejected) {
    PixelSize px;
    ASSERT_TRUE(ReadJpegSize(test::JpegHeaderBytes(831, 1333), px));
    EXPECT_EQ(px.width, 831);
    EXPECT_EQ(px.height, 1333);
    auto truncated = test::JpegHeaderBytes(10, 10);
    truncated.resize(30);
    auto noStart = test::JpegHeaderBytes(10, 10);
    noStart[1] = 0xD9;
    for (const auto& bytes : {truncated, noStart, test::JpegHeaderBytes(0, 10),
                              std::vector<uint8_t>{0xFF, 0xD8, 0xFF, 0xD9}}) {
        EXPECT_FALSE(ReadJpegSize(bytes, px).ok);
    }
}

TEST(XmlWriter, TextsAreEscapedAndWhatXmlCannotCarryIsLeftOut) {
    const struct {
        std::string in, out;
    } cases[] = {
        {"a&b<c>d\"e'f", "a&amp;b&lt;c&gt;d&quot;e&apos;f"},
        {"桩号\t1\n", "桩号\t1\n"},
        {std::string("x\x01y\0z", 5), "xyz"},
        {"\xB5\xCD", "\xEF\xBF\xBD\xEF\xBF\xBD"},                  // GBK bytes that slipped through
        {"\xED\xA0\x80", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},  // an encoded surrogate
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EscapeXml(c.in), c.out) << c.in;
    }
    XmlWriter x;
    x.Open("a").Attr("k", "<").Open("b").Close().Text("t").Close();
    EXPECT_EQ(x.Xml().substr(x.Xml().find("<a")), "<a k=\"&lt;\"><b/>t</a>");
}

TEST(WordHandle, FailedWriteLeavesNoDocumentBehind) {
    const std::string dir = test::TestDir();
    const auto blocker = test::WriteFile(dir + "/file", {'x'});
    WordHandle h;
    h.OpenNewDocument();
    h.TypeText("text");
    for (const std::string& target : {blocker + "/r.docx", dir + "/missing/r.docx", dir}) {
        EXPECT_FALSE(h.SaveAs(target).ok) << target;
    }
    size_t entries = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir)) {
        ++entries;
    }
    EXPECT_EQ(entries, 1u);  // the blocker alone: no temporary, no document
    EXPECT_EQ(test::FileText(blocker), "x");
}

}  // namespace
}  // namespace kx
