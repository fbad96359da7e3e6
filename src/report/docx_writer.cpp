#include "report/docx_writer.h"

#include <cmath>

#include "record/file_io.h"
#include "report/xml_writer.h"
#include "report/zip_archive.h"

namespace kx {

namespace {

constexpr const char* kWordNs = "http://schemas.openxmlformats.org/wordprocessingml/2006/main";
constexpr const char* kRelNs =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
constexpr const char* kDrawingNs =
    "http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing";
constexpr const char* kGraphicNs = "http://schemas.openxmlformats.org/drawingml/2006/main";
constexpr const char* kPictureNs = "http://schemas.openxmlformats.org/drawingml/2006/picture";
constexpr const char* kPackageRelNs =
    "http://schemas.openxmlformats.org/package/2006/relationships";

std::vector<uint8_t> Bytes(const std::string& s) {
    return {s.begin(), s.end()};
}

std::string MediaName(size_t index) {
    return "image" + std::to_string(index + 1) + ".jpg";
}
std::string MediaRelId(size_t index) {
    return "rIdImage" + std::to_string(index + 1);
}

const char* JustificationOf(int32_t alignment) {
    switch (alignment) {
        case kAlignCentre:
            return "center";
        case kAlignRight:
            return "right";
        case kAlignJustify:
            return "both";
        default:
            return "left";
    }
}

long long Twips(float points) {
    return std::lround(points * 20.0);
}

// Run properties: the face for Latin and East-Asian text alike, the size in half-points.
void WriteRunFont(XmlWriter& x, const WordFont& font) {
    const std::string halfPoints = std::to_string(std::lround(font.sizePt * 2.0));
    x.Open("w:rPr");
    x.Leaf("w:rFonts", {{"w:ascii", font.name},
                        {"w:hAnsi", font.name},
                        {"w:eastAsia", font.name},
                        {"w:cs", font.name},
                        {"w:hint", "eastAsia"}});
    x.Leaf("w:sz", {{"w:val", halfPoints}});
    x.Leaf("w:szCs", {{"w:val", halfPoints}});
    x.Close();
}

void WriteTextRun(XmlWriter& x, const std::string& text, const WordFont& font) {
    x.Open("w:r");
    WriteRunFont(x, font);
    x.Open("w:t").Attr("xml:space", "preserve").Text(text).Close();
    x.Close();
}

void WritePictureRun(XmlWriter& x, const WordPicture& pic) {
    const std::string id = std::to_string(pic.mediaIndex + 1);
    const std::string cx = std::to_string(pic.widthEmu);
    const std::string cy = std::to_string(pic.heightEmu);
    x.Open("w:r").Open("w:drawing");
    x.Open("wp:inline").Attr("distT", "0").Attr("distB", "0").Attr("distL", "0").Attr("distR", "0");
    x.Leaf("wp:extent", {{"cx", cx}, {"cy", cy}});
    x.Leaf("wp:docPr", {{"id", id}, {"name", "Picture " + id}});
    x.Open("wp:cNvGraphicFramePr");
    x.Open("a:graphicFrameLocks").Attr("xmlns:a", kGraphicNs).Attr("noChangeAspect", "1").Close();
    x.Close();
    x.Open("a:graphic").Attr("xmlns:a", kGraphicNs);
    x.Open("a:graphicData").Attr("uri", kPictureNs);
    x.Open("pic:pic").Attr("xmlns:pic", kPictureNs);
    x.Open("pic:nvPicPr");
    x.Leaf("pic:cNvPr", {{"id", id}, {"name", MediaName(pic.mediaIndex)}});
    x.Leaf("pic:cNvPicPr", {});
    x.Close();
    x.Open("pic:blipFill");
    x.Leaf("a:blip", {{"r:embed", MediaRelId(pic.mediaIndex)}});
    x.Open("a:stretch").Leaf("a:fillRect", {}).Close();
    x.Close();
    x.Open("pic:spPr");
    x.Open("a:xfrm")
        .Leaf("a:off", {{"x", "0"}, {"y", "0"}})
        .Leaf("a:ext", {{"cx", cx}, {"cy", cy}});
    x.Close();
    x.Open("a:prstGeom").Attr("prst", "rect").Leaf("a:avLst", {}).Close();
    x.Close();                  // spPr
    x.Close().Close().Close();  // pic, graphicData, graphic
    x.Close().Close().Close();  // inline, drawing, run
}

void WriteParagraph(XmlWriter& x, const WordParagraph& p) {
    x.Open("w:p");
    x.Open("w:pPr").Leaf("w:jc", {{"w:val", JustificationOf(p.alignment)}}).Close();
    for (const WordRun& run : p.runs) {
        if (run.isPicture) {
            WritePictureRun(x, run.picture);
        } else {
            WriteTextRun(x, run.text, run.font);
        }
    }
    x.Close();
}

// Single lines on the outside and between all cells: the plain grid look.
void WriteTableBorders(XmlWriter& x) {
    x.Open("w:tblBorders");
    for (const char* side : {"w:top", "w:left", "w:bottom", "w:right", "w:insideH", "w:insideV"}) {
        x.Leaf(side, {{"w:val", "single"}, {"w:sz", "4"}, {"w:space", "0"}, {"w:color", "000000"}});
    }
    x.Close();
}

void WriteTableProperties(XmlWriter& x, const WordTable& t, int32_t columnTwips) {
    x.Open("w:tblPr");
    x.Open("w:tblW").Attr("w:w", columnTwips * t.columns).Attr("w:type", "dxa").Close();
    WriteTableBorders(x);
    x.Leaf("w:tblLayout", {{"w:type", "fixed"}});
    x.Open("w:tblCellMar");
    const std::pair<const char*, float> margins[] = {{"w:top", t.topPaddingPt},
                                                     {"w:left", t.leftPaddingPt},
                                                     {"w:bottom", t.bottomPaddingPt},
                                                     {"w:right", t.rightPaddingPt}};
    for (const auto& [side, points] : margins) {
        x.Open(side).Attr("w:w", Twips(points)).Attr("w:type", "dxa").Close();
    }
    x.Close();  // tblCellMar
    x.Close();  // tblPr
}

void WriteCell(XmlWriter& x, const WordCell& c, int32_t columnTwips, bool noWrap) {
    x.Open("w:tc");
    x.Open("w:tcPr");
    x.Open("w:tcW").Attr("w:w", columnTwips).Attr("w:type", "dxa").Close();
    if (noWrap) {
        x.Leaf("w:noWrap", {});
    }
    if (c.verticallyCentred) {
        x.Leaf("w:vAlign", {{"w:val", "center"}});
    }
    x.Close();
    x.Open("w:p");
    x.Open("w:pPr").Leaf("w:jc", {{"w:val", JustificationOf(c.alignment)}}).Close();
    if (!c.text.empty()) {
        WriteTextRun(x, c.text, c.font);
    }
    x.Close();  // p
    x.Close();  // tc
}

// Equal fixed columns across the text width, as Word lays out a table that does not fit
// itself to its content.
// (Or the table's own widths, when it has one per column.)
void WriteTable(XmlWriter& x, const WordTable& t) {
    const int32_t equal = t.columns > 0 ? kTextWidthTwips / t.columns : kTextWidthTwips;
    const bool own = static_cast<int32_t>(t.columnTwips.size()) == t.columns;
    const auto width = [&](int32_t c) { return own ? t.columnTwips[c - 1] : equal; };
    x.Open("w:tbl");
    WriteTableProperties(x, t, equal);
    x.Open("w:tblGrid");
    for (int32_t c = 1; c <= t.columns; ++c) {
        x.Open("w:gridCol").Attr("w:w", width(c)).Close();
    }
    x.Close();
    for (int32_t r = 1; r <= t.rows; ++r) {
        x.Open("w:tr");
        if (r == 1 && t.repeatHeaderRow) {
            x.Open("w:trPr").Leaf("w:tblHeader", {}).Close();
        }
        for (int32_t c = 1; c <= t.columns; ++c) {
            const bool noWrap = r > 1 && std::find(t.noWrapColumns.begin(), t.noWrapColumns.end(),
                                                   c) != t.noWrapColumns.end();
            WriteCell(x, t.At(r, c), width(c), noWrap);
        }
        x.Close();
    }
    x.Close();
}

// The page footer: "第 PAGE 页" centred, the number a field Word and LibreOffice fill in.
std::string FooterXml() {
    XmlWriter x;
    x.Open("w:ftr").Attr("xmlns:w", kWordNs).Attr("xmlns:r", kRelNs);
    x.Open("w:p");
    x.Open("w:pPr").Leaf("w:jc", {{"w:val", "center"}}).Close();
    WriteTextRun(x, "第 ", WordFont{});
    x.Open("w:r").Leaf("w:fldChar", {{"w:fldCharType", "begin"}}).Close();
    x.Open("w:r").Open("w:instrText").Attr("xml:space", "preserve").Text(" PAGE ").Close().Close();
    x.Open("w:r").Leaf("w:fldChar", {{"w:fldCharType", "separate"}}).Close();
    WriteTextRun(x, "1", WordFont{});
    x.Open("w:r").Leaf("w:fldChar", {{"w:fldCharType", "end"}}).Close();
    WriteTextRun(x, " 页", WordFont{});
    x.Close().Close();
    return x.Xml();
}

void WriteSection(XmlWriter& x, const WordDocument& doc) {
    x.Open("w:sectPr");
    if (doc.pageNumberFooter) {
        x.Leaf("w:footerReference", {{"w:type", "default"}, {"r:id", "rIdFooter"}});
    }
    x.Open("w:pgSz").Attr("w:w", kPageWidthTwips).Attr("w:h", kPageHeightTwips).Close();
    x.Open("w:pgMar")
        .Attr("w:top", kPageMarginTopBottomTwips)
        .Attr("w:right", kPageMarginLeftRightTwips)
        .Attr("w:bottom", kPageMarginTopBottomTwips)
        .Attr("w:left", kPageMarginLeftRightTwips)
        .Attr("w:header", 851)
        .Attr("w:footer", 992)
        .Attr("w:gutter", 0)
        .Close();
    x.Close();
}

std::string DocumentXml(const WordDocument& doc) {
    XmlWriter x;
    x.Open("w:document")
        .Attr("xmlns:w", kWordNs)
        .Attr("xmlns:r", kRelNs)
        .Attr("xmlns:wp", kDrawingNs)
        .Attr("xmlns:a", kGraphicNs)
        .Attr("xmlns:pic", kPictureNs);
    x.Open("w:body");
    for (const WordBlock& block : doc.body) {
        if (const auto* p = std::get_if<WordParagraph>(&block)) {
            WriteParagraph(x, *p);
        } else {
            WriteTable(x, std::get<WordTable>(block));
        }
    }
    // A document must end with a paragraph, never a table.
    if (doc.body.empty() || !std::holds_alternative<WordParagraph>(doc.body.back())) {
        WriteParagraph(x, WordParagraph{});
    }
    WriteSection(x, doc);
    x.Close().Close();
    return x.Xml();
}

// Document defaults: 宋体 10.5 points with Chinese as the East-Asian language, so Word and
// LibreOffice choose CJK fonts and line breaking for text without its own properties.
std::string StylesXml() {
    XmlWriter x;
    x.Open("w:styles").Attr("xmlns:w", kWordNs);
    x.Open("w:docDefaults").Open("w:rPrDefault");
    WriteRunFont(x, WordFont{});
    x.Close();  // rPrDefault
    x.Close();  // docDefaults
    x.Open("w:style").Attr("w:type", "paragraph").Attr("w:default", "1");
    x.Attr("w:styleId", "Normal");
    x.Leaf("w:name", {{"w:val", "Normal"}});
    x.Open("w:rPr").Leaf("w:lang", {{"w:val", "en-US"}, {"w:eastAsia", "zh-CN"}}).Close();
    x.Close();
    x.Close();
    return x.Xml();
}

std::string ContentTypesXml(const WordDocument& doc) {
    XmlWriter x;
    x.Open("Types").Attr("xmlns", "http://schemas.openxmlformats.org/package/2006/content-types");
    x.Leaf("Default",
           {{"Extension", "rels"},
            {"ContentType", "application/vnd.openxmlformats-package.relationships+xml"}});
    x.Leaf("Default", {{"Extension", "xml"}, {"ContentType", "application/xml"}});
    x.Leaf("Default", {{"Extension", "jpg"}, {"ContentType", "image/jpeg"}});
    x.Leaf("Override",
           {{"PartName", "/word/document.xml"},
            {"ContentType",
             "application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml"}});
    x.Leaf("Override",
           {{"PartName", "/word/styles.xml"},
            {"ContentType",
             "application/vnd.openxmlformats-officedocument.wordprocessingml.styles+xml"}});
    if (doc.pageNumberFooter) {
        x.Leaf("Override",
               {{"PartName", "/word/footer1.xml"},
                {"ContentType",
                 "application/vnd.openxmlformats-officedocument.wordprocessingml.footer+xml"}});
    }
    x.Close();
    return x.Xml();
}

std::string PackageRelsXml() {
    XmlWriter x;
    x.Open("Relationships").Attr("xmlns", kPackageRelNs);
    x.Leaf("Relationship", {{"Id", "rIdDocument"},
                            {"Type", std::string(kRelNs) + "/officeDocument"},
                            {"Target", "word/document.xml"}});
    x.Close();
    return x.Xml();
}

std::string DocumentRelsXml(const WordDocument& doc) {
    XmlWriter x;
    x.Open("Relationships").Attr("xmlns", kPackageRelNs);
    x.Leaf(
        "Relationship",
        {{"Id", "rIdStyles"}, {"Type", std::string(kRelNs) + "/styles"}, {"Target", "styles.xml"}});
    if (doc.pageNumberFooter) {
        x.Leaf("Relationship", {{"Id", "rIdFooter"},
                                {"Type", std::string(kRelNs) + "/footer"},
                                {"Target", "footer1.xml"}});
    }
    for (size_t i = 0; i < doc.media.size(); ++i) {
        x.Leaf("Relationship", {{"Id", MediaRelId(i)},
                                {"Type", std::string(kRelNs) + "/image"},
                                {"Target", "media/" + MediaName(i)}});
    }
    x.Close();
    return x.Xml();
}

}  // namespace

Status DocxBytes(const WordDocument& doc, std::vector<uint8_t>& out) {
    const std::vector<uint8_t> contentTypes = Bytes(ContentTypesXml(doc));
    const std::vector<uint8_t> footer = Bytes(FooterXml());
    const std::vector<uint8_t> packageRels = Bytes(PackageRelsXml());
    const std::vector<uint8_t> document = Bytes(DocumentXml(doc));
    const std::vector<uint8_t> documentRels = Bytes(DocumentRelsXml(doc));
    const std::vector<uint8_t> styles = Bytes(StylesXml());
    std::vector<ZipMember> members = {
        {"[Content_Types].xml", &contentTypes}, {"_rels/.rels", &packageRels},
        {"word/document.xml", &document},       {"word/_rels/document.xml.rels", &documentRels},
        {"word/styles.xml", &styles},
    };
    if (doc.pageNumberFooter) {
        members.push_back({"word/footer1.xml", &footer});
    }
    for (size_t i = 0; i < doc.media.size(); ++i) {
        members.push_back({"word/media/" + MediaName(i), &doc.media[i], false});
    }
    return BuildZipArchive(members, out);
}

Status WriteDocx(const WordDocument& doc, const std::string& path) {
    std::vector<uint8_t> bytes;
    if (Status s = DocxBytes(doc, bytes); !s) {
        return s;
    }
    return WriteFileAtomically(path, bytes);
}

}  // namespace kx
