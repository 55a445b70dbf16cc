#include "win32/win32.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <thread>
#include <vector>

namespace {

constexpr SIZE_T MiB = SIZE_T{1} << 20;

// Sizes on both sides of the point where blocks move from the heap into
// reusable mappings, and odd sizes that no rounding would produce.
const SIZE_T BlockSizes[] = {1, 7, 4096, 65537, MiB - 1, MiB, 3 * MiB + 5, 17 * MiB + 3};

bool allBytesAre(const void* address, SIZE_T bytes, std::uint8_t value)
{
    const auto* data = static_cast<const std::uint8_t*>(address);
    return std::all_of(data, data + bytes, [value](std::uint8_t byte) { return byte == value; });
}

TEST(GlobalMemory, ZeroInitialisedBlocksHaveExactlyTheRequestedZeroBytes)
{
    for (const SIZE_T bytes : BlockSizes) {
        SCOPED_TRACE(bytes);
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
        ASSERT_NE(block, nullptr);
        EXPECT_EQ(GlobalSize(block), bytes);
        void* address = GlobalLock(block);
        ASSERT_NE(address, nullptr);
        EXPECT_TRUE(allBytesAre(address, bytes, 0));
        GlobalUnlock(block);
        EXPECT_EQ(GlobalFree(block), nullptr);
    }
}

TEST(GlobalMemory, FreedBytesNeverShowInANewZeroInitialisedBlock)
{
    // Large blocks reuse the memory of freed ones; the reused bytes must be
    // cleared all the same.
    for (const SIZE_T bytes : BlockSizes) {
        SCOPED_TRACE(bytes);
        HGLOBAL dirty = GlobalAlloc(GMEM_MOVEABLE, bytes);
        ASSERT_NE(dirty, nullptr);
        std::memset(GlobalLock(dirty), 0xAB, bytes);
        GlobalUnlock(dirty);
        ASSERT_EQ(GlobalFree(dirty), nullptr);

        HGLOBAL clean = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
        ASSERT_NE(clean, nullptr);
        EXPECT_TRUE(allBytesAre(GlobalLock(clean), bytes, 0));
        GlobalUnlock(clean);
        GlobalFree(clean);
    }
}

TEST(GlobalMemory, ZeroByteBlockExistsButCannotBeLocked)
{
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 0);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(GlobalSize(block), 0u);
    EXPECT_EQ(GlobalLock(block), nullptr);
    EXPECT_EQ(GlobalUnlock(block), 0);
    EXPECT_EQ(GlobalFree(block), nullptr);
}

TEST(GlobalMemory, HandlesAreNotAddresses)
{
    HGLOBAL block = GlobalAlloc(GMEM_FIXED, 16);
    void* address = GlobalLock(block);
    EXPECT_NE(static_cast<void*>(block), address);
    GlobalUnlock(block);
    GlobalFree(block);
}

TEST(GlobalMemory, DeadHandlesFailWithoutCrashing)
{
    HGLOBAL freed = GlobalAlloc(GMEM_MOVEABLE, 32);
    ASSERT_EQ(GlobalFree(freed), nullptr);
    struct Case {
        const char* name;
        HGLOBAL handle;
    };
    const Case cases[] = {
        {"freed", freed},
        {"made_up", reinterpret_cast<HGLOBAL>(std::uintptr_t{0x12345670})},
        {"an_address", reinterpret_cast<HGLOBAL>(&freed)},
    };
    for (const Case& dead : cases) {
        SCOPED_TRACE(dead.name);
        EXPECT_EQ(GlobalLock(dead.handle), nullptr);
        EXPECT_EQ(GlobalUnlock(dead.handle), 0);
        EXPECT_EQ(GlobalSize(dead.handle), 0u);
        EXPECT_EQ(GlobalReAlloc(dead.handle, 64, GMEM_MOVEABLE), nullptr);
        EXPECT_EQ(GlobalFree(dead.handle), dead.handle);
    }
    EXPECT_EQ(GlobalLock(nullptr), nullptr);
    EXPECT_EQ(GlobalSize(nullptr), 0u);
    EXPECT_EQ(GlobalFree(nullptr), nullptr);
}

TEST(GlobalMemory, LocksAreCounted)
{
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 10);
    void* first = GlobalLock(block);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(GlobalLock(block), first);
    EXPECT_EQ(GlobalUnlock(block), 1) << "one lock remains";
    EXPECT_EQ(GlobalUnlock(block), 0) << "now unlocked";
    EXPECT_EQ(GlobalUnlock(block), 0) << "was not locked";
    EXPECT_EQ(GlobalLock(block), first) << "an unlock too many must not break the next lock";
    EXPECT_EQ(GlobalUnlock(block), 0);
    GlobalFree(block);
}

TEST(GlobalMemory, ReAllocKeepsTheHandleAndTheLeadingBytes)
{
    struct Case {
        SIZE_T from;
        SIZE_T to;
    };
    const Case cases[] = {
        {10, 20},            // small growth
        {100, 3},            // shrinking
        {1000, 2 * MiB},     // from the heap into a mapping
        {2 * MiB, 90 * MiB}, // a mapping past its first reservation
    };
    for (const Case& resize : cases) {
        SCOPED_TRACE(std::to_string(resize.from) + " -> " + std::to_string(resize.to));
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, resize.from);
        auto* bytes = static_cast<std::uint8_t*>(GlobalLock(block));
        for (SIZE_T index = 0; index < resize.from; ++index) {
            bytes[index] = static_cast<std::uint8_t>(index * 7 + 1);
        }
        GlobalUnlock(block);

        ASSERT_EQ(GlobalReAlloc(block, resize.to, GMEM_MOVEABLE | GMEM_ZEROINIT), block);
        EXPECT_EQ(GlobalSize(block), resize.to);
        bytes = static_cast<std::uint8_t*>(GlobalLock(block));
        const SIZE_T kept = std::min(resize.from, resize.to);
        bool leadingKept = true;
        for (SIZE_T index = 0; index < kept; ++index) {
            leadingKept = leadingKept && bytes[index] == static_cast<std::uint8_t>(index * 7 + 1);
        }
        EXPECT_TRUE(leadingKept);
        if (resize.to > kept) {
            EXPECT_TRUE(allBytesAre(bytes + kept, resize.to - kept, 0));
        }
        GlobalUnlock(block);
        GlobalFree(block);
    }
}

TEST(GlobalMemory, ShrinkingThenGrowingClearsTheRegrownBytes)
{
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 2 * MiB);
    std::memset(GlobalLock(block), 0xEE, 2 * MiB);
    GlobalUnlock(block);
    ASSERT_EQ(GlobalReAlloc(block, 16, GMEM_MOVEABLE), block);
    ASSERT_EQ(GlobalReAlloc(block, 2 * MiB, GMEM_MOVEABLE | GMEM_ZEROINIT), block);
    const auto* bytes = static_cast<const std::uint8_t*>(GlobalLock(block));
    EXPECT_TRUE(allBytesAre(bytes, 16, 0xEE));
    EXPECT_TRUE(allBytesAre(bytes + 16, 2 * MiB - 16, 0));
    GlobalUnlock(block);
    GlobalFree(block);
}

TEST(GlobalMemory, LockedBlockNeverMoves)
{
    // Growing a locked block either keeps its address or is refused with the
    // block unchanged; an address handed out by GlobalLock must stay valid.
    for (const SIZE_T bytes : {SIZE_T{64}, 2 * MiB}) {
        SCOPED_TRACE(bytes);
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
        auto* address = static_cast<std::uint8_t*>(GlobalLock(block));
        address[0] = 0x5A;
        const HGLOBAL grown = GlobalReAlloc(block, bytes * 4, GMEM_MOVEABLE);
        if (grown == nullptr) {
            EXPECT_EQ(GlobalSize(block), bytes);
        } else {
            EXPECT_EQ(GlobalSize(block), bytes * 4);
        }
        EXPECT_EQ(GlobalLock(block), address);
        EXPECT_EQ(address[0], 0x5A);
        GlobalUnlock(block);
        GlobalUnlock(block);
        GlobalFree(block);
    }
}

TEST(GlobalMemory, ModifyChangesNeitherSizeNorBytes)
{
    HGLOBAL block = GlobalAlloc(GMEM_FIXED, 8);
    std::memset(GlobalLock(block), 0x42, 8);
    GlobalUnlock(block);
    EXPECT_EQ(GlobalReAlloc(block, 0, GMEM_MODIFY | GMEM_MOVEABLE), block);
    EXPECT_EQ(GlobalSize(block), 8u);
    EXPECT_TRUE(allBytesAre(GlobalLock(block), 8, 0x42));
    GlobalUnlock(block);
    GlobalFree(block);
}

TEST(GlobalMemory, ImpossibleSizesFail)
{
    EXPECT_EQ(GlobalAlloc(GMEM_MOVEABLE, ~SIZE_T{0}), nullptr);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 8);
    EXPECT_EQ(GlobalReAlloc(block, ~SIZE_T{0} - 4096, GMEM_MOVEABLE), nullptr);
    EXPECT_EQ(GlobalSize(block), 8u);
    GlobalFree(block);
}

TEST(GlobalMemory, ThreadsWorkOnTheirOwnBlocksAtTheSameTime)
{
    // Each thread fills its blocks with its own byte and checks it finds only
    // that byte: a registry without its lock mixes blocks up or corrupts itself.
    constexpr int Threads = 4;
    constexpr int Rounds = 2000;
    std::vector<int> mismatches(Threads, 0);
    std::vector<std::thread> workers;
    for (int thread = 0; thread < Threads; ++thread) {
        workers.emplace_back([thread, &mismatches] {
            const auto mark = static_cast<std::uint8_t>(0x10 + thread);
            for (int round = 0; round < Rounds; ++round) {
                const SIZE_T bytes = 1 + static_cast<SIZE_T>((round * 37) % 5000);
                HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
                if (block == nullptr) {
                    ++mismatches[thread];
                    continue;
                }
                std::memset(GlobalLock(block), mark, bytes);
                GlobalUnlock(block);
                if (GlobalSize(block) != bytes || !allBytesAre(GlobalLock(block), bytes, mark)) {
                    ++mismatches[thread];
                }
                GlobalUnlock(block);
                if (GlobalFree(block) != nullptr) {
                    ++mismatches[thread];
                }
            }
        });
    }
    for (std::thread& worker : workers) {
        worker.join();
    }
    EXPECT_EQ(mismatches, std::vector<int>(Threads, 0));
}

} // namespace
