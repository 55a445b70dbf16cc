#pragma once

// A drawing context over an image. Owned by the raster area of the engine;
// the text area uses only the members marked "for text".

#include "core/object.h"
#include "core/units.h"
#include "graphics/brush.h"
#include "graphics/coverage.h"

#include <gdiplus/flat_types.h>

#include <memory>

namespace engine {

class Bitmap;
class Image;
class PixelSurface;

// Device pixels have their centres at integer coordinates (the interface's
// default pixel offset mode): device pixel (x, y) is covered by an aliased
// shape when the point (x, y) lies inside it, left and top edges included,
// right and bottom edges excluded. A rectangle with integer corners therefore
// covers exactly its pixels, and a rectangle from 0.5 to 2.5 covers pixels
// 1 and 2.
class Graphics : public Object {
public:
    // A context drawing on `target` whose resolution is the given dots per
    // inch. The context keeps the pixels alive even if the image's handle is
    // disposed first.
    Graphics(std::shared_ptr<PixelSurface> target, float dpiX, float dpiY);

    // Converts any pending drawing back into the target's own format, so a
    // caller reading its own pixel memory sees every drawing.
    ~Graphics() override;

    // Fills the world rectangle with `brush`, source-over, without
    // antialiasing. An empty or negative-sized rectangle draws nothing;
    // InvalidParameter for a NaN coordinate; NotImplemented for brushes other
    // than solid ones.
    GpStatus fillRectangle(const Brush& brush, REAL x, REAL y, REAL width, REAL height);

    // Draws the `source` rectangle of `image` (in `sourceUnit`, pixels only)
    // scaled into the world rectangle `destination` with the context's
    // interpolation, source-over. A negative destination width or height
    // mirrors the image. InvalidParameter for a source unit outside the Unit
    // enumeration, an empty or negative source rectangle or a NaN.
    GpStatus drawImage(Image& image, const GpRectF& destination, const GpRectF& source, GpUnit sourceUnit);

    // For text: blends `color` (straight ARGB) through `mask`, whose top-left
    // pixel lands on device pixel (x, y), source-over, limited to `limit`, the
    // target's bounds and the context's clip. Throws std::bad_alloc when a
    // target in a format other than 32 bits per pixel cannot get its working
    // copy (the boundary answers OutOfMemory).
    void blendCoverage(const CoverageMask& mask, int x, int y, ARGB color, const DeviceBox& limit);

    // For text: the target's resolution in dots per inch.
    float dpiX() const;
    float dpiY() const;

    // For text: the mapping from world coordinates to device pixels (world
    // transform, page unit and page scale combined): x' = m11 x + m21 y + dx,
    // y' = m12 x + m22 y + dy.
    struct Affine {
        float m11 = 1, m12 = 0, m21 = 0, m22 = 1, dx = 0, dy = 0;
    };
    Affine worldToDevice() const;

    // For text: device pixels per world unit along each axis before the world
    // transform (the page unit at the target's resolution times the page
    // scale).
    float pixelsPerPageUnitX() const;
    float pixelsPerPageUnitY() const;

    // For text: the context's text rendering hint (TextRenderingHint value).
    INT textRenderingHint() const;

    // The context's state as the interface reports it.
    GpUnit pageUnit() const { return pageUnit_; }
    REAL pageScale() const { return pageScale_; }
    InterpolationMode interpolationMode() const { return interpolationMode_; }

private:
    // The device pixels an aliased world rectangle covers, limited to the
    // target's bounds (and clip); empty when none. Requires an axis-aligned
    // mapping.
    DeviceBox coveredBox(REAL x, REAL y, REAL width, REAL height) const;
    DeviceBox bounds() const;
    bool mapsAxisAligned() const;

    std::shared_ptr<PixelSurface> target_;
    float dpiX_;
    float dpiY_;
    Affine world_;                  // the world transform; identity until transform routines exist
    GpUnit pageUnit_ = UnitDisplay; // one pixel on a bitmap
    REAL pageScale_ = 1.0f;
    INT textRenderingHint_ = 0;               // SystemDefault
    InterpolationMode interpolationMode_ = 3; // Bilinear
};

} // namespace engine
