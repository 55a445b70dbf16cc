#pragma once

#include <cstddef>

namespace quillory::win32 {

// An anonymous private mapping that stores one large global-memory block.
//
// Touching a freshly mapped page costs far more than copying into one that is
// already resident, so large blocks live in mappings that are kept and reused
// (see MemoryMappingCache) rather than freshly faulted for every render. A
// mapping reserves more address space than it was asked for, so a block that
// keeps growing (a stream being written) grows in place: untouched reserved
// pages cost no memory. It also remembers how far its pages may have been
// written ("touched"): pages past that point are still the kernel's zero pages
// and never need clearing.
//
// A mapping never moves while its owner says so; otherwise growth beyond the
// reservation moves the pages with mremap, which moves page tables and copies
// nothing.
class MemoryMapping {
public:
    MemoryMapping() = default;
    ~MemoryMapping();
    MemoryMapping(MemoryMapping&& other) noexcept;
    MemoryMapping& operator=(MemoryMapping&& other) noexcept;
    MemoryMapping(const MemoryMapping&) = delete;
    MemoryMapping& operator=(const MemoryMapping&) = delete;

    // A new mapping with room for at least `bytes`, all of it zero; an empty
    // mapping when the system refuses.
    static MemoryMapping create(std::size_t bytes);

    bool empty() const { return address_ == nullptr; }
    std::byte* address() const { return address_; }
    std::size_t reservedBytes() const { return reservedBytes_; }
    // Bytes from the start that may hold something other than zeros; also what
    // the mapping costs in resident memory at most.
    std::size_t touchedBytes() const { return touchedBytes_; }

    // Makes room for at least `bytes`: in place when the address space after
    // the mapping is free, otherwise, only when `mayMove`, at a new address.
    // Returns false, leaving the mapping as it was, when neither works.
    bool reserve(std::size_t bytes, bool mayMove);

    // Records that callers may have written bytes before `end`.
    void touch(std::size_t end);

    // Makes [from, to) zero, clearing only the part that may have been written.
    void zero(std::size_t from, std::size_t to);

private:
    MemoryMapping(std::byte* address, std::size_t reservedBytes);

    std::byte* address_ = nullptr;
    std::size_t reservedBytes_ = 0;
    std::size_t touchedBytes_ = 0;
};

} // namespace quillory::win32
