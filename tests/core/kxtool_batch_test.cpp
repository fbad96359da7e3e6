// kxtool's many-files forms, run in-process: analyze, spectrum and markers over FILE... or
// --dir as JSON Lines, and process -o OUTDIR.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "support/kxtool_runner.h"

namespace kx {
namespace {

using test::Kxtool;
namespace fs = std::filesystem;

std::vector<nlohmann::json> Lines(const std::string& out) {
    std::vector<nlohmann::json> lines;
    std::istringstream in(out);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(nlohmann::json::parse(line));
    }
    return lines;
}

// Two piles as raw and analysis files in "site", and a file that is none.
void MakeSite() {
    fs::create_directories("site");
    for (const char* n : {"1", "2"}) {
        ASSERT_EQ(
            Kxtool({"synth", "--length", "10", "-o", std::string("site/") + n + ".kxd"}).status, 0);
    }
    ASSERT_EQ(Kxtool({"convert", "site/1.kxd", "site/1.kxc"}).status, 0);
    std::ofstream("bad.kxc") << "not a pile";
}

TEST(KxtoolBatch, OneLinePerFileWithItsPathAndTheOthersStillDone) {
    MakeSite();
    struct Case {
        std::vector<std::string> args;
        const char* key;  // a key of the single-file object
    } cases[] = {{{"analyze", "--loaded"}, "toeTimeUs"},
                 {{"spectrum"}, "spectrum"},
                 {{"markers", "--width", "800"}, "topX"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args[0]);
        std::vector<std::string> args = c.args;
        for (const char* f : {"site/1.kxc", "bad.kxc", "site/2.kxd"}) {
            args.push_back(f);
        }
        const auto r = Kxtool(args);
        EXPECT_EQ(r.status, 2);
        EXPECT_NE(r.err.find("bad.kxc"), std::string::npos);
        const auto lines = Lines(r.out);
        ASSERT_EQ(lines.size(), 3u);
        EXPECT_EQ(lines[0]["path"], "site/1.kxc");
        EXPECT_TRUE(lines[0].contains(c.key));
        EXPECT_EQ(lines[1]["path"], "bad.kxc");
        EXPECT_TRUE(lines[1].contains("error"));
        EXPECT_TRUE(lines[2].contains(c.key));

        // --dir: the analysis files only, in project-list order; all read, exit 0.
        std::vector<std::string> dirArgs = c.args;
        dirArgs.insert(dirArgs.end(), {"--dir", "site"});
        const auto d = Kxtool(dirArgs);
        EXPECT_EQ(d.status, 0) << d.err;
        ASSERT_EQ(Lines(d.out).size(), 1u);
        EXPECT_TRUE(Lines(d.out)[0]["path"].get<std::string>().ends_with("1.kxc"));
    }
    EXPECT_EQ(Kxtool({"analyze"}).status, 1);  // nothing to do
    EXPECT_EQ(Kxtool({"analyze", "site/1.kxc", "--dir", "site"}).status, 1);
}

TEST(KxtoolBatch, ProcessWritesEachFileIntoTheOutputFolder) {
    MakeSite();
    fs::create_directories("out");
    auto r = Kxtool({"process", "--dir", "site", "-o", "out", "--zero"});
    EXPECT_EQ(r.status, 0) << r.err;
    const auto lines = Lines(r.out);
    // 1.kxc stands for 1.kxd (they would share 1.kxc); 2.kxd has no analysis file.
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0]["out"], (fs::path("out") / "1.kxc").string());
    EXPECT_EQ(lines[1]["out"], (fs::path("out") / "2.kxc").string());
    EXPECT_TRUE(fs::exists("out/2.kxc"));

    r = Kxtool({"process", "site/2.kxd", "bad.kxc", "-o", "out", "--reverse"});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(Lines(r.out)[1].contains("error"));
    EXPECT_FALSE(fs::exists("out/bad.kxc"));

    EXPECT_EQ(Kxtool({"process", "site/1.kxc", "site/2.kxd", "x.kxc", "--zero"}).status, 1);
    EXPECT_EQ(Kxtool({"process", "site/1.kxc", "-o", "missing", "--zero"}).status, 2);
    // The two-file form is as it was.
    EXPECT_EQ(Kxtool({"process", "site/1.kxc", "one.kxc", "--zero"}).status, 0);
    EXPECT_TRUE(fs::exists("one.kxc"));
}

}  // namespace
}  // namespace kx
