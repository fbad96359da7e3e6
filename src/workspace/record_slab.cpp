#include "workspace/record_slab.h"

#include <sys/mman.h>

#include <cstdlib>
#include <new>

namespace kx {

namespace {

constexpr size_t kHugePage = 2 * 1024 * 1024;  // 50 records

}  // namespace

std::shared_ptr<RecordSlab> RecordSlab::Make() {
    static_assert(kHugePage >= sizeof(PileRecord));
    void* memory = std::aligned_alloc(kHugePage, kHugePage);
    if (memory == nullptr) {
        return nullptr;
    }
    // One page fault for the whole slab where the system grants huge pages on request; where
    // it does not, the slab works the same with ordinary pages.
    ::madvise(memory, kHugePage, MADV_HUGEPAGE);
    return std::shared_ptr<RecordSlab>(new RecordSlab(memory, kHugePage / sizeof(PileRecord)));
}

RecordSlab::~RecordSlab() {
    auto* records = static_cast<PileRecord*>(memory_);
    for (size_t i = 0; i < used_; ++i) {
        records[i].~PileRecord();
    }
    std::free(memory_);
}

PileRecord* RecordSlab::NewRecord() {
    if (Full()) {
        return nullptr;
    }
    return new (static_cast<PileRecord*>(memory_) + used_++) PileRecord();
}

std::shared_ptr<PileRecord> NewLoaderRecord(std::shared_ptr<RecordSlab>& slab) {
    if (!slab || slab->Full()) {
        slab = RecordSlab::Make();
    }
    if (!slab) {
        return std::make_shared<PileRecord>();
    }
    return std::shared_ptr<PileRecord>(slab, slab->NewRecord());
}

}  // namespace kx
