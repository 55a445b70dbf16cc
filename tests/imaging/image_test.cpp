// Image: loading from bytes through its load stream, releasing, the size and
// format getters, and encoding into bytes.

#include "image.h"

#include "encoder_listing.h"
#include "fake_fixture.h"

#include <win32/win32.h>

#include <gmock/gmock.h>

namespace quillory::testing {
namespace {

using ::testing::ElementsAre;

const char* const BmpFormat = "{B96B3CAB-0728-11D3-9D7B-0000F81EF32E}";
const char* const ZeroGuidText = "{00000000-0000-0000-0000-000000000000}";
const Bytes Encoded = {'B', 'M', 0x3A, 0, 0, 0, 0, 0, 0, 0, 0x36};

struct ImageProbe : Image {
    MemoryStream& Stream() { return LoadStream; }
    Handle Class() const { return ClassHandle; }
};

Bytes ReadAll(IStream* stream)
{
    Bytes read(256, 0);
    ULONG count = 0;
    if (!stream || stream->lpVtbl->Read(stream, read.data(), static_cast<ULONG>(read.size()), &count) != S_OK)
        return {};
    read.resize(count);
    return read;
}

void WriteAll(IStream* stream, const Bytes& bytes)
{
    ULONG written = 0;
    stream->lpVtbl->Write(stream, bytes.data(), static_cast<ULONG>(bytes.size()), &written);
}

using ImageTest = FakeTest;

TEST_F(ImageTest, LoadFromBytesHandsThePlatformAStreamOverACopyAndTakesTheHandle)
{
    struct Case {
        bool useIcm;
        const char* routine;
    };
    for (const auto& each : {Case{false, "GdipLoadImageFromStream"}, Case{true, "GdipLoadImageFromStreamICM"}}) {
        SCOPED_TRACE(each.routine);
        fake.ClearCalls();
        Bytes streamed;
        const auto load = [&streamed](IStream* stream, GpImage** image) {
            streamed = ReadAll(stream);
            *image = reinterpret_cast<GpImage*>(0xA11);
            return GpStatus{Ok};
        };
        fake.on.GdipLoadImageFromStream = load;
        fake.on.GdipLoadImageFromStreamICM = load;

        ImageProbe image;
        Bytes data = Encoded;
        EXPECT_TRUE(image.LoadFromBytes(data, each.useIcm));
        EXPECT_EQ(LastStatus, Ok);
        EXPECT_EQ(streamed, Encoded);
        const auto call = OnlyCall(each.routine);
        EXPECT_EQ(call.arguments[0].pointer, image.Stream().GetStream());
        EXPECT_EQ(image.GetNativeHandle(), FakeHandle(0xA11));
        EXPECT_EQ(image.Class(), FakeHandle(0xA11));

        // The platform keeps reading the stream, which holds its own copy.
        data.assign(data.size(), 0);
        data.clear();
        EXPECT_EQ(image.Stream().ToBytes(), Encoded);
        EXPECT_EQ(fake.Calls().size(), 1u);
    }
}

TEST_F(ImageTest, AFailedLoadReturnsFalseAndTakesWhateverThePlatformWrote)
{
    struct Case {
        const char* why;
        Handle written;
    };
    for (const auto& each : {Case{"nothing written: the object stays empty", nullptr},
             Case{"a handle written despite the failure is taken", FakeHandle(0xB0)}}) {
        SCOPED_TRACE(each.why);
        fake.on.GdipLoadImageFromStream = [&each](IStream*, GpImage** image) {
            if (each.written)
                *image = static_cast<GpImage*>(each.written);
            return GpStatus{UnknownImageFormat};
        };
        ImageProbe image;
        EXPECT_FALSE(image.LoadFromBytes({}));
        EXPECT_EQ(LastStatus, UnknownImageFormat);
        EXPECT_EQ(image.GetNativeHandle(), each.written);
        EXPECT_EQ(image.Class(), each.written);
        image.SetNativeHandle(nullptr);
    }
}

TEST_F(ImageTest, EmptyBytesStillReachThePlatformAsAnEmptyStream)
{
    Bytes streamed = {1};
    IStream* passed = nullptr;
    fake.on.GdipLoadImageFromStream = [&](IStream* stream, GpImage**) {
        passed = stream;
        streamed = ReadAll(stream);
        return GpStatus{InvalidParameter};
    };
    Image image;
    EXPECT_FALSE(image.LoadFromBytes({}));
    EXPECT_NE(passed, nullptr);
    EXPECT_TRUE(streamed.empty());
    EXPECT_EQ(image.GetNativeHandle(), nullptr);
}

TEST_F(ImageTest, DisposeClosesTheLoadStreamThenReleasesTheImage)
{
    ImageProbe image;
    image.LoadFromBytes(Encoded);
    const Handle handle = image.GetNativeHandle();
    const HGLOBAL block = image.Stream().GetHGlobal();
    ASSERT_EQ(GlobalSize(block), Encoded.size());

    fake.on.GdipDisposeImage = [&](GpImage*) {
        EXPECT_EQ(GlobalSize(block), 0u) << "the stream is closed before the image goes";
        return GpStatus{Ok};
    };
    EXPECT_TRUE(image.Dispose());
    EXPECT_EQ(PointerArgument(OnlyCall("GdipDisposeImage"), 0), handle);
    EXPECT_EQ(image.Stream().GetStream(), nullptr);
    EXPECT_EQ(image.GetNativeHandle(), nullptr);
}

TEST_F(ImageTest, SizeGettersPassTheHandleAndGiveZeroOnFailure)
{
    fake.on.GdipGetImageWidth = [](GpImage*, UINT* width) {
        *width = 300;
        return GpStatus{Ok};
    };
    fake.on.GdipGetImageHeight = [](GpImage*, UINT* height) {
        *height = 200;
        return GpStatus{Ok};
    };
    Image image;
    image.SetNativeHandle(FakeHandle(0x1D));
    EXPECT_EQ(image.GetWidth(), 300u);
    EXPECT_EQ(image.GetHeight(), 200u);
    EXPECT_EQ(LastStatus, Ok);
    EXPECT_EQ(PointerArgument(OnlyCall("GdipGetImageWidth"), 0), FakeHandle(0x1D));
    EXPECT_EQ(PointerArgument(OnlyCall("GdipGetImageHeight"), 0), FakeHandle(0x1D));

    // A refusing platform that still wrote a value does not make it a size.
    fake.on.GdipGetImageWidth = [](GpImage*, UINT* width) {
        *width = 300;
        return GpStatus{InvalidParameter};
    };
    fake.on.GdipGetImageHeight = [](GpImage*, UINT* height) {
        *height = 200;
        return GpStatus{ObjectBusy};
    };
    EXPECT_EQ(image.GetWidth(), 0u);
    EXPECT_EQ(LastStatus, InvalidParameter);
    EXPECT_EQ(image.GetHeight(), 0u);
    EXPECT_EQ(LastStatus, ObjectBusy);
    image.SetNativeHandle(nullptr);
}

TEST_F(ImageTest, GetRawFormatGivesTheGuidTextOrTheZeroGuidAfterAFailure)
{
    struct Case {
        GpStatus status;
        const char* expected;
    };
    for (const auto& each : {Case{Ok, BmpFormat}, Case{InvalidParameter, ZeroGuidText}}) {
        fake.on.GdipGetImageRawFormat = [&each](GpImage*, GUID* format) {
            *format = BmpFormatGuid;
            return each.status;
        };
        Image image;
        EXPECT_EQ(image.GetRawFormat(), each.expected);
        EXPECT_EQ(LastStatus, each.status);
    }
}

class SaveToBytesTest : public FakeTest {
protected:
    SaveToBytesTest()
    {
        listing.Install(fake);
        fake.on.GdipSaveImageToStream = [this](GpImage*, IStream* stream, const CLSID*, const EncoderParameters* list) {
            WriteAll(stream, Encoded);
            GetHGlobalFromStream(stream, &savedBlock);
            if (list) {
                savedCount = list->Count;
                for (UINT index = 0; index < list->Count; ++index) {
                    const EncoderParameter& entry = list->Parameter[index];
                    const auto* values = static_cast<const std::uint8_t*>(entry.Value);
                    savedEntries.push_back({GuidToText(GuidBytes(entry.Guid)), entry.NumberOfValues, entry.Type,
                        Bytes(values, values + entry.NumberOfValues * 4)});
                }
            }
            return saveStatus;
        };
        image.SetNativeHandle(FakeHandle(0x1A6E));
    }
    ~SaveToBytesTest() override { image.SetNativeHandle(nullptr); }

    EncoderListing listing{{PngEncoder(), BmpEncoder()}};
    Image image;
    GpStatus saveStatus = Ok;
    HGLOBAL savedBlock = nullptr;
    UINT savedCount = 0;
    std::vector<EncoderParameterItem> savedEntries;
};

TEST_F(SaveToBytesTest, EncodesWithTheEncoderOfTheGivenFormatIntoAStream)
{
    EXPECT_EQ(image.SaveToBytes(BmpFormat), Encoded);
    EXPECT_EQ(LastStatus, Ok);
    EXPECT_THAT(fake.RoutinesCalled(),
        ElementsAre("GdipGetImageEncodersSize", "GdipGetImageEncoders", "GdipSaveImageToStream"));
    const auto save = OnlyCall("GdipSaveImageToStream");
    EXPECT_EQ(PointerArgument(save, 0), FakeHandle(0x1A6E));
    EXPECT_NE(save.arguments[1].pointer, nullptr);
    EXPECT_EQ(GuidToText(save.arguments[2].data), BmpEncoderClsidText);
    EXPECT_EQ(save.arguments[3].pointer, nullptr) << "no set: no parameter list";
    EXPECT_EQ(GlobalSize(savedBlock), 0u) << "the temporary stream's block is freed";
}

TEST_F(SaveToBytesTest, AFormatLeftOutIsTheImagesOwnRawFormat)
{
    fake.on.GdipGetImageRawFormat = [](GpImage*, GUID* format) {
        *format = PngFormatGuid;
        return GpStatus{Ok};
    };
    EXPECT_EQ(image.SaveToBytes(), Encoded);
    EXPECT_THAT(fake.RoutinesCalled(),
        ElementsAre(
            "GdipGetImageRawFormat", "GdipGetImageEncodersSize", "GdipGetImageEncoders", "GdipSaveImageToStream"));
    EXPECT_EQ(PointerArgument(OnlyCall("GdipGetImageRawFormat"), 0), FakeHandle(0x1A6E));
    EXPECT_EQ(GuidToText(OnlyCall("GdipSaveImageToStream").arguments[2].data), PngEncoderClsidText);
}

TEST_F(SaveToBytesTest, AFormatWithoutAnEncoderPassesTheZeroClassIdAndGivesNoBytes)
{
    fake.on.GdipGetImageRawFormat = [](GpImage*, GUID* format) {
        *format = MemoryBmpFormatGuid;
        return GpStatus{Ok};
    };
    saveStatus = FileNotFound;
    EXPECT_TRUE(image.SaveToBytes().empty());
    EXPECT_EQ(LastStatus, FileNotFound);
    EXPECT_EQ(OnlyCall("GdipSaveImageToStream").arguments[2].data, Bytes(16, 0));
}

TEST_F(SaveToBytesTest, BytesAFailedSaveLeftBehindAreNotAPicture)
{
    saveStatus = Win32Error;
    EXPECT_TRUE(image.SaveToBytes(BmpFormat).empty());
    EXPECT_EQ(LastStatus, Win32Error);
    EXPECT_EQ(GlobalSize(savedBlock), 0u);
}

TEST_F(SaveToBytesTest, ASetBecomesTheNativeList)
{
    EncoderParameterSet set;
    set.Count = 2;
    set.Parameters = {{"{1D5BE4B5-FA4A-452D-9CDD-5DB35105E7EB}", 1, 4, {90, 0, 0, 0}},
        {"{66087055-AD66-4C7C-9A18-38A2310B8337}", 2, 4, {24, 0, 0, 0, 32, 0, 0, 0}}};
    EXPECT_EQ(image.SaveToBytes(BmpFormat, &set), Encoded);
    ASSERT_EQ(savedCount, 2u);
    ASSERT_EQ(savedEntries.size(), 2u);
    for (std::size_t index = 0; index < 2; ++index) {
        EXPECT_EQ(savedEntries[index].Guid, set.Parameters[index].Guid);
        EXPECT_EQ(savedEntries[index].NumberOfValues, set.Parameters[index].NumberOfValues);
        EXPECT_EQ(savedEntries[index].Type, 4u);
        EXPECT_EQ(savedEntries[index].Value, set.Parameters[index].Value);
    }
}

TEST_F(SaveToBytesTest, AnInconsistentSetIsRefusedBeforeAnyCall)
{
    EncoderParameterSet set;
    set.Count = 2;
    set.Parameters = {{"{1D5BE4B5-FA4A-452D-9CDD-5DB35105E7EB}", 1, 4, {90, 0, 0, 0}}};
    EXPECT_TRUE(image.SaveToBytes(std::nullopt, &set).empty());
    EXPECT_EQ(LastStatus, InvalidParameter);
    EXPECT_TRUE(fake.Calls().empty());
}

} // namespace
} // namespace quillory::testing
