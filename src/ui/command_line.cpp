#include "ui/command_line.h"

#include <array>
#include <cstdlib>
#include <filesystem>
#include <string_view>

#include "kx_version.h"

namespace kx::ui {

namespace {

// The options QApplication takes itself (one or two leading dashes), with or without a value.
constexpr std::array<std::string_view, 13> kQtOptionsWithValue = {
    "platform",    "platformpluginpath", "platformtheme", "plugin",     "qwindowgeometry",
    "qwindowicon", "qwindowtitle",       "style",         "stylesheet", "session",
    "display",     "geometry",           "title"};
constexpr std::array<std::string_view, 5> kQtFlags = {"reverse", "widgetcount", "nograb", "dograb",
                                                      "sync"};

template <std::size_t N>
bool Contains(const std::array<std::string_view, N>& names, std::string_view name) {
    for (std::string_view n : names) {
        if (n == name)
            return true;
    }
    return false;
}

// The option's name without its dashes, and without "=VALUE".
std::string_view OptionName(std::string_view arg) {
    arg.remove_prefix(arg.starts_with("--") ? 2 : 1);
    return arg.substr(0, arg.find('='));
}

constexpr const char* kHelp =
    "用法: kx7300 [选项] [工程目录 | 文件.kxc | 文件.kxd]\n"
    "KX系列基桩低应变分析系统：基桩低应变完整性检测数据的分析、打印与报告。\n"
    "\n"
    "  工程目录         启动后打开的工程（一个工地的目录）\n"
    "  文件.kxc         打开分析文件所在的目录，并选中这根桩\n"
    "  文件.kxd         先询问是否导入原始文件所在目录的原始数据，再选中这根桩的分析文件\n"
    "  --desktop        从桌面菜单或文件管理器启动时使用：诊断文件写入程序自己的状态\n"
    "                   目录（~/.local/state/kx7300），不写入启动时的当前目录\n"
    "  -h, --help       显示本说明后退出\n"
    "  --version        显示版本后退出\n"
    "\n"
    "另有 Qt 的选项，如 -platform NAME、-style NAME。\n"
    "窗口位置和最近打开的工程保存在用户的设置中（~/.config）。\n"
    "批处理用 kxtool（kxtool --help）。\n";

}  // namespace

CommandLine ParseCommandLine(int argc, const char* const* argv) {
    CommandLine cmd;
    bool optionsEnded = false;
    bool haveHelp = false;
    bool haveVersion = false;
    int positional = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i] ? argv[i] : "";
        if (!optionsEnded && arg == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && arg.size() > 1 && arg.starts_with('-')) {
            const std::string_view name = OptionName(arg);
            if (arg == "-h" || arg == "--help") {
                haveHelp = true;
            } else if (arg == "--version") {
                haveVersion = true;
            } else if (arg == "--desktop") {
                cmd.fromDesktop = true;
            } else if (Contains(kQtOptionsWithValue, name)) {
                if (arg.find('=') == std::string_view::npos)
                    ++i;  // its value
            } else if (!Contains(kQtFlags, name)) {
                cmd.action = CommandLine::Action::Refuse;
                cmd.error = "未知的选项 " + std::string(arg);
                return cmd;
            }
        } else if (++positional == 1) {
            cmd.path = arg;
        }
    }
    if (haveHelp) {
        cmd.action = CommandLine::Action::ShowHelp;
    } else if (haveVersion) {
        cmd.action = CommandLine::Action::ShowVersion;
    } else if (positional > 1) {
        cmd.action = CommandLine::Action::Refuse;
        cmd.error = "只能给出一个工程目录或文件";
    }
    return cmd;
}

std::string StateFolder() {
    const char* state = std::getenv("XDG_STATE_HOME");
    if (state != nullptr && state[0] == '/') {
        return std::string(state) + "/kx7300";
    }
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] == '/') {
        return std::string(home) + "/.local/state/kx7300";
    }
    return {};
}

bool EnterStateFolder() {
    const std::string folder = StateFolder();
    if (folder.empty()) {
        return false;
    }
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    std::filesystem::current_path(folder, ec);
    return !ec;
}

std::optional<int> AnswerCommandLine(int argc, const char* const* argv, std::ostream& out,
                                     std::ostream& err) {
    const CommandLine cmd = ParseCommandLine(argc, argv);
    switch (cmd.action) {
        case CommandLine::Action::Run:
            return std::nullopt;
        case CommandLine::Action::ShowHelp:
            out << kHelp;
            return 0;
        case CommandLine::Action::ShowVersion:
            out << "kx7300 " << kVersion << "\n";
            return 0;
        case CommandLine::Action::Refuse:
            err << "kx7300: " << cmd.error << "\n"
                << "用法: kx7300 [选项] [工程目录 | 文件.kxc | 文件.kxd]（kx7300 --help）\n";
            return 1;
    }
    return 1;
}

}  // namespace kx::ui
