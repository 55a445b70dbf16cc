#include "graphics/image_resampler.h"

#include "image/color_math.h"
#include "image/pixel_surface.h"

#include <pixman.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace engine {

namespace {

struct PixmanImageRelease {
    void operator()(pixman_image_t* image) const { pixman_image_unref(image); }
};
using PixmanImage = std::unique_ptr<pixman_image_t, PixmanImageRelease>;

constexpr int FixedPointLimit = 32767;

int clampToRange(double value, int low, int high)
{
    return static_cast<int>(std::clamp(value, static_cast<double>(low), static_cast<double>(high)));
}

} // namespace

GpStatus resample(PixelSurface& source, const ResampleMapping& mapping, const DeviceBox& box,
    InterpolationMode interpolation, ResampledPixels& result)
{
    const int width = box.right - box.left;
    const int height = box.bottom - box.top;
    if (width > FixedPointLimit || height > FixedPointLimit)
        return NotImplemented;
    PixelBlock output = PixelBlock::allocateZeroed(static_cast<std::size_t>(width) * height * 4);
    if (!output)
        return OutOfMemory;

    // The part of the source the filter can reach: the source rectangle and
    // one pixel around it for the bilinear neighbours, inside the image.
    const GpRectF& rect = mapping.source;
    const int copyLeft = clampToRange(std::floor(rect.X) - 1, 0, source.width());
    const int copyTop = clampToRange(std::floor(rect.Y) - 1, 0, source.height());
    const int copyRight = clampToRange(std::ceil(static_cast<double>(rect.X) + rect.Width) + 1, 0, source.width());
    const int copyBottom = clampToRange(std::ceil(static_cast<double>(rect.Y) + rect.Height) + 1, 0, source.height());
    const int copyWidth = copyRight - copyLeft;
    const int copyHeight = copyBottom - copyTop;
    if (copyWidth > FixedPointLimit || copyHeight > FixedPointLimit)
        return NotImplemented;

    if (copyWidth > 0 && copyHeight > 0) {
        PixelBlock copy = PixelBlock::allocate(static_cast<std::size_t>(copyWidth) * copyHeight * 4);
        if (!copy)
            return OutOfMemory;
        const PixelFormatDescriptor& format = source.format();
        for (int y = 0; y < copyHeight; ++y) {
            auto* row = reinterpret_cast<ARGB*>(copy.data()) + static_cast<std::size_t>(y) * copyWidth;
            loadRow(format, source.row(copyTop + y) + static_cast<std::size_t>(copyLeft) * format.bytesPerPixel(), row,
                copyWidth);
            for (int x = 0; x < copyWidth; ++x)
                row[x] = premultiply(row[x]);
        }

        PixmanImage from(pixman_image_create_bits(
            PIXMAN_a8r8g8b8, copyWidth, copyHeight, reinterpret_cast<std::uint32_t*>(copy.data()), copyWidth * 4));
        PixmanImage to(pixman_image_create_bits(
            PIXMAN_a8r8g8b8, width, height, reinterpret_cast<std::uint32_t*>(output.data()), width * 4));
        if (!from || !to)
            return OutOfMemory;

        // The filter samples the copy at M * (i + 0.5) for output pixel i,
        // which is device pixel box.left + i; that pixel's middle,
        // box.left + i + 0.5, maps to rect.X + (box.left + i + 0.5 -
        // destinationLeft) * scale in the source, less the copy's origin.
        const double scaleX = rect.Width / mapping.destinationWidth;
        const double scaleY = rect.Height / mapping.destinationHeight;
        const double offsetX = rect.X - copyLeft + (box.left - mapping.destinationLeft) * scaleX;
        const double offsetY = rect.Y - copyTop + (box.top - mapping.destinationTop) * scaleY;
        if (std::fabs(offsetX) + std::fabs(scaleX) * width > FixedPointLimit ||
            std::fabs(offsetY) + std::fabs(scaleY) * height > FixedPointLimit)
            return NotImplemented;
        pixman_transform_t transform;
        pixman_transform_init_identity(&transform);
        transform.matrix[0][0] = pixman_double_to_fixed(scaleX);
        transform.matrix[0][2] = pixman_double_to_fixed(offsetX);
        transform.matrix[1][1] = pixman_double_to_fixed(scaleY);
        transform.matrix[1][2] = pixman_double_to_fixed(offsetY);
        pixman_image_set_transform(from.get(), &transform);
        pixman_image_set_filter(
            from.get(), interpolation == 5 ? PIXMAN_FILTER_NEAREST : PIXMAN_FILTER_BILINEAR, nullptr, 0);
        pixman_image_set_repeat(from.get(), PIXMAN_REPEAT_PAD);
        pixman_image_composite32(PIXMAN_OP_SRC, from.get(), nullptr, to.get(), 0, 0, 0, 0, 0, 0, width, height);
    }

    result.block_ = std::move(output);
    result.width_ = width;
    return Ok;
}

} // namespace engine
