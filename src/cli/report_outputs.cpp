#include "cli/report_outputs.h"

#include <stdlib.h>

#include <filesystem>

#include "print/report_page_layout.h"
#include "render/word_figure_renderer.h"
#include "report/word_report.h"

namespace kx::cli {

namespace {

namespace fs = std::filesystem;

fs::path ParentOf(const std::string& path) {
    const fs::path parent = fs::path(path).parent_path();
    return parent.empty() ? fs::path(".") : parent;
}

bool CheckFileTarget(Context& ctx, const std::string& path) {
    std::error_code ec;
    if (fs::is_directory(path, ec)) {
        ctx.Fail(path, "is a directory");
        return false;
    }
    if (!fs::is_directory(ParentOf(path), ec)) {
        ctx.Fail(path, "no such directory: " + ParentOf(path).string());
        return false;
    }
    return true;
}

// A directory of this run's own for the figures of a document without --figures, removed
// with it.
class ScratchDirectory {
public:
    ScratchDirectory() {
        std::string tmpl = (fs::temp_directory_path() / "kxtool-figures-XXXXXX").string();
        if (::mkdtemp(tmpl.data()) != nullptr) {
            path_ = tmpl;
        }
    }
    ~ScratchDirectory() {
        std::error_code ec;
        if (!path_.empty()) {
            fs::remove_all(path_, ec);
        }
    }
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

}  // namespace

void CreatedOutputs::Note(const std::string& path) {
    std::error_code ec;
    if (!fs::exists(fs::symlink_status(path, ec))) {
        created_.push_back(path);
    }
}

void CreatedOutputs::Discard() {
    std::error_code ec;
    // Newest first, so a created directory is empty by the time it is reached.
    for (auto it = created_.rbegin(); it != created_.rend(); ++it) {
        fs::remove(*it, ec);
    }
    created_.clear();
}

bool CheckReportOutputs(Context& ctx, const ReportOutputs& out) {
    for (const std::string* file : {&out.pdf, &out.docx}) {
        if (!file->empty() && !CheckFileTarget(ctx, *file)) {
            return false;
        }
    }
    std::error_code ec;
    if (!out.figures.empty() && !fs::is_directory(out.figures, ec)) {
        if (fs::exists(out.figures, ec)) {
            ctx.Fail(out.figures, "not a directory");
            return false;
        }
        if (!fs::is_directory(ParentOf(out.figures), ec)) {
            ctx.Fail(out.figures, "no such directory: " + ParentOf(out.figures).string());
            return false;
        }
    }
    return true;
}

bool WriteWordOutputs(Context& ctx, const PrintSettings& s,
                      const std::vector<const PileRecord*>& entries, const ReportOutputs& out,
                      CreatedOutputs& created) {
    ScratchDirectory scratch;
    std::string dir = out.figures;
    if (dir.empty()) {
        if (scratch.path().empty()) {
            ctx.Fail(fs::temp_directory_path().string(), "cannot create a directory for figures");
            return false;
        }
        dir = scratch.path();
    } else {
        created.Note(dir);
        std::error_code ec;
        fs::create_directory(dir, ec);
        if (ec) {
            ctx.Fail(dir, ec.message());
            return false;
        }
    }

    const int32_t count = WordFigureCount(entries.size(), PilesPerPageOf(s));
    const std::vector<std::string> figures = WordFigurePaths(dir, count);
    for (const std::string& f : figures) {
        created.Note(f);
    }
    int32_t written = 0;
    if (Status st = RenderWordFigures(s, EntriesOf(entries), dir, written); !st) {
        ctx.Fail(dir, st.reason);
        return false;
    }
    if (!out.docx.empty()) {
        created.Note(out.docx);
        if (Status st = WriteWordReport(entries, figures, out.docx,
                                        {s.wordPageNumbers, s.coverPage ? &s.cover : nullptr});
            !st) {
            ctx.Fail(out.docx, st.reason);
            return false;
        }
    }
    return true;
}

}  // namespace kx::cli
