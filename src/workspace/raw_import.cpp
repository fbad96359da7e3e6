#include "workspace/raw_import.h"

#include <filesystem>

#include "record/file_io.h"
#include "record/pile_record.h"
#include "record/reason_text.h"
#include "record/record_io.h"
#include "workspace/project_files.h"

namespace kx {

namespace {

void NoteFailure(std::string& failures, const std::string& name, const std::string& reason) {
    failures.append("\n").append(name).append(": ").append(ReasonInChinese(reason));
}

}  // namespace

RawImportResult ConvertRawFiles(const RawImportJob& job, RawImportHost& host) {
    namespace fs = std::filesystem;
    RawImportResult result;
    // Blanket answer for the rest of the import: 0 ask, 1 replace all, 2 replace none.
    int overwriteChoice = 0;
    BatchFileWriter batch;
    std::vector<size_t> staged;  // indices into result.files
    WaveDump readDump;
    WaveSlot lastWritten{};
    int lastSamples = 0;
    std::vector<uint8_t> raw;
    const size_t total = job.rawNames.size();
    for (size_t k = 0; k < total; ++k) {
        if (host.Cancelled()) {
            result.cancelled = true;
            break;
        }
        const std::string& name = job.rawNames[k];
        const std::string targetName = name.substr(0, name.size() - 3) + "kxc";
        const std::string target = JoinPath(job.dir, targetName);
        ImportedFile file{JoinPath(job.dir, name), target, ImportedFile::Outcome::Converted, {}};
        PileRecord rec;
        ReadOutcome read;
        if (Status st = ReadFileBytes(file.rawPath, kMaxTestFileBytes, raw); !st) {
            read.status = st;
        } else {
            read = rec.ReadFreshTestBytes(nullptr, raw, true, &readDump);
        }
        for (const std::string& m : read.messages) {
            host.Tell(m);
        }
        if (!read) {
            // Nothing is written for a file that did not read: its defaults are no pile test.
            file.outcome = ImportedFile::Outcome::Unreadable;
            file.reason = read.status.reason;
            NoteFailure(result.failures, name, file.reason);
            result.files.push_back(std::move(file));
            host.Advance(k + 1, total);
            continue;
        }
        if (rec.integrityClass.empty()) {
            rec.integrityClass.push_back('I');  // empty: an unclassified pile starts as class I
        }
        std::error_code ec;
        const bool exists = fs::exists(target, ec);
        bool write = !exists;
        if (exists) {
            if (overwriteChoice == 0) {
                switch (host.AskOverwrite("文件" + targetName + "已经存在是否覆盖")) {
                    case OverwriteAnswer::Yes:
                        write = true;
                        break;
                    case OverwriteAnswer::YesToAll:
                        overwriteChoice = 1;
                        break;
                    case OverwriteAnswer::NoToAll:
                        overwriteChoice = 2;
                        break;
                    // A dialog closed without an answer replaces nothing.
                    case OverwriteAnswer::No:
                    case OverwriteAnswer::Closed:
                        break;
                }
            }
            write = write || overwriteChoice == 1;
            file.outcome = write ? ImportedFile::Outcome::Replaced : ImportedFile::Outcome::Kept;
        }
        if (write) {
            // Staged now, made durable and put in place with the others at the end.
            std::vector<uint8_t> bytes;
            Status st = rec.CheckedAnalysisFileBytes(bytes);
            if (st) {
                st = batch.Stage(target, bytes);
            }
            if (!st) {
                file.outcome = ImportedFile::Outcome::WriteFailed;
                file.reason = st.reason;
                NoteFailure(result.failures, targetName, st.reason);
                result.files.push_back(std::move(file));
                host.Advance(k + 1, total);
                continue;
            }
            staged.push_back(result.files.size());
            lastWritten = rec.waves[kStackedSlot];
            lastSamples = rec.SampleCount();
        }
        result.files.push_back(std::move(file));
        if (result.files.back().outcome == ImportedFile::Outcome::Converted) {
            host.Converted(result.files.back());
        }
        host.Advance(k + 1, total);
    }
    // One sync for the whole batch instead of one per file; a failure keeps every old file.
    size_t replaced = 0;
    if (Status st = batch.Commit(replaced); !st) {
        for (size_t k = replaced; k < staged.size(); ++k) {
            ImportedFile& f = result.files[staged[k]];
            f.outcome = ImportedFile::Outcome::WriteFailed;
            f.reason = st.reason;
            NoteFailure(result.failures, FileNameOf(f.analysisPath), st.reason);
        }
    }
    // The diagnostic dumps, once for the batch: the last file's.
    readDump.Write();
    if (replaced > 0) {
        DumpWaveToFile("保存文件后.txt", lastWritten.data(), lastSamples);
    }
    return result;
}

}  // namespace kx
