// Bitmap: creation with platform-allocated pixels and release through the
// bitmap's own copy of the handle.

#include "bitmap.h"

#include "fake_fixture.h"

#include <gmock/gmock.h>

namespace quillory::testing {
namespace {

struct BitmapProbe : Bitmap {
    std::vector<Handle> Copies() const { return {NativeHandle, ClassHandle, BitmapHandle}; }
};

using BitmapTest = FakeTest;

TEST_F(BitmapTest, CreatePassesTheSizeAndFormatWithStrideZeroAndNoMemory)
{
    struct Case {
        const char* why;
        std::int32_t width;
        std::int32_t height;
        std::optional<PixelFormat> format;
        PixelFormat expectedFormat;
    };
    const Case cases[] = {
        {"the renderer's bitmap, format left out: 32bppARGB", 1080, 1920, std::nullopt, 0x0026200A},
        {"a format given", 3, 5, 0x00021808, 0x00021808},
        {"sizes the platform refuses still reach it unchanged", -4, 0, std::nullopt, 0x0026200A},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.why);
        fake.ClearCalls();
        BitmapProbe bitmap;
        const bool created =
            each.format ? bitmap.Create(each.width, each.height, *each.format) : bitmap.Create(each.width, each.height);
        EXPECT_TRUE(created);
        EXPECT_EQ(LastStatus, Ok);
        const auto call = OnlyCall("GdipCreateBitmapFromScan0");
        ASSERT_EQ(call.arguments.size(), 6u);
        EXPECT_EQ(call.arguments[0].integer, each.width);
        EXPECT_EQ(call.arguments[1].integer, each.height);
        EXPECT_EQ(call.arguments[2].integer, 0) << "stride";
        EXPECT_EQ(call.arguments[3].integer, each.expectedFormat);
        EXPECT_EQ(call.arguments[4].pointer, nullptr) << "the platform allocates the pixels";
        EXPECT_THAT(bitmap.Copies(), ::testing::Each(FakeHandle(fake.LastHandleIssued())));
    }
}

TEST_F(BitmapTest, AFailedCreateReturnsFalseAndKeepsWhatTheHandleHeld)
{
    fake.SetStatus("GdipCreateBitmapFromScan0", OutOfMemory);
    BitmapProbe empty;
    EXPECT_FALSE(empty.Create(1 << 20, 1 << 20));
    EXPECT_EQ(LastStatus, OutOfMemory);
    EXPECT_THAT(empty.Copies(), ::testing::Each(nullptr));

    BitmapProbe holding;
    holding.SetNativeHandle(FakeHandle(0xB1));
    EXPECT_FALSE(holding.Create(2, 2));
    EXPECT_THAT(holding.Copies(), ::testing::Each(FakeHandle(0xB1))) << "not released, not replaced";
    EXPECT_TRUE(fake.CallsTo("GdipDisposeImage").empty());
    holding.SetNativeHandle(nullptr);
}

TEST_F(BitmapTest, CreateOverAHeldBitmapDoesNotReleaseIt)
{
    BitmapProbe bitmap;
    bitmap.Create(1, 1);
    const Handle first = bitmap.GetNativeHandle();
    bitmap.Create(2, 2);
    EXPECT_NE(bitmap.GetNativeHandle(), first);
    EXPECT_THAT(bitmap.Copies(), ::testing::Each(bitmap.GetNativeHandle()));
    EXPECT_TRUE(fake.CallsTo("GdipDisposeImage").empty());
}

TEST_F(BitmapTest, DisposeReleasesTheCreatedBitmapOnce)
{
    BitmapProbe bitmap;
    bitmap.Create(4, 4);
    const Handle handle = bitmap.GetNativeHandle();
    EXPECT_TRUE(bitmap.Dispose());
    EXPECT_EQ(PointerArgument(OnlyCall("GdipDisposeImage"), 0), handle);
    EXPECT_THAT(bitmap.Copies(), ::testing::Each(nullptr));

    LastStatus = UntouchedStatus;
    EXPECT_FALSE(bitmap.Dispose());
    EXPECT_EQ(LastStatus, UntouchedStatus);
    EXPECT_EQ(fake.CallsTo("GdipDisposeImage").size(), 1u);
}

TEST_F(BitmapTest, ImageOperationsActOnTheBitmap)
{
    BitmapProbe bitmap;
    bitmap.Create(7, 9);
    bitmap.GetWidth();
    EXPECT_EQ(PointerArgument(OnlyCall("GdipGetImageWidth"), 0), bitmap.GetNativeHandle());
}

} // namespace
} // namespace quillory::testing
