#include "graphics/graphics.h"

#include "graphics/compositor.h"
#include "graphics/image_resampler.h"
#include "image/bitmap.h"
#include "image/pixel_surface.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace engine {

namespace {

DeviceBox intersect(const DeviceBox& a, const DeviceBox& b)
{
    DeviceBox box{
        std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
    if (box.left >= box.right || box.top >= box.bottom)
        return DeviceBox{};
    return box;
}

bool isEmpty(const DeviceBox& box)
{
    return box.left >= box.right || box.top >= box.bottom;
}

// The first device pixel whose centre is at or after `edge`, clamped to a
// range where the box arithmetic cannot overflow.
int firstCentreAtOrAfter(double edge)
{
    constexpr double limit = 1 << 30;
    return static_cast<int>(std::clamp(std::ceil(edge), -limit, limit));
}

} // namespace

Graphics::Graphics(std::shared_ptr<PixelSurface> target, float dpiX, float dpiY)
    : Object(Kind::Graphics),
      target_(std::move(target)),
      dpiX_(dpiX),
      dpiY_(dpiY)
{
}

Graphics::~Graphics()
{
    target_->settle();
}

float Graphics::dpiX() const
{
    return dpiX_;
}

float Graphics::dpiY() const
{
    return dpiY_;
}

INT Graphics::textRenderingHint() const
{
    return textRenderingHint_;
}

float Graphics::pixelsPerPageUnitX() const
{
    return pixelsPerUnit(pageUnit_, dpiX_) * pageScale_;
}

float Graphics::pixelsPerPageUnitY() const
{
    return pixelsPerUnit(pageUnit_, dpiY_) * pageScale_;
}

Graphics::Affine Graphics::worldToDevice() const
{
    const float scaleX = pixelsPerPageUnitX();
    const float scaleY = pixelsPerPageUnitY();
    return Affine{world_.m11 * scaleX, world_.m12 * scaleY, world_.m21 * scaleX, world_.m22 * scaleY,
        world_.dx * scaleX, world_.dy * scaleY};
}

bool Graphics::mapsAxisAligned() const
{
    return world_.m12 == 0 && world_.m21 == 0;
}

DeviceBox Graphics::bounds() const
{
    return DeviceBox{0, 0, target_->width(), target_->height()};
}

DeviceBox Graphics::coveredBox(REAL x, REAL y, REAL width, REAL height) const
{
    const Affine device = worldToDevice();
    const double left = static_cast<double>(device.m11) * x + device.dx;
    const double right = static_cast<double>(device.m11) * (static_cast<double>(x) + width) + device.dx;
    const double top = static_cast<double>(device.m22) * y + device.dy;
    const double bottom = static_cast<double>(device.m22) * (static_cast<double>(y) + height) + device.dy;
    // An infinite edge meeting an infinite size gives NaN: nothing is covered.
    if (std::isnan(left) || std::isnan(right) || std::isnan(top) || std::isnan(bottom))
        return DeviceBox{};
    const DeviceBox covered{firstCentreAtOrAfter(std::min(left, right)), firstCentreAtOrAfter(std::min(top, bottom)),
        firstCentreAtOrAfter(std::max(left, right)), firstCentreAtOrAfter(std::max(top, bottom))};
    return intersect(covered, bounds());
}

GpStatus Graphics::fillRectangle(const Brush& brush, REAL x, REAL y, REAL width, REAL height)
{
    if (std::isnan(x) || std::isnan(y) || std::isnan(width) || std::isnan(height))
        return InvalidParameter;
    const auto* solid = dynamic_cast<const SolidBrush*>(&brush);
    if (!solid)
        return NotImplemented;
    // Rotated and sheared fills need a rasterizer; they arrive with the
    // transform routines.
    if (!mapsAxisAligned())
        return NotImplemented;
    if (!(width > 0) || !(height > 0))
        return Ok;
    const DeviceBox box = coveredBox(x, y, width, height);
    if (isEmpty(box))
        return Ok;
    const ARGB color = solid->color();
    if ((color >> 24) == 255 && target_->deferOpaqueFill(box, color))
        return Ok;
    fillSolid(target_->canvas(box), box, color);
    return Ok;
}

GpStatus Graphics::drawImage(Image& image, const GpRectF& destination, const GpRectF& source, GpUnit sourceUnit)
{
    if (!isUnit(sourceUnit))
        return InvalidParameter;
    for (REAL value : {destination.X, destination.Y, destination.Width, destination.Height, source.X, source.Y,
             source.Width, source.Height}) {
        if (std::isnan(value))
            return InvalidParameter;
    }
    if (!(source.Width > 0) || !(source.Height > 0))
        return InvalidParameter;
    auto* bitmap = dynamic_cast<Bitmap*>(&image);
    if (!bitmap || sourceUnit != UnitPixel || !mapsAxisAligned())
        return NotImplemented;
    if (destination.Width == 0 || destination.Height == 0)
        return Ok;

    const Affine device = worldToDevice();
    ResampleMapping mapping;
    mapping.destinationLeft = static_cast<double>(device.m11) * destination.X + device.dx;
    mapping.destinationTop = static_cast<double>(device.m22) * destination.Y + device.dy;
    mapping.destinationWidth = static_cast<double>(device.m11) * destination.Width;
    mapping.destinationHeight = static_cast<double>(device.m22) * destination.Height;
    mapping.source = source;
    const DeviceBox box = intersect(
        DeviceBox{
            firstCentreAtOrAfter(std::min(mapping.destinationLeft, mapping.destinationLeft + mapping.destinationWidth)),
            firstCentreAtOrAfter(std::min(mapping.destinationTop, mapping.destinationTop + mapping.destinationHeight)),
            firstCentreAtOrAfter(std::max(mapping.destinationLeft, mapping.destinationLeft + mapping.destinationWidth)),
            firstCentreAtOrAfter(std::max(mapping.destinationTop, mapping.destinationTop + mapping.destinationHeight))},
        bounds());
    if (isEmpty(box))
        return Ok;

    ResampledPixels resampled;
    const GpStatus status = resample(bitmap->surface(), mapping, box, interpolationMode_, resampled);
    if (status != Ok)
        return status;
    blendPremultipliedPixels(target_->canvas(box), resampled.pixels(), resampled.stride(), box);
    return Ok;
}

void Graphics::blendCoverage(const CoverageMask& mask, int x, int y, ARGB color, const DeviceBox& limit)
{
    if (!mask.pixels || mask.width <= 0 || mask.height <= 0)
        return;
    const DeviceBox maskBox{x, y, x + mask.width, y + mask.height};
    const DeviceBox box = intersect(intersect(maskBox, limit), bounds());
    if (isEmpty(box))
        return;
    blendMask(target_->canvas(box), mask, x, y, color, box);
}

} // namespace engine
