#pragma once

#include "image/image.h"
#include "image/pixel_surface.h"

#include <memory>

namespace engine {

// A raster image: pixels in one pixel format, a raw format and a resolution.
class Bitmap final : public Image {
public:
    // The interface's resolution for bitmaps made in memory.
    static constexpr float DefaultResolution = 96.0f;

    Bitmap(std::shared_ptr<PixelSurface> surface, const GUID& rawFormat, float horizontalResolution,
        float verticalResolution);

    // A bitmap made in memory (raw format MemoryBMP, 96 dpi). With `scan0`
    // null the engine allocates zero pixels and ignores `stride`; otherwise the
    // bitmap uses the caller's rows in place, row y at scan0 + y * stride.
    // InvalidParameter for a size below 1, a format that is not one, a stride
    // that is not a multiple of 4 or shorter than a row; NotImplemented for
    // the indexed and CMYK formats; OutOfMemory when the pixels would exceed
    // the engine's block limit (before allocating) or memory is exhausted.
    static GpStatus create(
        INT width, INT height, INT stride, PixelFormat format, BYTE* scan0, std::unique_ptr<Bitmap>& result);

    GpImageType type() const override { return 1; }
    int width() const override { return surface_->width(); }
    int height() const override { return surface_->height(); }
    PixelFormat pixelFormat() const override { return surface_->format().code; }
    GUID rawFormat() const override { return rawFormat_; }
    float horizontalResolution() const override { return horizontalResolution_; }
    float verticalResolution() const override { return verticalResolution_; }
    GpStatus clone(std::unique_ptr<Image>& result) const override;

    // InvalidParameter for coordinates outside the bitmap.
    GpStatus getPixel(INT x, INT y, ARGB& color);
    GpStatus setPixel(INT x, INT y, ARGB color);

    // InvalidParameter unless both are positive and finite.
    GpStatus setResolution(REAL horizontal, REAL vertical);

    PixelSurface& surface() const { return *surface_; }
    const std::shared_ptr<PixelSurface>& sharedSurface() const { return surface_; }

private:
    std::shared_ptr<PixelSurface> surface_;
    GUID rawFormat_;
    float horizontalResolution_;
    float verticalResolution_;
};

} // namespace engine
