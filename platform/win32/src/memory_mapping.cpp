#include "memory_mapping.h"

#include <sys/mman.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>
#include <utility>

namespace quillory::win32 {

namespace {

// Transparent huge pages come in 2 MiB units; a mapping aligned to them can be
// backed by huge pages from its first byte, which makes faulting it in cheaper.
constexpr std::size_t HugePageBytes = std::size_t{2} << 20;

// Address space reserved for a new mapping at least, so that the usual export
// (a few tens of megabytes written into one stream) never has to move.
constexpr std::size_t MinimumReservationBytes = std::size_t{64} << 20;

// Rounds up to whole huge pages; 0 when that would overflow.
std::size_t roundUpToHugePages(std::size_t bytes)
{
    if (bytes > std::numeric_limits<std::size_t>::max() - (HugePageBytes - 1)) {
        return 0;
    }
    return (bytes + HugePageBytes - 1) & ~(HugePageBytes - 1);
}

// Maps `bytes` (a multiple of the huge page size) at a huge-page-aligned
// address by over-mapping and trimming the ends. MAP_NORESERVE: reserved but
// untouched pages must not count against the system's commit limit.
std::byte* mapAligned(std::size_t bytes, int protection)
{
    if (bytes > std::numeric_limits<std::size_t>::max() - HugePageBytes) {
        return nullptr;
    }
    const std::size_t span = bytes + HugePageBytes;
    void* raw = mmap(nullptr, span, protection, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (raw == MAP_FAILED) {
        return nullptr;
    }
    const auto start = reinterpret_cast<std::uintptr_t>(raw);
    const std::uintptr_t aligned = (start + HugePageBytes - 1) & ~std::uintptr_t{HugePageBytes - 1};
    const std::size_t head = aligned - start;
    const std::size_t tail = span - head - bytes;
    if (head > 0) {
        munmap(raw, head);
    }
    if (tail > 0) {
        munmap(reinterpret_cast<void*>(aligned + bytes), tail);
    }
    return reinterpret_cast<std::byte*>(aligned);
}

// Only a hint: without huge pages the mapping works the same, only slower.
void adviseHugePages(std::byte* address, std::size_t bytes)
{
    madvise(address, bytes, MADV_HUGEPAGE);
}

} // namespace

MemoryMapping::MemoryMapping(std::byte* address, std::size_t reservedBytes)
    : address_(address),
      reservedBytes_(reservedBytes)
{
}

MemoryMapping::~MemoryMapping()
{
    if (address_ != nullptr) {
        munmap(address_, reservedBytes_);
    }
}

MemoryMapping::MemoryMapping(MemoryMapping&& other) noexcept
    : address_(std::exchange(other.address_, nullptr)),
      reservedBytes_(std::exchange(other.reservedBytes_, 0)),
      touchedBytes_(std::exchange(other.touchedBytes_, 0))
{
}

MemoryMapping& MemoryMapping::operator=(MemoryMapping&& other) noexcept
{
    if (this != &other) {
        if (address_ != nullptr) {
            munmap(address_, reservedBytes_);
        }
        address_ = std::exchange(other.address_, nullptr);
        reservedBytes_ = std::exchange(other.reservedBytes_, 0);
        touchedBytes_ = std::exchange(other.touchedBytes_, 0);
    }
    return *this;
}

MemoryMapping MemoryMapping::create(std::size_t bytes)
{
    const std::size_t generous = bytes > std::numeric_limits<std::size_t>::max() / 2 ? bytes : bytes * 2;
    const std::size_t reserved = roundUpToHugePages(std::max(generous, MinimumReservationBytes));
    if (reserved == 0) {
        return {};
    }
    std::byte* address = mapAligned(reserved, PROT_READ | PROT_WRITE);
    if (address == nullptr) {
        return {};
    }
    adviseHugePages(address, reserved);
    return MemoryMapping(address, reserved);
}

bool MemoryMapping::reserve(std::size_t bytes, bool mayMove)
{
    if (bytes <= reservedBytes_) {
        return true;
    }
    if (address_ == nullptr) {
        return false;
    }
    // Growing geometrically keeps the number of moves logarithmic in the size.
    const std::size_t doubled = reservedBytes_ > std::numeric_limits<std::size_t>::max() / 2
        ? std::numeric_limits<std::size_t>::max()
        : reservedBytes_ * 2;
    const std::size_t wanted = roundUpToHugePages(std::max(bytes, doubled));
    if (wanted == 0) {
        return false;
    }
    void* grown = mremap(address_, reservedBytes_, wanted, 0);
    if (grown == MAP_FAILED) {
        if (!mayMove) {
            return false;
        }
        // Move onto an aligned placeholder so the pages stay huge-page aligned.
        std::byte* destination = mapAligned(wanted, PROT_NONE);
        if (destination == nullptr) {
            return false;
        }
        grown = mremap(address_, reservedBytes_, wanted, MREMAP_MAYMOVE | MREMAP_FIXED, destination);
        if (grown == MAP_FAILED) {
            munmap(destination, wanted);
            return false;
        }
    }
    address_ = static_cast<std::byte*>(grown);
    reservedBytes_ = wanted;
    adviseHugePages(address_, reservedBytes_);
    return true;
}

void MemoryMapping::touch(std::size_t end)
{
    touchedBytes_ = std::max(touchedBytes_, std::min(end, reservedBytes_));
}

void MemoryMapping::zero(std::size_t from, std::size_t to)
{
    const std::size_t end = std::min(to, touchedBytes_);
    if (from < end) {
        std::memset(address_ + from, 0, end - from);
    }
}

} // namespace quillory::win32
