#include "font.h"

#include "font_family.h"
#include "gdiplus_binding.h"

namespace quillory {

Font::~Font()
{
    Delete();
}

bool Font::Delete()
{
    if (!ClassHandle)
        return false;
    const GpStatus status = StoreStatus(Flat().GdipDeleteFont(static_cast<GpFont*>(ClassHandle)));
    SetNativeHandle(nullptr);
    return status == Ok;
}

bool Font::CreateFromFamilyName(const std::string& familyName, float emSize, std::int32_t style, std::int32_t unit)
{
    // No collection is given, so the name is looked up among the installed
    // fonts.
    FontFamily family;
    family.CreateFromName(familyName);

    auto* font = static_cast<GpFont*>(ClassHandle);
    const GpStatus status = StoreStatus(
        Flat().GdipCreateFont(static_cast<const GpFontFamily*>(family.GetNativeHandle()), emSize, style, unit, &font));
    ClassHandle = font;
    SetNativeHandle(ClassHandle);

    // The family is ours to release; its status is not the answer.
    family.Delete();
    StoreStatus(status);
    return status == Ok;
}

} // namespace quillory
