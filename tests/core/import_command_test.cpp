// kxtool import: the raw-data import of one site directory from the command line.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "cli/command.h"
#include "core/workspace_test_util.h"

namespace kx {
namespace {

namespace fs = std::filesystem;

struct ToolRun {
    int status;
    std::string out, err;
};

ToolRun Kxtool(std::vector<std::string> args) {
    args.insert(args.begin(), "kxtool");
    std::vector<const char*> argv;
    for (const auto& a : args)
        argv.push_back(a.c_str());
    std::ostringstream out, err;
    const int st = cli::RunKxTool(static_cast<int>(argv.size()), argv.data(), out, err,
                                  cli::RunDrawingCommand);
    return {st, out.str(), err.str()};
}

TEST(ImportCommand, ConvertsKeepsOrReplacesAsAsked) {
    const std::string dir = test::TestDir();
    const auto raw = test::MakeRawFixture(234, 16).Build();
    test::WriteFile(dir + "/1.kxd", raw);
    test::WriteFile(dir + "/2.kxd", raw);
    test::WriteFile(dir + "/2.kxc", {7, 7});

    ToolRun r = Kxtool({"import", dir});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("converted " + dir + "/1.kxd -> " + dir + "/1.kxc"), std::string::npos);
    EXPECT_NE(r.out.find("kept " + dir + "/2.kxc"), std::string::npos);
    EXPECT_EQ(test::ReadFile(dir + "/2.kxc"), (std::vector<uint8_t>{7, 7}));
    PileRecord converted;
    ASSERT_TRUE(converted.ReadTestFile(nullptr, dir + "/1.kxc"));
    EXPECT_EQ(converted.pileNumber, "P12");

    r = Kxtool({"import", dir, "--overwrite", "all"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("replaced " + dir + "/1.kxc"), std::string::npos);
    EXPECT_NE(r.out.find("replaced " + dir + "/2.kxc"), std::string::npos);
    EXPECT_EQ(test::ReadFile(dir + "/2.kxc"), test::ReadFile(dir + "/1.kxc"));
    EXPECT_EQ(test::ReadFile(dir + "/1.kxd"), raw);
}

TEST(ImportCommand, UnreadableRawFileIsNamedAndTheOthersStillConverted) {
    const std::string dir = test::TestDir();
    test::WriteFile(dir + "/1.kxd", test::MakeRawFixture(123, 16).Build());
    test::WriteFile(dir + "/2.kxd", {'B', 'A', 'D', '!', 0});
    const ToolRun r = Kxtool({"import", dir});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("kxtool: " + dir + "/2.kxd: not a test file"), std::string::npos);
    EXPECT_TRUE(fs::exists(dir + "/1.kxc"));
    EXPECT_FALSE(fs::exists(dir + "/2.kxc"));
}

TEST(ImportCommand, BadUsageAndMissingDirectory) {
    const std::string dir = test::TestDir();
    EXPECT_EQ(Kxtool({"import", dir, "--overwrite", "some"}).status, 1);
    const ToolRun r = Kxtool({"import", dir + "/missing"});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("not a directory"), std::string::npos);
}

}  // namespace
}  // namespace kx
