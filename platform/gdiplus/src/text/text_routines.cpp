// Drawing and measuring strings at the boundary. Both lay the text out the
// same way, so a measured box is where the drawn text lands.

#include "core/boundary.h"
#include "graphics/brush.h"
#include "graphics/graphics.h"
#include "text/font.h"
#include "text/string_format.h"
#include "text/text_layout.h"
#include "text/text_renderer.h"
#include "text/utf16.h"

#include <gdiplus/flat_api.h>

#include <cmath>

using engine::Font;
using engine::Graphics;
using engine::guarded;
using engine::lookup;
using engine::StringFormat;
using engine::text::FontCache;
using engine::text::LayoutFormat;

namespace {

bool isFiniteRect(const GpRectF& rect)
{
    return std::isfinite(rect.X) && std::isfinite(rect.Y) && std::isfinite(rect.Width) && std::isfinite(rect.Height);
}

// A null format means the generic default.
LayoutFormat formatOf(const GpStringFormat* handle, bool& valid)
{
    valid = true;
    if (!handle)
        return LayoutFormat{};
    auto* format = lookup<StringFormat>(handle);
    valid = format != nullptr;
    return format ? format->layout() : LayoutFormat{};
}

// Right-to-left and vertical layouts are not built.
bool isSupported(const LayoutFormat& format)
{
    return !format.has(engine::text::DirectionRightToLeft) && !format.has(engine::text::DirectionVertical);
}

} // namespace

GpStatus GdipDrawString(GpGraphics* graphics, const WCHAR* string, INT length, const GpFont* font,
    const GpRectF* layoutRect, const GpStringFormat* stringFormat, const GpBrush* brush)
{
    return guarded([&]() -> GpStatus {
        auto* context = lookup<Graphics>(graphics);
        auto* drawnFont = lookup<Font>(font);
        auto* fill = lookup<engine::Brush>(brush);
        bool formatValid = false;
        LayoutFormat format = formatOf(stringFormat, formatValid);
        std::u16string text;
        if (!context || !drawnFont || !fill || !formatValid || !layoutRect || !isFiniteRect(*layoutRect) ||
            !engine::text::readString(string, length, text))
            return InvalidParameter;
        auto* solid = dynamic_cast<engine::SolidBrush*>(fill);
        if (!solid || !isSupported(format))
            return NotImplemented;
        if (text.empty())
            return Ok;

        float emSize = drawnFont->emSizeOn(*context);
        if (!std::isfinite(emSize))
            return ValueOverflow;
        FontCache& cache = FontCache::instance();
        auto layout = engine::text::layOutText(cache, drawnFont->face(), emSize, text, *layoutRect, format);
        return engine::text::drawTextLayout(
            *context, layout, *layoutRect, format, drawnFont->style(), solid->color(), cache.glyphs());
    });
}

GpStatus GdipMeasureString(GpGraphics* graphics, const WCHAR* string, INT length, const GpFont* font,
    const GpRectF* layoutRect, const GpStringFormat* stringFormat, GpRectF* boundingBox, INT* codepointsFitted,
    INT* linesFilled)
{
    return guarded([&]() -> GpStatus {
        auto* context = lookup<Graphics>(graphics);
        auto* measuredFont = lookup<Font>(font);
        bool formatValid = false;
        LayoutFormat format = formatOf(stringFormat, formatValid);
        std::u16string text;
        if (!context || !measuredFont || !formatValid || !layoutRect || !isFiniteRect(*layoutRect) || !boundingBox ||
            !engine::text::readString(string, length, text))
            return InvalidParameter;
        if (!isSupported(format))
            return NotImplemented;

        float emSize = measuredFont->emSizeOn(*context);
        if (!std::isfinite(emSize))
            return ValueOverflow;
        engine::text::Placement placement;
        placement.bounds = GpRectF{layoutRect->X, layoutRect->Y, 0, 0};
        if (!text.empty()) {
            placement =
                engine::text::layOutText(FontCache::instance(), measuredFont->face(), emSize, text, *layoutRect, format)
                    .placement;
        }
        *boundingBox = placement.bounds;
        if (codepointsFitted)
            *codepointsFitted = placement.unitsFitted;
        if (linesFilled)
            *linesFilled = placement.linesFilled;
        return Ok;
    });
}
