#pragma once

// The "draw" stage: turns a laid-out text into glyph coverage blended into a
// drawing context in a solid colour.

#include "graphics/graphics.h"
#include "text/glyph_cache.h"
#include "text/text_layout.h"

#include <gdiplus/flat_types.h>

#include <cstdint>
#include <vector>

namespace engine::text {

// One glyph on the device: drawn with its pen at (penX + subpixelX / 4, baseline).
struct DeviceGlyph {
    std::uint16_t face = 0; // index into the shaped text's faces
    std::uint32_t glyph = 0;
    int penX = 0;
    int subpixelX = 0; // quarters of a pixel, 0 to 3
    int baseline = 0;
};

// A world-to-device mapping text can be drawn under: translation and a
// positive scale along each axis. Rotation, shear and mirroring are not drawn.
bool isDrawableMapping(const Graphics::Affine& mapping);

// The device position of every visible glyph of `layout` under `mapping`
// (which must be drawable). Each line's baseline is snapped to a whole pixel
// and pens to a quarter pixel, so the same text looks the same wherever it is.
std::vector<DeviceGlyph> placeGlyphs(const TextLayout& layout, const Graphics::Affine& mapping);

// The device pixels `layout` may ink: the layout rectangle, except along an
// axis the rectangle has no extent in, and nowhere under NoClip.
DeviceBox clipBoxOf(const GpRectF& layout, const LayoutFormat& format, const Graphics::Affine& mapping);

// The largest em, in device pixels, text is drawn at: a glyph's coverage is
// rasterized whole, and beyond this one glyph could take hundreds of
// megabytes. It is thirty times the renderer's largest text.
inline constexpr float MaximumDeviceEm = 4096;

// How the context's text rendering hint rasterizes.
RasterMode rasterModeFor(INT textRenderingHint);

// Draws `layout` into `graphics` in `color`, with the underline and strikeout
// `fontStyle` asks for. NotImplemented when the context's mapping is not
// drawable, ValueOverflow when the em would be larger than MaximumDeviceEm;
// nothing is drawn then.
GpStatus drawTextLayout(Graphics& graphics, const TextLayout& layout, const GpRectF& layoutRect,
    const LayoutFormat& format, INT fontStyle, ARGB color, GlyphCache& glyphs);

} // namespace engine::text
