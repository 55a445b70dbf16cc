#include "text/text_layout.h"

#include "text/line_breaker.h"

namespace engine::text {

LineMetrics lineMetricsOf(const FontFace& face, float emSize)
{
    const DesignMetrics& design = face.metrics();
    float perUnit = emSize / static_cast<float>(design.unitsPerEm);
    return LineMetrics{
        emSize, static_cast<float>(design.cellAscent) * perUnit, static_cast<float>(design.lineSpacing) * perUnit};
}

TextLayout layOutText(FontCache& cache, const std::shared_ptr<FontFace>& face, float emSize, std::u16string_view text,
    const GpRectF& layout, const LayoutFormat& format)
{
    TextLayout result;
    result.metrics = lineMetricsOf(*face, emSize);
    result.shaped = cache.shaped(text, face, !format.has(NoFontFallback));
    std::vector<BrokenLine> lines = breakLines(result.shaped->clusters, lineRoom(layout, format, emSize));
    result.placement = placeLines(lines, result.shaped->clusters, result.metrics, layout, format);
    return result;
}

} // namespace engine::text
