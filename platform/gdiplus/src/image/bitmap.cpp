#include "image/bitmap.h"

#include "image/image_format_ids.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace engine {

Bitmap::Bitmap(
    std::shared_ptr<PixelSurface> surface, const GUID& rawFormat, float horizontalResolution, float verticalResolution)
    : surface_(std::move(surface)),
      rawFormat_(rawFormat),
      horizontalResolution_(horizontalResolution),
      verticalResolution_(verticalResolution)
{
}

GpStatus Bitmap::create(
    INT width, INT height, INT stride, PixelFormat format, BYTE* scan0, std::unique_ptr<Bitmap>& result)
{
    if (width <= 0 || height <= 0)
        return InvalidParameter;
    const PixelFormatDescriptor* descriptor = findPixelFormat(format);
    if (!descriptor || descriptor->code == PixelFormatUndefined)
        return InvalidParameter;
    if (!descriptor->stored())
        return NotImplemented;

    std::shared_ptr<PixelSurface> surface;
    if (!scan0) {
        const GpStatus status = PixelSurface::allocate(width, height, *descriptor, surface);
        if (status != Ok)
            return status;
    } else {
        // Rows shorter than a row of pixels would overlap their neighbours;
        // the stride is also the only size of the caller's memory we know.
        const std::uint64_t rowBytes = descriptor->pixelBytes(static_cast<std::uint64_t>(width));
        if (stride % 4 != 0 || static_cast<std::uint64_t>(std::llabs(static_cast<long long>(stride))) < rowBytes)
            return InvalidParameter;
        surface = PixelSurface::wrap(width, height, stride, *descriptor, scan0);
    }
    result =
        std::make_unique<Bitmap>(std::move(surface), image_format::MemoryBMP, DefaultResolution, DefaultResolution);
    return Ok;
}

GpStatus Bitmap::clone(std::unique_ptr<Image>& result) const
{
    std::shared_ptr<PixelSurface> copy;
    const GpStatus status = PixelSurface::allocate(width(), height(), surface_->format(), copy);
    if (status != Ok)
        return status;
    const auto rowBytes = static_cast<std::size_t>(surface_->format().pixelBytes(static_cast<std::uint64_t>(width())));
    for (int y = 0; y < height(); ++y)
        std::memcpy(copy->writableRow(y), surface_->readRow(y), rowBytes);
    result = std::make_unique<Bitmap>(std::move(copy), rawFormat_, horizontalResolution_, verticalResolution_);
    return Ok;
}

GpStatus Bitmap::setResolution(REAL horizontal, REAL vertical)
{
    if (!(horizontal > 0) || !(vertical > 0) || !std::isfinite(horizontal) || !std::isfinite(vertical))
        return InvalidParameter;
    horizontalResolution_ = horizontal;
    verticalResolution_ = vertical;
    return Ok;
}

GpStatus Bitmap::getPixel(INT x, INT y, ARGB& color)
{
    if (x < 0 || y < 0 || x >= width() || y >= height())
        return InvalidParameter;
    color = surface_->pixel(x, y);
    return Ok;
}

GpStatus Bitmap::setPixel(INT x, INT y, ARGB color)
{
    if (x < 0 || y < 0 || x >= width() || y >= height())
        return InvalidParameter;
    surface_->setPixel(x, y, color);
    return Ok;
}

} // namespace engine
