#include "memory/block_cache.h"
#include "memory/pixel_block.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace engine {
namespace {

constexpr std::size_t Large = 3 * BlockCache::MinimumBytes + 123;

bool allZero(const PixelBlock& block)
{
    return std::all_of(block.data(), block.data() + block.size(), [](std::uint8_t byte) { return byte == 0; });
}

TEST(PixelBlock, ReusedLargeBlocksAreDirtyUntilZeroed)
{
    BlockCache::instance().trim();
    std::uint8_t* first = nullptr;
    {
        PixelBlock block = PixelBlock::allocate(Large);
        ASSERT_TRUE(block);
        EXPECT_TRUE(block.isZeroed()) << "a fresh mapping";
        EXPECT_TRUE(allZero(block));
        std::memset(block.data(), 0xAB, block.size());
        first = block.data();
    }
    {
        PixelBlock block = PixelBlock::allocate(Large);
        ASSERT_TRUE(block);
        EXPECT_EQ(block.data(), first) << "the released mapping is reused";
        EXPECT_FALSE(block.isZeroed()) << "and says it may hold old bytes";
    }
    PixelBlock zeroed = PixelBlock::allocateZeroed(Large);
    ASSERT_TRUE(zeroed);
    EXPECT_TRUE(allZero(zeroed));
}

TEST(PixelBlock, SmallBlocksAreAlwaysZero)
{
    for (int round = 0; round < 3; ++round) {
        PixelBlock block = PixelBlock::allocate(4096);
        ASSERT_TRUE(block);
        EXPECT_TRUE(block.isZeroed());
        EXPECT_TRUE(allZero(block));
        std::memset(block.data(), 0xCD, block.size());
    }
}

TEST(PixelBlock, TheCacheKeepsFewMappings)
{
    BlockCache::instance().trim();
    {
        PixelBlock a = PixelBlock::allocate(Large);
        PixelBlock b = PixelBlock::allocate(Large);
        PixelBlock c = PixelBlock::allocate(Large);
        ASSERT_TRUE(a && b && c);
    }
    // Three released, two kept: the third request maps afresh.
    PixelBlock a = PixelBlock::allocate(Large);
    PixelBlock b = PixelBlock::allocate(Large);
    PixelBlock c = PixelBlock::allocate(Large);
    EXPECT_FALSE(a.isZeroed());
    EXPECT_FALSE(b.isZeroed());
    EXPECT_TRUE(c.isZeroed());
}

TEST(PixelBlock, MovingTransfersOwnership)
{
    PixelBlock block = PixelBlock::allocate(64);
    std::uint8_t* data = block.data();
    PixelBlock moved = std::move(block);
    EXPECT_FALSE(block);
    EXPECT_EQ(moved.data(), data);
    EXPECT_EQ(moved.size(), 64u);
}

} // namespace
} // namespace engine
