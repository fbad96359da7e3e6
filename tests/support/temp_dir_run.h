// Runs the registered tests inside a fresh temporary directory, so the diagnostic dump files
// the program writes into its current directory land there and disappear afterwards.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

namespace kx::test {

inline int RunAllTestsInTempDirectory(const char* prefix) {
    std::string dir = (std::filesystem::temp_directory_path() / prefix).string() + "-XXXXXX";
    if (::mkdtemp(dir.data()) == nullptr) {
        return 2;
    }
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir);
    const int rc = RUN_ALL_TESTS();
    std::filesystem::current_path(previous);
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
    return rc;
}

}  // namespace kx::test
