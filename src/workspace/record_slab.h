// Room for the records the project loader reads, taken one huge page at a time: a project of
// thousands of 41 KB records would otherwise fault in a fresh page every 4 KB, which costs the
// loader more than reading the files.
#pragma once

#include <cstddef>
#include <memory>

#include "record/pile_record.h"

namespace kx {

class RecordSlab {
public:
    ~RecordSlab();
    RecordSlab(const RecordSlab&) = delete;
    RecordSlab& operator=(const RecordSlab&) = delete;

    // A new slab; null when the memory cannot be had.
    static std::shared_ptr<RecordSlab> Make();

    bool Full() const { return used_ == capacity_; }
    // A default record placed in the slab and owned by it, which lives as long as the slab.
    // Only one thread at a time may take records from a slab.
    PileRecord* NewRecord();

private:
    RecordSlab(void* memory, size_t capacity) : memory_(memory), capacity_(capacity) {}

    void* memory_;
    size_t capacity_;  // records
    size_t used_ = 0;
};

// A default record for the loader: in `slab` (replaced by a new one when full), or on its own
// when no slab can be had. It stays valid as long as the returned pointer lives.
std::shared_ptr<PileRecord> NewLoaderRecord(std::shared_ptr<RecordSlab>& slab);

}  // namespace kx
