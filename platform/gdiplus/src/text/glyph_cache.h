#pragma once

// Rasterized glyphs kept across calls: a text drawn again (the preview after
// every keystroke) costs lookups, not rasterizing. Bounded by a byte budget;
// when a new glyph would exceed it the whole cache is dropped, which keeps
// the common case (a few dozen glyphs in use) free of bookkeeping.

#include "text/font_face.h"

#include <cstddef>
#include <cstdint>
#include <unordered_map>

namespace engine::text {

class GlyphCache {
public:
    explicit GlyphCache(std::size_t byteBudget) : byteBudget_(byteBudget) { }

    // `glyph` of `face` at `pixelsX` by `pixelsY` pixels per em (to 1/64
    // pixel), moved right by `subpixelX` quarter pixels (0 to 3). A glyph that
    // cannot be rendered comes back empty. The reference is valid until the
    // next call.
    const RasterGlyph& find(
        FontFace& face, std::uint32_t glyph, float pixelsX, float pixelsY, int subpixelX, RasterMode mode);

    std::size_t size() const { return glyphs_.size(); }
    std::size_t bytes() const { return bytes_; }

private:
    struct Key {
        std::uint32_t face;
        std::uint32_t glyph;
        std::int32_t sizeX; // 1/64 pixel
        std::int32_t sizeY;
        std::uint8_t subpixelX;
        std::uint8_t mode;
        bool operator==(const Key&) const = default;
    };
    struct KeyHash {
        std::size_t operator()(const Key& key) const;
    };

    std::size_t byteBudget_;
    std::size_t bytes_ = 0;
    std::unordered_map<Key, RasterGlyph, KeyHash> glyphs_;
};

} // namespace engine::text
