// String formats at the boundary.

#include "core/boundary.h"
#include "text/string_format.h"

#include <gdiplus/flat_api.h>

using engine::guarded;
using engine::handOut;
using engine::lookup;
using engine::StringFormat;

namespace {

bool isAlignment(StringAlignment alignment)
{
    return alignment >= engine::text::AlignNear && alignment <= engine::text::AlignFar;
}

} // namespace

GpStatus GdipCreateStringFormat(INT formatAttributes, LANGID language, GpStringFormat** format)
{
    return guarded([&]() -> GpStatus {
        if (!format)
            return InvalidParameter;
        return handOut(std::make_unique<StringFormat>(formatAttributes, language), format);
    });
}

// Each call hands out a format of its own: a caller that changes or deletes
// it affects no one else.
GpStatus GdipStringFormatGetGenericDefault(GpStringFormat** format)
{
    return guarded([&]() -> GpStatus {
        if (!format)
            return InvalidParameter;
        return handOut(std::make_unique<StringFormat>(StringFormat::genericDefault()), format);
    });
}

GpStatus GdipStringFormatGetGenericTypographic(GpStringFormat** format)
{
    return guarded([&]() -> GpStatus {
        if (!format)
            return InvalidParameter;
        return handOut(std::make_unique<StringFormat>(StringFormat::genericTypographic()), format);
    });
}

GpStatus GdipDeleteStringFormat(GpStringFormat* format)
{
    return guarded([&]() -> GpStatus { return engine::destroy<StringFormat>(format); });
}

GpStatus GdipCloneStringFormat(const GpStringFormat* format, GpStringFormat** newFormat)
{
    return guarded([&]() -> GpStatus {
        auto* source = lookup<StringFormat>(format);
        if (!source || !newFormat)
            return InvalidParameter;
        return handOut(std::make_unique<StringFormat>(*source), newFormat);
    });
}

GpStatus GdipSetStringFormatFlags(GpStringFormat* format, INT flags)
{
    return guarded([&]() -> GpStatus {
        auto* target = lookup<StringFormat>(format);
        if (!target)
            return InvalidParameter;
        target->setFlags(flags);
        return Ok;
    });
}

GpStatus GdipGetStringFormatFlags(const GpStringFormat* format, INT* flags)
{
    return guarded([&]() -> GpStatus {
        auto* source = lookup<StringFormat>(format);
        if (!source || !flags)
            return InvalidParameter;
        *flags = source->layout().flags;
        return Ok;
    });
}

GpStatus GdipSetStringFormatAlign(GpStringFormat* format, StringAlignment align)
{
    return guarded([&]() -> GpStatus {
        auto* target = lookup<StringFormat>(format);
        if (!target || !isAlignment(align))
            return InvalidParameter;
        target->setAlignment(align);
        return Ok;
    });
}

GpStatus GdipGetStringFormatAlign(const GpStringFormat* format, StringAlignment* align)
{
    return guarded([&]() -> GpStatus {
        auto* source = lookup<StringFormat>(format);
        if (!source || !align)
            return InvalidParameter;
        *align = source->layout().alignment;
        return Ok;
    });
}

GpStatus GdipSetStringFormatLineAlign(GpStringFormat* format, StringAlignment align)
{
    return guarded([&]() -> GpStatus {
        auto* target = lookup<StringFormat>(format);
        if (!target || !isAlignment(align))
            return InvalidParameter;
        target->setLineAlignment(align);
        return Ok;
    });
}

GpStatus GdipGetStringFormatLineAlign(const GpStringFormat* format, StringAlignment* align)
{
    return guarded([&]() -> GpStatus {
        auto* source = lookup<StringFormat>(format);
        if (!source || !align)
            return InvalidParameter;
        *align = source->layout().lineAlignment;
        return Ok;
    });
}
