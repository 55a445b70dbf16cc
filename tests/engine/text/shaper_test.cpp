#include "installed_fonts.h"

#include "text/font_cache.h"
#include "text/shaper.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace engine::text;
using text_test::regularFace;

std::shared_ptr<FontFace> fallbackOf(const FontFace& primary, char32_t character)
{
    return FontCache::instance().fallbackFor(primary, character);
}

// The clusters cover the text once, in order, and the glyphs once.
void expectCovers(const ShapedText& shaped, std::size_t textLength)
{
    std::uint32_t nextText = 0;
    std::uint32_t nextGlyph = 0;
    for (const Cluster& cluster : shaped.clusters) {
        EXPECT_EQ(cluster.textStart, nextText);
        EXPECT_GT(cluster.textEnd, cluster.textStart);
        EXPECT_EQ(cluster.glyphStart, nextGlyph);
        nextText = cluster.textEnd;
        nextGlyph = cluster.glyphEnd;
    }
    EXPECT_EQ(nextText, textLength);
    EXPECT_EQ(nextGlyph, shaped.glyphs.size());
}

TEST(Shaper, LatinInALatinFontUsesThatFontAlone)
{
    auto dejaVu = regularFace(u"DejaVu Sans");
    ASSERT_TRUE(dejaVu);
    const std::u16string text = u"Good morning, world";
    ShapedText shaped = shapeText(text, dejaVu, [&](char32_t c) { return fallbackOf(*dejaVu, c); });
    ASSERT_EQ(shaped.faces.size(), 1u);
    expectCovers(shaped, text.size());
    for (const ShapedGlyph& glyph : shaped.glyphs) {
        EXPECT_EQ(glyph.face, 0);
        EXPECT_NE(glyph.glyph, 0u) << "no character of this text is missing from DejaVu Sans";
    }
    // A Latin lower-case letter is narrower than an em, wider than nothing.
    EXPECT_GT(shaped.clusters[1].advance, 0.3f);
    EXPECT_LT(shaped.clusters[1].advance, 1.0f);
    // The only break opportunities are after the spaces.
    EXPECT_EQ(shaped.clusters[4].breakAfter, BreakAfter::Allowed);
    EXPECT_TRUE(shaped.clusters[4].hangingSpace);
    EXPECT_EQ(shaped.clusters[5].breakAfter, BreakAfter::None);
}

TEST(Shaper, CharactersAFontLacksComeFromAFallbackFont)
{
    auto dejaVu = regularFace(u"DejaVu Sans");
    ASSERT_TRUE(dejaVu);
    const std::u16string text = u"你好，世界 Hello";
    ShapedText shaped = shapeText(text, dejaVu, [&](char32_t c) { return fallbackOf(*dejaVu, c); });
    expectCovers(shaped, text.size());
    ASSERT_EQ(shaped.faces.size(), 2u);
    EXPECT_NE(shaped.faces[1]->descriptor().family.find("CJK"), std::string::npos)
        << shaped.faces[1]->descriptor().family;
    for (const ShapedGlyph& glyph : shaped.glyphs)
        EXPECT_NE(glyph.glyph, 0u) << "every character has a real glyph somewhere";
    // The Han characters and the full-width comma are one run in the CJK
    // face; "Hello" stays in DejaVu Sans.
    for (std::size_t cluster = 0; cluster < 5; ++cluster)
        EXPECT_EQ(shaped.glyphs[shaped.clusters[cluster].glyphStart].face, 1) << "cluster " << cluster;
    EXPECT_EQ(shaped.glyphs[shaped.clusters.back().glyphStart].face, 0);
    // Han characters are one em wide.
    EXPECT_NEAR(shaped.clusters[0].advance, 1.0f, 1e-3);
}

TEST(Shaper, WithoutFallbackMissingCharactersShowTheFontsOwnMissingGlyph)
{
    auto dejaVu = regularFace(u"DejaVu Sans");
    ASSERT_TRUE(dejaVu);
    ShapedText shaped = shapeText(u"你a", dejaVu, FallbackLookup{});
    ASSERT_EQ(shaped.faces.size(), 1u);
    ASSERT_EQ(shaped.glyphs.size(), 2u);
    EXPECT_EQ(shaped.glyphs[0].glyph, 0u);
    EXPECT_NE(shaped.glyphs[1].glyph, 0u);
}

TEST(Shaper, LineBreaksAndControlsTakeNoRoomAndDrawNothing)
{
    auto dejaVu = regularFace(u"DejaVu Sans");
    ASSERT_TRUE(dejaVu);
    const std::u16string text = u"a\r\nb\u200Bc\u0001";
    ShapedText shaped = shapeText(text, dejaVu, [&](char32_t c) { return fallbackOf(*dejaVu, c); });
    expectCovers(shaped, text.size());
    ASSERT_EQ(shaped.clusters.size(), 7u);
    for (std::size_t cluster : {1u, 2u}) {
        EXPECT_TRUE(shaped.clusters[cluster].lineSeparator);
        EXPECT_TRUE(shaped.clusters[cluster].invisible);
        EXPECT_EQ(shaped.clusters[cluster].advance, 0);
    }
    EXPECT_EQ(shaped.clusters[1].breakAfter, BreakAfter::None) << "CR before LF";
    EXPECT_EQ(shaped.clusters[2].breakAfter, BreakAfter::Mandatory);
    for (std::size_t cluster : {4u, 6u}) {
        EXPECT_TRUE(shaped.clusters[cluster].invisible) << "cluster " << cluster;
        EXPECT_EQ(shaped.clusters[cluster].advance, 0) << "cluster " << cluster;
    }
    EXPECT_EQ(shaped.faces.size(), 1u) << "invisible characters call for no fallback";
}

TEST(Shaper, ASurrogatePairIsOneCluster)
{
    auto dejaVu = regularFace(u"DejaVu Sans");
    ASSERT_TRUE(dejaVu);
    // U+1D400 MATHEMATICAL BOLD CAPITAL A, then an unpaired surrogate.
    const std::u16string text = u"a\U0001D400b\xD800";
    ShapedText shaped = shapeText(text, dejaVu, [&](char32_t c) { return fallbackOf(*dejaVu, c); });
    expectCovers(shaped, text.size());
    ASSERT_EQ(shaped.clusters.size(), 4u);
    EXPECT_EQ(shaped.clusters[1].textEnd - shaped.clusters[1].textStart, 2u);
}

TEST(Shaper, CachedShapingGivesTheSameResultOnce)
{
    auto dejaVu = regularFace(u"DejaVu Sans");
    ASSERT_TRUE(dejaVu);
    auto& cache = FontCache::instance();
    auto first = cache.shaped(u"cached text", dejaVu, true);
    auto second = cache.shaped(u"cached text", dejaVu, true);
    auto withoutFallback = cache.shaped(u"cached text", dejaVu, false);
    EXPECT_EQ(first, second);
    EXPECT_NE(first, withoutFallback);
}

} // namespace
