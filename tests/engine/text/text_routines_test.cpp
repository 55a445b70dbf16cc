#include "engine_fixture.h"
#include "text_objects.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

using text_test::makeFont;
using text_test::OwnedFont;
using text_test::OwnedFormat;
using text_test::wide;

// The renderer's format: measured trailing spaces, centred lines from the top.
constexpr INT MeasureTrailingSpaces = 0x800;
constexpr INT NoWrap = 0x1000;
constexpr INT NoClip = 0x4000;
constexpr INT NoFontFallback = 0x400;

// Where ink fell on a transparent canvas: every pixel with some alpha.
struct Ink {
    int count = 0;
    int left = 0, top = 0, right = 0, bottom = 0; // half-open box around the ink
    std::vector<ARGB> pixels;
    int width = 0;

    ARGB at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// A transparent bitmap with a context, both released at the end of a test.
class Canvas {
public:
    Canvas(int width, int height, REAL dpi = 96) : width_(width), height_(height)
    {
        EXPECT_EQ(GdipCreateBitmapFromScan0(width, height, 0, PixelFormat32bppARGB, nullptr, &bitmap_), Ok);
        if (dpi != 96) {
            EXPECT_EQ(GdipBitmapSetResolution(bitmap_, dpi, dpi), Ok);
        }
        EXPECT_EQ(GdipGetImageGraphicsContext(bitmap_, &graphics_), Ok);
    }
    ~Canvas()
    {
        if (graphics_)
            GdipDeleteGraphics(graphics_);
        if (bitmap_)
            GdipDisposeImage(bitmap_);
    }

    GpGraphics* graphics() const { return graphics_; }

    Ink ink() const
    {
        Ink ink;
        ink.width = width_;
        ink.left = width_;
        ink.top = height_;
        for (int y = 0; y < height_; ++y) {
            for (int x = 0; x < width_; ++x) {
                ARGB pixel = 0;
                EXPECT_EQ(GdipBitmapGetPixel(bitmap_, x, y, &pixel), Ok);
                ink.pixels.push_back(pixel);
                if ((pixel >> 24) == 0)
                    continue;
                ++ink.count;
                ink.left = std::min(ink.left, x);
                ink.top = std::min(ink.top, y);
                ink.right = std::max(ink.right, x + 1);
                ink.bottom = std::max(ink.bottom, y + 1);
            }
        }
        return ink;
    }

private:
    int width_;
    int height_;
    GpBitmap* bitmap_ = nullptr;
    GpGraphics* graphics_ = nullptr;
};

struct OwnedBrush {
    GpSolidFill* handle = nullptr;
    explicit OwnedBrush(ARGB color) { EXPECT_EQ(GdipCreateSolidFill(color, &handle), Ok); }
    ~OwnedBrush()
    {
        if (handle)
            GdipDeleteBrush(handle);
    }
    GpBrush* brush() const { return handle; }
};

OwnedFormat rendererFormat()
{
    OwnedFormat format;
    EXPECT_EQ(GdipCreateStringFormat(MeasureTrailingSpaces, 0, &format.handle), Ok);
    EXPECT_EQ(GdipSetStringFormatAlign(format.handle, 1), Ok);
    EXPECT_EQ(GdipSetStringFormatLineAlign(format.handle, 0), Ok);
    return format;
}

OwnedFormat formatWithFlags(INT flags)
{
    OwnedFormat format;
    EXPECT_EQ(GdipCreateStringFormat(flags, 0, &format.handle), Ok);
    return format;
}

struct Measured {
    GpStatus status = GenericError;
    GpRectF box{-1, -1, -1, -1};
    INT fitted = -1;
    INT lines = -1;
};

Measured measure(GpGraphics* graphics, const std::u16string& text, GpFont* font, const GpRectF& layout,
    GpStringFormat* format, INT length = -1)
{
    Measured result;
    result.status = GdipMeasureString(
        graphics, wide(text), length, font, &layout, format, &result.box, &result.fitted, &result.lines);
    return result;
}

class TextRoutines : public EngineTest { };

TEST_F(TextRoutines, MeasuringTheEmptyStringGivesAnEmptyBoxAtTheOrigin)
{
    Canvas canvas(8, 8);
    OwnedFont font{makeFont(u"DejaVu Sans", 12)};
    OwnedFormat format = rendererFormat();
    Measured measured = measure(canvas.graphics(), u"", font.handle, {3, 4, 100, 50}, format.handle);
    EXPECT_EQ(measured.status, Ok);
    EXPECT_EQ(measured.box.X, 3);
    EXPECT_EQ(measured.box.Y, 4);
    EXPECT_EQ(measured.box.Width, 0);
    EXPECT_EQ(measured.box.Height, 0);
    EXPECT_EQ(measured.fitted, 0);
    EXPECT_EQ(measured.lines, 0);
}

TEST_F(TextRoutines, MeasuringAWrappedTextStaysInsideItsColumn)
{
    // The right column of the 230-pixel preview.
    Canvas canvas(8, 8);
    OwnedFont font{makeFont(u"DejaVu Sans", 14.907407f)};
    OwnedFormat format = rendererFormat();
    const GpRectF column{115, 32, 115, 320};
    Measured wrapped = measure(canvas.graphics(), u"Good morning, world", font.handle, column, format.handle);
    ASSERT_EQ(wrapped.status, Ok);
    // "Good morning," alone is about 148 pixels: "Good ", "morning, ", "world".
    EXPECT_EQ(wrapped.lines, 3);
    EXPECT_EQ(wrapped.fitted, 19);
    EXPECT_GE(wrapped.box.X, column.X);
    EXPECT_LE(wrapped.box.X + wrapped.box.Width, column.X + column.Width);
    EXPECT_EQ(wrapped.box.Y, column.Y);
    // Three lines of DejaVu Sans at 14.907 points on 96 dpi.
    EXPECT_NEAR(wrapped.box.Height, 3 * 14.907407f * 96 / 72 * 2384 / 2048, 1e-3);

    Measured unwrapped =
        measure(canvas.graphics(), u"Good morning, world", font.handle, {115, 32, 0, 0}, format.handle);
    EXPECT_EQ(unwrapped.lines, 1);
    EXPECT_GT(unwrapped.box.Width, column.Width);
}

TEST_F(TextRoutines, TheLengthSaysHowMuchOfTheStringCounts)
{
    Canvas canvas(8, 8);
    OwnedFont font{makeFont(u"DejaVu Sans", 12)};
    const GpRectF layout{0, 0, 0, 0};
    Measured terminated = measure(canvas.graphics(), u"Hello", font.handle, layout, nullptr, -1);
    Measured counted = measure(canvas.graphics(), u"Hello", font.handle, layout, nullptr, 5);
    Measured prefix = measure(canvas.graphics(), u"Hello", font.handle, layout, nullptr, 2);
    EXPECT_EQ(terminated.fitted, 5);
    EXPECT_EQ(counted.fitted, 5);
    EXPECT_EQ(counted.box.Width, terminated.box.Width);
    EXPECT_EQ(prefix.fitted, 2);
    EXPECT_LT(prefix.box.Width, terminated.box.Width);
}

TEST_F(TextRoutines, ANullFormatIsTheGenericDefault)
{
    Canvas canvas(8, 8);
    OwnedFont font{makeFont(u"DejaVu Sans", 12)};
    OwnedFormat genericDefault;
    ASSERT_EQ(GdipStringFormatGetGenericDefault(&genericDefault.handle), Ok);
    const GpRectF layout{5, 5, 60, 0};
    Measured withNull = measure(canvas.graphics(), u"words that wrap", font.handle, layout, nullptr);
    Measured withDefault = measure(canvas.graphics(), u"words that wrap", font.handle, layout, genericDefault.handle);
    EXPECT_EQ(withNull.status, Ok);
    EXPECT_EQ(withNull.box.X, withDefault.box.X);
    EXPECT_EQ(withNull.box.Width, withDefault.box.Width);
    EXPECT_EQ(withNull.box.Height, withDefault.box.Height);
    EXPECT_EQ(withNull.lines, withDefault.lines);
}

TEST_F(TextRoutines, TheDefaultFormatPadsASixthOfAnEmEachSide)
{
    Canvas canvas(8, 8);
    OwnedFont font{makeFont(u"DejaVu Sans", 12)}; // 16 pixels per em
    OwnedFormat typographic;
    ASSERT_EQ(GdipStringFormatGetGenericTypographic(&typographic.handle), Ok);
    Measured padded = measure(canvas.graphics(), u"Hello", font.handle, {10, 0, 0, 0}, nullptr);
    Measured tight = measure(canvas.graphics(), u"Hello", font.handle, {10, 0, 0, 0}, typographic.handle);
    EXPECT_NEAR(padded.box.Width - tight.box.Width, 16.0f / 3, 1e-3);
    EXPECT_EQ(padded.box.X, 10);
    EXPECT_EQ(tight.box.X, 10);
}

TEST_F(TextRoutines, MeasuredTrailingSpacesWidenTheLine)
{
    Canvas canvas(8, 8);
    OwnedFont font{makeFont(u"DejaVu Sans", 12)};
    OwnedFormat plain = formatWithFlags(0);
    OwnedFormat trailing = formatWithFlags(MeasureTrailingSpaces);
    Measured without = measure(canvas.graphics(), u"Hi   ", font.handle, {0, 0, 0, 0}, plain.handle);
    Measured with = measure(canvas.graphics(), u"Hi   ", font.handle, {0, 0, 0, 0}, trailing.handle);
    Measured bare = measure(canvas.graphics(), u"Hi", font.handle, {0, 0, 0, 0}, plain.handle);
    EXPECT_EQ(without.box.Width, bare.box.Width);
    EXPECT_GT(with.box.Width, bare.box.Width + 3 * 4.0f) << "three spaces of about 5 pixels each";
    EXPECT_EQ(without.fitted, 5) << "the spaces are laid out either way";
}

TEST_F(TextRoutines, PointSizesFollowTheTargetsResolution)
{
    Canvas normal(8, 8, 96);
    Canvas dense(8, 8, 192);
    OwnedFont font{makeFont(u"DejaVu Sans", 12)};
    Measured at96 = measure(normal.graphics(), u"Hello", font.handle, {0, 0, 0, 0}, nullptr);
    Measured at192 = measure(dense.graphics(), u"Hello", font.handle, {0, 0, 0, 0}, nullptr);
    EXPECT_NEAR(at96.box.Height, 16.0f * 2384 / 2048, 1e-3) << "12 points at 96 dpi are 16 pixels";
    EXPECT_NEAR(at192.box.Height, 2 * at96.box.Height, 1e-3);
    EXPECT_NEAR(at192.box.Width, 2 * at96.box.Width, 1e-3);
}

TEST_F(TextRoutines, RefusesBadArguments)
{
    Canvas canvas(8, 8);
    OwnedFont font{makeFont(u"DejaVu Sans", 12)};
    OwnedBrush brush(0xFF000000);
    const std::u16string text = u"abc";
    const GpRectF layout{0, 0, 8, 8};
    const GpRectF notANumber{0, 0, std::nanf(""), 8};
    GpRectF box{};
    OwnedFormat rightToLeft = formatWithFlags(0x1);
    OwnedFormat vertical = formatWithFlags(0x2);
    GpSolidFill* deletedBrush = nullptr;
    ASSERT_EQ(GdipCreateSolidFill(0xFF000000, &deletedBrush), Ok);
    ASSERT_EQ(GdipDeleteBrush(deletedBrush), Ok);

    struct Row {
        const char* why;
        GpGraphics* graphics;
        const WCHAR* string;
        INT length;
        GpFont* font;
        const GpRectF* layout;
        GpStringFormat* format;
        GpBrush* brush;
        GpRectF* box;
        GpStatus status;
    };
    GpGraphics* graphics = canvas.graphics();
    const Row rows[] = {
        {"everything right", graphics, wide(text), 3, font.handle, &layout, nullptr, brush.brush(), &box, Ok},
        {"no context", nullptr, wide(text), 3, font.handle, &layout, nullptr, brush.brush(), &box, InvalidParameter},
        {"no string", graphics, nullptr, 0, font.handle, &layout, nullptr, brush.brush(), &box, InvalidParameter},
        {"a length below -1", graphics, wide(text), -2, font.handle, &layout, nullptr, brush.brush(), &box,
            InvalidParameter},
        {"no font", graphics, wide(text), 3, nullptr, &layout, nullptr, brush.brush(), &box, InvalidParameter},
        {"a font handle that is a brush", graphics, wide(text), 3, reinterpret_cast<GpFont*>(brush.brush()), &layout,
            nullptr, brush.brush(), &box, InvalidParameter},
        {"no layout", graphics, wide(text), 3, font.handle, nullptr, nullptr, brush.brush(), &box, InvalidParameter},
        {"a NaN in the layout", graphics, wide(text), 3, font.handle, &notANumber, nullptr, brush.brush(), &box,
            InvalidParameter},
        {"a format handle that is a font", graphics, wide(text), 3, font.handle, &layout,
            reinterpret_cast<GpStringFormat*>(font.handle), brush.brush(), &box, InvalidParameter},
        {"right-to-left layout is not built", graphics, wide(text), 3, font.handle, &layout, rightToLeft.handle,
            brush.brush(), &box, NotImplemented},
        {"vertical layout is not built", graphics, wide(text), 3, font.handle, &layout, vertical.handle, brush.brush(),
            &box, NotImplemented},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        EXPECT_EQ(GdipDrawString(row.graphics, row.string, row.length, row.font, row.layout, row.format, row.brush),
            row.status);
        EXPECT_EQ(GdipMeasureString(row.graphics, row.string, row.length, row.font, row.layout, row.format, row.box,
                      nullptr, nullptr),
            row.status);
    }
    EXPECT_EQ(GdipDrawString(graphics, wide(text), 3, font.handle, &layout, nullptr, nullptr), InvalidParameter);
    EXPECT_EQ(GdipDrawString(graphics, wide(text), 3, font.handle, &layout, nullptr, deletedBrush), InvalidParameter);
    EXPECT_EQ(GdipMeasureString(graphics, wide(text), 3, font.handle, &layout, nullptr, nullptr, nullptr, nullptr),
        InvalidParameter);
}

TEST_F(TextRoutines, InkStaysInsideTheLayoutRectangle)
{
    Canvas canvas(100, 80);
    OwnedFont font{makeFont(u"DejaVu Sans", 14)};
    OwnedBrush brush(0xFF102030);
    OwnedFormat format = rendererFormat();
    const GpRectF layout{20, 10, 50, 30};
    const std::u16string text = u"A fairly long text, far more than fits in this little box";
    ASSERT_EQ(
        GdipDrawString(canvas.graphics(), wide(text), -1, font.handle, &layout, format.handle, brush.brush()), Ok);
    Ink ink = canvas.ink();
    ASSERT_GT(ink.count, 0);
    EXPECT_GE(ink.left, 20);
    EXPECT_GE(ink.top, 10);
    EXPECT_LE(ink.right, 70);
    EXPECT_LE(ink.bottom, 40);
    // More than one line was drawn and the last one is cut by the bottom edge.
    EXPECT_GT(ink.bottom - ink.top, 20);
}

TEST_F(TextRoutines, ALongUnbrokenTextWrapsInsideItsColumn)
{
    // The renderer's left column at the preview size.
    Canvas canvas(230, 320);
    OwnedFont font{makeFont(u"Noto Sans CJK SC", 14.907407f)};
    OwnedBrush brush(0xFF000000);
    OwnedFormat format = rendererFormat();
    const GpRectF column{0, 32, 115, 320};
    const std::u16string text = u"Pneumonoultramicroscopicsilicovolcanoconiosis";
    ASSERT_EQ(
        GdipDrawString(canvas.graphics(), wide(text), -1, font.handle, &column, format.handle, brush.brush()), Ok);
    Ink ink = canvas.ink();
    EXPECT_GE(ink.left, 0);
    EXPECT_LE(ink.right, 115) << "no ink in the other column";
    EXPECT_GE(ink.top, 32);
    Measured measured = measure(canvas.graphics(), text, font.handle, column, format.handle);
    EXPECT_GE(measured.lines, 2);
    EXPECT_EQ(measured.fitted, static_cast<INT>(text.size()));
    // Every line was drawn: the ink reaches into the last line.
    float lineHeight = measured.box.Height / static_cast<float>(measured.lines);
    EXPECT_GT(ink.bottom, 32 + (measured.lines - 1) * lineHeight);
}

TEST_F(TextRoutines, CentredInkIsCentredInItsColumn)
{
    Canvas canvas(230, 100);
    OwnedBrush brush(0xFF000000);
    OwnedFormat format = rendererFormat();
    struct Row {
        std::u16string family;
        std::u16string text;
        GpRectF column;
    };
    const Row rows[] = {
        {u"DejaVu Sans", u"Hello", {115, 10, 115, 100}},
        {u"Noto Sans CJK SC", u"你好，世界", {0, 10, 115, 100}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.column.X);
        OwnedFont font{makeFont(row.family, 14.907407f)};
        ASSERT_EQ(GdipDrawString(
                      canvas.graphics(), wide(row.text), -1, font.handle, &row.column, format.handle, brush.brush()),
            Ok);
    }
    Ink ink = canvas.ink();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.column.X);
        int left = static_cast<int>(row.column.X);
        int right = left + static_cast<int>(row.column.Width);
        int inkLeft = right;
        int inkRight = left;
        for (int y = 0; y < 100; ++y) {
            for (int x = left; x < right; ++x) {
                if ((ink.at(x, y) >> 24) != 0) {
                    inkLeft = std::min(inkLeft, x);
                    inkRight = std::max(inkRight, x + 1);
                }
            }
        }
        ASSERT_LT(inkLeft, inkRight);
        float inkCentre = (inkLeft + inkRight) / 2.0f;
        EXPECT_NEAR(inkCentre, row.column.X + row.column.Width / 2, 2.0f);
    }
}

TEST_F(TextRoutines, TextStartsJustBelowTheTopOfItsRectangle)
{
    Canvas canvas(120, 80);
    OwnedFont font{makeFont(u"DejaVu Sans", 12)}; // 16 pixels per em
    OwnedBrush brush(0xFF000000);
    const GpRectF layout{0, 20, 120, 60};
    ASSERT_EQ(GdipDrawString(canvas.graphics(), wide(u"Hxg"), -1, font.handle, &layout, nullptr, brush.brush()), Ok);
    Ink ink = canvas.ink();
    // The baseline lies an ascent (1901/2048 em) below the top; a capital
    // H rises about 0.73 em above it, and g descends below it.
    float baseline = 20 + 16.0f * 1901 / 2048;
    EXPECT_NEAR(ink.top, baseline - 16 * 0.73f, 1.5f);
    EXPECT_GT(ink.bottom, baseline + 2);
    EXPECT_NEAR(ink.left, 16.0f / 6 + 1, 1.5f) << "the margin and H's side bearing";
}

TEST_F(TextRoutines, FullyCoveredPixelsTakeTheBrushColour)
{
    Canvas canvas(80, 60);
    OwnedFont font{makeFont(u"DejaVu Sans", 30)};
    const ARGB color = 0xFF3366CC;
    OwnedBrush brush(color);
    const GpRectF layout{0, 0, 80, 60};
    ASSERT_EQ(GdipDrawString(canvas.graphics(), wide(u"I"), -1, font.handle, &layout, nullptr, brush.brush()), Ok);
    Ink ink = canvas.ink();
    int solid = 0;
    for (ARGB pixel : ink.pixels) {
        if ((pixel >> 24) == 0xFF) {
            EXPECT_EQ(pixel, color);
            ++solid;
        } else if ((pixel >> 24) != 0) {
            EXPECT_EQ(pixel & 0x00FFFFFF, color & 0x00FFFFFF) << "partial coverage only lowers the alpha";
        }
    }
    EXPECT_GT(solid, 20) << "the stem of a 40-pixel I is solid";
}

TEST_F(TextRoutines, ChineseInALatinFontStillShows)
{
    OwnedFont font{makeFont(u"DejaVu Sans", 20)};
    OwnedBrush brush(0xFF000000);
    const GpRectF layout{0, 0, 120, 50};
    const std::u16string text = u"你好世界";
    Canvas withFallback(120, 50);
    Canvas withoutFallback(120, 50);
    OwnedFormat noFallback = formatWithFlags(NoFontFallback);
    ASSERT_EQ(
        GdipDrawString(withFallback.graphics(), wide(text), -1, font.handle, &layout, nullptr, brush.brush()), Ok);
    ASSERT_EQ(GdipDrawString(
                  withoutFallback.graphics(), wide(text), -1, font.handle, &layout, noFallback.handle, brush.brush()),
        Ok);
    Ink drawn = withFallback.ink();
    Ink boxes = withoutFallback.ink();
    EXPECT_GT(drawn.count, 100);
    EXPECT_NE(drawn.pixels, boxes.pixels) << "real glyphs, not the missing-glyph boxes";
    // Four Han characters of one em each, side by side.
    EXPECT_NEAR(drawn.right - drawn.left, 4 * 20 * 96 / 72.0f, 6);
}

TEST_F(TextRoutines, NoClipLetsTextOutOfItsRectangle)
{
    OwnedFont font{makeFont(u"DejaVu Sans", 12)};
    OwnedBrush brush(0xFF000000);
    const GpRectF layout{10, 10, 30, 20};
    const std::u16string text = u"unwrapped and long";
    Canvas clipped(200, 40);
    Canvas unclipped(200, 40);
    OwnedFormat noWrap = formatWithFlags(NoWrap);
    OwnedFormat noWrapNoClip = formatWithFlags(NoWrap | NoClip);
    ASSERT_EQ(
        GdipDrawString(clipped.graphics(), wide(text), -1, font.handle, &layout, noWrap.handle, brush.brush()), Ok);
    ASSERT_EQ(
        GdipDrawString(unclipped.graphics(), wide(text), -1, font.handle, &layout, noWrapNoClip.handle, brush.brush()),
        Ok);
    EXPECT_LE(clipped.ink().right, 40);
    EXPECT_GT(unclipped.ink().right, 100);
}

TEST_F(TextRoutines, DrawingLandsInsideTheMeasuredBox)
{
    Canvas canvas(200, 120);
    OwnedFont font{makeFont(u"DejaVu Sans", 11)};
    OwnedBrush brush(0xFF000000);
    OwnedFormat format = rendererFormat();
    const GpRectF layout{15, 12, 170, 100};
    const std::u16string text = u"Two lines of words\nand a second 你好 line";
    ASSERT_EQ(
        GdipDrawString(canvas.graphics(), wide(text), -1, font.handle, &layout, format.handle, brush.brush()), Ok);
    Measured measured = measure(canvas.graphics(), text, font.handle, layout, format.handle);
    Ink ink = canvas.ink();
    EXPECT_EQ(measured.lines, 2);
    EXPECT_GE(ink.left, std::floor(measured.box.X));
    EXPECT_LE(ink.right, std::ceil(measured.box.X + measured.box.Width));
    EXPECT_GE(ink.top, std::floor(measured.box.Y));
    EXPECT_LE(ink.bottom, std::ceil(measured.box.Y + measured.box.Height));
}

TEST_F(TextRoutines, UnderlineAndStrikeoutDrawStrokesAcrossTheLine)
{
    const GpRectF layout{0, 0, 100, 40};
    OwnedBrush brush(0xFF000000);
    // Columns with ink between the first and the last inked column: the
    // space between the letters has none unless a stroke crosses it.
    auto inkedColumns = [](const Ink& ink) {
        int columns = 0;
        for (int x = ink.left; x < ink.right; ++x) {
            bool inked = false;
            for (int y = ink.top; y < ink.bottom; ++y)
                inked = inked || (ink.at(x, y) >> 24) != 0;
            columns += inked;
        }
        return columns;
    };
    struct Row {
        const char* why;
        INT style;
        bool strokes;
    };
    const Row rows[] = {
        {"plain", 0, false},
        {"underlined", 4, true},
        {"struck out", 8, true},
        {"bold underlined", 5, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        Canvas canvas(100, 40);
        OwnedFont font{makeFont(u"DejaVu Sans", 20, 3, row.style)};
        ASSERT_EQ(
            GdipDrawString(canvas.graphics(), wide(u"l   l"), -1, font.handle, &layout, nullptr, brush.brush()), Ok);
        Ink ink = canvas.ink();
        ASSERT_GT(ink.count, 0);
        EXPECT_EQ(inkedColumns(ink) == ink.right - ink.left, row.strokes);
    }
}

TEST_F(TextRoutines, InvisibleDrawingsChangeNothing)
{
    Canvas canvas(40, 20);
    OwnedFont font{makeFont(u"DejaVu Sans", 12)};
    OwnedBrush transparent(0x00FF0000);
    OwnedBrush black(0xFF000000);
    const GpRectF layout{0, 0, 40, 20};
    EXPECT_EQ(
        GdipDrawString(canvas.graphics(), wide(u"abc"), -1, font.handle, &layout, nullptr, transparent.brush()), Ok);
    EXPECT_EQ(GdipDrawString(canvas.graphics(), wide(u""), -1, font.handle, &layout, nullptr, black.brush()), Ok);
    EXPECT_EQ(GdipDrawString(canvas.graphics(), wide(u"\n\t  "), -1, font.handle, &layout, nullptr, black.brush()), Ok);
    EXPECT_EQ(canvas.ink().count, 0);
}

TEST_F(TextRoutines, AbsurdSizesAndPlacesAreAnsweredNotDrawn)
{
    Canvas canvas(40, 20);
    OwnedBrush brush(0xFF000000);
    OwnedFormat noClip = formatWithFlags(NoClip);
    OwnedFont huge{makeFont(u"DejaVu Sans", 1e6f, 2)};
    OwnedFont endless{makeFont(u"DejaVu Sans", 3e38f, 3)};
    OwnedFont underlined{makeFont(u"DejaVu Sans", 12, 3, 4)};
    ASSERT_NE(huge.handle, nullptr);
    ASSERT_NE(endless.handle, nullptr);
    const GpRectF layout{0, 0, 40, 20};
    const GpRectF farAway{-3e38f, 3e38f, 0, 0};
    GpRectF box{};
    // A million-pixel em would need a glyph of a terabyte.
    EXPECT_EQ(
        GdipDrawString(canvas.graphics(), wide(u"a"), -1, huge.handle, &layout, nullptr, brush.brush()), ValueOverflow);
    EXPECT_EQ(
        GdipMeasureString(canvas.graphics(), wide(u"a"), -1, huge.handle, &layout, nullptr, &box, nullptr, nullptr),
        Ok);
    // Points to pixels overflows the float range.
    EXPECT_EQ(GdipDrawString(canvas.graphics(), wide(u"a"), -1, endless.handle, &layout, nullptr, brush.brush()),
        ValueOverflow);
    EXPECT_EQ(
        GdipMeasureString(canvas.graphics(), wide(u"a"), -1, endless.handle, &layout, nullptr, &box, nullptr, nullptr),
        ValueOverflow);
    // A long underlined line nowhere near the bitmap.
    std::u16string longLine(4000, u'w');
    EXPECT_EQ(GdipDrawString(
                  canvas.graphics(), wide(longLine), -1, underlined.handle, &farAway, noClip.handle, brush.brush()),
        Ok);
    EXPECT_EQ(canvas.ink().count, 0);
}

TEST_F(TextRoutines, DrawingTheSameTextTwiceGivesTheSamePixels)
{
    OwnedFont font{makeFont(u"Noto Sans CJK SC", 14.907407f)};
    OwnedBrush brush(0xFF202020);
    OwnedFormat format = rendererFormat();
    const GpRectF layout{0, 32, 115, 320};
    Ink first;
    Ink second;
    for (Ink* ink : {&first, &second}) {
        Canvas canvas(115, 100);
        ASSERT_EQ(GdipDrawString(canvas.graphics(), wide(u"你好，世界 Hello"), -1, font.handle, &layout, format.handle,
                      brush.brush()),
            Ok);
        *ink = canvas.ink();
    }
    EXPECT_GT(first.count, 0);
    EXPECT_EQ(first.pixels, second.pixels);
}

// Draws with a font it never deletes, then leaves the process.
[[noreturn]] void drawAndExitWithoutCleaningUp()
{
    GpFont* font = makeFont(u"DejaVu Sans", 12);
    GpBitmap* bitmap = nullptr;
    GpGraphics* graphics = nullptr;
    GpSolidFill* brush = nullptr;
    GdipCreateBitmapFromScan0(20, 20, 0, PixelFormat32bppARGB, nullptr, &bitmap);
    GdipGetImageGraphicsContext(bitmap, &graphics);
    GdipCreateSolidFill(0xFF000000, &brush);
    const GpRectF layout{0, 0, 20, 20};
    GpStatus status = GdipDrawString(graphics, wide(u"a"), -1, font, &layout, nullptr, brush);
    std::exit(status == Ok ? 0 : 1);
}

// Regression: fonts left alive at exit were destroyed after the font cache
// and released their faces into a FreeType library already gone.
TEST_F(TextRoutines, AProcessMayExitWithFontsStillAlive)
{
    EXPECT_EXIT(drawAndExitWithoutCleaningUp(), ::testing::ExitedWithCode(0), "");
}

} // namespace
