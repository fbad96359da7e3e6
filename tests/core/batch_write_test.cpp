// Files written as one batch: nothing changes before the commit, a write that fails in the
// middle (a full disk, here a file-size limit) leaves no half-written file, and the import
// writes its files that way.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <filesystem>
#include <fstream>

#include "core/workspace_test_util.h"
#include "record/file_io.h"

namespace kx {
namespace {

namespace fs = std::filesystem;

std::string Read(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::vector<uint8_t> Bytes(const std::string& s) {
    return {s.begin(), s.end()};
}

// Only the files named, nothing else (no temporaries) in `dir`.
std::vector<std::string> Names(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir)) {
        names.push_back(e.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

TEST(BatchFileWriter, NothingChangesUntilTheCommitThenAllAtOnce) {
    const fs::path dir = test::TestDir();
    std::ofstream(dir / "a.kxc") << "old a";
    BatchFileWriter batch;
    ASSERT_TRUE(batch.Stage((dir / "a.kxc").string(), Bytes("new a")));
    ASSERT_TRUE(batch.Stage((dir / "b.kxc").string(), Bytes("new b")));
    EXPECT_EQ(Read(dir / "a.kxc"), "old a");
    EXPECT_FALSE(fs::exists(dir / "b.kxc"));
    size_t replaced = 0;
    ASSERT_TRUE(batch.Commit(replaced));
    EXPECT_EQ(replaced, 2u);
    EXPECT_EQ(Read(dir / "a.kxc"), "new a");
    EXPECT_EQ(Read(dir / "b.kxc"), "new b");
    EXPECT_EQ(Names(dir), (std::vector<std::string>{"a.kxc", "b.kxc"}));

    // Not committed: gone with the writer, the targets as they were.
    {
        BatchFileWriter dropped;
        ASSERT_TRUE(dropped.Stage((dir / "a.kxc").string(), Bytes("never")));
    }
    EXPECT_EQ(Read(dir / "a.kxc"), "new a");
    EXPECT_EQ(Names(dir), (std::vector<std::string>{"a.kxc", "b.kxc"}));
}

TEST(BatchFileWriter, AWriteThatFailsInTheMiddleLeavesNoHalfFile) {
    const fs::path dir = test::TestDir();
    std::ofstream(dir / "big.kxc") << "old";
    BatchFileWriter batch;
    ASSERT_TRUE(batch.Stage((dir / "small.kxc").string(), Bytes("small")));
    // The disk fills up: no file may grow past 64 bytes (the signal of the limit ignored, so
    // that the write fails with EFBIG as it fails with ENOSPC on a full disk).
    struct rlimit old {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = ::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 64;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const Status failed = batch.Stage((dir / "big.kxc").string(), std::vector<uint8_t>(4096, 7));
    ::setrlimit(RLIMIT_FSIZE, &old);
    ::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(failed);
    size_t replaced = 0;
    ASSERT_TRUE(batch.Commit(replaced));
    EXPECT_EQ(replaced, 1u);
    EXPECT_EQ(Read(dir / "big.kxc"), "old");
    EXPECT_EQ(Read(dir / "small.kxc"), "small");
    EXPECT_EQ(Names(dir), (std::vector<std::string>{"big.kxc", "small.kxc"}));
}

}  // namespace
}  // namespace kx
