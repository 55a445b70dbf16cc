#include "recording_fake.h"

#include <gtest/gtest.h>

namespace quillory::testing {
namespace {

TEST(RecordingFake, RecordsTextRecordsAndArraysBehindConstPointers)
{
    RecordingFake fake;
    const char16_t text[] = u"Hi there";
    GpRectF layout{1.5f, 2, 30, 40};
    Flat().GdipDrawString(nullptr, reinterpret_cast<const WCHAR*>(text), 2, nullptr, &layout, nullptr, nullptr);
    GpPointF points[3] = {{1, 2}, {3, 4}, {5, 6}};
    Flat().GdipFillPolygon(nullptr, nullptr, points, 3, 0);

    ASSERT_EQ(fake.Calls().size(), 2u);
    const Call& draw = fake.Calls()[0];
    EXPECT_EQ(draw.routine, "GdipDrawString");
    EXPECT_EQ(draw.arguments[1].text, u"Hi") << "the length argument bounds the copied text";
    EXPECT_EQ(draw.arguments[2].integer, 2);
    auto rectangles = draw.arguments[4].As<GpRectF>();
    ASSERT_EQ(rectangles.size(), 1u);
    EXPECT_FLOAT_EQ(rectangles[0].X, 1.5f);
    EXPECT_FLOAT_EQ(rectangles[0].Height, 40);

    auto copied = fake.Calls()[1].arguments[2].As<GpPointF>();
    ASSERT_EQ(copied.size(), 3u) << "the count after an array decides how much is copied";
    EXPECT_FLOAT_EQ(copied[2].Y, 6);
}

TEST(RecordingFake, IssuesDistinctHandlesOnlyOnSuccess)
{
    RecordingFake fake;
    GpBitmap* first = nullptr;
    GpBitmap* second = nullptr;
    EXPECT_EQ(Flat().GdipCreateBitmapFromScan0(4, 4, 0, 0x0026200A, nullptr, &first), Ok);
    EXPECT_EQ(Flat().GdipCreateBitmapFromScan0(4, 4, 0, 0x0026200A, nullptr, &second), Ok);
    EXPECT_NE(first, nullptr);
    EXPECT_NE(first, second);

    fake.SetStatus("GdipCreateBitmapFromScan0", OutOfMemory);
    GpBitmap* refused = nullptr;
    EXPECT_EQ(Flat().GdipCreateBitmapFromScan0(4, 4, 0, 0x0026200A, nullptr, &refused), OutOfMemory);
    EXPECT_EQ(refused, nullptr);
}

TEST(RecordingFake, HooksScriptOutputsAndResults)
{
    RecordingFake fake;
    fake.on.GdipGetImageWidth = [](GpImage*, UINT* width) {
        *width = 230;
        return Win32Error;
    };
    UINT width = 0;
    EXPECT_EQ(Flat().GdipGetImageWidth(nullptr, &width), Win32Error);
    EXPECT_EQ(width, 230u);
    EXPECT_EQ(fake.RoutinesCalled(), std::vector<std::string>{"GdipGetImageWidth"});
}

TEST(RecordingFake, LeavesNoTableBehind)
{
    {
        RecordingFake fake;
        EXPECT_TRUE(RoutinesBound());
    }
    EXPECT_FALSE(RoutinesBound());
    EXPECT_EQ(Flat().GdipGetImageWidth, nullptr);
}

} // namespace
} // namespace quillory::testing
