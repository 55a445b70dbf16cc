#include "text/font_units.h"

namespace engine::text {

namespace {

enum : GpUnit {
    UnitWorld = 0,
    UnitDisplay = 1,
    UnitPixel = 2,
    UnitPoint = 3,
    UnitInch = 4,
    UnitDocument = 5,
    UnitMillimeter = 6,
};

} // namespace

bool isFontUnit(GpUnit unit)
{
    return unit >= UnitPixel && unit <= UnitMillimeter;
}

float pixelsPerUnit(GpUnit unit, float dpi)
{
    switch (unit) {
    case UnitPixel:
        return 1.0f;
    case UnitPoint:
        return dpi / 72.0f;
    case UnitInch:
        return dpi;
    case UnitDocument:
        return dpi / 300.0f;
    case UnitMillimeter:
        return dpi / 25.4f;
    default:
        return 0.0f;
    }
}

float pixelsPerPageUnit(GpUnit pageUnit, float pageScale, float dpi)
{
    float perUnit = isFontUnit(pageUnit) ? pixelsPerUnit(pageUnit, dpi) : 1.0f;
    return perUnit * pageScale;
}

} // namespace engine::text
