#include "memory_block.h"

#include "memory_mapping_cache.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace quillory::win32 {

namespace {

// From this capacity on a block lives in a reusable mapping: below it, fresh
// heap memory is cheap enough; above it, faulting pages in dominates.
constexpr std::size_t LargeBlockBytes = std::size_t{1} << 20;

constexpr std::size_t MinimumHeapCapacity = 64;

} // namespace

MemoryBlock::~MemoryBlock()
{
    if (!mapping_.empty()) {
        MemoryMappingCache::instance().keep(std::move(mapping_));
    }
}

std::byte* MemoryBlock::lock()
{
    if (freed_ || size_ == 0) {
        return nullptr;
    }
    ++lockCount_;
    return data();
}

bool MemoryBlock::unlock()
{
    if (freed_ || lockCount_ == 0) {
        return false;
    }
    --lockCount_;
    return lockCount_ > 0;
}

bool MemoryBlock::resize(std::size_t bytes, std::size_t zeroedUpTo)
{
    if (freed_) {
        return false;
    }
    if (bytes > capacity() && !grow(bytes)) {
        return false;
    }
    if (bytes > size_) {
        const std::size_t zeroEnd = std::min(zeroedUpTo, bytes);
        if (!mapping_.empty()) {
            mapping_.zero(size_, zeroEnd);
            mapping_.touch(bytes);
        } else if (size_ < zeroEnd) {
            std::memset(heap_.get() + size_, 0, zeroEnd - size_);
        }
    }
    size_ = bytes;
    return true;
}

bool MemoryBlock::grow(std::size_t bytes)
{
    const bool locked = lockCount_ > 0;
    if (!mapping_.empty()) {
        return mapping_.reserve(bytes, !locked);
    }
    // Heap storage and the move into a mapping both change the address.
    if (locked) {
        return false;
    }
    const std::size_t doubled = heapCapacity_ * 2;
    const std::size_t wanted = std::max({bytes, doubled, MinimumHeapCapacity});
    if (wanted >= LargeBlockBytes) {
        MemoryMapping mapping = MemoryMappingCache::instance().take(wanted);
        if (mapping.empty()) {
            return false;
        }
        if (size_ > 0) {
            std::memcpy(mapping.address(), heap_.get(), size_);
        }
        mapping.touch(size_);
        mapping_ = std::move(mapping);
        heap_.reset();
        heapCapacity_ = 0;
        return true;
    }
    auto* grown = static_cast<std::byte*>(std::realloc(heap_.get(), wanted));
    if (grown == nullptr) {
        return false;
    }
    (void)heap_.release();
    heap_.reset(grown);
    heapCapacity_ = wanted;
    return true;
}

void MemoryBlock::free()
{
    if (!mapping_.empty()) {
        MemoryMappingCache::instance().keep(std::move(mapping_));
    }
    heap_.reset();
    heapCapacity_ = 0;
    size_ = 0;
    lockCount_ = 0;
    freed_ = true;
}

} // namespace quillory::win32
