// Runs every test program inside a fresh temporary directory, so the diagnostic dump files
// the program writes into its current directory land there and disappear afterwards.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    std::string dir = (std::filesystem::temp_directory_path() / "kxtest-XXXXXX").string();
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
