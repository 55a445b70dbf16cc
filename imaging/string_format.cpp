#include "string_format.h"

#include "gdiplus_binding.h"

namespace quillory {

StringFormat::~StringFormat()
{
    Delete();
}

bool StringFormat::Delete()
{
    if (!ClassHandle)
        return false;
    const GpStatus status = StoreStatus(Flat().GdipDeleteStringFormat(static_cast<GpStringFormat*>(ClassHandle)));
    SetNativeHandle(nullptr);
    return status == Ok;
}

bool StringFormat::Create(std::int32_t flags, std::int32_t language)
{
    auto* format = static_cast<GpStringFormat*>(ClassHandle);
    const GpStatus status = StoreStatus(Flat().GdipCreateStringFormat(flags, static_cast<LANGID>(language), &format));
    ClassHandle = format;
    SetNativeHandle(ClassHandle);
    return status == Ok;
}

bool StringFormat::SetAlign(std::int32_t alignment)
{
    return StoreStatus(Flat().GdipSetStringFormatAlign(static_cast<GpStringFormat*>(ClassHandle), alignment)) == Ok;
}

bool StringFormat::SetLineAlign(std::int32_t alignment)
{
    return StoreStatus(Flat().GdipSetStringFormatLineAlign(static_cast<GpStringFormat*>(ClassHandle), alignment)) == Ok;
}

} // namespace quillory
