#include "cluster_fixture.h"

#include "text/line_breaker.h"
#include "text/line_placer.h"

#include <gtest/gtest.h>

namespace {

using namespace engine::text;
using text_test::oneEmClusters;

// An em of 12 world units: margins of 2, an ascent of 9, lines 15 apart.
constexpr LineMetrics Metrics{12.0f, 9.0f, 15.0f};
constexpr float Margin = 2.0f;

LayoutFormat formatWith(
    StringAlignment alignment, StringAlignment lineAlignment, INT flags = 0, bool typographic = false)
{
    LayoutFormat format;
    format.alignment = alignment;
    format.lineAlignment = lineAlignment;
    format.flags = flags;
    format.typographic = typographic;
    return format;
}

Placement place(const std::u16string& text, const GpRectF& layout, const LayoutFormat& format)
{
    auto clusters = oneEmClusters(text);
    auto lines = breakLines(clusters, lineRoom(layout, format, Metrics.emSize));
    return placeLines(lines, clusters, Metrics, layout, format);
}

struct AlignCase {
    const char* why;
    std::u16string text;
    GpRectF layout;
    LayoutFormat format;
    float x;        // of the first line
    float baseline; // of the first line
};

TEST(LinePlacer, AlignsTheFirstLine)
{
    // "abc" is 36 units wide, "abc " 48 with its trailing space.
    const AlignCase cases[] = {
        {"near starts after the leading margin", u"abc", {10, 20, 100, 200}, formatWith(AlignNear, AlignNear),
            10 + Margin, 20 + 9},
        {"centre centres in the rectangle", u"abc", {10, 20, 100, 200}, formatWith(AlignCenter, AlignNear),
            10 + (100 - 36) / 2.0f, 29},
        {"far ends before the trailing margin", u"abc", {10, 20, 100, 200}, formatWith(AlignFar, AlignNear),
            10 + 100 - Margin - 36, 29},
        {"a typographic format has no margins", u"abc", {10, 20, 100, 200}, formatWith(AlignNear, AlignNear, 0, true),
            10, 29},
        {"trailing spaces do not move centred text by default", u"abc ", {10, 20, 100, 200},
            formatWith(AlignCenter, AlignNear), 10 + (100 - 36) / 2.0f, 29},
        {"measured trailing spaces do", u"abc ", {10, 20, 100, 200},
            formatWith(AlignCenter, AlignNear, MeasureTrailingSpaces), 10 + (100 - 48) / 2.0f, 29},
        {"centre around a point", u"abc", {50, 20, 0, 0}, formatWith(AlignCenter, AlignNear), 50 - 18, 29},
        {"far before a point", u"abc", {50, 20, 0, 0}, formatWith(AlignFar, AlignNear), 50 - Margin - 36, 29},
        {"line alignment centre centres the block", u"abc", {10, 20, 100, 200}, formatWith(AlignNear, AlignCenter), 12,
            20 + (200 - 15) / 2.0f + 9},
        {"line alignment far puts the block at the bottom", u"abc", {10, 20, 100, 200}, formatWith(AlignNear, AlignFar),
            12, 20 + 200 - 15 + 9},
        {"line alignment far above a point", u"abc", {10, 20, 0, 0}, formatWith(AlignNear, AlignFar), 12, 20 - 15 + 9},
        {"line alignment centre around a point", u"abc", {10, 20, 0, 0}, formatWith(AlignNear, AlignCenter), 12,
            20 - 7.5f + 9},
    };
    for (const AlignCase& row : cases) {
        SCOPED_TRACE(row.why);
        Placement placement = place(row.text, row.layout, row.format);
        ASSERT_FALSE(placement.lines.empty());
        EXPECT_FLOAT_EQ(placement.lines[0].x, row.x);
        EXPECT_FLOAT_EQ(placement.lines[0].baseline, row.baseline);
    }
}

TEST(LinePlacer, StacksLinesAtTheLineSpacingEachAlignedAlone)
{
    // Room for 5 ems between the margins: "aaa bbbbb" wraps after the space.
    Placement placement = place(u"aaa bbbbb", {0, 0, 64, 0}, formatWith(AlignCenter, AlignNear));
    ASSERT_EQ(placement.lines.size(), 2u);
    EXPECT_FLOAT_EQ(placement.lines[0].baseline, 9);
    EXPECT_FLOAT_EQ(placement.lines[1].baseline, 24);
    EXPECT_FLOAT_EQ(placement.lines[0].x, (64 - 36) / 2.0f);
    EXPECT_FLOAT_EQ(placement.lines[1].x, (64 - 60) / 2.0f);
}

TEST(LinePlacer, MeasuredTrailingSpacesNeverPushAWrappedLineOut)
{
    // "aaaaa" fills the 5 ems of room exactly; its measured space must not
    // shift it left of the margin.
    Placement placement = place(u"aaaaa bb", {0, 0, 64, 0}, formatWith(AlignCenter, AlignNear, MeasureTrailingSpaces));
    ASSERT_EQ(placement.lines.size(), 2u);
    EXPECT_FLOAT_EQ(placement.lines[0].x, Margin);
    EXPECT_FLOAT_EQ(placement.lines[0].width, 60);
}

struct HeightCase {
    const char* why;
    float height;
    INT flags;
    INT lines;
    INT unitsFitted;
};

TEST(LinePlacer, LaysOutOnlyTheLinesTheHeightShows)
{
    // Four lines of "ab\n" and a last "cd": 14 units of text.
    const std::u16string text = u"ab\nab\nab\nab\ncd";
    const HeightCase cases[] = {
        {"no height: every line", 0, 0, 5, 14},
        {"a partly visible last line is laid out", 31, 0, 3, 9},
        {"LineLimit keeps whole lines only", 31, LineLimit, 2, 6},
        {"a line that fits exactly is whole", 30, LineLimit, 2, 6},
        {"not even one whole line", 10, LineLimit, 0, 0},
        {"the first line always shows partly", 1, 0, 1, 3},
    };
    for (const HeightCase& row : cases) {
        SCOPED_TRACE(row.why);
        Placement placement = place(text, {0, 0, 100, row.height}, formatWith(AlignNear, AlignNear, row.flags));
        EXPECT_EQ(placement.linesFilled, row.lines);
        EXPECT_EQ(static_cast<INT>(placement.lines.size()), row.lines);
        EXPECT_EQ(placement.unitsFitted, row.unitsFitted);
    }
}

TEST(LinePlacer, BoundsHoldTheLinesAndTheirMargins)
{
    Placement placement = place(u"abc\nabcde", {10, 20, 100, 0}, formatWith(AlignCenter, AlignNear));
    // The wider line, 60 units, centred, with a margin on either side.
    EXPECT_FLOAT_EQ(placement.bounds.X, 10 + (100 - 60) / 2.0f - Margin);
    EXPECT_FLOAT_EQ(placement.bounds.Y, 20);
    EXPECT_FLOAT_EQ(placement.bounds.Width, 60 + 2 * Margin);
    EXPECT_FLOAT_EQ(placement.bounds.Height, 30);
}

TEST(LinePlacer, BoundsStayInsideALimitedRectangle)
{
    // An unbreakable character wider than the room, and more lines than fit.
    Placement placement = place(u"a\nb\nc\nd", {0, 0, 10, 40}, formatWith(AlignNear, AlignNear));
    EXPECT_GE(placement.bounds.X, 0);
    EXPECT_LE(placement.bounds.X + placement.bounds.Width, 10);
    EXPECT_LE(placement.bounds.Y + placement.bounds.Height, 40);
    EXPECT_EQ(placement.linesFilled, 3);
}

TEST(LinePlacer, NothingToPlaceGivesAnEmptyBoxAtTheOrigin)
{
    Placement placement = place(u"", {10, 20, 100, 50}, formatWith(AlignCenter, AlignCenter));
    EXPECT_TRUE(placement.lines.empty());
    EXPECT_EQ(placement.bounds.X, 10);
    EXPECT_EQ(placement.bounds.Y, 20);
    EXPECT_EQ(placement.bounds.Width, 0);
    EXPECT_EQ(placement.bounds.Height, 0);
    EXPECT_EQ(placement.unitsFitted, 0);
    EXPECT_EQ(placement.linesFilled, 0);
}

struct RoomCase {
    const char* why;
    GpRectF layout;
    LayoutFormat format;
    float room;
};

TEST(LinePlacer, RoomIsTheWidthLessTheMargins)
{
    const RoomCase cases[] = {
        {"margins come off", {0, 0, 64, 0}, formatWith(AlignNear, AlignNear), 5},
        {"typographic keeps the whole width", {0, 0, 60, 0}, formatWith(AlignNear, AlignNear, 0, true), 5},
        {"zero width does not wrap", {0, 0, 0, 0}, formatWith(AlignNear, AlignNear), Unlimited},
        {"negative width does not wrap", {0, 0, -5, 0}, formatWith(AlignNear, AlignNear), Unlimited},
        {"NoWrap does not wrap", {0, 0, 64, 0}, formatWith(AlignNear, AlignNear, NoWrap), Unlimited},
        {"narrower than the margins is no room", {0, 0, 3, 0}, formatWith(AlignNear, AlignNear), 0},
    };
    for (const RoomCase& row : cases) {
        SCOPED_TRACE(row.why);
        EXPECT_FLOAT_EQ(lineRoom(row.layout, row.format, Metrics.emSize), row.room);
    }
}

} // namespace
