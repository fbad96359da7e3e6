#include "render/word_figure_renderer.h"

#include <QBuffer>
#include <QPainter>
#include <cstdio>

#include "record/file_io.h"
#include "render/fonts.h"
#include "render/report_page_renderer.h"
#include "report/word_report.h"

namespace kx {

namespace {

const QColor kMarkerRed(255, 0, 0);

void DrawTitle(QPainter& painter, const WordFigureLayout& layout) {
    QFont font(QString::fromUtf8(ui::kSongFace));
    font.setPixelSize(kFigureFontHeight);
    painter.setFont(font);
    painter.setPen(Qt::black);
    const ReportRect& r = layout.titleRect;
    painter.drawText(QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1)),
                     Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine,
                     QString::fromUtf8(*layout.title));
}

}  // namespace

QImage DrawWordFigure(const WordFigureLayout& layout) {
    ui::InstallFontSubstitutes();
    QImage image(kFigureCanvasWidth, kFigureCanvasHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    if (layout.title) {
        DrawTitle(painter, layout);
    }
    for (const ReportBlock& b : layout.blocks) {
        PaintReportBlock(painter, b, kMarkerRed);
    }
    painter.end();
    return image;
}

Status EncodeWordFigure(const PrintSettings& s, const ReportEntries& entries, int32_t number,
                        std::vector<uint8_t>& jpeg) {
    const QImage image = DrawWordFigure(LayoutWordFigure(s, entries, number));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (image.isNull() || !image.save(&buffer, "JPG")) {
        return Status::Fail("cannot encode the figure as JPEG");
    }
    jpeg.assign(bytes.begin(), bytes.end());
    return Status::Ok();
}

Status RenderWordFigures(const PrintSettings& s, const ReportEntries& entries,
                         const std::string& dir, int32_t& count, TaskProgress* progress) {
    count = WordFigureCount(entries.count, PilesPerPageOf(s));
    const std::vector<std::string> paths = WordFigurePaths(dir, count);
    BatchFileWriter batch;
    std::vector<uint8_t> jpeg;
    for (int32_t number = 1; number <= count; ++number) {
        if (progress != nullptr && progress->Cancelled()) {
            return Status::Fail(kTaskCancelled);
        }
        const std::string& path = paths[static_cast<size_t>(number - 1)];
        Status st = EncodeWordFigure(s, entries, number, jpeg);
        if (st) {
            st = batch.Stage(path, jpeg);
        }
        if (!st) {
            return Status::Fail(path + ": " + st.reason);
        }
        if (progress != nullptr) {
            progress->Advance(static_cast<size_t>(number), static_cast<size_t>(count));
        }
    }
    size_t replaced = 0;
    if (Status st = batch.Commit(replaced); !st) {
        for (size_t k = 0; k < replaced; ++k) {
            std::remove(paths[k].c_str());
        }
        return Status::Fail(dir + ": " + st.reason);
    }
    return Status::Ok();
}

}  // namespace kx
