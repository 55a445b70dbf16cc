#pragma once

#include "graphics/coverage.h"
#include "memory/pixel_block.h"

#include <gdiplus/flat_types.h>

#include <cstddef>
#include <cstdint>

namespace engine {

class PixelSurface;

// Where a source rectangle lands in device pixels. Sampling treats pixels as
// unit squares: source pixel i spans [i, i + 1), and device pixel x takes the
// source point that the middle of [x, x + 1) maps to. So a 1:1 mapping at an
// integer offset copies exactly, a mirror reverses exactly, and scaling is
// symmetric. A negative width or height mirrors.
struct ResampleMapping {
    double destinationLeft = 0;
    double destinationTop = 0;
    double destinationWidth = 0;
    double destinationHeight = 0;
    GpRectF source{}; // in source pixels
};

// Premultiplied 32-bit pixels of one device box, row by row.
class ResampledPixels {
public:
    const std::uint32_t* pixels() const { return reinterpret_cast<const std::uint32_t*>(block_.data()); }
    std::ptrdiff_t stride() const { return width_; } // in pixels

private:
    friend GpStatus resample(
        PixelSurface&, const ResampleMapping&, const DeviceBox&, InterpolationMode, ResampledPixels&);
    PixelBlock block_;
    int width_ = 0;
};

// Samples `source` for every device pixel of `box` under `mapping`, with
// nearest-neighbour sampling for InterpolationModeNearestNeighbor (5) and
// bilinear filtering otherwise. Pixels beyond the source's edges repeat the
// edge, so a scaled image keeps solid borders. OutOfMemory when the
// temporaries cannot be allocated; NotImplemented for sources or boxes too
// large for the filter's fixed-point coordinates (32767 pixels).
GpStatus resample(PixelSurface& source, const ResampleMapping& mapping, const DeviceBox& box,
    InterpolationMode interpolation, ResampledPixels& result);

} // namespace engine
