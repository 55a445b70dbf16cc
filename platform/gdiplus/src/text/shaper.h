#pragma once

// The "shape" stage: splits a text into runs of one face and one script,
// taking characters the font lacks from fallback faces, shapes each run with
// HarfBuzz and groups the glyphs into clusters with their break opportunities.

#include "text/shaped_text.h"

#include <functional>
#include <memory>
#include <string_view>

namespace engine::text {

// A face that has `character`, for one the primary face lacks; null for none.
using FallbackLookup = std::function<std::shared_ptr<FontFace>(char32_t character)>;

// Left-to-right shaping of `text` with `primary`, falling back through
// `fallback` (which may be empty: then missing characters show the primary
// face's missing-glyph shape).
ShapedText shapeText(
    std::u16string_view text, const std::shared_ptr<FontFace>& primary, const FallbackLookup& fallback);

} // namespace engine::text
