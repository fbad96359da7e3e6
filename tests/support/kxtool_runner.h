// Runs kxtool in-process and captures its exit status and output.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "cli/command.h"

namespace kx::test {

struct KxtoolResult {
    int status;
    std::string out, err;
};

inline KxtoolResult Kxtool(std::vector<std::string> args) {
    args.insert(args.begin(), "kxtool");
    std::vector<const char*> argv;
    for (const auto& a : args)
        argv.push_back(a.c_str());
    std::ostringstream out, err;
    const int status = cli::RunKxTool(static_cast<int>(argv.size()), argv.data(), out, err,
                                      cli::RunDrawingCommand);
    return {status, out.str(), err.str()};
}

}  // namespace kx::test
