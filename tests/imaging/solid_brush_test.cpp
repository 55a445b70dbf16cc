// SolidBrush: creation into the solid-fill handle, recolouring and reading
// the colour through it.

#include "solid_brush.h"

#include "fake_fixture.h"

#include <gmock/gmock.h>

namespace quillory::testing {
namespace {

using ::testing::Each;

struct SolidBrushProbe : SolidBrush {
    std::vector<Handle> Copies() const { return {NativeHandle, ClassHandle, SolidFillHandle}; }
};

using SolidBrushTest = FakeTest;

TEST_F(SolidBrushTest, CreatePassesTheColourAndFillsAllThreeHandles)
{
    SolidBrushProbe brush;
    EXPECT_TRUE(brush.Create(0xFFFF7D7D));
    EXPECT_EQ(LastStatus, Ok);
    const auto call = OnlyCall("GdipCreateSolidFill");
    EXPECT_EQ(call.arguments[0].integer, 0xFFFF7D7D);
    EXPECT_THAT(brush.Copies(), Each(FakeHandle(fake.LastHandleIssued())));
}

TEST_F(SolidBrushTest, AFailedCreateKeepsWhatTheBrushHeld)
{
    fake.SetStatus("GdipCreateSolidFill", OutOfMemory);
    SolidBrushProbe empty;
    EXPECT_FALSE(empty.Create(0xFF000000));
    EXPECT_EQ(LastStatus, OutOfMemory);
    EXPECT_THAT(empty.Copies(), Each(nullptr));

    SolidBrushProbe holding;
    holding.SetNativeHandle(FakeHandle(0xB7));
    EXPECT_FALSE(holding.Create(0xFF000000));
    EXPECT_THAT(holding.Copies(), Each(FakeHandle(0xB7)));
    holding.SetNativeHandle(nullptr);
}

TEST_F(SolidBrushTest, CreateDeleteCreateHoldsTheSecondBrush)
{
    SolidBrushProbe brush;
    brush.Create(1);
    const Handle first = brush.GetNativeHandle();
    brush.Delete();
    brush.Create(2);
    EXPECT_NE(brush.GetNativeHandle(), first);
    EXPECT_THAT(brush.Copies(), Each(FakeHandle(fake.LastHandleIssued())));
    EXPECT_EQ(PointerArgument(OnlyCall("GdipDeleteBrush"), 0), first);
}

TEST_F(SolidBrushTest, SetColorPassesTheSolidFillHandleAndTheColour)
{
    SolidBrush brush;
    brush.Create(0xFFFF7D7D);
    for (GpStatus status : {GpStatus{Ok}, GpStatus{InvalidParameter}}) {
        fake.ClearCalls();
        fake.SetStatus("GdipSetSolidFillColor", status);
        EXPECT_EQ(brush.SetColor(0xFFB7FF9B), status == Ok);
        EXPECT_EQ(LastStatus, status);
        const auto call = OnlyCall("GdipSetSolidFillColor");
        EXPECT_EQ(PointerArgument(call, 0), brush.GetNativeHandle());
        EXPECT_EQ(call.arguments[1].integer, 0xFFB7FF9B);
    }
}

TEST_F(SolidBrushTest, GetColorGivesThePlatformsColourOrZeroAfterARefusal)
{
    struct Case {
        GpStatus status;
        std::uint32_t expected;
    };
    SolidBrush brush;
    brush.Create(0);
    for (const auto& each : {Case{Ok, 0x80123456}, Case{InvalidParameter, 0}}) {
        fake.ClearCalls();
        fake.on.GdipGetSolidFillColor = [&each](GpSolidFill*, ARGB* color) {
            *color = 0x80123456;
            return each.status;
        };
        EXPECT_EQ(brush.GetColor(), each.expected);
        EXPECT_EQ(LastStatus, each.status);
        EXPECT_EQ(PointerArgument(OnlyCall("GdipGetSolidFillColor"), 0), brush.GetNativeHandle());
    }
}

TEST_F(SolidBrushTest, OperationsOnAnEmptyBrushPassANullHandle)
{
    SolidBrush brush;
    fake.SetStatus("GdipSetSolidFillColor", InvalidParameter);
    fake.SetStatus("GdipGetSolidFillColor", InvalidParameter);
    EXPECT_FALSE(brush.SetColor(0xFF000000));
    EXPECT_EQ(brush.GetColor(), 0u);
    EXPECT_EQ(LastStatus, InvalidParameter);
    EXPECT_EQ(PointerArgument(OnlyCall("GdipSetSolidFillColor"), 0), nullptr);
    EXPECT_EQ(PointerArgument(OnlyCall("GdipGetSolidFillColor"), 0), nullptr);
}

} // namespace
} // namespace quillory::testing
