#include <clocale>
#include <iostream>

#include "cli/command.h"

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "C.UTF-8");
    return kx::cli::RunKxTool(argc, argv, std::cout, std::cerr);
}
