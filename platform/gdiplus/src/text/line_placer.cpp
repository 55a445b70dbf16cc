#include "text/line_placer.h"

#include <algorithm>

namespace engine::text {

namespace {

// How lines that fit exactly are told from lines that do not, against the
// rounding of sums of line spacings.
constexpr float Tolerance = 1e-3f;

float alignmentFactor(StringAlignment alignment)
{
    switch (alignment) {
    case AlignCenter:
        return 0.5f;
    case AlignFar:
        return 1.0f;
    default:
        return 0.0f;
    }
}

} // namespace

float lineMargin(const LayoutFormat& format, float emSize)
{
    return format.typographic ? 0.0f : emSize / 6.0f;
}

bool wraps(const GpRectF& layout, const LayoutFormat& format)
{
    return layout.Width > 0 && !format.has(NoWrap);
}

float lineRoom(const GpRectF& layout, const LayoutFormat& format, float emSize)
{
    if (!wraps(layout, format) || emSize <= 0)
        return Unlimited;
    float room = layout.Width - 2 * lineMargin(format, emSize);
    return std::max(0.0f, room / emSize);
}

Placement placeLines(std::span<const BrokenLine> lines, std::span<const Cluster> clusters, const LineMetrics& metrics,
    const GpRectF& layout, const LayoutFormat& format)
{
    Placement placement;
    placement.bounds = GpRectF{layout.X, layout.Y, 0, 0};

    std::size_t kept = lines.size();
    if (layout.Height > 0 && metrics.lineSpacing > 0) {
        kept = 0;
        while (kept < lines.size()) {
            float top = static_cast<float>(kept) * metrics.lineSpacing;
            float bottom = top + metrics.lineSpacing;
            bool fits = format.has(LineLimit) ? bottom <= layout.Height + Tolerance : top < layout.Height;
            if (!fits)
                break;
            ++kept;
        }
    }
    if (kept == 0)
        return placement;

    const float em = metrics.emSize;
    const float margin = lineMargin(format, em);
    const bool wrapping = wraps(layout, format);
    const float innerWidth = std::max(0.0f, layout.Width - 2 * margin);
    const float width = std::max(0.0f, layout.Width);
    const float height = std::max(0.0f, layout.Height);
    const float blockHeight = static_cast<float>(kept) * metrics.lineSpacing;
    const float top = layout.Y + alignmentFactor(format.lineAlignment) * (height - blockHeight);
    const float along = alignmentFactor(format.alignment);

    float left = 0;
    float right = 0;
    for (std::size_t index = 0; index < kept; ++index) {
        const BrokenLine& line = lines[index];
        float visible = line.visibleWidth * em;
        float trailing = format.has(MeasureTrailingSpaces) ? line.trailingWidth * em : 0.0f;
        // Measured trailing spaces still hang: they may fill the line's
        // room but never push its text out of the rectangle.
        if (wrapping)
            trailing = std::min(trailing, std::max(0.0f, innerWidth - visible));
        PlacedLine placed;
        placed.line = line;
        placed.width = visible + trailing;
        // One formula covers both cases: with a width, the line is aligned in
        // the room between the margins; without, around the left edge.
        placed.x = layout.X + margin + along * (width - 2 * margin - placed.width);
        placed.baseline = top + static_cast<float>(index) * metrics.lineSpacing + metrics.ascent;
        placement.lines.push_back(placed);

        float lineLeft = placed.x - margin;
        float lineRight = placed.x + placed.width + margin;
        left = index == 0 ? lineLeft : std::min(left, lineLeft);
        right = index == 0 ? lineRight : std::max(right, lineRight);
    }

    float bottom = top + blockHeight;
    float boxTop = top;
    // The box never reaches outside the rectangle along a wrapped line or
    // below a limited height: a cut-off last line counts only as far as it shows.
    if (wrapping) {
        left = std::max(left, layout.X);
        right = std::min(right, layout.X + layout.Width);
    }
    if (layout.Height > 0) {
        boxTop = std::max(boxTop, layout.Y);
        bottom = std::min(bottom, layout.Y + layout.Height);
    }
    placement.bounds = GpRectF{left, boxTop, std::max(0.0f, right - left), std::max(0.0f, bottom - boxTop)};

    const BrokenLine& last = lines[kept - 1];
    placement.unitsFitted = last.clusterEnd > 0 ? static_cast<INT>(clusters[last.clusterEnd - 1].textEnd) : 0;
    placement.linesFilled = static_cast<INT>(kept);
    return placement;
}

} // namespace engine::text
