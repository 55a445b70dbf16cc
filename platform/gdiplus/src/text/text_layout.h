#pragma once

// The one layout text drawing and measuring share: shape (cached), break
// lines, place. Drawing renders exactly what measuring reports.

#include "text/font_cache.h"
#include "text/layout_format.h"
#include "text/line_placer.h"
#include "text/shaped_text.h"

#include <gdiplus/flat_types.h>

#include <memory>
#include <string_view>

namespace engine::text {

struct TextLayout {
    std::shared_ptr<const ShapedText> shaped;
    LineMetrics metrics;
    Placement placement;
};

// The font's measures at `emSize` world units per em.
LineMetrics lineMetricsOf(const FontFace& face, float emSize);

// Lays out `text` in `face` (falling back to other installed faces for
// characters it lacks, unless the format says NoFontFallback) at `emSize`
// world units per em in the rectangle `layout`.
TextLayout layOutText(FontCache& cache, const std::shared_ptr<FontFace>& face, float emSize, std::u16string_view text,
    const GpRectF& layout, const LayoutFormat& format);

} // namespace engine::text
