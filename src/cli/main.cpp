#include <clocale>
#include <iostream>

#include "cli/command.h"
#include "cli/drawing_part.h"

int main(int argc, char** argv) {
    std::setlocale(LC_CTYPE, "C.UTF-8");
    return kx::cli::RunKxTool(argc, argv, std::cout, std::cerr, kx::cli::ExecDrawingPart);
}
