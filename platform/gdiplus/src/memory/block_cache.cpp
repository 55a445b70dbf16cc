#include "memory/block_cache.h"

#include <sys/mman.h>

#include <algorithm>

namespace engine {

namespace {

constexpr std::size_t HugePageBytes = std::size_t{2} << 20;
constexpr std::size_t PageBytes = std::size_t{4} << 10;

std::size_t roundUp(std::size_t value, std::size_t unit)
{
    return (value + unit - 1) / unit * unit;
}

std::uint8_t* mapPlain(std::size_t capacity)
{
    void* data = mmap(nullptr, capacity, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    return data == MAP_FAILED ? nullptr : static_cast<std::uint8_t*>(data);
}

// Maps `capacity` bytes (a multiple of the huge page size) at a huge-page
// boundary, so the kernel can back the whole block with huge pages.
std::uint8_t* mapAligned(std::size_t capacity)
{
    const std::size_t padded = capacity + HugePageBytes;
    void* raw = mmap(nullptr, padded, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED)
        return nullptr;
    const auto start = reinterpret_cast<std::uintptr_t>(raw);
    const std::uintptr_t aligned = roundUp(start, HugePageBytes);
    const std::size_t head = aligned - start;
    const std::size_t tail = padded - head - capacity;
    if (head)
        munmap(raw, head);
    if (tail)
        munmap(reinterpret_cast<void*>(aligned + capacity), tail);
    auto* data = reinterpret_cast<std::uint8_t*>(aligned);
    // Advice only: without huge pages the block still works, just slower.
    madvise(data, capacity, MADV_HUGEPAGE);
    return data;
}

} // namespace

BlockCache& BlockCache::instance()
{
    static BlockCache* const cache = new BlockCache;
    return *cache;
}

std::uint8_t* BlockCache::take(std::size_t size, std::size_t& capacity, bool& zeroed)
{
    {
        std::lock_guard lock(mutex_);
        // The smallest kept mapping that fits, unless it is so much larger
        // that handing it out would pin memory the request does not need.
        auto best = kept_.end();
        for (auto it = kept_.begin(); it != kept_.end(); ++it) {
            if (it->capacity < size || it->capacity > 2 * size + HugePageBytes)
                continue;
            if (best == kept_.end() || it->capacity < best->capacity)
                best = it;
        }
        if (best != kept_.end()) {
            std::uint8_t* data = best->data;
            capacity = best->capacity;
            zeroed = false;
            kept_.erase(best);
            return data;
        }
    }
    if (size > SIZE_MAX - 2 * HugePageBytes)
        return nullptr;
    zeroed = true;
    if (size < HugePageBytes) {
        capacity = roundUp(size, PageBytes);
        return mapPlain(capacity);
    }
    capacity = roundUp(size, HugePageBytes);
    return mapAligned(capacity);
}

void BlockCache::give(std::uint8_t* data, std::size_t capacity)
{
    std::vector<Kept> evicted;
    {
        std::lock_guard lock(mutex_);
        kept_.push_back({data, capacity});
        while (kept_.size() > KeptLimit) {
            evicted.push_back(kept_.front());
            kept_.erase(kept_.begin());
        }
    }
    for (const Kept& kept : evicted)
        munmap(kept.data, kept.capacity);
}

void BlockCache::trim()
{
    std::vector<Kept> evicted;
    {
        std::lock_guard lock(mutex_);
        evicted.swap(kept_);
    }
    for (const Kept& kept : evicted)
        munmap(kept.data, kept.capacity);
}

} // namespace engine
