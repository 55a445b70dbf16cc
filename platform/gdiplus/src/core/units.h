#pragma once

#include <gdiplus/flat_types.h>

namespace engine {

// The interface's Unit values.
enum Unit : GpUnit {
    UnitWorld = 0,
    UnitDisplay = 1,
    UnitPixel = 2,
    UnitPoint = 3,
    UnitInch = 4,
    UnitDocument = 5,
    UnitMillimeter = 6,
};

inline bool isUnit(GpUnit unit)
{
    return unit >= UnitWorld && unit <= UnitMillimeter;
}

// Units a font's em size may be given in: pixel, point, inch, document and
// millimetre. World and display units depend on a context's page setup, not
// on the font, and are refused.
inline bool isFontUnit(GpUnit unit)
{
    return unit >= UnitPixel && unit <= UnitMillimeter;
}

// Device pixels in one `unit` at `dpi` dots per inch: 12 points at 96 dpi are
// 16 pixels. World, display and pixel units (and anything outside the
// enumeration) are one device pixel, as they are on a bitmap, the only target
// the engine draws on.
inline float pixelsPerUnit(GpUnit unit, float dpi)
{
    switch (unit) {
    case UnitPoint:
        return dpi / 72.0f;
    case UnitInch:
        return dpi;
    case UnitDocument:
        return dpi / 300.0f;
    case UnitMillimeter:
        return dpi / 25.4f;
    default:
        return 1.0f;
    }
}

} // namespace engine
