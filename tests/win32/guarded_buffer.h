#pragma once

#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstring>
#include <stdexcept>

// Data placed so that its last element is the last one before an unreadable
// page: a routine that reads even one element past the length it was given
// crashes the test instead of passing by luck.
class GuardedBuffer {
public:
    GuardedBuffer()
        : pageBytes_(static_cast<std::size_t>(sysconf(_SC_PAGESIZE))),
          pages_(mmap(nullptr, 2 * pageBytes_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0))
    {
        if (pages_ == MAP_FAILED ||
            mprotect(static_cast<std::byte*>(pages_) + pageBytes_, pageBytes_, PROT_NONE) != 0) {
            throw std::runtime_error("cannot map a guarded page");
        }
    }
    ~GuardedBuffer() { munmap(pages_, 2 * pageBytes_); }
    GuardedBuffer(const GuardedBuffer&) = delete;
    GuardedBuffer& operator=(const GuardedBuffer&) = delete;

    // Copies `count` elements so that they end exactly at the guard page.
    template <typename Element> const Element* placeAtEnd(const Element* data, std::size_t count)
    {
        auto* end = static_cast<std::byte*>(pages_) + pageBytes_;
        auto* start = reinterpret_cast<Element*>(end - count * sizeof(Element));
        std::memcpy(start, data, count * sizeof(Element));
        return start;
    }

private:
    std::size_t pageBytes_;
    void* pages_;
};
