// Listing the platform's encoders, finding one by format, and building the
// platform's encoder parameter list.

#include "codecs.h"

#include "encoder_listing.h"
#include "fake_fixture.h"

#include <gmock/gmock.h>

namespace quillory::testing {
namespace {

using ::testing::ElementsAre;

const char* const BmpFormat = "{B96B3CAB-0728-11D3-9D7B-0000F81EF32E}";
const char* const PngFormat = "{B96B3CAF-0728-11D3-9D7B-0000F81EF32E}";

using CodecsTest = FakeTest;

TEST_F(CodecsTest, EveryFieldOfEveryRecordIsCopiedOut)
{
    const EncoderListing listing({BmpEncoder(), PngEncoder()});
    listing.Install(fake);

    std::vector<CodecInfo> records;
    ASSERT_EQ(GetImageEncoders(records), 2);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(LastStatus, Ok);

    const CodecInfo& bmp = records[0];
    EXPECT_EQ(bmp.Clsid, BmpEncoderClsidText);
    EXPECT_EQ(bmp.FormatID, BmpFormat);
    EXPECT_EQ(bmp.CodecName, "Built-in BMP Codec");
    EXPECT_EQ(bmp.DllName, "");
    EXPECT_EQ(bmp.FormatDescription, "BMP");
    EXPECT_EQ(bmp.FilenameExtension, "*.BMP;*.DIB;*.RLE");
    EXPECT_EQ(bmp.MimeType, "image/bmp");
    EXPECT_EQ(bmp.Flags, 0x10007u);
    EXPECT_EQ(bmp.Version, 1u);
    EXPECT_EQ(bmp.SigCount, 1u);
    EXPECT_EQ(bmp.SigSize, 2u);
    EXPECT_EQ(bmp.SigPattern, (Bytes{0x42, 0x4D}));
    EXPECT_EQ(bmp.SigMask, (Bytes{0xFF, 0xFF}));

    const CodecInfo& png = records[1];
    EXPECT_EQ(png.Clsid, PngEncoderClsidText);
    EXPECT_EQ(png.FormatID, PngFormat);
    EXPECT_EQ(png.MimeType, "image/png");
    EXPECT_EQ(png.SigPattern, (Bytes{0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A}));
    EXPECT_EQ(png.SigMask, Bytes(8, 0xFF));
}

TEST_F(CodecsTest, TheListCallGetsTheCountAndSizeTheQueryGave)
{
    const EncoderListing listing({BmpEncoder(), PngEncoder()});
    listing.Install(fake);
    std::vector<CodecInfo> records;
    GetImageEncoders(records);

    ASSERT_THAT(fake.RoutinesCalled(), ElementsAre("GdipGetImageEncodersSize", "GdipGetImageEncoders"));
    const auto list = fake.CallsTo("GdipGetImageEncoders").front();
    EXPECT_EQ(list.arguments[0].integer, 2);
    EXPECT_EQ(list.arguments[1].integer, listing.Size());
    EXPECT_NE(list.arguments[2].pointer, nullptr);
}

TEST_F(CodecsTest, AFailedQueryOrListLeavesTheCallersRecords)
{
    const EncoderListing listing({BmpEncoder()});
    struct Case {
        const char* failing;
        std::vector<std::string> calls;
    };
    const Case cases[] = {
        {"GdipGetImageEncodersSize", {"GdipGetImageEncodersSize"}},
        // A failed list must not pass for a list of zeroed encoders.
        {"GdipGetImageEncoders", {"GdipGetImageEncodersSize", "GdipGetImageEncoders"}},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.failing);
        fake.ClearCalls();
        listing.Install(fake);
        const GpStatus refusal = GenericError;
        if (each.calls.size() == 1)
            fake.on.GdipGetImageEncodersSize = [refusal](UINT*, UINT*) { return refusal; };
        else
            fake.on.GdipGetImageEncoders = [refusal](UINT, UINT, ImageCodecInfo*) { return refusal; };

        std::vector<CodecInfo> records(3);
        records[0].MimeType = "kept";
        EXPECT_EQ(GetImageEncoders(records), 0);
        EXPECT_EQ(LastStatus, refusal);
        ASSERT_EQ(records.size(), 3u);
        EXPECT_EQ(records[0].MimeType, "kept");
        EXPECT_EQ(fake.RoutinesCalled(), each.calls);
    }
}

TEST_F(CodecsTest, RecordsTheBufferDoesNotHoldAreLeftEmptyNotReadPast)
{
    // The platform claims three records but its buffer holds one, with short
    // texts so that not even a second record's worth of bytes follows it.
    ScriptedEncoder tiny = BmpEncoder();
    tiny.codecName = u"B";
    tiny.filenameExtension = u"";
    tiny.formatDescription = u"";
    tiny.mimeType = u"x";
    const EncoderListing listing({tiny});
    const UINT size = listing.Size();
    ASSERT_LT(size, 2 * sizeof(ImageCodecInfo));
    fake.on.GdipGetImageEncodersSize = [size](UINT* count, UINT* total) {
        *count = 3;
        *total = size;
        return GpStatus{Ok};
    };
    fake.on.GdipGetImageEncoders = [&listing](UINT, UINT, ImageCodecInfo* records) {
        listing.WriteInto(records);
        return GpStatus{Ok};
    };
    std::vector<CodecInfo> records;
    EXPECT_EQ(GetImageEncoders(records), 3);
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].MimeType, "x");
    EXPECT_EQ(records[1].Clsid, "");
    EXPECT_EQ(records[2].Clsid, "");
}

TEST_F(CodecsTest, NoEncodersGiveAnEmptyList)
{
    const EncoderListing listing({});
    listing.Install(fake);
    std::vector<CodecInfo> records(2);
    EXPECT_EQ(GetImageEncoders(records), 0);
    EXPECT_TRUE(records.empty());
    EXPECT_EQ(LastStatus, Ok);
}

TEST_F(CodecsTest, FindEncoderClsidMatchesTheFormatTextExactly)
{
    ScriptedEncoder secondBmp = BmpEncoder();
    secondBmp.clsid = PngEncoderClsid;
    const EncoderListing listing({PngEncoder(), BmpEncoder(), secondBmp});
    listing.Install(fake);

    struct Case {
        const char* format;
        const char* expected;
    };
    const Case cases[] = {
        {BmpFormat, BmpEncoderClsidText}, // the first of two BMP encoders
        {PngFormat, PngEncoderClsidText},
        {"{b96b3cab-0728-11d3-9d7b-0000f81ef32e}", ""}, // case counts
        {"{B96B3CAA-0728-11D3-9D7B-0000F81EF32E}", ""}, // a memory bitmap's format has no encoder
        {"", ""},
    };
    for (const auto& each : cases)
        EXPECT_EQ(FindEncoderClsid(each.format), each.expected) << each.format;
}

TEST_F(CodecsTest, FindEncoderClsidEnumeratesAnewEachTime)
{
    const EncoderListing listing({BmpEncoder()});
    listing.Install(fake);
    FindEncoderClsid(BmpFormat);
    FindEncoderClsid(BmpFormat);
    EXPECT_EQ(fake.CallsTo("GdipGetImageEncoders").size(), 2u);
}

TEST_F(CodecsTest, FindEncoderClsidWithoutAListGivesEmptyText)
{
    fake.SetStatus("GdipGetImageEncodersSize", GdiplusNotInitialized);
    EXPECT_EQ(FindEncoderClsid(BmpFormat), "");
    EXPECT_EQ(LastStatus, GdiplusNotInitialized);
}

EncoderParameterItem Item(const char* guid, std::uint32_t count, std::uint32_t type, Bytes value)
{
    return {guid, count, type, std::move(value)};
}

const char* const QualityGuid = "{1D5BE4B5-FA4A-452D-9CDD-5DB35105E7EB}";
const char* const ColorDepthGuid = "{66087055-AD66-4C7C-9A18-38A2310B8337}";

TEST(NativeEncoderParametersTest, EachItemBecomesAnEntryPointingAtItsValues)
{
    EncoderParameterSet set;
    set.Count = 2;
    set.Parameters = {Item(QualityGuid, 1, 4, {90, 0, 0, 0}), Item(ColorDepthGuid, 2, 4, Bytes(8, 1))};
    const NativeEncoderParameters native(set);
    ASSERT_TRUE(native.Valid());
    const EncoderParameters* list = native.Get();
    ASSERT_EQ(list->Count, 2u);
    const EncoderParameter* entries = list->Parameter;
    EXPECT_EQ(GuidToText(GuidBytes(entries[0].Guid)), QualityGuid);
    EXPECT_EQ(entries[0].NumberOfValues, 1u);
    EXPECT_EQ(entries[0].Type, 4u);
    EXPECT_EQ(entries[0].Value, set.Parameters[0].Value.data()) << "the values are the caller's, not a copy";
    EXPECT_EQ(GuidToText(GuidBytes(entries[1].Guid)), ColorDepthGuid);
    EXPECT_EQ(entries[1].NumberOfValues, 2u);
    EXPECT_EQ(entries[1].Value, set.Parameters[1].Value.data());
}

TEST(NativeEncoderParametersTest, ASetThatWouldMakeThePlatformReadPastABufferIsNotValid)
{
    struct Case {
        const char* why;
        std::int32_t count;
        std::vector<EncoderParameterItem> items;
        bool valid;
    };
    const Case cases[] = {
        {"count and items agree", 1, {Item(QualityGuid, 1, 4, Bytes(4, 0))}, true},
        {"no items", 0, {}, true},
        {"count above the items", 2, {Item(QualityGuid, 1, 4, Bytes(4, 0))}, false},
        {"count below the items", 0, {Item(QualityGuid, 1, 4, Bytes(4, 0))}, false},
        {"negative count", -1, {}, false},
        {"one long needs 4 bytes", 1, {Item(QualityGuid, 1, 4, Bytes(3, 0))}, false},
        {"three shorts need 6 bytes", 1, {Item(QualityGuid, 3, 3, Bytes(6, 0))}, true},
        {"a rational range needs 16 bytes", 1, {Item(QualityGuid, 1, 8, Bytes(15, 0))}, false},
        {"values without bytes", 1, {Item(QualityGuid, 1, 1, {})}, false},
        {"a type without a fixed size is the platform's to judge", 1, {Item(QualityGuid, 5, 9, {})}, true},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.why);
        EncoderParameterSet set;
        set.Count = each.count;
        set.Parameters = each.items;
        EXPECT_EQ(NativeEncoderParameters(set).Valid(), each.valid);
    }
}

TEST(NativeEncoderParametersTest, AnEmptyValuePassesANullAddress)
{
    EncoderParameterSet set;
    set.Count = 1;
    set.Parameters = {Item(QualityGuid, 0, 4, {})};
    const NativeEncoderParameters native(set);
    ASSERT_TRUE(native.Valid());
    EXPECT_EQ(native.Get()->Parameter[0].Value, nullptr);
}

} // namespace
} // namespace quillory::testing
