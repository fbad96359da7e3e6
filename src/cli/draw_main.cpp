// kxtool-draw: kxtool's drawing commands, run by kxtool with its own command line.
#include <clocale>
#include <iostream>

#include "cli/command.h"

int main(int argc, char** argv) {
    std::setlocale(LC_CTYPE, "C.UTF-8");
    return kx::cli::RunDrawingCommand(argc, argv, std::cout, std::cerr);
}
