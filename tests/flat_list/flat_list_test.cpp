// The boundary's record layouts and the routine list they serve. A wrong
// offset corrupts every record exchanged with a caller; a duplicated or
// misspelt routine would bind the wrong symbol or none.
#include <gdiplus/flat_api.h>

#include "flat_api_c_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <type_traits>

namespace {

struct RecordLayout {
    const char* field;
    std::size_t expectedSize;
    std::size_t expectedOffset;
    std::size_t actualSize;
    std::size_t actualOffset;
};

constexpr RecordLayout recordLayouts[] = {
#define QUILLORY_RECORD_LAYOUT(record, field, size, offset)                                                            \
    {#record "." #field, size, offset, sizeof(record), offsetof(record, field)},
#include "record_layouts.def"
#undef QUILLORY_RECORD_LAYOUT
};

TEST(RecordLayoutTest, RecordsHaveTheDocumentedSixtyFourBitLayout)
{
    for (const RecordLayout& layout : recordLayouts) {
        SCOPED_TRACE(layout.field);
        EXPECT_EQ(layout.actualSize, layout.expectedSize);
        EXPECT_EQ(layout.actualOffset, layout.expectedOffset);
    }
}

TEST(RecordLayoutTest, CompiledAsCTheRecordsHaveTheSameLayout)
{
    std::size_t count = 0;
    const CRecordLayout* cLayouts = c_record_layouts(&count);
    ASSERT_EQ(count, std::size(recordLayouts));
    for (std::size_t index = 0; index < count; ++index) {
        SCOPED_TRACE(recordLayouts[index].field);
        EXPECT_STREQ(cLayouts[index].field, recordLayouts[index].field);
        EXPECT_EQ(cLayouts[index].recordSize, recordLayouts[index].expectedSize);
        EXPECT_EQ(cLayouts[index].fieldOffset, recordLayouts[index].expectedOffset);
    }
}

TEST(RecordLayoutTest, VariableLengthRecordsGrowByOneEntryStride)
{
    // Callers size encoder-parameter lists and palettes from the declared
    // one-entry record; the entries must follow each other without gaps.
    EXPECT_EQ(offsetof(EncoderParameters, Parameter) + 4 * sizeof(EncoderParameter), 8u + 4u * 32u);
    EXPECT_EQ(offsetof(ColorPalette, Entries) + 256 * sizeof(ARGB), 8u + 256u * 4u);
}

constexpr std::string_view routineNames[] = {
#define QUILLORY_ROUTINE(name, returnType, parameters) #name,
#include <gdiplus/flat_routines.def>
#undef QUILLORY_ROUTINE
};

TEST(RoutineListTest, EveryRoutineIsListedOnce)
{
    std::set<std::string_view> seen;
    for (std::string_view name : routineNames) {
        EXPECT_TRUE(seen.insert(name).second) << name << " is listed twice";
    }
}

TEST(RoutineListTest, NamesAreFlatInterfaceNames)
{
    for (std::string_view name : routineNames) {
        EXPECT_TRUE(name.starts_with("Gdip")) << name;
    }
    for (std::string_view required : {"GdiplusStartup", "GdiplusShutdown", "GdipAlloc", "GdipFree", "GdipDrawString",
             "GdipMeasureString", "GdipCreateBitmapFromScan0", "GdipSaveImageToStream"}) {
        EXPECT_NE(std::find(std::begin(routineNames), std::end(routineNames), required), std::end(routineNames))
            << required;
    }
}

// The test fake records the data behind const pointers, so routines that only
// read a record or an array must say so in their type. These are the ones the
// class library passes caller data to most often.
static_assert(std::is_same_v<decltype(&GdipDrawString),
    GpStatus (*)(
        GpGraphics*, const WCHAR*, INT, const GpFont*, const GpRectF*, const GpStringFormat*, const GpBrush*)>);
static_assert(std::is_same_v<decltype(&GdipMeasureString),
    GpStatus (*)(
        GpGraphics*, const WCHAR*, INT, const GpFont*, const GpRectF*, const GpStringFormat*, GpRectF*, INT*, INT*)>);
static_assert(std::is_same_v<decltype(&GdipSaveImageToStream),
    GpStatus (*)(GpImage*, IStream*, const CLSID*, const EncoderParameters*)>);
static_assert(std::is_same_v<decltype(&GdipFillRectangles), GpStatus (*)(GpGraphics*, GpBrush*, const GpRectF*, INT)>);
static_assert(std::is_same_v<decltype(&GdipDrawImageRectRect),
    GpStatus (*)(GpGraphics*, GpImage*, REAL, REAL, REAL, REAL, REAL, REAL, REAL, REAL, GpUnit, const void*,
        DrawImageAbort, void*)>);
static_assert(std::is_same_v<decltype(&GdiplusStartup),
    GpStatus (*)(ULONG_PTR*, const GdiplusStartupInput*, GdiplusStartupOutput*)>);
static_assert(std::is_same_v<decltype(&GdipSetStringFormatMeasurableCharacterRanges),
    GpStatus (*)(GpStringFormat*, INT, const CharacterRange*)>);

TEST(StatusTableTest, CodesRunFromZeroWithoutGaps)
{
    constexpr std::pair<int, std::string_view> statuses[] = {
#define QUILLORY_STATUS(value, name) {value, #name},
#include <gdiplus/status_codes.def>
#undef QUILLORY_STATUS
    };
    for (std::size_t index = 0; index < std::size(statuses); ++index) {
        EXPECT_EQ(statuses[index].first, static_cast<int>(index)) << statuses[index].second;
    }
    EXPECT_EQ(std::size(statuses), 22u);
    EXPECT_EQ(NotImplemented, 6);
    EXPECT_EQ(GdiplusNotInitialized, 18);
}

TEST(PixelFormatTableTest, EachCodeDescribesItsOwnFormat)
{
    struct Format {
        std::string_view name;
        std::uint32_t code;
    };
    constexpr Format formats[] = {
#define QUILLORY_PIXEL_FORMAT(name, code) {#name, code},
#include <gdiplus/pixel_formats.def>
#undef QUILLORY_PIXEL_FORMAT
    };
    constexpr std::uint32_t indexedBit = 0x00010000;
    constexpr std::uint32_t alphaBit = 0x00040000;
    constexpr std::uint32_t premultipliedBit = 0x00080000;
    for (std::size_t index = 0; index < std::size(formats); ++index) {
        const Format& format = formats[index];
        SCOPED_TRACE(std::string(format.name));
        // Generic code reads the format index and depth from the code, so a
        // typo in either corrupts every conversion of that format.
        EXPECT_EQ(format.code & 0xFF, index);
        if (index == 0) {
            continue;
        }
        const std::string_view depth = format.name.substr(std::string_view("PixelFormat").size());
        EXPECT_EQ(std::to_string((format.code >> 8) & 0xFF) + "bpp", depth.substr(0, depth.find("bpp") + 3));
        EXPECT_EQ((format.code & indexedBit) != 0, format.name.ends_with("Indexed"));
        EXPECT_EQ((format.code & premultipliedBit) != 0, format.name.ends_with("PARGB"));
        EXPECT_EQ((format.code & alphaBit) != 0, format.name.find("ARGB") != std::string_view::npos);
    }
    EXPECT_EQ(PixelFormat32bppARGB, 0x0026200A);
}

TEST(ImageFormatTableTest, FormatsAreDistinct)
{
    constexpr GUID formats[] = {
#define QUILLORY_IMAGE_FORMAT(name, data1, data2, data3, b0, b1, b2, b3, b4, b5, b6, b7)                               \
    {data1, data2, data3, {b0, b1, b2, b3, b4, b5, b6, b7}},
#include <gdiplus/image_formats.def>
#undef QUILLORY_IMAGE_FORMAT
    };
    std::set<std::uint32_t> firstWords;
    for (const GUID& format : formats) {
        EXPECT_TRUE(firstWords.insert(format.Data1).second) << std::hex << format.Data1;
        EXPECT_EQ(format.Data2, 0x0728);
        EXPECT_EQ(format.Data3, 0x11D3);
    }
}

} // namespace
