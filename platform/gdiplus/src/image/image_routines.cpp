// The flat routines of images and bitmaps: shells that check handles and
// out-pointers and hand the work to Image and Bitmap.

#include "core/boundary.h"
#include "core/units.h"
#include "image/bitmap.h"

#include <gdiplus/flat_api.h>

using engine::Bitmap;
using engine::guarded;
using engine::Image;
using engine::lookup;

GpStatus GdipCreateBitmapFromScan0(
    INT width, INT height, INT stride, PixelFormat format, BYTE* scan0, GpBitmap** bitmap)
{
    return guarded([&]() -> GpStatus {
        if (!bitmap)
            return InvalidParameter;
        std::unique_ptr<Bitmap> created;
        const GpStatus status = Bitmap::create(width, height, stride, format, scan0, created);
        if (status != Ok)
            return status;
        return engine::handOut(std::move(created), bitmap);
    });
}

GpStatus GdipDisposeImage(GpImage* image)
{
    return guarded([&]() -> GpStatus { return engine::destroy<Image>(image); });
}

GpStatus GdipCloneImage(GpImage* image, GpImage** cloneImage)
{
    return guarded([&]() -> GpStatus {
        Image* source = lookup<Image>(image);
        if (!source || !cloneImage)
            return InvalidParameter;
        std::unique_ptr<Image> copy;
        const GpStatus status = source->clone(copy);
        if (status != Ok)
            return status;
        return engine::handOut(std::move(copy), cloneImage);
    });
}

GpStatus GdipGetImageType(GpImage* image, GpImageType* type)
{
    return guarded([&]() -> GpStatus {
        Image* found = lookup<Image>(image);
        if (!found || !type)
            return InvalidParameter;
        *type = found->type();
        return Ok;
    });
}

GpStatus GdipGetImageWidth(GpImage* image, UINT* width)
{
    return guarded([&]() -> GpStatus {
        Image* found = lookup<Image>(image);
        if (!found || !width)
            return InvalidParameter;
        *width = static_cast<UINT>(found->width());
        return Ok;
    });
}

GpStatus GdipGetImageHeight(GpImage* image, UINT* height)
{
    return guarded([&]() -> GpStatus {
        Image* found = lookup<Image>(image);
        if (!found || !height)
            return InvalidParameter;
        *height = static_cast<UINT>(found->height());
        return Ok;
    });
}

GpStatus GdipGetImageDimension(GpImage* image, REAL* width, REAL* height)
{
    return guarded([&]() -> GpStatus {
        Image* found = lookup<Image>(image);
        if (!found || !width || !height)
            return InvalidParameter;
        *width = static_cast<REAL>(found->width());
        *height = static_cast<REAL>(found->height());
        return Ok;
    });
}

GpStatus GdipGetImageBounds(GpImage* image, GpRectF* sourceRect, GpUnit* sourceUnit)
{
    return guarded([&]() -> GpStatus {
        Image* found = lookup<Image>(image);
        if (!found || !sourceRect || !sourceUnit)
            return InvalidParameter;
        *sourceRect = GpRectF{0, 0, static_cast<REAL>(found->width()), static_cast<REAL>(found->height())};
        *sourceUnit = engine::UnitPixel; // the unit of every raster image
        return Ok;
    });
}

GpStatus GdipGetImageHorizontalResolution(GpImage* image, REAL* resolution)
{
    return guarded([&]() -> GpStatus {
        Image* found = lookup<Image>(image);
        if (!found || !resolution)
            return InvalidParameter;
        *resolution = found->horizontalResolution();
        return Ok;
    });
}

GpStatus GdipGetImageVerticalResolution(GpImage* image, REAL* resolution)
{
    return guarded([&]() -> GpStatus {
        Image* found = lookup<Image>(image);
        if (!found || !resolution)
            return InvalidParameter;
        *resolution = found->verticalResolution();
        return Ok;
    });
}

GpStatus GdipGetImageRawFormat(GpImage* image, GUID* format)
{
    return guarded([&]() -> GpStatus {
        Image* found = lookup<Image>(image);
        if (!found || !format)
            return InvalidParameter;
        *format = found->rawFormat();
        return Ok;
    });
}

GpStatus GdipGetImagePixelFormat(GpImage* image, PixelFormat* format)
{
    return guarded([&]() -> GpStatus {
        Image* found = lookup<Image>(image);
        if (!found || !format)
            return InvalidParameter;
        *format = found->pixelFormat();
        return Ok;
    });
}

GpStatus GdipBitmapGetPixel(GpBitmap* bitmap, INT x, INT y, ARGB* color)
{
    return guarded([&]() -> GpStatus {
        Bitmap* found = lookup<Bitmap>(bitmap);
        if (!found || !color)
            return InvalidParameter;
        return found->getPixel(x, y, *color);
    });
}

GpStatus GdipBitmapSetPixel(GpBitmap* bitmap, INT x, INT y, ARGB color)
{
    return guarded([&]() -> GpStatus {
        Bitmap* found = lookup<Bitmap>(bitmap);
        if (!found)
            return InvalidParameter;
        return found->setPixel(x, y, color);
    });
}

GpStatus GdipBitmapSetResolution(GpBitmap* bitmap, REAL xdpi, REAL ydpi)
{
    return guarded([&]() -> GpStatus {
        Bitmap* found = lookup<Bitmap>(bitmap);
        if (!found)
            return InvalidParameter;
        return found->setResolution(xdpi, ydpi);
    });
}
