#include "memory/pixel_block.h"

#include "memory/block_cache.h"

#include <cstdlib>
#include <cstring>
#include <utility>

namespace engine {

PixelBlock::PixelBlock(PixelBlock&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)),
      size_(std::exchange(other.size_, 0)),
      capacity_(std::exchange(other.capacity_, 0)),
      zeroed_(std::exchange(other.zeroed_, false))
{
}

PixelBlock& PixelBlock::operator=(PixelBlock&& other) noexcept
{
    if (this != &other) {
        release();
        data_ = std::exchange(other.data_, nullptr);
        size_ = std::exchange(other.size_, 0);
        capacity_ = std::exchange(other.capacity_, 0);
        zeroed_ = std::exchange(other.zeroed_, false);
    }
    return *this;
}

PixelBlock::~PixelBlock()
{
    release();
}

PixelBlock PixelBlock::allocate(std::size_t size)
{
    PixelBlock block;
    if (size >= BlockCache::MinimumBytes) {
        block.data_ = BlockCache::instance().take(size, block.capacity_, block.zeroed_);
    } else {
        // calloc rather than malloc: for small blocks the zeroing is cheap
        // and it saves every caller from handling dirty memory.
        block.data_ = static_cast<std::uint8_t*>(std::calloc(size == 0 ? 1 : size, 1));
        block.zeroed_ = true;
    }
    if (!block.data_)
        return PixelBlock{};
    block.size_ = size;
    return block;
}

PixelBlock PixelBlock::allocateZeroed(std::size_t size)
{
    PixelBlock block = allocate(size);
    if (block && !block.zeroed_) {
        std::memset(block.data_, 0, block.size_);
        block.zeroed_ = true;
    }
    return block;
}

void PixelBlock::release()
{
    if (!data_)
        return;
    if (capacity_)
        BlockCache::instance().give(data_, capacity_);
    else
        std::free(data_);
    data_ = nullptr;
    size_ = 0;
    capacity_ = 0;
    zeroed_ = false;
}

} // namespace engine
