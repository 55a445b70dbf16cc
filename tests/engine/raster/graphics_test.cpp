#include "engine_fixture.h"
#include "pixel_expectations.h"

#include "core/engine_state.h"
#include "graphics/graphics.h"

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

namespace {

using raster_test::OwnedBitmap;
using raster_test::pixelIs;
using raster_test::pixelsAre;

// A context and a brush on a bitmap, released at the end of a test.
class Drawing {
public:
    explicit Drawing(GpBitmap* bitmap, ARGB color = 0xFF000000)
    {
        EXPECT_EQ(GdipGetImageGraphicsContext(bitmap, &graphics_), Ok);
        EXPECT_EQ(GdipCreateSolidFill(color, &brush_), Ok);
    }
    ~Drawing()
    {
        if (graphics_)
            GdipDeleteGraphics(graphics_);
        GdipDeleteBrush(brush_);
    }
    Drawing(const Drawing&) = delete;
    Drawing& operator=(const Drawing&) = delete;

    GpStatus fill(ARGB color, REAL x, REAL y, REAL width, REAL height)
    {
        EXPECT_EQ(GdipSetSolidFillColor(brush_, color), Ok);
        return GdipFillRectangle(graphics_, brush_, x, y, width, height);
    }
    GpStatus end()
    {
        const GpStatus status = GdipDeleteGraphics(graphics_);
        graphics_ = nullptr;
        return status;
    }
    GpGraphics* graphics() const { return graphics_; }
    GpSolidFill* brush() const { return brush_; }

private:
    GpGraphics* graphics_ = nullptr;
    GpSolidFill* brush_ = nullptr;
};

class Graphics : public EngineTest { };

struct CoverageCase {
    const char* why;
    int width;
    int height;
    REAL x, y, rectWidth, rectHeight;
    // The pixels covered: left <= x < right, top <= y < bottom.
    int left, top, right, bottom;
};

TEST_F(Graphics, FillsCoverExactlyTheirPixels)
{
    const REAL infinity = std::numeric_limits<REAL>::infinity();
    const CoverageCase cases[] = {
        {"a 1x1 bitmap filled whole", 1, 1, 0, 0, 1, 1, 0, 0, 1, 1},
        {"the left column of an odd width", 231, 5, 0, 0, 115, 5, 0, 0, 115, 5},
        {"the right column leaves the last pixel column", 231, 5, 115, 0, 115, 5, 115, 0, 230, 5},
        {"one inner pixel", 4, 3, 2, 1, 1, 1, 2, 1, 3, 2},
        {"pixel centres inside a half-pixel rectangle", 4, 4, 0.5f, 0.5f, 2, 2, 1, 1, 3, 3},
        {"a thin rectangle missing every centre", 4, 4, 0.2f, 0, 0.6f, 4, 0, 0, 0, 0},
        {"a rectangle over the edge is clipped", 3, 3, -2, -2, 4, 4, 0, 0, 2, 2},
        {"a rectangle outside draws nothing", 3, 3, 5, 5, 2, 2, 0, 0, 0, 0},
        {"zero width draws nothing", 3, 3, 0, 0, 0, 3, 0, 0, 0, 0},
        {"negative width draws nothing", 3, 3, 3, 0, -3, 3, 0, 0, 0, 0},
        {"an infinite rectangle covers everything", 3, 2, -1, -1, infinity, infinity, 0, 0, 3, 2},
        {"an infinite edge with an infinite size covers nothing", 3, 2, -infinity, 0, infinity, 2, 0, 0, 0, 0},
    };
    const ARGB color = 0xFF12AB34;
    for (const CoverageCase& row : cases) {
        SCOPED_TRACE(row.why);
        OwnedBitmap bitmap(row.width, row.height);
        ASSERT_EQ(bitmap.status(), Ok);
        Drawing drawing(bitmap.get());
        EXPECT_EQ(drawing.fill(color, row.x, row.y, row.rectWidth, row.rectHeight), Ok);
        EXPECT_TRUE(pixelsAre(bitmap.get(), [&](int x, int y) {
            const bool inside = x >= row.left && x < row.right && y >= row.top && y < row.bottom;
            return inside ? color : 0u;
        }));
    }
}

struct Fill {
    ARGB color;
    REAL x, y, width, height;
};

struct ReusedMemoryCase {
    const char* why;
    int width;
    int height;
    std::vector<Fill> fills;
};

TEST_F(Graphics, FillsOverReusedMemoryLeaveTheRestZero)
{
    // Pixels of bitmaps from 64 KiB up come from reused memory. After a
    // dirty block is released, a new bitmap of that size must still start
    // transparent black wherever no fill reached, whatever order the fills
    // and other drawing come in.
    const ReusedMemoryCase cases[] = {
        {"untouched", 1024, 600, {}},
        {"one inner box", 1024, 600, {{0xFF0000FF, 100, 200, 300, 100}}},
        {"columns side by side, the last column left over", 231, 400,
            {{0xFFFF7D7D, 0, 0, 115, 400}, {0xFFB7FF9B, 115, 0, 115, 400}}},
        {"the right column first", 231, 400, {{0xFFB7FF9B, 115, 0, 115, 400}, {0xFFFF7D7D, 0, 0, 115, 400}}},
        {"columns apart", 1024, 600, {{0xFF111111, 0, 0, 100, 600}, {0xFF222222, 300, 0, 100, 600}}},
        {"a column, then a translucent box across it", 512, 300,
            {{0xFF333333, 0, 0, 100, 300}, {0x80FF0000, 50, 10, 100, 20}}},
        {"a translucent box, then a column over part of it", 512, 300,
            {{0x80FF0000, 50, 10, 100, 20}, {0xFF333333, 0, 0, 100, 300}}},
        {"a column, then a box below nothing", 512, 300,
            {{0xFF333333, 200, 0, 100, 300}, {0xFF444444, 10, 10, 20, 20}}},
        {"a column inside an earlier one splits it", 512, 300,
            {{0xFF777777, 0, 0, 300, 300}, {0xFF888888, 100, 0, 100, 300}}},
        {"a column over the edges of two", 512, 300,
            {{0xFF777777, 0, 0, 200, 300}, {0xFF888888, 200, 0, 200, 300}, {0xFF999999, 150, 0, 100, 300}}},
        {"a box across the columns written", 512, 300,
            {{0xFF333333, 0, 0, 100, 300}, {0xFF555555, 50, 10, 200, 20}, {0xFF666666, 100, 0, 50, 300}}},
    };
    for (const ReusedMemoryCase& row : cases) {
        SCOPED_TRACE(row.why);
        // More dirty bitmaps than the cache keeps, so every block it hands
        // out next is dirty.
        for (int round = 0; round < 2; ++round) {
            OwnedBitmap dirty[3];
            for (OwnedBitmap& bitmap : dirty) {
                ASSERT_EQ(
                    GdipCreateBitmapFromScan0(row.width, row.height, 0, PixelFormat32bppARGB, nullptr, bitmap.out()),
                    Ok);
                Drawing drawing(bitmap.get());
                EXPECT_EQ(drawing.fill(0xFFFFFFFF, 0, 0, row.width, row.height), Ok);
            }
        }
        // What the fills give on a bitmap made from fresh memory.
        std::vector<ARGB> expected(static_cast<std::size_t>(row.width) * row.height, 0);
        for (const Fill& fill : row.fills) {
            for (int y = static_cast<int>(fill.y); y < fill.y + fill.height; ++y) {
                for (int x = static_cast<int>(fill.x); x < fill.x + fill.width; ++x) {
                    ARGB& pixel = expected[static_cast<std::size_t>(y) * row.width + x];
                    // Only the one translucent case blends, over what is below.
                    pixel = (fill.color >> 24) == 0xFF ? fill.color : (pixel == 0 ? fill.color : 0xFF991919);
                }
            }
        }
        OwnedBitmap bitmap(row.width, row.height);
        ASSERT_EQ(bitmap.status(), Ok);
        {
            Drawing drawing(bitmap.get());
            for (const Fill& fill : row.fills)
                EXPECT_EQ(drawing.fill(fill.color, fill.x, fill.y, fill.width, fill.height), Ok);
        }
        EXPECT_TRUE(pixelsAre(
            bitmap.get(), [&](int x, int y) { return expected[static_cast<std::size_t>(y) * row.width + x]; }));
    }
}

struct BlendCase {
    const char* why;
    PixelFormat format;
    ARGB below; // set with SetPixel first (straight ARGB)
    ARGB fill;
    ARGB expected;
};

TEST_F(Graphics, FillsBlendSourceOver)
{
    const BlendCase cases[] = {
        {"opaque over anything is the colour", PixelFormat32bppARGB, 0x80123456, 0xFF00FF00, 0xFF00FF00},
        {"translucent over transparent keeps its colour", PixelFormat32bppARGB, 0x00000000, 0x80FF0000, 0x80FF0000},
        {"translucent over opaque", PixelFormat32bppARGB, 0xFF0000FF, 0x80FF0000, 0xFF80007F},
        {"translucent over translucent", PixelFormat32bppARGB, 0x800000FF, 0x80FF0000, 0xC0AA0055},
        {"a transparent colour changes nothing", PixelFormat32bppARGB, 0x80123456, 0x00FFFFFF, 0x80123456},
        {"premultiplied target, over transparent", PixelFormat32bppPARGB, 0x00000000, 0x80FF0000, 0x80FF0000},
        {"premultiplied target, over opaque", PixelFormat32bppPARGB, 0xFF0000FF, 0x80FF0000, 0xFF80007F},
        {"RGB target is opaque underneath", PixelFormat32bppRGB, 0xFF000000, 0x80FF0000, 0xFF800000},
        {"24-bit target through a working copy", PixelFormat24bppRGB, 0xFF0000FF, 0x80FF0000, 0xFF80007F},
        {"16-bit target through a working copy", PixelFormat16bppRGB565, 0xFF000000, 0xFFFFFFFF, 0xFFFFFFFF},
        {"64-bit target through a working copy", PixelFormat64bppARGB, 0x00000000, 0x80FF0000, 0x80FF0000},
    };
    for (const BlendCase& row : cases) {
        SCOPED_TRACE(row.why);
        OwnedBitmap bitmap(3, 1, row.format);
        ASSERT_EQ(bitmap.status(), Ok);
        for (int x = 0; x < 3; ++x)
            ASSERT_EQ(GdipBitmapSetPixel(bitmap.get(), x, 0, row.below), Ok);
        ARGB untouched = 0;
        ASSERT_EQ(GdipBitmapGetPixel(bitmap.get(), 2, 0, &untouched), Ok);
        Drawing drawing(bitmap.get());
        EXPECT_EQ(drawing.fill(row.fill, 0, 0, 2, 1), Ok);
        EXPECT_TRUE(pixelIs(bitmap.get(), 0, 0, row.expected));
        EXPECT_TRUE(pixelIs(bitmap.get(), 1, 0, row.expected));
        EXPECT_TRUE(pixelIs(bitmap.get(), 2, 0, untouched)) << "outside the fill";
    }
}

TEST_F(Graphics, DrawingOnCallerMemoryIsThereAfterTheContextEnds)
{
    // 24-bit pixels are drawn through a working copy; deleting the context
    // must put the result into the caller's memory.
    std::vector<std::uint8_t> memory(2 * 8, 0xEE);
    GpBitmap* created = nullptr;
    ASSERT_EQ(GdipCreateBitmapFromScan0(2, 2, 8, PixelFormat24bppRGB, memory.data(), &created), Ok);
    OwnedBitmap bitmap(created);
    Drawing drawing(bitmap.get());
    EXPECT_EQ(drawing.fill(0xFF112233, 1, 0, 1, 2), Ok);
    EXPECT_EQ(drawing.end(), Ok);
    const std::uint8_t expected[16] = {
        0xEE, 0xEE, 0xEE, 0x33, 0x22, 0x11, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0x33, 0x22, 0x11, 0xEE, 0xEE};
    EXPECT_EQ(0, std::memcmp(memory.data(), expected, sizeof expected))
        << "filled pixels in B, G, R order; other pixels and the row padding untouched";
}

TEST_F(Graphics, DrawingOnUnalignedCallerMemoryGoesThroughACopy)
{
    // 32-bit rows at an odd address cannot be written as 32-bit words; the
    // drawing must still land in the caller's bytes.
    std::vector<std::uint8_t> memory(1 + 2 * 8, 0xEE);
    GpBitmap* created = nullptr;
    ASSERT_EQ(GdipCreateBitmapFromScan0(2, 2, 8, PixelFormat32bppARGB, memory.data() + 1, &created), Ok);
    OwnedBitmap bitmap(created);
    Drawing drawing(bitmap.get());
    EXPECT_EQ(drawing.fill(0xFF112233, 0, 1, 1, 1), Ok);
    EXPECT_EQ(drawing.end(), Ok);
    const std::uint8_t expected[17] = {
        0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0x33, 0x22, 0x11, 0xFF, 0xEE, 0xEE, 0xEE, 0xEE};
    EXPECT_EQ(0, std::memcmp(memory.data(), expected, sizeof expected));
}

TEST_F(Graphics, ContextOutlivingItsImageStillWorks)
{
    GpBitmap* bitmap = nullptr;
    ASSERT_EQ(GdipCreateBitmapFromScan0(4, 4, 0, PixelFormat32bppARGB, nullptr, &bitmap), Ok);
    Drawing drawing(bitmap);
    ASSERT_EQ(GdipDisposeImage(bitmap), Ok);
    EXPECT_EQ(drawing.fill(0xFF00FF00, 0, 0, 4, 4), Ok);
    EXPECT_EQ(drawing.end(), Ok);
}

TEST_F(Graphics, ReportsItsDefaultState)
{
    OwnedBitmap bitmap(2, 2);
    ASSERT_EQ(GdipBitmapSetResolution(bitmap.get(), 144.0f, 72.0f), Ok);
    Drawing drawing(bitmap.get());
    REAL dpiX = 0, dpiY = 0, scale = 0;
    GpUnit unit = -1;
    InterpolationMode interpolation = -1;
    TextRenderingHint hint = -1;
    EXPECT_EQ(GdipGetDpiX(drawing.graphics(), &dpiX), Ok);
    EXPECT_EQ(GdipGetDpiY(drawing.graphics(), &dpiY), Ok);
    EXPECT_EQ(GdipGetPageUnit(drawing.graphics(), &unit), Ok);
    EXPECT_EQ(GdipGetPageScale(drawing.graphics(), &scale), Ok);
    EXPECT_EQ(GdipGetInterpolationMode(drawing.graphics(), &interpolation), Ok);
    EXPECT_EQ(GdipGetTextRenderingHint(drawing.graphics(), &hint), Ok);
    EXPECT_EQ(dpiX, 144.0f) << "the image's resolution";
    EXPECT_EQ(dpiY, 72.0f);
    EXPECT_EQ(unit, 1) << "display units";
    EXPECT_EQ(scale, 1.0f);
    EXPECT_EQ(interpolation, 3) << "bilinear";
    EXPECT_EQ(hint, 0) << "system default";
}

TEST_F(Graphics, ArgumentsAreChecked)
{
    OwnedBitmap bitmap(2, 2);
    Drawing drawing(bitmap.get());
    const REAL nan = std::numeric_limits<REAL>::quiet_NaN();
    GpGraphics* stale = nullptr;
    ASSERT_EQ(GdipGetImageGraphicsContext(bitmap.get(), &stale), Ok);
    ASSERT_EQ(GdipDeleteGraphics(stale), Ok);

    EXPECT_EQ(GdipFillRectangle(drawing.graphics(), drawing.brush(), nan, 0, 1, 1), InvalidParameter);
    EXPECT_EQ(GdipFillRectangle(drawing.graphics(), nullptr, 0, 0, 1, 1), InvalidParameter);
    EXPECT_EQ(GdipFillRectangle(nullptr, drawing.brush(), 0, 0, 1, 1), InvalidParameter);
    EXPECT_EQ(GdipFillRectangle(stale, drawing.brush(), 0, 0, 1, 1), InvalidParameter);
    EXPECT_EQ(
        GdipFillRectangle(drawing.graphics(), reinterpret_cast<GpBrush*>(bitmap.get()), 0, 0, 1, 1), InvalidParameter)
        << "an image is no brush";
    EXPECT_EQ(GdipDeleteGraphics(stale), InvalidParameter);
    EXPECT_EQ(GdipGetImageGraphicsContext(bitmap.get(), nullptr), InvalidParameter);
    EXPECT_TRUE(pixelsAre(bitmap.get(), [](int, int) { return 0u; })) << "no refused call drew";
}

TEST_F(Graphics, IntegerFillMatchesTheRealOne)
{
    OwnedBitmap real(5, 4);
    OwnedBitmap integer(5, 4);
    Drawing realDrawing(real.get(), 0xFF336699);
    Drawing integerDrawing(integer.get(), 0xFF336699);
    EXPECT_EQ(GdipFillRectangle(realDrawing.graphics(), realDrawing.brush(), 1, 2, 3, 1), Ok);
    EXPECT_EQ(GdipFillRectangleI(integerDrawing.graphics(), integerDrawing.brush(), 1, 2, 3, 1), Ok);
    EXPECT_TRUE(pixelsAre(integer.get(), [&](int x, int y) {
        ARGB expected = 0;
        GdipBitmapGetPixel(real.get(), x, y, &expected);
        return expected;
    }));
}

// A bitmap of `width` by `height` whose pixels are `pixels`, row by row.
GpBitmap* bitmapOf(int width, int height, std::initializer_list<ARGB> pixels, PixelFormat format = PixelFormat32bppARGB)
{
    GpBitmap* bitmap = nullptr;
    EXPECT_EQ(GdipCreateBitmapFromScan0(width, height, 0, format, nullptr, &bitmap), Ok);
    int index = 0;
    for (ARGB pixel : pixels) {
        EXPECT_EQ(GdipBitmapSetPixel(bitmap, index % width, index / width, pixel), Ok);
        ++index;
    }
    return bitmap;
}

GpStatus drawImage(GpGraphics* graphics, GpBitmap* image, GpRectF destination, GpRectF source, GpUnit unit = 2)
{
    return GdipDrawImageRectRect(graphics, image, destination.X, destination.Y, destination.Width, destination.Height,
        source.X, source.Y, source.Width, source.Height, unit, nullptr, nullptr, nullptr);
}

class DrawImage : public EngineTest { };

TEST_F(DrawImage, OneToOneAtAnIntegerOffsetCopiesExactly)
{
    for (const PixelFormat sourceFormat : {PixelFormat32bppARGB, PixelFormat24bppRGB, PixelFormat32bppPARGB}) {
        SCOPED_TRACE(raster_test::hex(static_cast<ARGB>(sourceFormat)));
        OwnedBitmap source(bitmapOf(3, 2,
            {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, //
                0xFF112233, 0xFF445566, 0xFF778899},
            sourceFormat));
        OwnedBitmap target(5, 4);
        Drawing drawing(target.get());
        EXPECT_EQ(drawImage(drawing.graphics(), source.get(), {1, 1, 3, 2}, {0, 0, 3, 2}), Ok);
        EXPECT_TRUE(pixelsAre(target.get(), [&](int x, int y) {
            if (x < 1 || x > 3 || y < 1 || y > 2)
                return 0u;
            ARGB expected = 0;
            GdipBitmapGetPixel(source.get(), x - 1, y - 1, &expected);
            return expected;
        }));
    }
}

TEST_F(DrawImage, NegativeWidthMirrors)
{
    OwnedBitmap source(bitmapOf(3, 1, {0xFFFF0000, 0xFF00FF00, 0xFF0000FF}));
    OwnedBitmap target(3, 1);
    Drawing drawing(target.get());
    EXPECT_EQ(drawImage(drawing.graphics(), source.get(), {3, 0, -3, 1}, {0, 0, 3, 1}), Ok);
    const ARGB expected[] = {0xFF0000FF, 0xFF00FF00, 0xFFFF0000};
    EXPECT_TRUE(pixelsAre(target.get(), [&](int x, int) { return expected[x]; }));
}

TEST_F(DrawImage, ScalingUpInterpolatesBetweenExactEnds)
{
    OwnedBitmap source(bitmapOf(2, 1, {0xFFFF0000, 0xFF0000FF}));
    OwnedBitmap target(4, 1);
    Drawing drawing(target.get());
    EXPECT_EQ(drawImage(drawing.graphics(), source.get(), {0, 0, 4, 1}, {0, 0, 2, 1}), Ok);
    EXPECT_TRUE(pixelIs(target.get(), 0, 0, 0xFFFF0000)) << "the edge repeats, it does not fade";
    EXPECT_TRUE(pixelIs(target.get(), 3, 0, 0xFF0000FF));
    ARGB nearRed = 0, nearBlue = 0;
    ASSERT_EQ(GdipBitmapGetPixel(target.get(), 1, 0, &nearRed), Ok);
    ASSERT_EQ(GdipBitmapGetPixel(target.get(), 2, 0, &nearBlue), Ok);
    EXPECT_EQ(nearRed >> 24, 0xFFu);
    EXPECT_GT((nearRed >> 16) & 0xFF, nearRed & 0xFF) << raster_test::hex(nearRed);
    EXPECT_LT((nearBlue >> 16) & 0xFF, nearBlue & 0xFF) << raster_test::hex(nearBlue);
    EXPECT_EQ((nearRed >> 16) & 0xFF, nearBlue & 0xFF)
        << "symmetric: " << raster_test::hex(nearRed) << " and " << raster_test::hex(nearBlue);
}

TEST_F(DrawImage, TranslucentSourceBlendsOver)
{
    OwnedBitmap source(bitmapOf(1, 1, {0x80FF0000}));
    OwnedBitmap target(bitmapOf(2, 1, {0xFF0000FF, 0xFF0000FF}));
    Drawing drawing(target.get());
    EXPECT_EQ(drawImage(drawing.graphics(), source.get(), {0, 0, 1, 1}, {0, 0, 1, 1}), Ok);
    EXPECT_TRUE(pixelIs(target.get(), 0, 0, 0xFF80007F));
    EXPECT_TRUE(pixelIs(target.get(), 1, 0, 0xFF0000FF));
}

TEST_F(DrawImage, OntoItself)
{
    OwnedBitmap bitmap(bitmapOf(3, 1, {0xFFFF0000, 0xFF00FF00, 0xFF0000FF}));
    Drawing drawing(bitmap.get());
    EXPECT_EQ(drawImage(drawing.graphics(), bitmap.get(), {1, 0, 2, 1}, {0, 0, 2, 1}), Ok);
    const ARGB expected[] = {0xFFFF0000, 0xFFFF0000, 0xFF00FF00};
    EXPECT_TRUE(pixelsAre(bitmap.get(), [&](int x, int) { return expected[x]; }));
}

BOOL abortAlways(void*)
{
    return 1; // stop
}

TEST_F(DrawImage, ArgumentsAreChecked)
{
    OwnedBitmap source(bitmapOf(1, 1, {0xFFFF0000}));
    OwnedBitmap target(2, 2);
    Drawing drawing(target.get());
    const GpRectF whole{0, 0, 2, 2};
    const GpRectF one{0, 0, 1, 1};
    EXPECT_EQ(drawImage(drawing.graphics(), source.get(), whole, one, 7), InvalidParameter) << "no such unit";
    EXPECT_EQ(drawImage(drawing.graphics(), source.get(), whole, one, 3), NotImplemented) << "points not yet";
    EXPECT_EQ(drawImage(drawing.graphics(), source.get(), whole, {0, 0, 0, 1}), InvalidParameter);
    EXPECT_EQ(drawImage(drawing.graphics(), source.get(), whole, {0, 0, 1, -1}), InvalidParameter);
    EXPECT_EQ(drawImage(drawing.graphics(), nullptr, whole, one), InvalidParameter);
    EXPECT_EQ(drawImage(nullptr, source.get(), whole, one), InvalidParameter);
    int attributes = 0;
    EXPECT_EQ(GdipDrawImageRectRect(
                  drawing.graphics(), source.get(), 0, 0, 2, 2, 0, 0, 1, 1, 2, &attributes, nullptr, nullptr),
        InvalidParameter)
        << "no image attributes can exist";
    EXPECT_EQ(GdipDrawImageRectRect(
                  drawing.graphics(), source.get(), 0, 0, 2, 2, 0, 0, 1, 1, 2, nullptr, abortAlways, nullptr),
        Aborted);
    EXPECT_EQ(drawImage(drawing.graphics(), source.get(), {0, 0, 0, 2}, one), Ok) << "an empty destination";
    EXPECT_TRUE(pixelsAre(target.get(), [](int, int) { return 0u; })) << "nothing above drew";
    EXPECT_EQ(
        GdipDrawImageRectRectI(drawing.graphics(), source.get(), 0, 0, 2, 2, 0, 0, 1, 1, 2, nullptr, nullptr, nullptr),
        Ok);
    EXPECT_TRUE(pixelsAre(target.get(), [](int, int) { return 0xFFFF0000u; }));
}

class BlendCoverage : public EngineTest { };

TEST_F(BlendCoverage, WeightsTheColourByCoverageWithinTheLimit)
{
    OwnedBitmap target(5, 4);
    GpGraphics* handle = nullptr;
    ASSERT_EQ(GdipGetImageGraphicsContext(target.get(), &handle), Ok);
    auto* graphics = engine::EngineState::instance().registry().find<engine::Graphics>(handle);
    ASSERT_NE(graphics, nullptr);
    const std::uint8_t coverage[2][4] = {{0, 128, 255, 99}, {255, 0, 64, 99}}; // the last column is stride padding
    const engine::CoverageMask mask{&coverage[0][0], 4, 3, 2};
    graphics->blendCoverage(mask, 1, 1, 0xFF0000FF, engine::DeviceBox{0, 0, 5, 4});
    // The same mask hanging off the left edge, limited to device column 0:
    // its column 0 falls outside the bitmap, column 2 outside the limit.
    graphics->blendCoverage(mask, -1, 0, 0xFFFF0000, engine::DeviceBox{0, 0, 1, 4});
    ASSERT_EQ(GdipDeleteGraphics(handle), Ok);
    const ARGB expected[4][5] = {
        {0x80FF0000, 0, 0, 0, 0},
        {0, 0x00000000, 0x800000FF, 0xFF0000FF, 0},
        {0, 0xFF0000FF, 0x00000000, 0x400000FF, 0},
        {0, 0, 0, 0, 0},
    };
    EXPECT_TRUE(pixelsAre(target.get(), [&](int x, int y) { return expected[y][x]; }));
}

} // namespace
