#include "installed_fonts.h"

#include "text/text_layout.h"
#include "text/text_renderer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using namespace engine::text;
using Affine = engine::Graphics::Affine;
using text_test::regularFace;

TEST(TextRenderer, DrawsUnderTranslationAndPositiveScaleOnly)
{
    struct Row {
        const char* why;
        Affine mapping;
        bool drawable;
    };
    const float infinity = std::numeric_limits<float>::infinity();
    const Row rows[] = {
        {"identity", {1, 0, 0, 1, 0, 0}, true},
        {"translation", {1, 0, 0, 1, 12.5f, -3}, true},
        {"uneven scale", {2, 0, 0, 0.5f, 0, 0}, true},
        {"rotation", {0, 1, -1, 0, 0, 0}, false},
        {"shear", {1, 0, 0.5f, 1, 0, 0}, false},
        {"mirror", {-1, 0, 0, 1, 0, 0}, false},
        {"flattened", {1, 0, 0, 0, 0, 0}, false},
        {"an infinite offset", {1, 0, 0, 1, infinity, 0}, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        EXPECT_EQ(isDrawableMapping(row.mapping), row.drawable);
    }
}

TEST(TextRenderer, ClipsToTheLayoutRectangleOnTheAxesItHas)
{
    struct Row {
        const char* why;
        GpRectF layout;
        INT flags;
        Affine mapping;
        engine::DeviceBox box;
    };
    constexpr int far = std::numeric_limits<int>::max() / 4;
    const Row rows[] = {
        {"a rectangle", {115, 32, 115, 320}, 0, {}, {115, 32, 230, 352}},
        {"mapped to the device", {10, 10, 20, 20}, 0, {2, 0, 0, 2, 5, 0}, {25, 20, 65, 60}},
        {"no width: no limit across", {10, 10, 0, 20}, 0, {}, {-far, 10, far, 30}},
        {"no height: no limit down", {10, 10, 20, 0}, 0, {}, {10, -far, 30, far}},
        {"NoClip: no limit", {10, 10, 20, 20}, NoClip, {}, {-far, -far, far, far}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        LayoutFormat format;
        format.flags = row.flags;
        engine::DeviceBox box = clipBoxOf(row.layout, format, row.mapping);
        EXPECT_EQ(box.left, row.box.left);
        EXPECT_EQ(box.top, row.box.top);
        EXPECT_EQ(box.right, row.box.right);
        EXPECT_EQ(box.bottom, row.box.bottom);
    }
}

TEST(TextRenderer, SnapsBaselinesToPixelsAndPensToQuarterPixels)
{
    auto face = regularFace(u"DejaVu Sans");
    ASSERT_TRUE(face);
    LayoutFormat format;
    TextLayout layout = layOutText(FontCache::instance(), face, 20.0f, u"Hi there", {0.3f, 10.4f, 0, 0}, format);
    auto glyphs = placeGlyphs(layout, Affine{});
    ASSERT_EQ(glyphs.size(), 8u);
    const float baseline = layout.placement.lines[0].baseline;
    for (const DeviceGlyph& glyph : glyphs) {
        EXPECT_EQ(glyph.baseline, static_cast<int>(std::lround(baseline)));
        EXPECT_GE(glyph.subpixelX, 0);
        EXPECT_LT(glyph.subpixelX, 4);
    }
    // The first pen is the line's start, to the nearest quarter pixel.
    float start = layout.placement.lines[0].x;
    EXPECT_NEAR(glyphs[0].penX + glyphs[0].subpixelX / 4.0f, start, 0.125f);
    // Pens only move right.
    for (std::size_t index = 1; index < glyphs.size(); ++index)
        EXPECT_GT(
            glyphs[index].penX * 4 + glyphs[index].subpixelX, glyphs[index - 1].penX * 4 + glyphs[index - 1].subpixelX);

    // Translated by whole pixels, every glyph moves by exactly that.
    auto moved = placeGlyphs(layout, Affine{1, 0, 0, 1, 7, -3});
    ASSERT_EQ(moved.size(), glyphs.size());
    for (std::size_t index = 0; index < glyphs.size(); ++index) {
        EXPECT_EQ(moved[index].penX, glyphs[index].penX + 7);
        EXPECT_EQ(moved[index].subpixelX, glyphs[index].subpixelX);
        EXPECT_EQ(moved[index].baseline, glyphs[index].baseline - 3);
    }
}

TEST(TextRenderer, ScalingMovesPensAndBaselinesWithIt)
{
    auto face = regularFace(u"DejaVu Sans");
    ASSERT_TRUE(face);
    LayoutFormat format;
    TextLayout layout = layOutText(FontCache::instance(), face, 10.0f, u"Scale", {4, 6, 0, 0}, format);
    auto single = placeGlyphs(layout, Affine{});
    auto doubled = placeGlyphs(layout, Affine{2, 0, 0, 3, 0, 0});
    ASSERT_EQ(single.size(), doubled.size());
    for (std::size_t index = 0; index < single.size(); ++index) {
        float singleX = single[index].penX + single[index].subpixelX / 4.0f;
        float doubledX = doubled[index].penX + doubled[index].subpixelX / 4.0f;
        EXPECT_NEAR(doubledX, 2 * singleX, 0.5f);
        EXPECT_NEAR(doubled[index].baseline, 3 * layout.placement.lines[0].baseline, 0.5f);
    }
}

TEST(TextRenderer, GlyphsSharingACacheEntryShareTheirPixels)
{
    auto face = regularFace(u"DejaVu Sans");
    ASSERT_TRUE(face);
    // Both sizes round to the same 1/64 pixel; whichever is drawn first,
    // the other must get identical coverage.
    GlyphCache first(1 << 20);
    GlyphCache second(1 << 20);
    hb_codepoint_t glyph = 0;
    ASSERT_TRUE(hb_font_get_nominal_glyph(face->shapingFont(), U'g', &glyph));
    RasterGlyph a = first.find(*face, glyph, 19.868f, 19.868f, 1, RasterMode::Smooth);
    RasterGlyph b = second.find(*face, glyph, 19.882f, 19.882f, 1, RasterMode::Smooth);
    ASSERT_GT(a.width, 0);
    EXPECT_EQ(a.left, b.left);
    EXPECT_EQ(a.top, b.top);
    EXPECT_EQ(a.coverage, b.coverage);
    EXPECT_EQ(&first.find(*face, glyph, 19.882f, 19.882f, 1, RasterMode::Smooth).coverage,
        &first.find(*face, glyph, 19.868f, 19.868f, 1, RasterMode::Smooth).coverage)
        << "found, not rendered again";
}

TEST(TextRenderer, PensLeftOfTheOriginRoundDownwards)
{
    auto face = regularFace(u"DejaVu Sans");
    ASSERT_TRUE(face);
    LayoutFormat format;
    format.typographic = true;
    TextLayout layout = layOutText(FontCache::instance(), face, 20.0f, u"a", {-2.25f, 0, 0, 0}, format);
    auto glyphs = placeGlyphs(layout, Affine{});
    ASSERT_EQ(glyphs.size(), 1u);
    EXPECT_EQ(glyphs[0].penX, -3);
    EXPECT_EQ(glyphs[0].subpixelX, 3);
}

} // namespace
