#include "solid_brush.h"

#include "gdiplus_binding.h"

namespace quillory {

SolidBrush::~SolidBrush()
{
    Delete();
}

void SolidBrush::SetClassHandle(Handle handle)
{
    ClassHandle = handle;
    SetSubclassHandle(ClassHandle);
}

void SolidBrush::SetSubclassHandle(Handle handle)
{
    SolidFillHandle = handle;
}

bool SolidBrush::Delete()
{
    if (!ClassHandle)
        return false;
    const GpStatus status = StoreStatus(Flat().GdipDeleteBrush(static_cast<GpBrush*>(ClassHandle)));
    SetNativeHandle(nullptr);
    return status == Ok;
}

bool SolidBrush::Create(std::uint32_t color)
{
    auto* brush = static_cast<GpSolidFill*>(SolidFillHandle);
    const GpStatus status = StoreStatus(Flat().GdipCreateSolidFill(color, &brush));
    SolidFillHandle = brush;
    SetNativeHandle(SolidFillHandle);
    return status == Ok;
}

bool SolidBrush::SetColor(std::uint32_t color)
{
    return StoreStatus(Flat().GdipSetSolidFillColor(static_cast<GpSolidFill*>(SolidFillHandle), color)) == Ok;
}

std::uint32_t SolidBrush::GetColor() const
{
    ARGB color = 0;
    if (StoreStatus(Flat().GdipGetSolidFillColor(static_cast<GpSolidFill*>(SolidFillHandle), &color)) != Ok)
        return 0;
    return color;
}

} // namespace quillory
