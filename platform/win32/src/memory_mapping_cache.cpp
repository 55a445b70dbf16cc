#include "memory_mapping_cache.h"

#include <utility>

namespace quillory::win32 {

namespace {

constexpr std::size_t MaximumKeptMappings = 2;
constexpr std::size_t MaximumKeptBytes = std::size_t{128} << 20;

} // namespace

MemoryMappingCache& MemoryMappingCache::instance()
{
    static MemoryMappingCache* cache = new MemoryMappingCache();
    return *cache;
}

MemoryMapping MemoryMappingCache::take(std::size_t bytes)
{
    MemoryMapping mapping;
    {
        std::lock_guard guard(mutex_);
        if (!kept_.empty()) {
            // The newest that is big enough, else the newest: growing a kept
            // mapping only moves page tables, and its resident pages are the
            // point of keeping it.
            auto chosen = kept_.end() - 1;
            for (auto candidate = kept_.rbegin(); candidate != kept_.rend(); ++candidate) {
                if (candidate->reservedBytes() >= bytes) {
                    chosen = candidate.base() - 1;
                    break;
                }
            }
            mapping = std::move(*chosen);
            kept_.erase(chosen);
        }
    }
    if (mapping.empty()) {
        return MemoryMapping::create(bytes);
    }
    if (!mapping.reserve(bytes, true)) {
        // No room for a size this large anywhere: a new mapping would fail
        // the same way, and the kept one is still good for the next block.
        keep(std::move(mapping));
        return {};
    }
    return mapping;
}

void MemoryMappingCache::keep(MemoryMapping mapping)
{
    if (mapping.empty() || mapping.touchedBytes() > MaximumKeptBytes) {
        return;
    }
    // Mappings evicted here are unmapped after the lock is released.
    std::vector<MemoryMapping> evicted;
    std::lock_guard guard(mutex_);
    try {
        kept_.push_back(std::move(mapping));
    } catch (...) {
        return;
    }
    std::size_t keptBytes = 0;
    for (const MemoryMapping& kept : kept_) {
        keptBytes += kept.touchedBytes();
    }
    while (kept_.size() > MaximumKeptMappings || keptBytes > MaximumKeptBytes) {
        keptBytes -= kept_.front().touchedBytes();
        try {
            evicted.push_back(std::move(kept_.front()));
        } catch (...) {
        }
        kept_.erase(kept_.begin());
    }
}

} // namespace quillory::win32
