#include "text/text_renderer.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace engine::text {

namespace {

// Far enough out to mean "no limit" for any target while leaving room for
// the blender's own arithmetic.
constexpr int Far = std::numeric_limits<int>::max() / 4;

// Rounds a device coordinate, clamped to where pixel arithmetic stays in
// range: a caller's layout may lie anywhere a float reaches.
int roundToPixel(double value)
{
    if (std::isnan(value))
        return 0;
    return static_cast<int>(std::lround(std::clamp(value, double(-Far), double(Far))));
}

// Draws a horizontal stroke of `thickness` device pixels (at least one)
// whose centre is `centre` below the baseline, under a line's visible text.
// Drawn in tiles of one small mask, so a very long line needs no mask as
// wide as itself.
void drawStroke(Graphics& graphics, const PlacedLine& line, float emSize, float centre, float thickness,
    const Graphics::Affine& mapping, int baseline, ARGB color, const DeviceBox& limit)
{
    if (line.line.visibleWidth <= 0)
        return;
    int left = std::max(limit.left, roundToPixel(mapping.m11 * line.x + mapping.dx));
    int right =
        std::min(limit.right, roundToPixel(mapping.m11 * (line.x + line.line.visibleWidth * emSize) + mapping.dx));
    int height = std::max(1, roundToPixel(thickness));
    int top = baseline + roundToPixel(centre - static_cast<float>(height) / 2);
    constexpr int tile = 256;
    std::vector<std::uint8_t> solid(static_cast<std::size_t>(tile) * height, 255);
    for (int x = left; x < right; x += tile) {
        CoverageMask mask{solid.data(), tile, std::min(tile, right - x), height};
        graphics.blendCoverage(mask, x, top, color, limit);
    }
}

} // namespace

bool isDrawableMapping(const Graphics::Affine& mapping)
{
    bool finite = std::isfinite(mapping.m11) && std::isfinite(mapping.m22) && std::isfinite(mapping.dx) &&
        std::isfinite(mapping.dy);
    return finite && mapping.m12 == 0 && mapping.m21 == 0 && mapping.m11 > 0 && mapping.m22 > 0;
}

std::vector<DeviceGlyph> placeGlyphs(const TextLayout& layout, const Graphics::Affine& mapping)
{
    std::vector<DeviceGlyph> placed;
    const ShapedText& shaped = *layout.shaped;
    const float em = layout.metrics.emSize;
    const float deviceEmY = em * mapping.m22;
    for (const PlacedLine& line : layout.placement.lines) {
        int baseline = roundToPixel(mapping.m22 * line.baseline + mapping.dy);
        float pen = line.x;
        for (std::uint32_t index = line.line.clusterStart; index < line.line.clusterEnd; ++index) {
            const Cluster& cluster = shaped.clusters[index];
            if (!cluster.invisible) {
                float glyphPen = pen;
                for (std::uint32_t glyph = cluster.glyphStart; glyph < cluster.glyphEnd; ++glyph) {
                    const ShapedGlyph& shapedGlyph = shaped.glyphs[glyph];
                    float deviceX = mapping.m11 * (glyphPen + shapedGlyph.offsetX * em) + mapping.dx;
                    long long quarters =
                        std::llround(std::clamp(static_cast<double>(deviceX), -double(Far), double(Far)) * 4.0);
                    DeviceGlyph device;
                    device.face = shapedGlyph.face;
                    device.glyph = shapedGlyph.glyph;
                    // Floor division, so pens left of the origin round the same way.
                    device.penX = static_cast<int>(quarters >= 0 ? quarters / 4 : -((-quarters + 3) / 4));
                    device.subpixelX = static_cast<int>(quarters - 4LL * device.penX);
                    device.baseline = baseline - roundToPixel(shapedGlyph.offsetY * deviceEmY);
                    placed.push_back(device);
                    glyphPen += shapedGlyph.advance * em;
                }
            }
            pen += cluster.advance * em;
        }
    }
    return placed;
}

DeviceBox clipBoxOf(const GpRectF& layout, const LayoutFormat& format, const Graphics::Affine& mapping)
{
    DeviceBox box{-Far, -Far, Far, Far};
    if (format.has(NoClip))
        return box;
    if (layout.Width > 0) {
        box.left = roundToPixel(mapping.m11 * layout.X + mapping.dx);
        box.right = roundToPixel(mapping.m11 * (layout.X + layout.Width) + mapping.dx);
    }
    if (layout.Height > 0) {
        box.top = roundToPixel(mapping.m22 * layout.Y + mapping.dy);
        box.bottom = roundToPixel(mapping.m22 * (layout.Y + layout.Height) + mapping.dy);
    }
    return box;
}

RasterMode rasterModeFor(INT textRenderingHint)
{
    switch (textRenderingHint) {
    case 1: // single bit per pixel, grid fitted
    case 2: // single bit per pixel
        return RasterMode::Monochrome;
    default: // system default, antialiased, ClearType (drawn grey)
        return RasterMode::Smooth;
    }
}

GpStatus drawTextLayout(Graphics& graphics, const TextLayout& layout, const GpRectF& layoutRect,
    const LayoutFormat& format, INT fontStyle, ARGB color, GlyphCache& glyphs)
{
    Graphics::Affine mapping = graphics.worldToDevice();
    if (!isDrawableMapping(mapping))
        return NotImplemented;
    float deviceEmX = layout.metrics.emSize * mapping.m11;
    float deviceEmY = layout.metrics.emSize * mapping.m22;
    if (!(deviceEmX <= MaximumDeviceEm && deviceEmY <= MaximumDeviceEm))
        return ValueOverflow;
    if ((color >> 24) == 0 || layout.placement.lines.empty())
        return Ok;

    const ShapedText& shaped = *layout.shaped;
    DeviceBox limit = clipBoxOf(layoutRect, format, mapping);
    RasterMode mode = rasterModeFor(graphics.textRenderingHint());

    for (const DeviceGlyph& device : placeGlyphs(layout, mapping)) {
        FontFace& face = *shaped.faces[device.face];
        const RasterGlyph& raster = glyphs.find(face, device.glyph, deviceEmX, deviceEmY, device.subpixelX, mode);
        if (raster.width == 0 || raster.height == 0)
            continue;
        CoverageMask mask{raster.coverage.data(), raster.width, raster.width, raster.height};
        graphics.blendCoverage(mask, device.penX + raster.left, device.baseline - raster.top, color, limit);
    }

    if (fontStyle & (StyleUnderline | StyleStrikeout)) {
        const DesignMetrics& design = shaped.faces[0]->metrics();
        float perUnit = deviceEmY / static_cast<float>(design.unitsPerEm);
        for (const PlacedLine& line : layout.placement.lines) {
            int baseline = roundToPixel(mapping.m22 * line.baseline + mapping.dy);
            if (fontStyle & StyleUnderline) {
                float thickness = static_cast<float>(design.underlineThickness) * perUnit;
                float centre = -static_cast<float>(design.underlinePosition) * perUnit + thickness / 2;
                drawStroke(graphics, line, layout.metrics.emSize, centre, thickness, mapping, baseline, color, limit);
            }
            if (fontStyle & StyleStrikeout) {
                float thickness = static_cast<float>(design.strikeoutThickness) * perUnit;
                float centre = -static_cast<float>(design.strikeoutPosition) * perUnit + thickness / 2;
                drawStroke(graphics, line, layout.metrics.emSize, centre, thickness, mapping, baseline, color, limit);
            }
        }
    }
    return Ok;
}

} // namespace engine::text
