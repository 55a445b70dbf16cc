#pragma once

#include <gdiplus/flat_types.h>

namespace engine::text {

// Units a font's em size may be given in: pixel, point, inch, document and
// millimetre. World and display units depend on a context's page setup, not
// on the font, and are refused.
bool isFontUnit(GpUnit unit);

// Device pixels in one `unit` at `dpi` dots per inch (a font unit only):
// 12 points at 96 dpi are 16 pixels.
float pixelsPerUnit(GpUnit unit, float dpi);

// Device pixels per world unit of a context (before its world transform) with
// the page unit `pageUnit` and page scale `pageScale`: world, display and pixel
// page units are pixels on a bitmap. A font's size is physical, so its em in
// world units is its size in pixels divided by this.
float pixelsPerPageUnit(GpUnit pageUnit, float pageScale, float dpi);

} // namespace engine::text
