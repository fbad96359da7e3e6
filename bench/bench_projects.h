// The two projects of 2,000 full-length analysis files the loading benchmarks open: saved
// files (already integrated) and freshly imported ones (integrated by the loader). Made once
// per process in a temporary directory, which also becomes the current directory so that the
// readers' diagnostic dumps land there.
#pragma once

#include <stdlib.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "record/pile_record.h"

namespace kx::bench {

inline constexpr int kFiles = 2000;

struct Projects {
    explicit Projects(int files = kFiles) { Make(files); }

    std::string root;
    std::string dir[2];
    std::vector<std::string> paths[2];

    void Make(int files) {
        namespace fs = std::filesystem;
        root = (fs::temp_directory_path() / "kxbench-XXXXXX").string();
        if (::mkdtemp(root.data()) == nullptr)
            std::abort();
        // The reader's diagnostic dumps land in the current directory.
        fs::current_path(root);
        for (int integrated = 0; integrated < 2; ++integrated) {
            dir[integrated] = root + (integrated ? "/saved" : "/imported");
            fs::create_directory(dir[integrated]);
            kx::PileRecord r;
            std::memcpy(r.magic.data(), "QRVA", 4);
            r.formatVersion = 234;
            r.sampleCount = 1024;
            r.sampleIntervalUs = 20;
            r.site = "bench site";
            r.testDate = "2024-05-01";
            r.testTime = "08:30:00";
            r.integrated = integrated != 0;
            for (int s = 0; s < 9; ++s)
                r.waveAbsent[s] = s >= 4 && s < 8;
            for (int s = 0; s < kx::kSlotCount; ++s)
                for (int i = 0; i < 1024; ++i)
                    r.waves[s][i] = ((s + 1) * i * 7919) % 200001 - 100000;
            for (int k = 0; k < files; ++k) {
                r.pileNumber = std::to_string(k);
                const std::string p = dir[integrated] + "/" + std::to_string(k) + ".kxc";
                if (!r.WriteAnalysisFile(p))
                    std::abort();
                paths[integrated].push_back(p);
            }
        }
    }
    ~Projects() {
        std::error_code ec;
        std::filesystem::remove_all(root, ec);
    }
};

inline Projects& TheProjects() {
    static Projects p;
    return p;
}

}  // namespace kx::bench
