#pragma once

// One loaded face: the font file mapped once; HarfBuzz shapes with it and
// reads its glyph outlines, which FreeType's rasterizer turns into coverage.
// FreeType never loads the face itself: for a large CJK collection that costs
// several milliseconds per process, where HarfBuzz reads tables on demand.

#include "text/face_descriptor.h"
#include "text/freetype_library.h"

#include <cstdint>
#include <memory>
#include <vector>

#include <hb.h>

namespace engine::text {

// Vertical metrics in font design units, as the interface defines a family's
// cell: ascent and descent of the cell, and the distance between baselines.
struct DesignMetrics {
    int unitsPerEm = 0;
    int cellAscent = 0;
    int cellDescent = 0;
    int lineSpacing = 0;
    int underlinePosition = 0; // top of the stroke, below the baseline when negative
    int underlineThickness = 0;
    int strikeoutPosition = 0; // top of the stroke, above the baseline
    int strikeoutThickness = 0;
};

// How glyphs become coverage. Outlines are not hinted: positions and sizes
// stay exactly those the layout measured, at every size.
enum class RasterMode : std::uint8_t {
    Smooth,     // 8-bit antialiased
    Monochrome, // 1-bit, expanded to 0 or 255
};

// A glyph as coverage, placed relative to its pen position: the top-left
// pixel is `left` pixels right of the pen and `top` pixels above the baseline.
struct RasterGlyph {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> coverage; // width * height, rows top-down
};

class FontFace {
public:
    // Loads the face `descriptor` names, to be known by `id`; null when the
    // file cannot be read or is not a scalable font. The face keeps `library`
    // alive as long as it lives.
    static std::shared_ptr<FontFace> load(
        std::shared_ptr<FreeTypeLibrary> library, const FaceDescriptor& descriptor, std::uint32_t id);

    ~FontFace();
    FontFace(const FontFace&) = delete;
    FontFace& operator=(const FontFace&) = delete;

    // Distinct for every face its cache has loaded; keys the caches.
    std::uint32_t id() const { return id_; }
    const FaceDescriptor& descriptor() const { return descriptor_; }
    const DesignMetrics& metrics() const { return metrics_; }

    bool hasCharacter(char32_t character) const;

    // The shaping font, scaled so that positions come out in design units.
    hb_font_t* shapingFont() const { return shapingFont_; }

    // Renders `glyph` at `pixelsX` by `pixelsY` pixels per em, its pen moved
    // right by `subpixelX` quarters of a pixel. A glyph without an outline
    // (a space) comes out empty. False when the outline cannot be rasterized;
    // `out` is then unspecified.
    bool render(std::uint32_t glyph, float pixelsX, float pixelsY, int subpixelX, RasterMode mode, RasterGlyph& out);

private:
    FontFace() = default;

    std::shared_ptr<FreeTypeLibrary> library_;
    std::uint32_t id_ = 0;
    FaceDescriptor descriptor_;
    DesignMetrics metrics_;
    hb_blob_t* blob_ = nullptr;
    hb_face_t* shapingFace_ = nullptr;
    hb_font_t* shapingFont_ = nullptr;
};

} // namespace engine::text
