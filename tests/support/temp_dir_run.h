// Runs every registered test inside a fresh temporary directory of its own, so the diagnostic
// dump files the program writes into its current directory, and the files a test leaves
// behind, never reach the next test, whether ctest runs the tests one by one or the binary
// runs them all in one process.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

namespace kx::test {

class TempDirPerTest : public ::testing::EmptyTestEventListener {
public:
    // The temporary directory is taken once: a test may point TMPDIR elsewhere for itself.
    explicit TempDirPerTest(const std::string& prefix)
        : pattern_((std::filesystem::temp_directory_path() / prefix).string() + "-XXXXXX") {}

    void OnTestStart(const ::testing::TestInfo&) override {
        std::string dir = pattern_;
        if (::mkdtemp(dir.data()) == nullptr) {
            return;  // the test then runs where the previous one left off
        }
        dir_ = dir;
        previous_ = std::filesystem::current_path();
        std::filesystem::current_path(dir_);
    }

    void OnTestEnd(const ::testing::TestInfo&) override {
        if (dir_.empty()) {
            return;
        }
        std::error_code ec;
        std::filesystem::current_path(previous_, ec);
        std::filesystem::remove_all(dir_, ec);
        dir_.clear();
    }

private:
    std::string pattern_;
    std::string dir_;
    std::filesystem::path previous_;
};

inline int RunAllTestsInTempDirectory(const char* prefix) {
    ::testing::UnitTest::GetInstance()->listeners().Append(new TempDirPerTest(prefix));
    return RUN_ALL_TESTS();
}

}  // namespace kx::test
