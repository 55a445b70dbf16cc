#pragma once

// The "shape" stage's result: a text turned into glyphs and into clusters,
// the smallest pieces a line can be broken between. Widths are in ems of the
// font, so one shaping serves every size.

#include "text/font_face.h"
#include "text/text_analysis.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace engine::text {

struct ShapedGlyph {
    std::uint32_t glyph = 0;
    std::uint16_t face = 0; // index into ShapedText::faces
    float advance = 0;      // ems, rightwards
    float offsetX = 0;      // ems, rightwards from the pen
    float offsetY = 0;      // ems, upwards from the baseline
};

// Text units [textStart, textEnd) drawn by glyphs [glyphStart, glyphEnd).
struct Cluster {
    std::uint32_t textStart = 0;
    std::uint32_t textEnd = 0;
    std::uint32_t glyphStart = 0;
    std::uint32_t glyphEnd = 0;
    float advance = 0; // ems
    BreakAfter breakAfter = BreakAfter::None;
    bool hangingSpace = false;  // breaking spaces only
    bool lineSeparator = false; // an explicit line break: no room, not drawn
    bool invisible = false;     // draws nothing
};

struct ShapedText {
    std::vector<std::shared_ptr<FontFace>> faces; // the first is the font's own face
    std::vector<ShapedGlyph> glyphs;
    std::vector<Cluster> clusters; // in text order, covering the whole text
};

} // namespace engine::text
