// Fonts at the boundary.

#include "core/boundary.h"
#include "core/units.h"
#include "graphics/graphics.h"
#include "text/font.h"
#include "text/font_cache.h"
#include "text/font_family.h"

#include <gdiplus/flat_api.h>

#include <cmath>

using engine::Font;
using engine::FontFamily;
using engine::guarded;
using engine::handOut;
using engine::lookup;
using engine::text::FontCache;
using engine::text::StyleBold;
using engine::text::StyleItalic;
using engine::text::StyleStrikeout;
using engine::text::StyleUnderline;

namespace {

// The font's line spacing in units of which one em is `emSize`.
float lineSpacingAt(const Font& font, float emSize)
{
    const engine::text::DesignMetrics& design = font.face()->metrics();
    return static_cast<float>(design.lineSpacing) * emSize / static_cast<float>(design.unitsPerEm);
}

} // namespace

GpStatus GdipCreateFont(const GpFontFamily* fontFamily, REAL emSize, INT style, INT unit, GpFont** font)
{
    return guarded([&]() -> GpStatus {
        auto* family = lookup<FontFamily>(fontFamily);
        if (!family || !font)
            return InvalidParameter;
        if (!std::isfinite(emSize) || emSize <= 0 || !engine::isFontUnit(unit))
            return InvalidParameter;
        if (style < 0 || style > (StyleBold | StyleItalic | StyleUnderline | StyleStrikeout))
            return InvalidParameter;
        std::shared_ptr<engine::text::FontFace> face;
        const GpStatus found = FontCache::instance().faceForStyle(*family->record(), style, face);
        if (found != Ok)
            return found;
        return handOut(std::make_unique<Font>(family->record(), std::move(face), emSize, style, unit), font);
    });
}

GpStatus GdipDeleteFont(GpFont* font)
{
    return guarded([&]() -> GpStatus { return engine::destroy<Font>(font); });
}

GpStatus GdipCloneFont(GpFont* font, GpFont** cloneFont)
{
    return guarded([&]() -> GpStatus {
        auto* source = lookup<Font>(font);
        if (!source || !cloneFont)
            return InvalidParameter;
        return handOut(std::make_unique<Font>(*source), cloneFont);
    });
}

GpStatus GdipGetFamily(GpFont* font, GpFontFamily** fontFamily)
{
    return guarded([&]() -> GpStatus {
        auto* source = lookup<Font>(font);
        if (!source || !fontFamily)
            return InvalidParameter;
        return handOut(std::make_unique<FontFamily>(source->family()), fontFamily);
    });
}

GpStatus GdipGetFontStyle(GpFont* font, INT* style)
{
    return guarded([&]() -> GpStatus {
        auto* source = lookup<Font>(font);
        if (!source || !style)
            return InvalidParameter;
        *style = source->style();
        return Ok;
    });
}

GpStatus GdipGetFontSize(GpFont* font, REAL* size)
{
    return guarded([&]() -> GpStatus {
        auto* source = lookup<Font>(font);
        if (!source || !size)
            return InvalidParameter;
        *size = source->emSize();
        return Ok;
    });
}

GpStatus GdipGetFontUnit(GpFont* font, GpUnit* unit)
{
    return guarded([&]() -> GpStatus {
        auto* source = lookup<Font>(font);
        if (!source || !unit)
            return InvalidParameter;
        *unit = source->unit();
        return Ok;
    });
}

// With a context, in its page units (at its vertical resolution); without
// one, in the font's own unit.
GpStatus GdipGetFontHeight(const GpFont* font, const GpGraphics* graphics, REAL* height)
{
    return guarded([&]() -> GpStatus {
        auto* source = lookup<Font>(font);
        if (!source || !height)
            return InvalidParameter;
        float emSize = source->emSize();
        if (graphics) {
            auto* context = lookup<engine::Graphics>(graphics);
            if (!context)
                return InvalidParameter;
            emSize = source->emSizeOn(*context);
        }
        *height = lineSpacingAt(*source, emSize);
        return Ok;
    });
}

GpStatus GdipGetFontHeightGivenDPI(const GpFont* font, REAL dpi, REAL* height)
{
    return guarded([&]() -> GpStatus {
        auto* source = lookup<Font>(font);
        if (!source || !height || !std::isfinite(dpi) || dpi <= 0)
            return InvalidParameter;
        *height = lineSpacingAt(*source, source->emSize() * engine::pixelsPerUnit(source->unit(), dpi));
        return Ok;
    });
}
