#include "win32/win32.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint64_t MiB = std::uint64_t{1} << 20;

LARGE_INTEGER offset(std::int64_t value)
{
    LARGE_INTEGER result;
    result.QuadPart = value;
    return result;
}

ULARGE_INTEGER length(std::uint64_t value)
{
    ULARGE_INTEGER result;
    result.QuadPart = value;
    return result;
}

Bytes pattern(std::size_t bytes, std::uint8_t seed)
{
    Bytes data(bytes);
    for (std::size_t index = 0; index < bytes; ++index) {
        data[index] = static_cast<std::uint8_t>(seed + index * 13 + (index >> 8));
    }
    return data;
}

// The block's bytes as GlobalLock and GlobalSize see them, which is how the
// library reads an encoded image back.
Bytes blockBytes(HGLOBAL block)
{
    const SIZE_T bytes = GlobalSize(block);
    if (bytes == 0) {
        return {};
    }
    const auto* address = static_cast<const std::uint8_t*>(GlobalLock(block));
    Bytes copy(address, address + bytes);
    GlobalUnlock(block);
    return copy;
}

// A stream over a block it does not free, as the library's memory stream
// makes it; the test frees the block itself at the end.
class StreamTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 0);
        ASSERT_NE(block, nullptr);
        ASSERT_EQ(CreateStreamOnHGlobal(block, 0, &stream), S_OK);
        ASSERT_NE(stream, nullptr);
    }

    void TearDown() override
    {
        if (stream != nullptr) {
            EXPECT_EQ(stream->lpVtbl->Release(stream), 0u);
        }
        GlobalFree(block);
    }

    HRESULT write(const Bytes& data, ULONG* written = nullptr)
    {
        return stream->lpVtbl->Write(stream, data.data(), static_cast<ULONG>(data.size()), written);
    }

    Bytes read(ULONG count)
    {
        Bytes data(count);
        ULONG got = 0;
        EXPECT_EQ(stream->lpVtbl->Read(stream, data.data(), count, &got), S_OK);
        data.resize(got);
        return data;
    }

    std::uint64_t seek(std::int64_t move, DWORD origin)
    {
        ULARGE_INTEGER position{};
        EXPECT_EQ(stream->lpVtbl->Seek(stream, offset(move), origin, &position), S_OK);
        return position.QuadPart;
    }

    HGLOBAL block = nullptr;
    IStream* stream = nullptr;
};

TEST_F(StreamTest, WrittenBytesReadBackAfterSeekingToTheStart)
{
    const Bytes data = pattern(10, 1);
    ULONG written = 0;
    ASSERT_EQ(write(data, &written), S_OK);
    EXPECT_EQ(written, 10u);
    EXPECT_EQ(seek(0, STREAM_SEEK_CUR), 10u);
    EXPECT_EQ(seek(0, STREAM_SEEK_SET), 0u);
    EXPECT_EQ(read(10), data);
    EXPECT_EQ(read(10), Bytes{}) << "reading at the end gives nothing and succeeds";
}

TEST_F(StreamTest, ReadStopsAtTheEnd)
{
    const Bytes data = pattern(10, 1);
    ASSERT_EQ(write(data), S_OK);
    seek(6, STREAM_SEEK_SET);
    EXPECT_EQ(read(100), Bytes(data.begin() + 6, data.end()));
    seek(50, STREAM_SEEK_SET);
    EXPECT_EQ(read(5), Bytes{});
}

TEST_F(StreamTest, BlockSizeIsExactlyTheBytesWrittenAndTheHandleStays)
{
    // Rows of a 1440-pixel 32-bit picture, written one at a time as the
    // encoder does, past the point where the block changes storage.
    const std::size_t rowBytes = 1440 * 4;
    Bytes expected;
    ASSERT_EQ(write(pattern(54, 9)), S_OK);
    expected = pattern(54, 9);
    for (int row = 0; row < 400; ++row) {
        const Bytes rowData = pattern(rowBytes, static_cast<std::uint8_t>(row));
        ASSERT_EQ(write(rowData), S_OK);
        expected.insert(expected.end(), rowData.begin(), rowData.end());
        if (row == 0 || row == 200) {
            EXPECT_EQ(GlobalSize(block), expected.size()) << "after row " << row;
        }
    }
    HGLOBAL underStream = nullptr;
    ASSERT_EQ(GetHGlobalFromStream(stream, &underStream), S_OK);
    EXPECT_EQ(underStream, block);
    EXPECT_EQ(GlobalSize(block), expected.size());
    EXPECT_TRUE(blockBytes(block) == expected);
}

TEST_F(StreamTest, WritingInsideTheStreamDoesNotChangeItsLength)
{
    ASSERT_EQ(write(pattern(20, 0)), S_OK);
    seek(5, STREAM_SEEK_SET);
    ASSERT_EQ(write(Bytes{0xAA, 0xBB}), S_OK);
    EXPECT_EQ(GlobalSize(block), 20u);
    Bytes expected = pattern(20, 0);
    expected[5] = 0xAA;
    expected[6] = 0xBB;
    EXPECT_EQ(blockBytes(block), expected);
}

TEST_F(StreamTest, GapLeftBySeekingPastTheEndReadsAsZeros)
{
    ASSERT_EQ(write(Bytes{'a', 'b', 'c'}), S_OK);
    EXPECT_EQ(seek(10, STREAM_SEEK_SET), 10u);
    EXPECT_EQ(GlobalSize(block), 3u) << "seeking alone does not grow the stream";
    ASSERT_EQ(write(Bytes{'x', 'y', 'z'}), S_OK);
    EXPECT_EQ(blockBytes(block), (Bytes{'a', 'b', 'c', 0, 0, 0, 0, 0, 0, 0, 'x', 'y', 'z'}));
}

TEST_F(StreamTest, GapInReusedLargeMemoryReadsAsZeros)
{
    // Leave a large freed block full of 0xAB behind, so the stream's storage
    // may well be that block's memory once it grows large.
    HGLOBAL dirty = GlobalAlloc(GMEM_MOVEABLE, 8 * MiB);
    std::memset(GlobalLock(dirty), 0xAB, 8 * MiB);
    GlobalUnlock(dirty);
    GlobalFree(dirty);

    ASSERT_EQ(write(Bytes(2 * MiB, 0x11)), S_OK);
    seek(5 * MiB, STREAM_SEEK_SET);
    ASSERT_EQ(write(Bytes{0x22}), S_OK);
    const Bytes bytes = blockBytes(block);
    ASSERT_EQ(bytes.size(), 5 * MiB + 1);
    EXPECT_TRUE(
        std::all_of(bytes.begin() + 2 * MiB, bytes.begin() + 5 * MiB, [](std::uint8_t byte) { return byte == 0; }));
    EXPECT_EQ(bytes.back(), 0x22);
}

TEST_F(StreamTest, SetSizeTruncatesAndZeroFillsGrowth)
{
    ASSERT_EQ(write(Bytes(100, 0xFF)), S_OK);
    ASSERT_EQ(stream->lpVtbl->SetSize(stream, length(10)), S_OK);
    EXPECT_EQ(GlobalSize(block), 10u);
    EXPECT_EQ(seek(0, STREAM_SEEK_CUR), 100u) << "SetSize leaves the position alone";
    ASSERT_EQ(stream->lpVtbl->SetSize(stream, length(100)), S_OK);
    Bytes expected(100, 0);
    std::fill(expected.begin(), expected.begin() + 10, 0xFF);
    EXPECT_EQ(blockBytes(block), expected);
    EXPECT_EQ(stream->lpVtbl->SetSize(stream, length(~std::uint64_t{0})), STG_E_MEDIUMFULL);
    EXPECT_EQ(GlobalSize(block), 100u);
}

TEST_F(StreamTest, SeekFollowsItsOriginAndRefusesPositionsBeforeTheStart)
{
    ASSERT_EQ(write(pattern(10, 0)), S_OK);
    struct Case {
        const char* name;
        std::int64_t move;
        DWORD origin;
        HRESULT result;
        std::uint64_t position; // after the call; a refusal leaves it at 4
    };
    const Case cases[] = {
        {"set", 7, STREAM_SEEK_SET, S_OK, 7},
        {"current_forward", 3, STREAM_SEEK_CUR, S_OK, 7},
        {"current_back", -4, STREAM_SEEK_CUR, S_OK, 0},
        {"end_back", -2, STREAM_SEEK_END, S_OK, 8},
        {"past_the_end", 5, STREAM_SEEK_END, S_OK, 15},
        {"before_the_start_from_set", -1, STREAM_SEEK_SET, STG_E_INVALIDFUNCTION, 4},
        {"before_the_start_from_current", -5, STREAM_SEEK_CUR, STG_E_INVALIDFUNCTION, 4},
        {"before_the_start_from_end", -11, STREAM_SEEK_END, STG_E_INVALIDFUNCTION, 4},
        {"unknown_origin", 0, 3, STG_E_INVALIDFUNCTION, 4},
    };
    for (const Case& seekCase : cases) {
        SCOPED_TRACE(seekCase.name);
        seek(4, STREAM_SEEK_SET);
        ULARGE_INTEGER reported{};
        reported.QuadPart = 12345;
        EXPECT_EQ(stream->lpVtbl->Seek(stream, offset(seekCase.move), seekCase.origin, &reported), seekCase.result);
        if (seekCase.result == S_OK) {
            EXPECT_EQ(reported.QuadPart, seekCase.position);
        }
        EXPECT_EQ(seek(0, STREAM_SEEK_CUR), seekCase.position);
    }
    EXPECT_EQ(stream->lpVtbl->Seek(stream, offset(0), STREAM_SEEK_SET, nullptr), S_OK);
}

TEST_F(StreamTest, CloneSharesTheBytesButKeepsItsOwnPosition)
{
    ASSERT_EQ(write(Bytes{'h', 'e', 'l', 'l', 'o'}), S_OK);
    IStream* clone = nullptr;
    ASSERT_EQ(stream->lpVtbl->Clone(stream, &clone), S_OK);
    ASSERT_NE(clone, nullptr);

    ULARGE_INTEGER clonePosition{};
    ASSERT_EQ(clone->lpVtbl->Seek(clone, offset(0), STREAM_SEEK_CUR, &clonePosition), S_OK);
    EXPECT_EQ(clonePosition.QuadPart, 5u) << "a clone starts where the original was";

    const std::uint8_t bang = '!';
    ASSERT_EQ(clone->lpVtbl->Write(clone, &bang, 1, nullptr), S_OK);
    EXPECT_EQ(seek(0, STREAM_SEEK_CUR), 5u) << "the clone's write moved only the clone";
    seek(0, STREAM_SEEK_SET);
    EXPECT_EQ(read(10), (Bytes{'h', 'e', 'l', 'l', 'o', '!'}));

    HGLOBAL underClone = nullptr;
    ASSERT_EQ(GetHGlobalFromStream(clone, &underClone), S_OK);
    EXPECT_EQ(underClone, block);
    EXPECT_EQ(clone->lpVtbl->Release(clone), 0u);
}

TEST_F(StreamTest, CopyToMovesBytesFromThePositionAndAdvancesBothStreams)
{
    // More than one internal chunk, starting mid-stream.
    const Bytes data = pattern(200000, 3);
    ASSERT_EQ(write(data), S_OK);
    seek(10, STREAM_SEEK_SET);

    IStream* target = nullptr;
    ASSERT_EQ(CreateStreamOnHGlobal(nullptr, 1, &target), S_OK);
    ULARGE_INTEGER readBytes{};
    ULARGE_INTEGER writtenBytes{};
    ASSERT_EQ(stream->lpVtbl->CopyTo(stream, target, length(150000), &readBytes, &writtenBytes), S_OK);
    EXPECT_EQ(readBytes.QuadPart, 150000u);
    EXPECT_EQ(writtenBytes.QuadPart, 150000u);
    EXPECT_EQ(seek(0, STREAM_SEEK_CUR), 150010u);

    // Asking for more than is left copies what is left.
    ASSERT_EQ(stream->lpVtbl->CopyTo(stream, target, length(1 << 30), &readBytes, &writtenBytes), S_OK);
    EXPECT_EQ(readBytes.QuadPart, 200000u - 150010u);

    HGLOBAL targetBlock = nullptr;
    ASSERT_EQ(GetHGlobalFromStream(target, &targetBlock), S_OK);
    EXPECT_TRUE(blockBytes(targetBlock) == Bytes(data.begin() + 10, data.end()));
    EXPECT_EQ(target->lpVtbl->Release(target), 0u);
}

TEST_F(StreamTest, CopyToACloneOnTheSameBlockAppendsACopy)
{
    const Bytes data = pattern(100000, 5);
    ASSERT_EQ(write(data), S_OK);
    IStream* clone = nullptr;
    ASSERT_EQ(stream->lpVtbl->Clone(stream, &clone), S_OK); // positioned at the end
    seek(0, STREAM_SEEK_SET);
    ASSERT_EQ(stream->lpVtbl->CopyTo(stream, clone, length(data.size()), nullptr, nullptr), S_OK);
    Bytes doubled = data;
    doubled.insert(doubled.end(), data.begin(), data.end());
    EXPECT_TRUE(blockBytes(block) == doubled);
    clone->lpVtbl->Release(clone);
}

TEST_F(StreamTest, StatDescribesAnUnnamedStreamOfTheBlocksSize)
{
    ASSERT_EQ(write(pattern(42, 0)), S_OK);
    for (const DWORD flag : {DWORD{STATFLAG_DEFAULT}, DWORD{STATFLAG_NONAME}}) {
        STATSTG stat;
        std::memset(&stat, 0xCC, sizeof stat);
        ASSERT_EQ(stream->lpVtbl->Stat(stream, &stat, flag), S_OK);
        EXPECT_EQ(stat.type, static_cast<DWORD>(STGTY_STREAM));
        EXPECT_EQ(stat.cbSize.QuadPart, 42u);
        EXPECT_EQ(stat.pwcsName, nullptr);
        EXPECT_EQ(stat.grfLocksSupported, 0u);
    }
    STATSTG stat{};
    EXPECT_EQ(stream->lpVtbl->Stat(stream, &stat, 7), STG_E_INVALIDFLAG);
    EXPECT_EQ(stream->lpVtbl->Stat(stream, nullptr, STATFLAG_NONAME), STG_E_INVALIDPOINTER);
}

TEST_F(StreamTest, RegionLocksAreUnsupportedAndCommitAndRevertKeepTheBytes)
{
    EXPECT_EQ(stream->lpVtbl->LockRegion(stream, length(0), length(1), 0), STG_E_INVALIDFUNCTION);
    EXPECT_EQ(stream->lpVtbl->UnlockRegion(stream, length(0), length(1), 0), STG_E_INVALIDFUNCTION);
    ASSERT_EQ(write(Bytes{1, 2, 3}), S_OK);
    EXPECT_EQ(stream->lpVtbl->Revert(stream), S_OK);
    EXPECT_EQ(stream->lpVtbl->Commit(stream, 0), S_OK);
    EXPECT_EQ(blockBytes(block), (Bytes{1, 2, 3}));
}

TEST_F(StreamTest, NullBuffersAreRefused)
{
    ULONG count = 99;
    EXPECT_EQ(stream->lpVtbl->Read(stream, nullptr, 4, &count), STG_E_INVALIDPOINTER);
    EXPECT_EQ(count, 0u);
    EXPECT_EQ(stream->lpVtbl->Write(stream, nullptr, 4, &count), STG_E_INVALIDPOINTER);
    EXPECT_EQ(GlobalSize(block), 0u);
    EXPECT_EQ(stream->lpVtbl->CopyTo(stream, nullptr, length(4), nullptr, nullptr), STG_E_INVALIDPOINTER);
    EXPECT_EQ(stream->lpVtbl->Clone(stream, nullptr), STG_E_INVALIDPOINTER);
}

TEST_F(StreamTest, FreeingTheBlockUnderAStreamMakesItFailNotCrash)
{
    ASSERT_EQ(write(pattern(16, 0)), S_OK);
    ASSERT_EQ(GlobalFree(block), nullptr);
    std::uint8_t buffer[4] = {};
    STATSTG stat{};
    IStream* clone = nullptr;
    EXPECT_EQ(stream->lpVtbl->Read(stream, buffer, 4, nullptr), STG_E_INVALIDHANDLE);
    EXPECT_EQ(stream->lpVtbl->Write(stream, buffer, 4, nullptr), STG_E_INVALIDHANDLE);
    EXPECT_EQ(stream->lpVtbl->Seek(stream, offset(0), STREAM_SEEK_SET, nullptr), STG_E_INVALIDHANDLE);
    EXPECT_EQ(stream->lpVtbl->SetSize(stream, length(4)), STG_E_INVALIDHANDLE);
    EXPECT_EQ(stream->lpVtbl->Stat(stream, &stat, STATFLAG_NONAME), STG_E_INVALIDHANDLE);
    EXPECT_EQ(stream->lpVtbl->Clone(stream, &clone), STG_E_INVALIDHANDLE);
    EXPECT_EQ(clone, nullptr);
    EXPECT_EQ(GlobalSize(block), 0u);
}

TEST_F(StreamTest, ReferenceCountsFollowAddRefReleaseAndQueryInterface)
{
    EXPECT_EQ(stream->lpVtbl->AddRef(stream), 2u);
    EXPECT_EQ(stream->lpVtbl->Release(stream), 1u);
    for (const IID* iid : {&IID_IUnknown, &IID_ISequentialStream, &IID_IStream}) {
        void* object = nullptr;
        ASSERT_EQ(stream->lpVtbl->QueryInterface(stream, iid, &object), S_OK);
        EXPECT_EQ(object, stream);
        EXPECT_EQ(stream->lpVtbl->Release(stream), 1u) << "the query added one reference";
    }
    const IID unknown = {0x12345678u, 0x1234u, 0x1234u, {1, 2, 3, 4, 5, 6, 7, 8}};
    void* object = stream;
    EXPECT_EQ(stream->lpVtbl->QueryInterface(stream, &unknown, &object), E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(stream->lpVtbl->QueryInterface(stream, &IID_IStream, nullptr), E_POINTER);
    EXPECT_EQ(stream->lpVtbl->AddRef(stream), 2u) << "failed queries added nothing";
    EXPECT_EQ(stream->lpVtbl->Release(stream), 1u);
}

struct ReleaseCase {
    const char* name;
    BOOL deleteOnRelease;
    bool blockSurvives;
};

TEST(StreamRelease, LastReleaseFreesTheBlockOnlyWhenAskedTo)
{
    const ReleaseCase cases[] = {
        {"delete_on_release", 1, false},
        {"keep_block", 0, true},
    };
    for (const ReleaseCase& releaseCase : cases) {
        SCOPED_TRACE(releaseCase.name);
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 4);
        IStream* stream = nullptr;
        ASSERT_EQ(CreateStreamOnHGlobal(block, releaseCase.deleteOnRelease, &stream), S_OK);
        IStream* clone = nullptr;
        ASSERT_EQ(stream->lpVtbl->Clone(stream, &clone), S_OK);

        EXPECT_EQ(stream->lpVtbl->Release(stream), 0u);
        EXPECT_EQ(GlobalSize(block), 4u) << "the clone still uses the block";
        EXPECT_EQ(clone->lpVtbl->Release(clone), 0u);
        EXPECT_EQ(GlobalSize(block) == 4u, releaseCase.blockSurvives);
        EXPECT_EQ(GlobalFree(block) == nullptr, releaseCase.blockSurvives);
    }
}

TEST(StreamCreation, WithoutABlockTheStreamGetsANewEmptyOne)
{
    IStream* stream = nullptr;
    ASSERT_EQ(CreateStreamOnHGlobal(nullptr, 0, &stream), S_OK);
    HGLOBAL block = nullptr;
    ASSERT_EQ(GetHGlobalFromStream(stream, &block), S_OK);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(GlobalSize(block), 0u);
    const std::uint8_t byte = 7;
    ASSERT_EQ(stream->lpVtbl->Write(stream, &byte, 1, nullptr), S_OK);
    EXPECT_EQ(GlobalSize(block), 1u);
    stream->lpVtbl->Release(stream);
    EXPECT_EQ(GlobalFree(block), nullptr) << "the block outlives the stream and is the caller's";
}

TEST(StreamCreation, StreamOverAFilledBlockStartsAtZeroWithTheBlocksLength)
{
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 6);
    std::memcpy(GlobalLock(block), "abcdef", 6);
    GlobalUnlock(block);
    IStream* stream = nullptr;
    ASSERT_EQ(CreateStreamOnHGlobal(block, 1, &stream), S_OK);
    char text[8] = {};
    ULONG got = 0;
    ASSERT_EQ(stream->lpVtbl->Read(stream, text, 8, &got), S_OK);
    EXPECT_EQ(std::string(text, got), "abcdef");
    stream->lpVtbl->Release(stream);
}

TEST(StreamCreation, BadArgumentsAreRefused)
{
    HGLOBAL freed = GlobalAlloc(GMEM_MOVEABLE, 4);
    GlobalFree(freed);
    IStream* stream = reinterpret_cast<IStream*>(&freed);
    EXPECT_EQ(CreateStreamOnHGlobal(freed, 0, &stream), E_INVALIDARG);
    EXPECT_EQ(stream, nullptr);
    EXPECT_EQ(CreateStreamOnHGlobal(nullptr, 0, nullptr), E_INVALIDARG);

    // Something that is not one of these streams is recognised without being
    // touched: its method table is null.
    IStream foreign{nullptr};
    HGLOBAL block = reinterpret_cast<HGLOBAL>(&foreign);
    EXPECT_EQ(GetHGlobalFromStream(&foreign, &block), E_INVALIDARG);
    EXPECT_EQ(block, nullptr);
    EXPECT_EQ(GetHGlobalFromStream(nullptr, &block), E_INVALIDARG);

    IStream* real = nullptr;
    ASSERT_EQ(CreateStreamOnHGlobal(nullptr, 1, &real), S_OK);
    EXPECT_EQ(GetHGlobalFromStream(real, nullptr), E_INVALIDARG);
    real->lpVtbl->Release(real);
}

} // namespace
