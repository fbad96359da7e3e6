#include <gtest/gtest.h>

#include "support/temp_dir_run.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    return kx::test::RunAllTestsInTempDirectory("kxtest");
}
