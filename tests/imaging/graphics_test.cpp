// Graphics: opening a context on an image, and the fill, text and image
// operations the renderer draws with.

#include "graphics.h"

#include "bitmap.h"
#include "fake_fixture.h"
#include "font.h"
#include "solid_brush.h"
#include "string_format.h"

#include <gmock/gmock.h>

namespace quillory::testing {
namespace {

using ::testing::ElementsAre;

struct GraphicsProbe : Graphics {
    std::vector<Handle> Copies() const { return {NativeHandle, ClassHandle}; }
};

// Objects holding handles the test chose, released by hand so that their
// destruction calls nothing.
class GraphicsTest : public FakeTest {
protected:
    GraphicsTest()
    {
        graphics.SetNativeHandle(FakeHandle(0x6A));
        brush.SetNativeHandle(FakeHandle(0xB4));
        font.SetNativeHandle(FakeHandle(0xF0));
        format.SetNativeHandle(FakeHandle(0x5F));
        picture.SetNativeHandle(FakeHandle(0x1A));
    }
    ~GraphicsTest() override
    {
        for (ImagingObject* object : std::initializer_list<ImagingObject*>{&graphics, &brush, &font, &format, &picture})
            object->SetNativeHandle(nullptr);
    }

    GraphicsProbe graphics;
    SolidBrush brush;
    Font font;
    StringFormat format;
    Bitmap picture;
};

TEST_F(GraphicsTest, GetImageContextPassesTheImageAndTakesTheNewContext)
{
    GraphicsProbe context;
    EXPECT_TRUE(context.GetImageContext(picture));
    EXPECT_EQ(LastStatus, Ok);
    EXPECT_EQ(PointerArgument(OnlyCall("GdipGetImageGraphicsContext"), 0), FakeHandle(0x1A));
    EXPECT_THAT(context.Copies(), ::testing::Each(FakeHandle(fake.LastHandleIssued())));
}

TEST_F(GraphicsTest, AFailedCreationLeavesBothFieldsAtWhatTheHandleHeld)
{
    fake.SetStatus("GdipGetImageGraphicsContext", InvalidParameter);
    GraphicsProbe empty;
    EXPECT_FALSE(empty.GetImageContext(picture));
    EXPECT_EQ(LastStatus, InvalidParameter);
    EXPECT_THAT(empty.Copies(), ::testing::Each(nullptr));

    EXPECT_FALSE(graphics.GetImageContext(picture));
    EXPECT_THAT(graphics.Copies(), ::testing::Each(FakeHandle(0x6A)));
    EXPECT_TRUE(fake.CallsTo("GdipDeleteGraphics").empty()) << "the old context is not released";

    Bitmap none;
    EXPECT_FALSE(empty.GetImageContext(none));
    EXPECT_EQ(PointerArgument(fake.CallsTo("GdipGetImageGraphicsContext").back(), 0), nullptr);
}

TEST_F(GraphicsTest, FillRectanglePassesContextBrushAndTheFourValuesUnchanged)
{
    struct Case {
        float x, y, width, height;
        GpStatus status;
    };
    const Case cases[] = {
        {0, 0, 115, 320, Ok},                       // the renderer's left column at width 231
        {115, 0, 115, 320, Ok},                     // and its right column
        {-1.5f, 2.25f, -3, 0.1f, InvalidParameter}, // nothing is checked on this side
    };
    for (const auto& each : cases) {
        fake.ClearCalls();
        fake.SetStatus("GdipFillRectangle", each.status);
        EXPECT_EQ(graphics.FillRectangle(brush, each.x, each.y, each.width, each.height), each.status == Ok);
        EXPECT_EQ(LastStatus, each.status);
        const auto call = OnlyCall("GdipFillRectangle");
        ASSERT_EQ(call.arguments.size(), 6u);
        EXPECT_EQ(PointerArgument(call, 0), FakeHandle(0x6A));
        EXPECT_EQ(PointerArgument(call, 1), FakeHandle(0xB4));
        EXPECT_EQ(call.arguments[2].real, each.x);
        EXPECT_EQ(call.arguments[3].real, each.y);
        EXPECT_EQ(call.arguments[4].real, each.width);
        EXPECT_EQ(call.arguments[5].real, each.height);
    }
}

TEST_F(GraphicsTest, FillingWithEmptyObjectsPassesNullHandles)
{
    GraphicsProbe empty;
    SolidBrush noBrush;
    fake.SetStatus("GdipFillRectangle", InvalidParameter);
    EXPECT_FALSE(empty.FillRectangle(noBrush, 0, 0, 1, 1));
    const auto call = OnlyCall("GdipFillRectangle");
    EXPECT_EQ(PointerArgument(call, 0), nullptr);
    EXPECT_EQ(PointerArgument(call, 1), nullptr);
}

TEST_F(GraphicsTest, DrawStringPassesTheTextAsUtf16WithItsLengthInThePlatformsOrder)
{
    struct Case {
        const char* why;
        std::string text;
        std::u16string expected;
    };
    const Case cases[] = {
        {"Latin", "Good morning, world", u"Good morning, world"},
        {"Chinese: one unit a character", "你好，世界 Hello", u"你好，世界 Hello"},
        {"empty text: an empty string of length 0, not null", "", u""},
        {"units after an embedded NUL are not drawn", std::string("ab\0cd", 5), u"ab"},
    };
    const RectF layout = {115, 32, 115, 320};
    for (const auto& each : cases) {
        SCOPED_TRACE(each.why);
        fake.ClearCalls();
        EXPECT_TRUE(graphics.DrawString(each.text, font, brush, layout, &format));
        EXPECT_EQ(LastStatus, Ok);
        const auto call = OnlyCall("GdipDrawString");
        ASSERT_EQ(call.arguments.size(), 7u);
        EXPECT_EQ(PointerArgument(call, 0), FakeHandle(0x6A));
        EXPECT_NE(call.arguments[1].pointer, nullptr);
        EXPECT_EQ(call.arguments[1].text, each.expected);
        EXPECT_EQ(call.arguments[2].integer, static_cast<std::int64_t>(each.expected.size()));
        EXPECT_EQ(PointerArgument(call, 3), FakeHandle(0xF0));
        EXPECT_EQ(call.arguments[4].pointer, &layout) << "the caller's own record";
        const auto passed = call.arguments[4].As<RectF>();
        ASSERT_EQ(passed.size(), 1u);
        EXPECT_EQ(passed[0].X, 115);
        EXPECT_EQ(passed[0].Y, 32);
        EXPECT_EQ(passed[0].Width, 115);
        EXPECT_EQ(passed[0].Height, 320);
        EXPECT_EQ(PointerArgument(call, 5), FakeHandle(0x5F));
        EXPECT_EQ(PointerArgument(call, 6), FakeHandle(0xB4));
    }
}

TEST_F(GraphicsTest, DrawStringWithTheFormatLeftOutPassesNull)
{
    const RectF layout = {0, 0, 10, 10};
    fake.SetStatus("GdipDrawString", InvalidParameter);
    EXPECT_FALSE(graphics.DrawString("x", font, brush, layout));
    EXPECT_EQ(LastStatus, InvalidParameter);
    EXPECT_EQ(PointerArgument(OnlyCall("GdipDrawString"), 5), nullptr);
}

class DrawImageRectTest : public GraphicsTest {
protected:
    DrawImageRectTest()
    {
        fake.on.GdipGetImageWidth = [this](GpImage*, UINT* width) {
            *width = 300;
            return widthStatus;
        };
        fake.on.GdipGetImageHeight = [](GpImage*, UINT* height) {
            *height = 200;
            return GpStatus{Ok};
        };
    }

    GpStatus widthStatus = Ok;
};

TEST_F(DrawImageRectTest, AsksTheImageForItsSizeThenDrawsAllOfItIntoTheRectangle)
{
    EXPECT_TRUE(graphics.DrawImageRect(picture, 10, 20, 60, 40));
    EXPECT_THAT(fake.RoutinesCalled(), ElementsAre("GdipGetImageWidth", "GdipGetImageHeight", "GdipDrawImageRectRect"));
    EXPECT_EQ(PointerArgument(OnlyCall("GdipGetImageWidth"), 0), FakeHandle(0x1A));
    const auto call = OnlyCall("GdipDrawImageRectRect");
    ASSERT_EQ(call.arguments.size(), 14u);
    EXPECT_EQ(PointerArgument(call, 0), FakeHandle(0x6A));
    EXPECT_EQ(PointerArgument(call, 1), FakeHandle(0x1A));
    const double expected[] = {10, 20, 60, 40, 0, 0, 300, 200};
    for (std::size_t index = 0; index < 8; ++index)
        EXPECT_EQ(call.arguments[2 + index].real, expected[index]) << "argument " << 2 + index;
    EXPECT_EQ(call.arguments[10].integer, 2) << "the source unit left out is pixels";
    EXPECT_EQ(call.arguments[11].pointer, nullptr) << "no attributes";
    EXPECT_EQ(call.arguments[12].pointer, nullptr) << "no callback";
    EXPECT_EQ(call.arguments[13].pointer, nullptr) << "callback data 0";
}

TEST_F(DrawImageRectTest, TheSourceUnitGivenIsPassed)
{
    for (GpUnit unit : {2, 0, 6}) {
        fake.ClearCalls();
        graphics.DrawImageRect(picture, 0, 0, 1, 1, unit);
        EXPECT_EQ(OnlyCall("GdipDrawImageRectRect").arguments[10].integer, unit);
    }
}

TEST_F(DrawImageRectTest, TheDrawsStatusDecidesWhateverTheSizeQueriesReported)
{
    widthStatus = InvalidParameter;
    EXPECT_TRUE(graphics.DrawImageRect(picture, 0, 0, 5, 5));
    EXPECT_EQ(LastStatus, Ok);
    EXPECT_EQ(OnlyCall("GdipDrawImageRectRect").arguments[8].real, 0) << "a failed width counts as 0";

    fake.ClearCalls();
    widthStatus = Ok;
    fake.SetStatus("GdipDrawImageRectRect", InvalidParameter);
    EXPECT_FALSE(graphics.DrawImageRect(picture, 0, 0, 5, 5));
    EXPECT_EQ(LastStatus, InvalidParameter);
}

TEST_F(GraphicsTest, TheRenderersContextIsOpenedAndDeletedOnce)
{
    {
        Graphics context;
        context.GetImageContext(picture);
        EXPECT_TRUE(context.Delete());
    }
    EXPECT_THAT(fake.RoutinesCalled(), ElementsAre("GdipGetImageGraphicsContext", "GdipDeleteGraphics"));
    EXPECT_EQ(PointerArgument(OnlyCall("GdipDeleteGraphics"), 0), FakeHandle(fake.LastHandleIssued()));
}

} // namespace
} // namespace quillory::testing
