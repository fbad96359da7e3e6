// kx7300: the desktop analysis program.
#include <iostream>

#include "ui/command_line.h"
#include "ui/kx7300_app.h"

int main(int argc, char** argv) {
    if (const auto status = kx::ui::AnswerCommandLine(argc, argv, std::cout, std::cerr)) {
        return *status;
    }
    kx::ui::CKX7300App app(argc, argv);
    return app.InitInstance();
}
