#pragma once

// Source-over compositing into a canvas, in the canvas's own alpha model, so
// that 32-bit bitmaps are drawn on in place. Boxes are in canvas pixels and
// must already lie inside the canvas (and inside the source they read).

#include "graphics/coverage.h"
#include "image/canvas.h"

#include <gdiplus/flat_types.h>

#include <cstddef>
#include <cstdint>

namespace engine {

// The per-pixel rules every path below follows. `blendStraight` puts a
// straight colour (its alpha replaced by `alpha`) over a canvas pixel,
// `blendPremultiplied` a premultiplied source pixel. An opaque source gives
// exactly its colour; over a fully transparent straight pixel the result is
// exactly the source colour with the source alpha.
std::uint32_t blendStraight(AlphaModel model, std::uint32_t destination, ARGB color, std::uint32_t alpha);
std::uint32_t blendPremultiplied(AlphaModel model, std::uint32_t destination, std::uint32_t source);

// Puts `color` (straight ARGB) over every pixel of `box`. An opaque colour is
// a plain store.
void fillSolid(const Canvas& canvas, const DeviceBox& box, ARGB color);

// Puts `color` over the pixels of `box`, weighted by the mask's coverage;
// mask pixel (0, 0) lies on canvas pixel (x, y).
void blendMask(const Canvas& canvas, const CoverageMask& mask, int x, int y, ARGB color, const DeviceBox& box);

// Puts premultiplied source pixels over `box`: source row r and column c land
// on canvas pixel (box.left + c, box.top + r). `sourceStride` is in pixels.
void blendPremultipliedPixels(
    const Canvas& canvas, const std::uint32_t* source, std::ptrdiff_t sourceStride, const DeviceBox& box);

} // namespace engine
