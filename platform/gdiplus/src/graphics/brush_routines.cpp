// The flat routines of brushes.

#include "core/boundary.h"
#include "graphics/brush.h"

#include <gdiplus/flat_api.h>

using engine::Brush;
using engine::guarded;
using engine::lookup;
using engine::SolidBrush;

GpStatus GdipCreateSolidFill(ARGB color, GpSolidFill** brush)
{
    return guarded([&]() -> GpStatus {
        if (!brush)
            return InvalidParameter;
        return engine::handOut(std::make_unique<SolidBrush>(color), brush);
    });
}

GpStatus GdipSetSolidFillColor(GpSolidFill* brush, ARGB color)
{
    return guarded([&]() -> GpStatus {
        SolidBrush* solid = lookup<SolidBrush>(brush);
        if (!solid)
            return InvalidParameter;
        solid->setColor(color);
        return Ok;
    });
}

GpStatus GdipGetSolidFillColor(GpSolidFill* brush, ARGB* color)
{
    return guarded([&]() -> GpStatus {
        SolidBrush* solid = lookup<SolidBrush>(brush);
        if (!solid || !color)
            return InvalidParameter;
        *color = solid->color();
        return Ok;
    });
}

GpStatus GdipCloneBrush(GpBrush* brush, GpBrush** cloneBrush)
{
    return guarded([&]() -> GpStatus {
        Brush* found = lookup<Brush>(brush);
        if (!found || !cloneBrush)
            return InvalidParameter;
        auto* solid = dynamic_cast<SolidBrush*>(found);
        if (!solid)
            return NotImplemented;
        return engine::handOut(std::make_unique<SolidBrush>(solid->color()), cloneBrush);
    });
}

GpStatus GdipGetBrushType(GpBrush* brush, GpBrushType* type)
{
    return guarded([&]() -> GpStatus {
        Brush* found = lookup<Brush>(brush);
        if (!found || !type)
            return InvalidParameter;
        if (!dynamic_cast<SolidBrush*>(found))
            return NotImplemented;
        *type = 0; // BrushTypeSolidColor
        return Ok;
    });
}

GpStatus GdipDeleteBrush(GpBrush* brush)
{
    return guarded([&]() -> GpStatus { return engine::destroy<Brush>(brush); });
}
