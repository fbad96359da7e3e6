// kx7300's command line, read before the window exists.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "ui/command_line.h"

namespace kx::ui {
namespace {

struct Answer {
    std::optional<int> status;
    std::string out, err;
};

Answer Answer7300(std::vector<const char*> args) {
    args.insert(args.begin(), "kx7300");
    std::ostringstream out, err;
    const auto status = AnswerCommandLine(static_cast<int>(args.size()), args.data(), out, err);
    return {status, out.str(), err.str()};
}

TEST(Kx7300CommandLine, ReadsThePathAndLeavesQtOptionsToQt) {
    using A = CommandLine::Action;
    struct Case {
        std::vector<const char*> args;
        A action;
        const char* path;
    };
    const Case cases[] = {
        {{}, A::Run, ""},
        {{"/data/site"}, A::Run, "/data/site"},
        {{"-platform", "offscreen", "site"}, A::Run, "site"},
        {{"--style=fusion", "-reverse", "site"}, A::Run, "site"},
        {{"--", "-odd-name"}, A::Run, "-odd-name"},
        {{"-"}, A::Run, "-"},
        {{"site", "--version"}, A::ShowVersion, "site"},
        {{"--version", "--help"}, A::ShowHelp, ""},
        {{"-h"}, A::ShowHelp, ""},
        {{"--bogus", "site"}, A::Refuse, ""},
        {{"-v"}, A::Refuse, ""},
        {{"a", "b"}, A::Refuse, "a"},
        {{"--desktop", "/data/site/3.kxc"}, A::Run, "/data/site/3.kxc"},
    };
    for (const Case& c : cases) {
        std::vector<const char*> argv = c.args;
        argv.insert(argv.begin(), "kx7300");
        const CommandLine cmd = ParseCommandLine(static_cast<int>(argv.size()), argv.data());
        const std::string shown = ::testing::PrintToString(c.args);
        EXPECT_EQ(cmd.action, c.action) << shown;
        EXPECT_EQ(cmd.path, c.path) << shown;
        EXPECT_EQ(cmd.error.empty(), c.action != A::Refuse) << shown;
    }
}

// Started from the desktop the program works in its own state folder, so that the diagnostic
// files do not fill the user's home; from a terminal it stays where it was started.
TEST(Kx7300CommandLine, FromTheDesktopTheProgramWorksInItsStateFolder) {
    std::vector<const char*> argv{"kx7300", "--desktop", "site"};
    EXPECT_TRUE(ParseCommandLine(3, argv.data()).fromDesktop);
    argv = {"kx7300", "site"};
    EXPECT_FALSE(ParseCommandLine(2, argv.data()).fromDesktop);

    const std::filesystem::path before = std::filesystem::current_path();
    const std::filesystem::path state = before / "state";
    const char* oldState = std::getenv("XDG_STATE_HOME");
    const std::string kept = oldState != nullptr ? oldState : "";
    setenv("XDG_STATE_HOME", state.c_str(), 1);
    EXPECT_EQ(StateFolder(), (state / "kx7300").string());
    EXPECT_TRUE(EnterStateFolder());
    EXPECT_EQ(std::filesystem::current_path(), state / "kx7300");
    std::filesystem::current_path(before);
    setenv("XDG_STATE_HOME", "relative/not/allowed", 1);
    const char* home = std::getenv("HOME");
    EXPECT_EQ(StateFolder(), home != nullptr ? std::string(home) + "/.local/state/kx7300" : "");
    if (oldState != nullptr) {
        setenv("XDG_STATE_HOME", kept.c_str(), 1);
    } else {
        unsetenv("XDG_STATE_HOME");
    }
}

TEST(Kx7300CommandLine, AnswersHelpAndVersionAndRefusesBadUsage) {
    const Answer version = Answer7300({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out.rfind("kx7300 ", 0), 0u) << version.out;
    EXPECT_EQ(version.out.back(), '\n');
    EXPECT_TRUE(version.err.empty());

    const Answer help = Answer7300({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("用法: kx7300"), std::string::npos) << help.out;
    EXPECT_NE(help.out.find("--version"), std::string::npos);
    for (const char* kind : {"工程目录", "文件.kxc", "文件.kxd"}) {
        EXPECT_NE(help.out.find(kind), std::string::npos) << kind;
    }

    const Answer bad = Answer7300({"--bogus"});
    EXPECT_EQ(bad.status, 1);
    EXPECT_TRUE(bad.out.empty());
    EXPECT_EQ(bad.err.rfind("kx7300: ", 0), 0u) << bad.err;
    EXPECT_NE(bad.err.find("--bogus"), std::string::npos);

    EXPECT_EQ(Answer7300({"site"}).status, std::nullopt);
    EXPECT_EQ(Answer7300({"site/3.kxc"}).status, std::nullopt);
}

}  // namespace
}  // namespace kx::ui
