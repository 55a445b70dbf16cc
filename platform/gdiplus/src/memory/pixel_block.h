#pragma once

#include <cstddef>
#include <cstdint>

namespace engine {

// One owned block of memory for pixels or encoded bytes. Small blocks come
// from the heap; large ones (BlockCache::MinimumBytes and up) from the cache
// of reusable huge-page mappings, so a render that drops a bitmap and makes
// the same size again does not pay for fresh pages. Move-only; the memory is
// released (or kept for reuse) when the owner goes.
class PixelBlock {
public:
    PixelBlock() = default;
    PixelBlock(PixelBlock&& other) noexcept;
    PixelBlock& operator=(PixelBlock&& other) noexcept;
    PixelBlock(const PixelBlock&) = delete;
    PixelBlock& operator=(const PixelBlock&) = delete;
    ~PixelBlock();

    // A block of `size` bytes whose contents are unspecified unless
    // `isZeroed()` says they are all zero; an empty block when memory is
    // exhausted. Callers that need zeros and can write them more cheaply
    // than a separate pass (by zeroing only what they do not overwrite)
    // use this; everyone else uses `allocateZeroed`.
    static PixelBlock allocate(std::size_t size);

    // A block of `size` zero bytes; an empty block when memory is exhausted.
    static PixelBlock allocateZeroed(std::size_t size);

    std::uint8_t* data() const { return data_; }
    std::size_t size() const { return size_; }
    explicit operator bool() const { return data_ != nullptr; }

    // Whether the block was all zeros when it was allocated. It says nothing
    // about the block after its owner has written to it.
    bool isZeroed() const { return zeroed_; }

private:
    void release();

    std::uint8_t* data_ = nullptr;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0; // non-zero only for cached mappings
    bool zeroed_ = false;
};

} // namespace engine
