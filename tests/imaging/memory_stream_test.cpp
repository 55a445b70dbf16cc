// Memory streams over the real Windows stand-ins: what goes in comes out,
// every block and stream reference is released exactly once.

#include "memory_stream.h"

#include "fake_fixture.h"

#include <win32/win32.h>

#include <gtest/gtest.h>

namespace quillory::testing {
namespace {

const Bytes TenBytes = {0x42, 0x4D, 0x00, 0xFF, 0x10, 0x7F, 0x80, 0x01, 0xFE, 0x33};

ULONG AddReference(IStream* stream)
{
    return stream->lpVtbl->AddRef(stream);
}

ULONG ReleaseReference(IStream* stream)
{
    return stream->lpVtbl->Release(stream);
}

class MemoryStreamTest : public ::testing::Test {
protected:
    MemoryStreamTest() { LastStatus = UntouchedStatus; }
};

TEST_F(MemoryStreamTest, TenBytesRoundTrip)
{
    MemoryStream stream;
    ASSERT_NE(stream.CreateFromBytes(TenBytes), nullptr);
    EXPECT_EQ(stream.GetSize(), 10u);
    EXPECT_EQ(stream.ToBytes(), TenBytes);
    EXPECT_EQ(stream.ToBytes(), TenBytes) << "reading does not change the stream";
    EXPECT_EQ(LastStatus, UntouchedStatus);
}

TEST_F(MemoryStreamTest, TheStreamReadsTheBytesFromPositionZero)
{
    MemoryStream stream;
    IStream* made = stream.CreateFromBytes(TenBytes);
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(stream.GetStream(), made);
    Bytes read(16, 0);
    ULONG count = 0;
    EXPECT_EQ(made->lpVtbl->Read(made, read.data(), 16, &count), S_OK);
    read.resize(count);
    EXPECT_EQ(read, TenBytes);
}

TEST_F(MemoryStreamTest, NoDataGivesAnEmptyOpenStream)
{
    MemoryStream stream;
    EXPECT_NE(stream.CreateFromBytes(), nullptr);
    EXPECT_NE(stream.GetHGlobal(), nullptr);
    EXPECT_EQ(stream.GetSize(), 0u);
    EXPECT_TRUE(stream.ToBytes().empty());
}

TEST_F(MemoryStreamTest, AGivenSizeTakesThatManyLeadingBytes)
{
    struct Case {
        std::int32_t size;
        Bytes expected;
    };
    for (const auto& each : {Case{4, Bytes(TenBytes.begin(), TenBytes.begin() + 4)}, Case{0, {}}, Case{10, TenBytes}}) {
        SCOPED_TRACE(each.size);
        MemoryStream stream;
        EXPECT_NE(stream.CreateFromBytes(TenBytes, each.size), nullptr);
        EXPECT_EQ(stream.ToBytes(), each.expected);
    }
}

TEST_F(MemoryStreamTest, ASizeBeyondTheDataIsRefusedAndTheOpenStreamKept)
{
    MemoryStream stream;
    IStream* first = stream.CreateFromBytes(TenBytes);
    const HGLOBAL block = stream.GetHGlobal();
    for (std::int32_t size : {11, -1}) {
        SCOPED_TRACE(size);
        LastStatus = UntouchedStatus;
        EXPECT_EQ(stream.CreateFromBytes(TenBytes, size), nullptr);
        EXPECT_EQ(LastStatus, InvalidParameter);
        EXPECT_EQ(stream.GetStream(), first);
        EXPECT_EQ(stream.GetHGlobal(), block);
        EXPECT_EQ(stream.ToBytes(), TenBytes);
    }
}

TEST_F(MemoryStreamTest, ASecondCreateReleasesTheFirstStreamAndFreesItsBlock)
{
    MemoryStream stream;
    IStream* first = stream.CreateFromBytes(TenBytes);
    const HGLOBAL firstBlock = stream.GetHGlobal();
    ASSERT_EQ(GlobalSize(firstBlock), 10u);
    // Our own reference shows how many the object gives back.
    AddReference(first);

    stream.CreateFromBytes(Bytes{1, 2, 3});
    EXPECT_EQ(GlobalSize(firstBlock), 0u) << "the first block is freed";
    EXPECT_EQ(ReleaseReference(first), 0u) << "the object released its one reference, once";
    EXPECT_NE(stream.GetStream(), first);
    EXPECT_EQ(stream.ToBytes(), (Bytes{1, 2, 3}));
}

TEST_F(MemoryStreamTest, CloseEmptiesTheObjectAndASecondCloseDoesNothing)
{
    MemoryStream stream;
    IStream* made = stream.CreateFromBytes(TenBytes);
    const HGLOBAL block = stream.GetHGlobal();
    AddReference(made);

    stream.Close();
    EXPECT_EQ(stream.GetStream(), nullptr);
    EXPECT_EQ(stream.GetHGlobal(), nullptr);
    EXPECT_EQ(stream.GetSize(), 0u);
    EXPECT_TRUE(stream.ToBytes().empty());
    EXPECT_EQ(GlobalSize(block), 0u);

    stream.Close();
    EXPECT_EQ(ReleaseReference(made), 0u) << "a second Close released nothing more";
}

TEST_F(MemoryStreamTest, DestructionClosesTheStream)
{
    HGLOBAL block = nullptr;
    IStream* made = nullptr;
    {
        MemoryStream stream;
        made = stream.CreateFromBytes(TenBytes);
        block = stream.GetHGlobal();
        AddReference(made);
    }
    EXPECT_EQ(GlobalSize(block), 0u);
    EXPECT_EQ(ReleaseReference(made), 0u);
}

TEST_F(MemoryStreamTest, ToBytesCopiesWhatWasWrittenThroughTheStreamWhateverItsPosition)
{
    MemoryStream stream;
    IStream* made = stream.CreateFromBytes();
    ULONG written = 0;
    ASSERT_EQ(made->lpVtbl->Write(made, TenBytes.data(), 10, &written), S_OK);
    ASSERT_EQ(written, 10u);
    LARGE_INTEGER start = {0};
    made->lpVtbl->Seek(made, start, STREAM_SEEK_SET, nullptr);
    EXPECT_EQ(stream.GetSize(), 10u);
    EXPECT_EQ(stream.ToBytes(), TenBytes) << "the block grew under the same handle";
}

TEST_F(MemoryStreamTest, AttachTakesOverTheCallersStreamAndBlock)
{
    HGLOBAL block = GlobalAlloc(GHND, 3);
    IStream* own = nullptr;
    ASSERT_EQ(CreateStreamOnHGlobal(block, false, &own), S_OK);
    AddReference(own);
    {
        MemoryStream stream;
        EXPECT_TRUE(stream.AttachStream(own));
        EXPECT_EQ(stream.GetStream(), own);
        EXPECT_EQ(stream.GetHGlobal(), block);
        EXPECT_EQ(stream.ToBytes(), Bytes(3, 0));
    }
    EXPECT_EQ(GlobalSize(block), 0u) << "the object freed the block it took over";
    EXPECT_EQ(ReleaseReference(own), 0u) << "and released the reference it took over";
}

TEST_F(MemoryStreamTest, AttachingNoStreamHoldsNoBlock)
{
    MemoryStream stream;
    stream.CreateFromBytes(TenBytes);
    const HGLOBAL earlier = stream.GetHGlobal();
    EXPECT_FALSE(stream.AttachStream(nullptr));
    EXPECT_EQ(GlobalSize(earlier), 0u) << "attaching closed the earlier stream";
    EXPECT_EQ(stream.GetHGlobal(), nullptr);
    EXPECT_TRUE(stream.ToBytes().empty());
}

} // namespace
} // namespace quillory::testing
