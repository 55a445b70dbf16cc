#include "engine_fixture.h"
#include "pixel_expectations.h"

#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

namespace {

using raster_test::hex;
using raster_test::OwnedBitmap;
using raster_test::pixelIs;
using raster_test::pixelsAre;

class Bitmap : public EngineTest { };

struct CreationCase {
    const char* why;
    INT width;
    INT height;
    INT stride;
    PixelFormat format;
    bool callerMemory;
    GpStatus expected;
};

TEST_F(Bitmap, CreationArguments)
{
    const CreationCase cases[] = {
        {"one pixel", 1, 1, 0, PixelFormat32bppARGB, false, Ok},
        {"an odd size", 231, 5, 0, PixelFormat32bppARGB, false, Ok},
        {"a stride is ignored when the engine allocates", 3, 2, 7, PixelFormat32bppARGB, false, Ok},
        {"zero width", 0, 5, 0, PixelFormat32bppARGB, false, InvalidParameter},
        {"zero height", 5, 0, 0, PixelFormat32bppARGB, false, InvalidParameter},
        {"negative width", -1, 5, 0, PixelFormat32bppARGB, false, InvalidParameter},
        {"negative height", 5, -3, 0, PixelFormat32bppARGB, false, InvalidParameter},
        {"undefined format", 5, 5, 0, PixelFormatUndefined, false, InvalidParameter},
        {"a value that is no format", 5, 5, 0, 0x12345, false, InvalidParameter},
        {"a format index with the wrong flags", 5, 5, 0, 0x0000200A, false, InvalidParameter},
        {"indexed formats are not kept yet", 5, 5, 0, PixelFormat8bppIndexed, false, NotImplemented},
        {"CMYK is not kept", 5, 5, 0, PixelFormat32bppCMYK, false, NotImplemented},
        {"caller rows 4-byte aligned", 2, 2, 8, PixelFormat32bppARGB, true, Ok},
        {"caller rows bottom-up", 2, 2, -8, PixelFormat32bppARGB, true, Ok},
        {"caller stride not a multiple of 4", 1, 2, 6, PixelFormat24bppRGB, true, InvalidParameter},
        {"caller stride shorter than a row", 2, 2, 4, PixelFormat32bppARGB, true, InvalidParameter},
        {"caller stride zero would alias every row", 2, 2, 0, PixelFormat32bppARGB, true, InvalidParameter},
        {"caller stride of the most negative value", 2, 2, std::numeric_limits<INT>::min(), PixelFormat32bppARGB, true,
            Ok},
        {"just over 2^31 - 1 bytes of pixels", 46341, 46341, 0, PixelFormat32bppARGB, false, OutOfMemory},
        {"the largest sizes", std::numeric_limits<INT>::max(), std::numeric_limits<INT>::max(), 0, PixelFormat64bppARGB,
            false, OutOfMemory},
        {"one row of 2^31 bytes", 1 << 29, 1, 0, PixelFormat32bppARGB, false, OutOfMemory},
    };
    std::vector<std::uint8_t> memory(64);
    for (const CreationCase& row : cases) {
        SCOPED_TRACE(row.why);
        // The most negative stride case only needs the pointer: its rows are never touched.
        BYTE* scan0 = row.callerMemory ? memory.data() + (row.stride < 0 && row.stride > -64 ? 8 : 0) : nullptr;
        GpBitmap* bitmap = nullptr;
        EXPECT_EQ(
            GdipCreateBitmapFromScan0(row.width, row.height, row.stride, row.format, scan0, &bitmap), row.expected);
        if (row.expected == Ok) {
            ASSERT_NE(bitmap, nullptr);
            EXPECT_EQ(GdipDisposeImage(bitmap), Ok);
        } else {
            EXPECT_EQ(bitmap, nullptr) << "a refusal hands out nothing";
        }
    }
    EXPECT_EQ(GdipCreateBitmapFromScan0(1, 1, 0, PixelFormat32bppARGB, nullptr, nullptr), InvalidParameter);
}

TEST_F(Bitmap, NewBitmapReportsItsStateAndZeroPixels)
{
    struct FormatCase {
        PixelFormat format;
        ARGB zeroPixel; // how all-zero memory reads in that format
    };
    const FormatCase cases[] = {
        {PixelFormat16bppGrayScale, 0xFF000000},
        {PixelFormat16bppRGB555, 0xFF000000},
        {PixelFormat16bppRGB565, 0xFF000000},
        {PixelFormat16bppARGB1555, 0x00000000},
        {PixelFormat24bppRGB, 0xFF000000},
        {PixelFormat32bppRGB, 0xFF000000},
        {PixelFormat32bppARGB, 0x00000000},
        {PixelFormat32bppPARGB, 0x00000000},
        {PixelFormat48bppRGB, 0xFF000000},
        {PixelFormat64bppARGB, 0x00000000},
        {PixelFormat64bppPARGB, 0x00000000},
    };
    const GUID memoryBmp{0xB96B3CAA, 0x0728, 0x11D3, {0x9D, 0x7B, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
    for (const FormatCase& row : cases) {
        SCOPED_TRACE(hex(static_cast<ARGB>(row.format)));
        OwnedBitmap bitmap(7, 3, row.format);
        ASSERT_EQ(bitmap.status(), Ok);
        UINT width = 0, height = 0;
        PixelFormat format = 0;
        REAL horizontal = 0, vertical = 0;
        GUID raw{};
        GpImageType type = 0;
        EXPECT_EQ(GdipGetImageWidth(bitmap.get(), &width), Ok);
        EXPECT_EQ(GdipGetImageHeight(bitmap.get(), &height), Ok);
        EXPECT_EQ(GdipGetImagePixelFormat(bitmap.get(), &format), Ok);
        EXPECT_EQ(GdipGetImageHorizontalResolution(bitmap.get(), &horizontal), Ok);
        EXPECT_EQ(GdipGetImageVerticalResolution(bitmap.get(), &vertical), Ok);
        EXPECT_EQ(GdipGetImageRawFormat(bitmap.get(), &raw), Ok);
        EXPECT_EQ(GdipGetImageType(bitmap.get(), &type), Ok);
        EXPECT_EQ(width, 7u);
        EXPECT_EQ(height, 3u);
        EXPECT_EQ(format, row.format);
        EXPECT_EQ(horizontal, 96.0f);
        EXPECT_EQ(vertical, 96.0f);
        EXPECT_EQ(0, std::memcmp(&raw, &memoryBmp, sizeof raw)) << "a bitmap made in memory reports MemoryBMP";
        EXPECT_EQ(type, 1);
        EXPECT_TRUE(pixelsAre(bitmap.get(), [&](int, int) { return row.zeroPixel; }));
    }
}

TEST_F(Bitmap, SetThenGetPixelInEachFormat)
{
    struct PixelCase {
        PixelFormat format;
        ARGB set;
        ARGB got; // after the format's rounding
        const char* why;
    };
    const PixelCase cases[] = {
        {PixelFormat32bppARGB, 0x80112233, 0x80112233, "straight alpha is stored as given"},
        {PixelFormat32bppARGB, 0x00ABCDEF, 0x00ABCDEF, "a transparent pixel keeps its colour"},
        {PixelFormat32bppPARGB, 0xFF112233, 0xFF112233, "opaque pixels convert exactly"},
        {PixelFormat32bppPARGB, 0x80112233, 0x80122234, "premultiplying at alpha 128 rounds the channels"},
        {PixelFormat32bppPARGB, 0x00ABCDEF, 0x00000000, "a transparent premultiplied pixel has no colour"},
        {PixelFormat32bppRGB, 0x80112233, 0xFF112233, "no alpha: reads opaque"},
        {PixelFormat24bppRGB, 0x80112233, 0xFF112233, "no alpha: reads opaque"},
        {PixelFormat16bppRGB555, 0xFF112233, 0xFF102131, "five bits per channel"},
        {PixelFormat16bppRGB565, 0xFF112233, 0xFF102031, "six bits of green"},
        {PixelFormat16bppARGB1555, 0x80112233, 0xFF102131, "alpha 128 rounds up to the one alpha bit"},
        {PixelFormat16bppARGB1555, 0x7F112233, 0x00102131, "alpha 127 rounds down to transparent"},
        {PixelFormat16bppGrayScale, 0xFF112233, 0xFF1F1F1F, "gray keeps the luminance"},
        {PixelFormat48bppRGB, 0xFF112233, 0xFF112233, "16 bits per channel hold 8 exactly"},
        {PixelFormat64bppARGB, 0x80112233, 0x80112233, "16 bits per channel hold 8 exactly"},
        {PixelFormat64bppPARGB, 0x80112233, 0x80112233, "premultiplied at 16 bits loses nothing at 8"},
    };
    for (const PixelCase& row : cases) {
        SCOPED_TRACE(row.why);
        OwnedBitmap bitmap(3, 2, row.format);
        ASSERT_EQ(bitmap.status(), Ok);
        ARGB neighbour = 0;
        ASSERT_EQ(GdipBitmapGetPixel(bitmap.get(), 1, 1, &neighbour), Ok);
        ASSERT_EQ(GdipBitmapSetPixel(bitmap.get(), 2, 1, row.set), Ok);
        EXPECT_TRUE(pixelIs(bitmap.get(), 2, 1, row.got));
        EXPECT_TRUE(pixelIs(bitmap.get(), 1, 1, neighbour)) << "the neighbour stays untouched";
    }
}

TEST_F(Bitmap, PixelCoordinatesOutsideAreRefused)
{
    OwnedBitmap bitmap(4, 3);
    ASSERT_EQ(bitmap.status(), Ok);
    const struct {
        INT x;
        INT y;
        GpStatus expected;
    } cases[] = {
        {0, 0, Ok},
        {3, 2, Ok},
        {-1, 0, InvalidParameter},
        {0, -1, InvalidParameter},
        {4, 0, InvalidParameter},
        {0, 3, InvalidParameter},
        {std::numeric_limits<INT>::min(), 0, InvalidParameter},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(testing::Message() << "x " << row.x << ", y " << row.y);
        ARGB color = 0x12345678;
        EXPECT_EQ(GdipBitmapGetPixel(bitmap.get(), row.x, row.y, &color), row.expected);
        EXPECT_EQ(GdipBitmapSetPixel(bitmap.get(), row.x, row.y, 0xFF0000FF), row.expected);
        if (row.expected != Ok) {
            EXPECT_EQ(color, 0x12345678u) << "a refused read leaves the output alone";
        }
    }
    EXPECT_EQ(GdipBitmapGetPixel(bitmap.get(), 0, 0, nullptr), InvalidParameter);
}

TEST_F(Bitmap, CallerMemoryIsUsedInPlaceWithEitherStrideSign)
{
    // Three rows of two ARGB pixels, each pixel distinct, plus row padding
    // the bitmap must not touch.
    const ARGB rows[3][3] = {
        {0xFF000001, 0xFF000002, 0xAAAAAAAA},
        {0xFF000003, 0xFF000004, 0xAAAAAAAA},
        {0xFF000005, 0xFF000006, 0xAAAAAAAA},
    };
    for (const bool bottomUp : {false, true}) {
        SCOPED_TRACE(bottomUp ? "negative stride" : "positive stride");
        ARGB memory[3][3];
        std::memcpy(memory, rows, sizeof memory);
        // A negative stride addresses the buffer from its last row: that row
        // is the image's top row.
        BYTE* scan0 = reinterpret_cast<BYTE*>(bottomUp ? memory[2] : memory[0]);
        const INT stride = bottomUp ? -12 : 12;
        GpBitmap* created = nullptr;
        ASSERT_EQ(GdipCreateBitmapFromScan0(2, 3, stride, PixelFormat32bppARGB, scan0, &created), Ok);
        OwnedBitmap bitmap(created);
        EXPECT_TRUE(pixelsAre(bitmap.get(), [&](int x, int y) { return rows[bottomUp ? 2 - y : y][x]; }));

        ASSERT_EQ(GdipBitmapSetPixel(bitmap.get(), 1, 0, 0x80FF0000), Ok);
        EXPECT_EQ(memory[bottomUp ? 2 : 0][1], 0x80FF0000u) << "written into the caller's row";
        for (const auto& row : memory)
            EXPECT_EQ(row[2], 0xAAAAAAAAu) << "padding between rows untouched";
    }
}

TEST_F(Bitmap, CloneOwnsItsPixels)
{
    ARGB memory[2] = {0xFF112233, 0x80445566};
    GpBitmap* created = nullptr;
    ASSERT_EQ(GdipCreateBitmapFromScan0(2, 1, 8, PixelFormat32bppARGB, reinterpret_cast<BYTE*>(memory), &created), Ok);
    OwnedBitmap source(created);
    OwnedBitmap copy;
    ASSERT_EQ(GdipCloneImage(source.get(), copy.out()), Ok);
    memory[0] = 0;
    EXPECT_TRUE(pixelIs(copy.get(), 0, 0, 0xFF112233)) << "the clone does not follow the caller's memory";
    EXPECT_TRUE(pixelIs(copy.get(), 1, 0, 0x80445566));
    PixelFormat format = 0;
    EXPECT_EQ(GdipGetImagePixelFormat(copy.get(), &format), Ok);
    EXPECT_EQ(format, PixelFormat32bppARGB);
}

TEST_F(Bitmap, ResolutionCanBeSetToPositiveValuesOnly)
{
    OwnedBitmap bitmap(1, 1);
    EXPECT_EQ(GdipBitmapSetResolution(bitmap.get(), 300.0f, 150.0f), Ok);
    EXPECT_EQ(GdipBitmapSetResolution(bitmap.get(), 0.0f, 150.0f), InvalidParameter);
    EXPECT_EQ(GdipBitmapSetResolution(bitmap.get(), 72.0f, -1.0f), InvalidParameter);
    REAL horizontal = 0, vertical = 0;
    EXPECT_EQ(GdipGetImageHorizontalResolution(bitmap.get(), &horizontal), Ok);
    EXPECT_EQ(GdipGetImageVerticalResolution(bitmap.get(), &vertical), Ok);
    EXPECT_EQ(horizontal, 300.0f) << "a refused change leaves the resolution";
    EXPECT_EQ(vertical, 150.0f);
}

TEST_F(Bitmap, HandlesAreCheckedByKind)
{
    GpBitmap* disposed = nullptr;
    ASSERT_EQ(GdipCreateBitmapFromScan0(2, 2, 0, PixelFormat32bppARGB, nullptr, &disposed), Ok);
    ASSERT_EQ(GdipDisposeImage(disposed), Ok);
    GpSolidFill* brush = nullptr;
    ASSERT_EQ(GdipCreateSolidFill(0xFF000000, &brush), Ok);
    int foreign = 0;

    struct HandleCase {
        const char* why;
        GpImage* handle;
    };
    const HandleCase cases[] = {
        {"null", nullptr},
        {"disposed", disposed},
        {"a brush", reinterpret_cast<GpImage*>(brush)},
        {"never handed out", reinterpret_cast<GpImage*>(&foreign)},
    };
    for (const HandleCase& row : cases) {
        SCOPED_TRACE(row.why);
        UINT size = 77;
        ARGB color = 0;
        PixelFormat format = 0;
        GpGraphics* graphics = nullptr;
        EXPECT_EQ(GdipGetImageWidth(row.handle, &size), InvalidParameter);
        EXPECT_EQ(size, 77u);
        EXPECT_EQ(GdipGetImagePixelFormat(row.handle, &format), InvalidParameter);
        EXPECT_EQ(GdipBitmapGetPixel(row.handle, 0, 0, &color), InvalidParameter);
        EXPECT_EQ(GdipBitmapSetPixel(row.handle, 0, 0, color), InvalidParameter);
        EXPECT_EQ(GdipGetImageGraphicsContext(row.handle, &graphics), InvalidParameter);
        EXPECT_EQ(GdipDisposeImage(row.handle), InvalidParameter);
    }
    EXPECT_EQ(GdipDeleteBrush(brush), Ok);
}

TEST(BitmapWithoutStartup, EveryRoutineAnswersNotInitialized)
{
    GpBitmap* bitmap = nullptr;
    EXPECT_EQ(GdipCreateBitmapFromScan0(1, 1, 0, PixelFormat32bppARGB, nullptr, &bitmap), GdiplusNotInitialized);
    EXPECT_EQ(bitmap, nullptr);

    // A bitmap made while started is gone after the last shutdown.
    GdiplusStartupInput input{};
    input.GdiplusVersion = 1;
    ULONG_PTR token = 0;
    ASSERT_EQ(GdiplusStartup(&token, &input, nullptr), Ok);
    ASSERT_EQ(GdipCreateBitmapFromScan0(1, 1, 0, PixelFormat32bppARGB, nullptr, &bitmap), Ok);
    GdiplusShutdown(token);
    UINT width = 0;
    EXPECT_EQ(GdipGetImageWidth(bitmap, &width), GdiplusNotInitialized);
    EXPECT_EQ(GdipDisposeImage(bitmap), GdiplusNotInitialized);
}

} // namespace
