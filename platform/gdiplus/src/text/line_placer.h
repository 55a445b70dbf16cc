#pragma once

// The "place" stage: puts broken lines into the layout rectangle. Works in
// world units (the layout rectangle's), y downwards.

#include "text/layout_format.h"
#include "text/line_breaker.h"

#include <gdiplus/flat_types.h>

#include <span>
#include <vector>

namespace engine::text {

// The font's vertical measures in world units.
struct LineMetrics {
    float emSize = 0;
    float ascent = 0;      // baseline below the line's top
    float lineSpacing = 0; // baseline to baseline
};

struct PlacedLine {
    BrokenLine line;
    float x = 0; // where the line's first cluster starts
    float baseline = 0;
    float width = 0; // the width the line was aligned with
};

struct Placement {
    std::vector<PlacedLine> lines; // the lines laid out, top to bottom
    GpRectF bounds{};              // what the laid-out lines occupy, margins included
    INT unitsFitted = 0;           // text units in the laid-out lines
    INT linesFilled = 0;
};

// The margin left before and after every line.
float lineMargin(const LayoutFormat& format, float emSize);

// Whether lines are wrapped: not for a zero-width rectangle (or a point), nor
// under NoWrap.
bool wraps(const GpRectF& layout, const LayoutFormat& format);

// The room, in ems, a line may fill; Unlimited when lines are not wrapped.
float lineRoom(const GpRectF& layout, const LayoutFormat& format, float emSize);

// Places `lines` of `clusters`: aligned along the line (near, centre, far
// within the rectangle's width less the margins, or around the rectangle's
// left edge when it has no width), stacked at the line spacing from the top
// with the block aligned in the height (or around the top edge when the
// rectangle has no height). With a height, only lines that reach into the
// rectangle are laid out, only whole ones under LineLimit.
Placement placeLines(std::span<const BrokenLine> lines, std::span<const Cluster> clusters, const LineMetrics& metrics,
    const GpRectF& layout, const LayoutFormat& format);

} // namespace engine::text
