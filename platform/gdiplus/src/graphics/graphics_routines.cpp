// The flat routines of drawing contexts: creation, the state they report,
// filling and drawing images.

#include "core/boundary.h"
#include "graphics/graphics.h"
#include "image/bitmap.h"

#include <gdiplus/flat_api.h>

using engine::Bitmap;
using engine::Brush;
using engine::Graphics;
using engine::guarded;
using engine::Image;
using engine::lookup;

namespace {

// The shared body of the image-drawing routines that take a source
// rectangle, an attributes pointer and an abort callback.
GpStatus drawImageRectRect(GpGraphics* graphics, GpImage* image, const GpRectF& destination, const GpRectF& source,
    GpUnit sourceUnit, const void* imageAttributes, DrawImageAbort callback, void* callbackData)
{
    Graphics* context = lookup<Graphics>(graphics);
    Image* drawn = lookup<Image>(image);
    // No routine of this engine makes image attributes, so any pointer given
    // for them is foreign.
    if (!context || !drawn || imageAttributes)
        return InvalidParameter;
    if (callback && callback(callbackData))
        return Aborted;
    return context->drawImage(*drawn, destination, source, sourceUnit);
}

} // namespace

GpStatus GdipGetImageGraphicsContext(GpImage* image, GpGraphics** graphics)
{
    return guarded([&]() -> GpStatus {
        Image* found = lookup<Image>(image);
        if (!found || !graphics)
            return InvalidParameter;
        auto* bitmap = dynamic_cast<Bitmap*>(found);
        if (!bitmap)
            return NotImplemented;
        return engine::handOut(std::make_unique<Graphics>(bitmap->sharedSurface(), bitmap->horizontalResolution(),
                                   bitmap->verticalResolution()),
            graphics);
    });
}

GpStatus GdipDeleteGraphics(GpGraphics* graphics)
{
    return guarded([&]() -> GpStatus { return engine::destroy<Graphics>(graphics); });
}

GpStatus GdipGetDpiX(GpGraphics* graphics, REAL* dpi)
{
    return guarded([&]() -> GpStatus {
        Graphics* context = lookup<Graphics>(graphics);
        if (!context || !dpi)
            return InvalidParameter;
        *dpi = context->dpiX();
        return Ok;
    });
}

GpStatus GdipGetDpiY(GpGraphics* graphics, REAL* dpi)
{
    return guarded([&]() -> GpStatus {
        Graphics* context = lookup<Graphics>(graphics);
        if (!context || !dpi)
            return InvalidParameter;
        *dpi = context->dpiY();
        return Ok;
    });
}

GpStatus GdipGetPageUnit(GpGraphics* graphics, GpUnit* unit)
{
    return guarded([&]() -> GpStatus {
        Graphics* context = lookup<Graphics>(graphics);
        if (!context || !unit)
            return InvalidParameter;
        *unit = context->pageUnit();
        return Ok;
    });
}

GpStatus GdipGetPageScale(GpGraphics* graphics, REAL* scale)
{
    return guarded([&]() -> GpStatus {
        Graphics* context = lookup<Graphics>(graphics);
        if (!context || !scale)
            return InvalidParameter;
        *scale = context->pageScale();
        return Ok;
    });
}

GpStatus GdipGetInterpolationMode(GpGraphics* graphics, InterpolationMode* interpolationMode)
{
    return guarded([&]() -> GpStatus {
        Graphics* context = lookup<Graphics>(graphics);
        if (!context || !interpolationMode)
            return InvalidParameter;
        *interpolationMode = context->interpolationMode();
        return Ok;
    });
}

GpStatus GdipGetTextRenderingHint(GpGraphics* graphics, TextRenderingHint* mode)
{
    return guarded([&]() -> GpStatus {
        Graphics* context = lookup<Graphics>(graphics);
        if (!context || !mode)
            return InvalidParameter;
        *mode = context->textRenderingHint();
        return Ok;
    });
}

GpStatus GdipFillRectangle(GpGraphics* graphics, GpBrush* brush, REAL x, REAL y, REAL width, REAL height)
{
    return guarded([&]() -> GpStatus {
        Graphics* context = lookup<Graphics>(graphics);
        Brush* fill = lookup<Brush>(brush);
        if (!context || !fill)
            return InvalidParameter;
        return context->fillRectangle(*fill, x, y, width, height);
    });
}

GpStatus GdipFillRectangleI(GpGraphics* graphics, GpBrush* brush, INT x, INT y, INT width, INT height)
{
    return guarded([&]() -> GpStatus {
        Graphics* context = lookup<Graphics>(graphics);
        Brush* fill = lookup<Brush>(brush);
        if (!context || !fill)
            return InvalidParameter;
        return context->fillRectangle(
            *fill, static_cast<REAL>(x), static_cast<REAL>(y), static_cast<REAL>(width), static_cast<REAL>(height));
    });
}

GpStatus GdipDrawImageRectRect(GpGraphics* graphics, GpImage* image, REAL destinationX, REAL destinationY,
    REAL destinationWidth, REAL destinationHeight, REAL sourceX, REAL sourceY, REAL sourceWidth, REAL sourceHeight,
    GpUnit sourceUnit, const void* imageAttributes, DrawImageAbort callback, void* callbackData)
{
    return guarded([&]() -> GpStatus {
        return drawImageRectRect(graphics, image,
            GpRectF{destinationX, destinationY, destinationWidth, destinationHeight},
            GpRectF{sourceX, sourceY, sourceWidth, sourceHeight}, sourceUnit, imageAttributes, callback, callbackData);
    });
}

GpStatus GdipDrawImageRectRectI(GpGraphics* graphics, GpImage* image, INT destinationX, INT destinationY,
    INT destinationWidth, INT destinationHeight, INT sourceX, INT sourceY, INT sourceWidth, INT sourceHeight,
    GpUnit sourceUnit, const void* imageAttributes, DrawImageAbort callback, void* callbackData)
{
    auto real = [](INT value) { return static_cast<REAL>(value); };
    return guarded([&]() -> GpStatus {
        return drawImageRectRect(graphics, image,
            GpRectF{real(destinationX), real(destinationY), real(destinationWidth), real(destinationHeight)},
            GpRectF{real(sourceX), real(sourceY), real(sourceWidth), real(sourceHeight)}, sourceUnit, imageAttributes,
            callback, callbackData);
    });
}
