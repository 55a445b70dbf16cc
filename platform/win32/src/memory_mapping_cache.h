#pragma once

#include "memory_mapping.h"

#include <cstddef>
#include <mutex>
#include <vector>

namespace quillory::win32 {

// Keeps the mappings of recently freed large blocks, so that the next large
// block (the next render's encoded picture) starts on pages that are already
// resident instead of faulting every page in again.
//
// Bounded: at most two mappings, together at most 128 MiB of touched memory;
// the oldest go first. Safe to use from any thread.
class MemoryMappingCache {
public:
    // The process's one cache. It is never destroyed, so blocks freed while the
    // process exits can still hand their mappings back.
    static MemoryMappingCache& instance();

    // A mapping with room for at least `bytes`: a kept one when there is any,
    // otherwise a new one. Its contents are whatever it last held. Empty when
    // the system refuses the memory.
    MemoryMapping take(std::size_t bytes);

    // Keeps `mapping` for a later take, or unmaps it when it does not fit the
    // bounds.
    void keep(MemoryMapping mapping);

private:
    MemoryMappingCache() = default;

    std::mutex mutex_;
    std::vector<MemoryMapping> kept_; // oldest first
};

} // namespace quillory::win32
