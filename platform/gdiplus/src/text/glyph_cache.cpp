#include "text/glyph_cache.h"

#include <cmath>

namespace engine::text {

std::size_t GlyphCache::KeyHash::operator()(const Key& key) const
{
    std::uint64_t hash = key.face;
    hash = hash * 0x9E3779B97F4A7C15ull + key.glyph;
    hash = hash * 0x9E3779B97F4A7C15ull + static_cast<std::uint32_t>(key.sizeX);
    hash = hash * 0x9E3779B97F4A7C15ull + static_cast<std::uint32_t>(key.sizeY);
    hash = hash * 0x9E3779B97F4A7C15ull + (key.subpixelX | (key.mode << 8));
    return static_cast<std::size_t>(hash ^ (hash >> 29));
}

const RasterGlyph& GlyphCache::find(
    FontFace& face, std::uint32_t glyph, float pixelsX, float pixelsY, int subpixelX, RasterMode mode)
{
    Key key{face.id(), glyph, static_cast<std::int32_t>(std::lround(pixelsX * 64.0f)),
        static_cast<std::int32_t>(std::lround(pixelsY * 64.0f)), static_cast<std::uint8_t>(subpixelX),
        static_cast<std::uint8_t>(mode)};
    auto found = glyphs_.find(key);
    if (found != glyphs_.end())
        return found->second;

    // Rendered at the size the key holds, not the size asked for: sizes
    // that share a key must share pixels, or a drawing would depend on which
    // of them happened to be drawn first.
    RasterGlyph rendered;
    float keyedX = static_cast<float>(key.sizeX) / 64.0f;
    float keyedY = static_cast<float>(key.sizeY) / 64.0f;
    if (!face.render(glyph, keyedX, keyedY, subpixelX, mode, rendered))
        rendered = RasterGlyph{};
    std::size_t cost = rendered.coverage.size() + sizeof(RasterGlyph) + sizeof(Key);
    if (bytes_ + cost > byteBudget_) {
        glyphs_.clear();
        bytes_ = 0;
    }
    bytes_ += cost;
    return glyphs_.emplace(key, std::move(rendered)).first->second;
}

} // namespace engine::text
