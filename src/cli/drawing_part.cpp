#include "cli/drawing_part.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <vector>

#include "cli/command.h"

namespace kx::cli {

namespace {

constexpr const char* kDrawingPartName = "kxtool-draw";

bool IsExecutable(const std::filesystem::path& p) {
    return ::access(p.c_str(), X_OK) == 0 && !std::filesystem::is_directory(p);
}

}  // namespace

std::string FindDrawingPart(const std::string& kxtoolPath) {
    const std::filesystem::path dir = std::filesystem::path(kxtoolPath).parent_path();
    for (const std::filesystem::path& candidate :
         {dir / kDrawingPartName, dir / KX_DRAWING_PART_FROM_BINDIR}) {
        if (IsExecutable(candidate)) {
            return candidate.lexically_normal().string();
        }
    }
    return {};
}

int ExecDrawingPart(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
    std::error_code ec;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    const std::string part = ec ? std::string() : FindDrawingPart(self.string());
    if (part.empty()) {
        err << "kxtool: " << argv[1] << ": the drawing part " << kDrawingPartName
            << " is not installed beside kxtool\n";
        return kExitFileError;
    }
    out.flush();
    err.flush();
    std::vector<char*> args;
    for (int i = 0; i < argc; ++i) {
        args.push_back(const_cast<char*>(argv[i]));
    }
    args.push_back(nullptr);
    ::execv(part.c_str(), args.data());
    err << "kxtool: " << part << ": " << std::strerror(errno) << "\n";
    return kExitFileError;
}

}  // namespace kx::cli
