// The waveform figures of the Word report: each figure drawn onto an image of the figure
// canvas and written as a JPEG file, number.jpg.
#pragma once

#include <QImage>
#include <cstdint>
#include <string>
#include <vector>

#include "print/print_settings.h"
#include "print/report_page_layout.h"
#include "record/status.h"
#include "record/task_progress.h"
#include "report/word_figure_layout.h"

namespace kx {

// Figure `layout` on a white canvas of the figure size.
QImage DrawWordFigure(const WordFigureLayout& layout);

// Figure `number` as JPEG bytes (the encoder's default quality).
Status EncodeWordFigure(const PrintSettings& s, const ReportEntries& entries, int32_t number,
                        std::vector<uint8_t>& jpeg);

// Writes figures 1 ... k of the print list into the existing directory `dir` as 1.jpg ...
// k.jpg, k = entries ÷ piles per page rounded up (none for an empty list), and nothing else.
// The figures are written as one batch once all are drawn: all of them or, when one fails,
// none (the failure names the file). `count` receives k. `progress` hears of each figure
// drawn; when it is cancelled nothing is written (reason kTaskCancelled).
Status RenderWordFigures(const PrintSettings& s, const ReportEntries& entries,
                         const std::string& dir, int32_t& count, TaskProgress* progress = nullptr);

}  // namespace kx
