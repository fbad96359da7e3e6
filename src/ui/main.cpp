// kx7300 [DIR | FILE.kxc | FILE.kxd]: the desktop analysis program, opening the project
// directory or the pile file if given.
#include <QFile>
#include <filesystem>
#include <iostream>

#include "ui/command_line.h"
#include "ui/kx7300_app.h"

int main(int argc, char** argv) {
    if (const auto status = kx::ui::AnswerCommandLine(argc, argv, std::cout, std::cerr)) {
        return *status;
    }
    kx::ui::CommandLine command = kx::ui::ParseCommandLine(argc, argv);
    if (command.fromDesktop) {
        // The path given is where it was before the program moves to its state folder.
        if (!command.path.empty()) {
            std::error_code ec;
            const auto absolute = std::filesystem::absolute(command.path, ec);
            command.path = ec ? command.path : absolute.string();
        }
        kx::ui::EnterStateFolder();
    }
    kx::ui::CKX7300App app(argc, argv);
    return app.InitInstance(QFile::decodeName(command.path.c_str()));
}
