#pragma once

// Pixel checks for the raster tests: every mismatch names its x, y, the
// expected and the actual colour in 0xAARRGGBB.

#include <gdiplus/flat_api.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>

namespace raster_test {

inline std::string hex(ARGB color)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", color);
    return text;
}

// Compares every pixel of `bitmap` with `expected(x, y)`, reporting at most
// a few mismatches so a wholly wrong picture stays readable.
inline ::testing::AssertionResult pixelsAre(GpBitmap* bitmap, const std::function<ARGB(int, int)>& expected)
{
    UINT width = 0;
    UINT height = 0;
    if (GdipGetImageWidth(bitmap, &width) != Ok || GdipGetImageHeight(bitmap, &height) != Ok)
        return ::testing::AssertionFailure() << "the bitmap's size cannot be read";
    int mismatches = 0;
    std::string report;
    for (int y = 0; y < static_cast<int>(height); ++y) {
        for (int x = 0; x < static_cast<int>(width); ++x) {
            ARGB actual = 0;
            const GpStatus status = GdipBitmapGetPixel(bitmap, x, y, &actual);
            if (status != Ok)
                return ::testing::AssertionFailure() << "GetPixel(" << x << ", " << y << ") gave status " << status;
            const ARGB wanted = expected(x, y);
            if (actual != wanted && ++mismatches <= 8) {
                report += "\n  at x " + std::to_string(x) + ", y " + std::to_string(y) + ": expected " + hex(wanted) +
                    ", actual " + hex(actual);
            }
        }
    }
    if (mismatches == 0)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << mismatches << " pixels differ" << report;
}

inline ::testing::AssertionResult pixelIs(GpBitmap* bitmap, int x, int y, ARGB expected)
{
    ARGB actual = 0;
    const GpStatus status = GdipBitmapGetPixel(bitmap, x, y, &actual);
    if (status != Ok)
        return ::testing::AssertionFailure() << "GetPixel(" << x << ", " << y << ") gave status " << status;
    if (actual != expected)
        return ::testing::AssertionFailure()
            << "at x " << x << ", y " << y << ": expected " << hex(expected) << ", actual " << hex(actual);
    return ::testing::AssertionSuccess();
}

// A bitmap that disposes itself at the end of a test.
class OwnedBitmap {
public:
    OwnedBitmap() = default;
    OwnedBitmap(int width, int height, PixelFormat format = PixelFormat32bppARGB)
    {
        status_ = GdipCreateBitmapFromScan0(width, height, 0, format, nullptr, &bitmap_);
    }
    explicit OwnedBitmap(GpBitmap* adopted) : bitmap_(adopted) { }
    ~OwnedBitmap()
    {
        if (bitmap_)
            GdipDisposeImage(bitmap_);
    }
    OwnedBitmap(const OwnedBitmap&) = delete;
    OwnedBitmap& operator=(const OwnedBitmap&) = delete;

    GpBitmap* get() const { return bitmap_; }
    GpBitmap** out() { return &bitmap_; }
    GpStatus status() const { return status_; }

private:
    GpBitmap* bitmap_ = nullptr;
    GpStatus status_ = Ok;
};

} // namespace raster_test
