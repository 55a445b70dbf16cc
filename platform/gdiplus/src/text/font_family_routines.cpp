// Font families at the boundary: the "find family" stage's entry points and
// the family's design metrics.

#include "core/boundary.h"
#include "text/font_cache.h"
#include "text/font_family.h"
#include "text/utf16.h"

#include <gdiplus/flat_api.h>

#include <algorithm>

using engine::FontFamily;
using engine::guarded;
using engine::handOut;
using engine::lookup;
using engine::text::DesignMetrics;
using engine::text::FontCache;
using engine::text::GenericFamily;

namespace {

GpStatus handOutGeneric(GenericFamily which, GpFontFamily** fontFamily)
{
    if (!fontFamily)
        return InvalidParameter;
    auto record = FontCache::instance().catalog().generic(which);
    if (!record)
        return FontFamilyNotFound;
    return handOut(std::make_unique<FontFamily>(std::move(record)), fontFamily);
}

// A design metric of the face that draws `style` in the family.
template <typename Read> GpStatus readMetric(const GpFontFamily* fontFamily, INT style, UINT16* out, Read read)
{
    auto* family = lookup<FontFamily>(fontFamily);
    if (!family || !out)
        return InvalidParameter;
    std::shared_ptr<engine::text::FontFace> face;
    const GpStatus found = FontCache::instance().faceForStyle(*family->record(), style, face);
    if (found != Ok)
        return found;
    int value = read(face->metrics());
    *out = static_cast<UINT16>(std::clamp(value, 0, 0xFFFF));
    return Ok;
}

} // namespace

GpStatus GdipCreateFontFamilyFromName(const WCHAR* name, GpFontCollection* fontCollection, GpFontFamily** fontFamily)
{
    return guarded([&]() -> GpStatus {
        std::u16string wanted;
        if (!fontFamily || !engine::text::readString(name, -1, wanted))
            return InvalidParameter;
        // No routine creates collections here, so a non-null collection
        // cannot be one; only the installed fonts (null) are searched.
        if (fontCollection)
            return InvalidParameter;
        auto record = FontCache::instance().catalog().find(wanted);
        if (!record)
            return FontFamilyNotFound;
        return handOut(std::make_unique<FontFamily>(std::move(record)), fontFamily);
    });
}

GpStatus GdipDeleteFontFamily(GpFontFamily* fontFamily)
{
    return guarded([&]() -> GpStatus { return engine::destroy<FontFamily>(fontFamily); });
}

GpStatus GdipCloneFontFamily(GpFontFamily* fontFamily, GpFontFamily** clonedFontFamily)
{
    return guarded([&]() -> GpStatus {
        auto* family = lookup<FontFamily>(fontFamily);
        if (!family || !clonedFontFamily)
            return InvalidParameter;
        return handOut(std::make_unique<FontFamily>(family->record()), clonedFontFamily);
    });
}

GpStatus GdipGetGenericFontFamilySansSerif(GpFontFamily** fontFamily)
{
    return guarded([&]() -> GpStatus { return handOutGeneric(GenericFamily::SansSerif, fontFamily); });
}

GpStatus GdipGetGenericFontFamilySerif(GpFontFamily** fontFamily)
{
    return guarded([&]() -> GpStatus { return handOutGeneric(GenericFamily::Serif, fontFamily); });
}

GpStatus GdipGetGenericFontFamilyMonospace(GpFontFamily** fontFamily)
{
    return guarded([&]() -> GpStatus { return handOutGeneric(GenericFamily::Monospace, fontFamily); });
}

GpStatus GdipGetFamilyName(const GpFontFamily* fontFamily, WCHAR* name, LANGID)
{
    return guarded([&]() -> GpStatus {
        auto* family = lookup<FontFamily>(fontFamily);
        if (!family || !name)
            return InvalidParameter;
        // The caller's buffer holds LF_FACESIZE units; a longer name is cut
        // so that the terminator always fits.
        const std::u16string& familyName = family->record()->nameUtf16();
        std::size_t count = std::min<std::size_t>(familyName.size(), LF_FACESIZE - 1);
        for (std::size_t index = 0; index < count; ++index)
            name[index] = familyName[index];
        name[count] = 0;
        return Ok;
    });
}

GpStatus GdipIsStyleAvailable(const GpFontFamily* fontFamily, INT style, BOOL* isStyleAvailable)
{
    return guarded([&]() -> GpStatus {
        auto* family = lookup<FontFamily>(fontFamily);
        if (!family || !isStyleAvailable)
            return InvalidParameter;
        *isStyleAvailable = family->record()->faceFor(style) != nullptr;
        return Ok;
    });
}

GpStatus GdipGetEmHeight(const GpFontFamily* fontFamily, INT style, UINT16* emHeight)
{
    return guarded([&]() -> GpStatus {
        return readMetric(fontFamily, style, emHeight, [](const DesignMetrics& m) { return m.unitsPerEm; });
    });
}

GpStatus GdipGetCellAscent(const GpFontFamily* fontFamily, INT style, UINT16* cellAscent)
{
    return guarded([&]() -> GpStatus {
        return readMetric(fontFamily, style, cellAscent, [](const DesignMetrics& m) { return m.cellAscent; });
    });
}

GpStatus GdipGetCellDescent(const GpFontFamily* fontFamily, INT style, UINT16* cellDescent)
{
    return guarded([&]() -> GpStatus {
        return readMetric(fontFamily, style, cellDescent, [](const DesignMetrics& m) { return m.cellDescent; });
    });
}

GpStatus GdipGetLineSpacing(const GpFontFamily* fontFamily, INT style, UINT16* lineSpacing)
{
    return guarded([&]() -> GpStatus {
        return readMetric(fontFamily, style, lineSpacing, [](const DesignMetrics& m) { return m.lineSpacing; });
    });
}
