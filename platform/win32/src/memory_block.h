#pragma once

#include "memory_mapping.h"

#include <cstddef>
#include <cstdlib>
#include <memory>
#include <mutex>

namespace quillory::win32 {

// The bytes behind one global-memory handle: exactly `size()` bytes that
// callers may read, possibly more capacity behind them that nobody can read.
//
// Small blocks live on the heap; a block that reaches 1 MiB moves into a
// MemoryMapping (reused from MemoryMappingCache), where it then grows in place.
// Capacity grows geometrically, so many small appends cost no allocation each.
// A locked block never moves: growth that would move it fails instead, so an
// address from lock() stays valid until the matching unlock().
//
// Every member except mutex() requires the caller to hold mutex(): a stream
// and its clones work on one block from any thread, and each of their
// operations (check the size, grow, copy, move the position) must be atomic.
class MemoryBlock {
public:
    MemoryBlock() = default;
    ~MemoryBlock();
    MemoryBlock(const MemoryBlock&) = delete;
    MemoryBlock& operator=(const MemoryBlock&) = delete;

    std::mutex& mutex() { return mutex_; }

    bool freed() const { return freed_; }
    std::size_t size() const { return size_; }
    // The first byte; null while the block has no capacity.
    std::byte* data() const { return mapping_.empty() ? heap_.get() : mapping_.address(); }

    // Counts a lock and returns data(); null (and nothing counted) for a freed
    // or empty block, as Windows refuses to lock a zero-byte block.
    std::byte* lock();
    // Counts a lock off; true while locks remain.
    bool unlock();

    // Makes the block exactly `bytes` long, keeping its leading bytes. Of the
    // new bytes those before `zeroedUpTo` read as zero; the rest hold anything
    // and are the caller's to fill. Returns false, leaving the block as it was,
    // when it is freed, memory runs out or a locked block would have to move.
    bool resize(std::size_t bytes, std::size_t zeroedUpTo);

    // Gives the memory back; the block is empty and refuses everything from
    // now on.
    void free();

private:
    struct FreeDeleter {
        void operator()(std::byte* bytes) const { std::free(bytes); }
    };

    std::size_t capacity() const { return mapping_.empty() ? heapCapacity_ : mapping_.reservedBytes(); }
    bool grow(std::size_t bytes);

    std::mutex mutex_;
    std::size_t size_ = 0;
    std::unique_ptr<std::byte, FreeDeleter> heap_;
    std::size_t heapCapacity_ = 0;
    MemoryMapping mapping_;
    unsigned lockCount_ = 0;
    bool freed_ = false;
};

} // namespace quillory::win32
