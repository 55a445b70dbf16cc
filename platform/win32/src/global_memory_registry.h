#pragma once

#include "memory_block.h"

#include "win32/win32_types.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <unordered_map>

namespace quillory::win32 {

// Maps global-memory handles to their blocks. Handles are numbers, never
// addresses, and are never reused, so a stale or made-up handle is simply not
// found instead of reaching freed memory.
//
// Blocks are shared: a stream keeps its block alive after GlobalFree, and the
// block's freed() tells it the handle is gone. Safe to use from any thread.
class GlobalMemoryRegistry {
public:
    // The process's one registry; never destroyed, so blocks and streams still
    // alive at exit are never left pointing into a destroyed registry.
    static GlobalMemoryRegistry& instance();

    // Registers `block` under a new handle. Throws std::bad_alloc when memory
    // runs out, registering nothing.
    HGLOBAL add(std::shared_ptr<MemoryBlock> block);

    // The block of `handle`, or null when it is unknown or freed.
    std::shared_ptr<MemoryBlock> find(HGLOBAL handle);

    // Unregisters `handle` and returns its block, or null when it is unknown.
    std::shared_ptr<MemoryBlock> remove(HGLOBAL handle);

private:
    GlobalMemoryRegistry() = default;

    std::mutex mutex_;
    std::uintptr_t lastNumber_ = 0;
    std::unordered_map<std::uintptr_t, std::shared_ptr<MemoryBlock>> blocks_;
};

} // namespace quillory::win32
