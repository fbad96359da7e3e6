// kx_bench_site DIR N: writes the benchmarks' raw site (bench_site.h) of N piles into DIR.
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "bench_site.h"

int main(int argc, char** argv) {
    if (argc != 3 || std::atoi(argv[2]) < 1) {
        std::fprintf(stderr, "usage: kx_bench_site DIR N\n");
        return 1;
    }
    std::filesystem::create_directories(argv[1]);
    kx::bench::WriteRawSite(argv[1], std::atoi(argv[2]));
    return 0;
}
