#include "font_family.h"

#include "gdiplus_binding.h"

namespace quillory {

bool FontFamily::Delete()
{
    if (!ClassHandle)
        return false;
    const GpStatus status = StoreStatus(Flat().GdipDeleteFontFamily(static_cast<GpFontFamily*>(ClassHandle)));
    SetNativeHandle(nullptr);
    return status == Ok;
}

bool FontFamily::CreateFromName(const std::string& name, const ImagingObject* collection)
{
    // The converted name lives only for the call.
    const Bytes wide = AnsiToWide(name);
    auto* family = static_cast<GpFontFamily*>(ClassHandle);
    const GpStatus status = StoreStatus(Flat().GdipCreateFontFamilyFromName(
        WideText(wide), static_cast<GpFontCollection*>(collection ? collection->GetNativeHandle() : nullptr), &family));
    ClassHandle = family;
    SetNativeHandle(ClassHandle);
    return status == Ok;
}

} // namespace quillory
