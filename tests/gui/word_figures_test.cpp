// RenderWordFigures: exactly figures 1.jpg ... k.jpg, whole JPEG files of the canvas size
// that Qt decodes, blocks and title where the layout puts them.
#include <gtest/gtest.h>

#include <QDir>
#include <QImageReader>
#include <QTemporaryDir>

#include "render/report_pdf.h"
#include "render/word_figure_renderer.h"
#include "support/fixture_writer.h"
#include "support/report_pile.h"

namespace kx {
namespace {

PileRecord Pile() {
    PileRecord r = test::ReportPile("P1");
    for (int i = 0; i < 1024; ++i) {
        r.waves[kStackedSlot][i] = (i / 64) % 2 == 0 ? 1000 : -1000;
    }
    return r;
}

bool Dark(const QImage& image, int x, int y) {
    return qGray(image.pixel(x, y)) < 128;
}

int DarkRows(const QImage& image, int top, int bottom) {
    int rows = 0;
    for (int y = top; y < bottom; ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (Dark(image, x, y)) {
                ++rows;
                break;
            }
        }
    }
    return rows;
}

TEST(WordFigures, TwentyThreePilesAtTenPerFigureGiveThreeJpegFilesInOrder) {
    const PileRecord pile = Pile();
    const std::vector<const PileRecord*> entries(23, &pile);
    QTemporaryDir dir;
    int32_t count = 0;
    ASSERT_TRUE(
        RenderWordFigures(PrintSettings{}, EntriesOf(entries), dir.path().toStdString(), count));
    EXPECT_EQ(count, 3);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files, QDir::Name),
              (QStringList{"1.jpg", "2.jpg", "3.jpg"}));

    std::vector<QImage> figures;
    for (const char* name : {"1.jpg", "2.jpg", "3.jpg"}) {
        const std::string path = dir.filePath(name).toStdString();
        const std::vector<uint8_t> bytes = test::ReadFile(path);
        ASSERT_GT(bytes.size(), 4u);
        EXPECT_EQ(bytes[0], 0xFF);
        EXPECT_EQ(bytes[1], 0xD8);
        EXPECT_EQ(bytes[bytes.size() - 2], 0xFF);
        EXPECT_EQ(bytes.back(), 0xD9);
        QImageReader reader(QString::fromStdString(path));
        EXPECT_EQ(reader.format(), "jpeg");
        const QImage image = reader.read();
        ASSERT_FALSE(image.isNull()) << reader.errorString().toStdString();
        EXPECT_EQ(image.size(), QSize(kFigureCanvasWidth, kFigureCanvasHeight));
        figures.push_back(image);
    }
    // The title on the first figure only.
    EXPECT_GT(DarkRows(figures[0], 0, 30), 5);
    EXPECT_EQ(DarkRows(figures[1], 0, 30), 0);
    // Ten blocks of 109 pixels from y = 50 on the first two, three on the last, then white.
    const int endOfThird = 50 + 3 * (109 + 20) - 20;
    const int endOfTenth = 50 + 10 * (109 + 20) - 20;
    EXPECT_TRUE(Dark(figures[1], 20, endOfTenth - 2));
    EXPECT_TRUE(Dark(figures[2], 20, endOfThird - 2));
    EXPECT_EQ(DarkRows(figures[2], endOfThird + 2, kFigureCanvasHeight), 0);
    // The marker lines are dotted red (before JPEG's colour subsampling blurs them): the pile
    // top's at x = 31 down the first block's frame, from y = 90 to 159.
    const QImage drawn = DrawWordFigure(LayoutWordFigure(PrintSettings{}, EntriesOf(entries), 1));
    int red = 0;
    for (int y = 90; y < 159; ++y) {
        red += drawn.pixelColor(31, y) == QColor(255, 0, 0) ? 1 : 0;
    }
    EXPECT_GE(red, 8);
}

TEST(WordFigures, EmptyListWritesNothingAndAFailedWriteLeavesNothing) {
    QTemporaryDir dir;
    int32_t count = -1;
    ASSERT_TRUE(RenderWordFigures(PrintSettings{}, EntriesOf({}), dir.path().toStdString(), count));
    EXPECT_EQ(count, 0);
    EXPECT_TRUE(QDir(dir.path()).isEmpty());

    const PileRecord pile = Pile();
    const std::vector<const PileRecord*> entries(3, &pile);
    const std::string missing = dir.filePath("missing").toStdString();
    const Status s = RenderWordFigures(PrintSettings{}, EntriesOf(entries), missing, count);
    EXPECT_FALSE(s.ok);
    EXPECT_NE(s.reason.find(missing + "/1.jpg"), std::string::npos) << s.reason;
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

// 取消 while a report is drawn: the PDF and the figures are written whole or not at all, an
// old report at the same place stays as it was, and nothing else is left in the folder.
TEST(ReportOutputs, CancelledWhileDrawingWritesNothing) {
    struct CancelAfter : TaskProgress {
        size_t after = 0;
        size_t done = 0;
        void Advance(size_t k, size_t) override { done = k; }
        bool Cancelled() const override { return done >= after; }
    };
    const PileRecord pile = Pile();
    const std::vector<const PileRecord*> entries(23, &pile);
    PrintSettings settings;
    settings.pilesPerPage = "5";  // 5 pages, 5 figures
    for (size_t after : {size_t{0}, size_t{1}, size_t{4}}) {
        SCOPED_TRACE(after);
        QTemporaryDir dir;
        const std::string pdf = dir.path().toStdString() + "/report.pdf";
        test::WriteFile(pdf, {'o', 'l', 'd'});
        CancelAfter cancel;
        cancel.after = after;
        const Status written = WriteReportPdf(pdf, settings, EntriesOf(entries), &cancel);
        EXPECT_EQ(written.reason, kTaskCancelled);
        EXPECT_EQ(test::ReadFile(pdf), (std::vector<uint8_t>{'o', 'l', 'd'}));

        cancel.done = 0;
        int32_t count = 0;
        const Status drawn = RenderWordFigures(settings, EntriesOf(entries),
                                               dir.path().toStdString(), count, &cancel);
        EXPECT_EQ(drawn.reason, kTaskCancelled);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                  QStringList{"report.pdf"});
    }
}

}  // namespace
}  // namespace kx
