// kxtool hands the drawing commands to kxtool-draw: where it looks for it, and what it says
// when the part is missing.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/command.h"
#include "cli/drawing_part.h"

namespace kx {
namespace {

namespace fs = std::filesystem;

void MakeExecutable(const fs::path& p) {
    fs::create_directories(p.parent_path());
    std::ofstream(p) << "#!/bin/sh\n";
    fs::permissions(p, fs::perms::owner_all);
}

TEST(DrawingPart, FoundBesideKxtoolElseWhereTheInstallPutsIt) {
    const fs::path root = fs::absolute("drawing-part");
    fs::remove_all(root);
    const fs::path bin = root / "usr/bin";
    fs::create_directories(bin);
    EXPECT_EQ(cli::FindDrawingPart((bin / "kxtool").string()), "");

    const fs::path installed = root / "usr/libexec/kx7300/kxtool-draw";
    MakeExecutable(installed);
    EXPECT_EQ(cli::FindDrawingPart((bin / "kxtool").string()), installed.string());

    MakeExecutable(bin / "kxtool-draw");  // the build tree: both programs in one folder
    EXPECT_EQ(cli::FindDrawingPart((bin / "kxtool").string()), (bin / "kxtool-draw").string());

    // A folder of that name is not the program.
    fs::remove(bin / "kxtool-draw");
    fs::create_directory(bin / "kxtool-draw");
    EXPECT_EQ(cli::FindDrawingPart((bin / "kxtool").string()), installed.string());
}

TEST(DrawingPart, OnlyTheDrawingCommandsAreHandedOver) {
    const auto handOver = [](int, const char* const*, std::ostream&, std::ostream&) { return 42; };
    for (const std::vector<const char*>& argv : std::vector<std::vector<const char*>>{
             {"kxtool", "report", "a.kxc"}, {"kxtool", "report", "--help"}}) {
        std::ostringstream out, err;
        EXPECT_EQ(cli::RunKxTool(static_cast<int>(argv.size()), argv.data(), out, err, handOver),
                  42);
    }
    for (const std::vector<const char*>& argv : std::vector<std::vector<const char*>>{
             {"kxtool", "info", "report"}, {"kxtool", "--help"}, {"kxtool"}}) {
        std::ostringstream out, err;
        EXPECT_NE(cli::RunKxTool(static_cast<int>(argv.size()), argv.data(), out, err, handOver),
                  42)
            << argv.size();
    }
}

}  // namespace
}  // namespace kx
