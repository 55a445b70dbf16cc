// The programs' allocation of large blocks (a picture's bytes): each comes
// from a mapping of its own backed by transparent huge pages, and a couple of
// freed mappings are kept for the next picture.
//
// Touching freshly mapped memory costs about 10 us per 4 KiB page on the
// machines Quillory runs on, so the bytes of one 1440 x 2560 picture would
// cost some 35 ms in page faults alone, far more than rendering them. Huge
// pages take that to about 2 ms, and a reused mapping to nothing. Small
// blocks go to the C library as usual. Replacing the global allocation
// functions changes where memory comes from, never what a program does.

#include <sys/mman.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <mutex>
#include <new>

namespace {

constexpr std::size_t HugePage = std::size_t{2} << 20;
constexpr std::size_t LargeBlock = std::size_t{4} << 20;

struct Mapping {
    void* base = nullptr;   // what mmap returned
    std::size_t length = 0; // what was mapped
    void* block = nullptr;  // the 2 MiB-aligned address handed out
    std::size_t usable = 0; // bytes from `block` to the mapping's end
};

// Live mappings are found again on release by their address; freed ones wait
// for reuse. Fixed tables: nothing here may allocate.
class LargeAllocations {
public:
    void* allocate(std::size_t size)
    {
        std::lock_guard lock(mutex_);
        for (auto& kept : kept_) {
            if (kept.base && kept.usable >= size && kept.usable <= size * 2) {
                Mapping reused = kept;
                kept = {};
                if (remember(reused))
                    return reused.block;
                kept = reused;
                return nullptr;
            }
        }
        Mapping fresh = map(size);
        if (!fresh.base)
            return nullptr;
        if (!remember(fresh)) {
            ::munmap(fresh.base, fresh.length);
            return nullptr;
        }
        return fresh.block;
    }

    // False when `block` is not one of ours.
    bool release(void* block)
    {
        // Ours are 2 MiB-aligned; anything else came from the C library.
        if (reinterpret_cast<std::uintptr_t>(block) % HugePage != 0)
            return false;
        std::lock_guard lock(mutex_);
        for (auto& live : live_) {
            if (live.block != block)
                continue;
            Mapping freed = live;
            live = {};
            keep(freed);
            return true;
        }
        return false;
    }

private:
    static Mapping map(std::size_t size)
    {
        std::size_t length = 0;
        if (__builtin_add_overflow(size, HugePage, &length))
            return {};
        void* base = ::mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (base == MAP_FAILED)
            return {};
        auto address = reinterpret_cast<std::uintptr_t>(base);
        auto aligned = (address + HugePage - 1) & ~(HugePage - 1);
        Mapping mapping{base, length, reinterpret_cast<void*>(aligned), length - (aligned - address)};
        ::madvise(mapping.block, mapping.usable, MADV_HUGEPAGE);
        return mapping;
    }

    bool remember(const Mapping& mapping)
    {
        for (auto& live : live_) {
            if (!live.base) {
                live = mapping;
                return true;
            }
        }
        return false;
    }

    void keep(const Mapping& freed)
    {
        for (auto& kept : kept_) {
            if (!kept.base) {
                kept = freed;
                return;
            }
        }
        ::munmap(freed.base, freed.length);
    }

    std::mutex mutex_;
    std::array<Mapping, 32> live_{};
    std::array<Mapping, 2> kept_{};
};

LargeAllocations& largeAllocations()
{
    // Never destroyed: blocks may be released after static destruction.
    static auto* allocations = new (std::malloc(sizeof(LargeAllocations))) LargeAllocations;
    return *allocations;
}

void* allocate(std::size_t size)
{
    if (size >= LargeBlock) {
        if (void* block = largeAllocations().allocate(size))
            return block;
    }
    void* block = std::malloc(size ? size : 1);
    if (!block)
        throw std::bad_alloc();
    return block;
}

void release(void* block) noexcept
{
    if (block && !largeAllocations().release(block))
        std::free(block);
}

} // namespace

void* operator new(std::size_t size)
{
    return allocate(size);
}

void* operator new[](std::size_t size)
{
    return allocate(size);
}

void operator delete(void* block) noexcept
{
    release(block);
}

void operator delete[](void* block) noexcept
{
    release(block);
}

void operator delete(void* block, std::size_t) noexcept
{
    release(block);
}

void operator delete[](void* block, std::size_t) noexcept
{
    release(block);
}
