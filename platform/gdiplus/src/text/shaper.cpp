#include "text/shaper.h"

#include "text/utf16.h"

#include <algorithm>

namespace engine::text {

namespace {

constexpr int Unresolved = -1;

// A stretch of text drawn with one face in one script.
struct Run {
    std::size_t start;
    std::size_t end;
    int face;
    hb_script_t script;
};

bool isMark(hb_unicode_funcs_t* unicode, char32_t character)
{
    switch (hb_unicode_general_category(unicode, character)) {
    case HB_UNICODE_GENERAL_CATEGORY_NON_SPACING_MARK:
    case HB_UNICODE_GENERAL_CATEGORY_SPACING_MARK:
    case HB_UNICODE_GENERAL_CATEGORY_ENCLOSING_MARK:
        return true;
    default:
        return false;
    }
}

// Neutral characters (spaces, punctuation, marks, controls) take the face and
// script of what precedes them, or of what follows at the start of the text,
// so that "你好，" stays one run instead of three.
template <typename Value> void resolveNeutrals(std::vector<Value>& values, Value unresolved, Value whenNone)
{
    auto firstResolved = std::find_if(values.begin(), values.end(), [&](Value v) { return v != unresolved; });
    Value previous = firstResolved == values.end() ? whenNone : *firstResolved;
    for (Value& value : values) {
        if (value == unresolved)
            value = previous;
        else
            previous = value;
    }
}

std::vector<Run> splitIntoRuns(std::u16string_view text, const std::shared_ptr<FontFace>& primary,
    const FallbackLookup& fallback, std::vector<std::shared_ptr<FontFace>>& faces)
{
    hb_unicode_funcs_t* unicode = hb_unicode_funcs_get_default();
    std::vector<std::size_t> starts;
    std::vector<int> faceOf;
    std::vector<hb_script_t> scriptOf;

    int previousFace = Unresolved;
    for (std::size_t index = 0; index < text.size();) {
        DecodedCodePoint decoded = decodeAt(text, index);
        char32_t character = decoded.value;
        int face = Unresolved;
        bool neutral = isInvisible(character) || isLineSeparator(character) ||
            (isMark(unicode, character) && previousFace != Unresolved && faces[previousFace]->hasCharacter(character));
        if (!neutral) {
            face = 0;
            if (!primary->hasCharacter(character) && fallback) {
                if (std::shared_ptr<FontFace> found = fallback(character)) {
                    auto known = std::find(faces.begin(), faces.end(), found);
                    face = static_cast<int>(known - faces.begin());
                    if (known == faces.end())
                        faces.push_back(std::move(found));
                }
            }
            previousFace = face;
        }
        hb_script_t script = hb_unicode_script(unicode, character);
        if (script == HB_SCRIPT_COMMON || script == HB_SCRIPT_INHERITED || script == HB_SCRIPT_UNKNOWN)
            script = HB_SCRIPT_INVALID;

        starts.push_back(index);
        faceOf.push_back(face);
        scriptOf.push_back(script);
        index += decoded.units;
    }
    resolveNeutrals(faceOf, Unresolved, 0);
    resolveNeutrals(scriptOf, HB_SCRIPT_INVALID, HB_SCRIPT_COMMON);

    std::vector<Run> runs;
    for (std::size_t point = 0; point < starts.size(); ++point) {
        if (!runs.empty() && runs.back().face == faceOf[point] && runs.back().script == scriptOf[point])
            continue;
        if (!runs.empty())
            runs.back().end = starts[point];
        runs.push_back({starts[point], text.size(), faceOf[point], scriptOf[point]});
    }
    return runs;
}

// Character facts of a cluster, from the text it covers.
void classify(std::u16string_view text, Cluster& cluster)
{
    bool allHanging = true;
    bool allInvisible = true;
    bool separator = false;
    for (std::size_t index = cluster.textStart; index < cluster.textEnd;) {
        DecodedCodePoint decoded = decodeAt(text, index);
        allHanging = allHanging && isHangingSpace(decoded.value);
        separator = separator || isLineSeparator(decoded.value);
        allInvisible = allInvisible && (isInvisible(decoded.value) || isLineSeparator(decoded.value));
        index += decoded.units;
    }
    cluster.hangingSpace = allHanging && !separator;
    cluster.lineSeparator = separator;
    cluster.invisible = allInvisible || separator;
}

// A tab advances by four spaces of the font: without tab stops the interface
// leaves its width open, and a glyph for it (usually the missing-glyph box)
// would be wrong.
float tabAdvance(const FontFace& face)
{
    hb_codepoint_t space = 0;
    if (!hb_font_get_nominal_glyph(face.shapingFont(), U' ', &space))
        return 1.0f;
    float advance = static_cast<float>(hb_font_get_glyph_h_advance(face.shapingFont(), space));
    return 4.0f * advance / static_cast<float>(face.metrics().unitsPerEm);
}

} // namespace

ShapedText shapeText(std::u16string_view text, const std::shared_ptr<FontFace>& primary, const FallbackLookup& fallback)
{
    ShapedText shaped;
    shaped.faces.push_back(primary);
    if (text.empty())
        return shaped;

    std::vector<Run> runs = splitIntoRuns(text, primary, fallback, shaped.faces);
    std::vector<BreakAfter> breaks = findBreakOpportunities(text);
    std::vector<std::uint16_t> units(text.begin(), text.end());

    hb_buffer_t* buffer = hb_buffer_create();
    for (const Run& run : runs) {
        const FontFace& face = *shaped.faces[static_cast<std::size_t>(run.face)];
        float perUnit = 1.0f / static_cast<float>(face.metrics().unitsPerEm);

        hb_buffer_clear_contents(buffer);
        // The whole text goes in, the run marked as the part to shape, so
        // that shaping sees the context on both sides of the run.
        hb_buffer_add_utf16(buffer, units.data(), static_cast<int>(units.size()), static_cast<unsigned>(run.start),
            static_cast<int>(run.end - run.start));
        hb_buffer_set_direction(buffer, HB_DIRECTION_LTR);
        hb_buffer_set_script(buffer, run.script);
        hb_buffer_set_language(buffer, hb_language_get_default());
        hb_buffer_set_cluster_level(buffer, HB_BUFFER_CLUSTER_LEVEL_MONOTONE_GRAPHEMES);
        hb_shape(face.shapingFont(), buffer, nullptr, 0);

        unsigned int count = 0;
        hb_glyph_info_t* infos = hb_buffer_get_glyph_infos(buffer, &count);
        hb_glyph_position_t* positions = hb_buffer_get_glyph_positions(buffer, &count);
        for (unsigned int first = 0; first < count;) {
            unsigned int end = first;
            while (end < count && infos[end].cluster == infos[first].cluster)
                ++end;
            Cluster cluster;
            cluster.textStart = infos[first].cluster;
            cluster.textEnd = end < count ? infos[end].cluster : static_cast<std::uint32_t>(run.end);
            cluster.glyphStart = static_cast<std::uint32_t>(shaped.glyphs.size());
            for (unsigned int glyph = first; glyph < end; ++glyph) {
                ShapedGlyph placed;
                placed.glyph = infos[glyph].codepoint;
                placed.face = static_cast<std::uint16_t>(run.face);
                placed.advance = static_cast<float>(positions[glyph].x_advance) * perUnit;
                placed.offsetX = static_cast<float>(positions[glyph].x_offset) * perUnit;
                placed.offsetY = static_cast<float>(positions[glyph].y_offset) * perUnit;
                shaped.glyphs.push_back(placed);
                cluster.advance += placed.advance;
            }
            cluster.glyphEnd = static_cast<std::uint32_t>(shaped.glyphs.size());
            cluster.breakAfter = breaks[cluster.textEnd - 1];
            classify(text, cluster);
            if (cluster.invisible)
                cluster.advance = 0;
            if (cluster.textEnd - cluster.textStart == 1 && text[cluster.textStart] == u'\t') {
                cluster.advance = tabAdvance(face);
                cluster.invisible = true;
            }
            shaped.clusters.push_back(cluster);
            first = end;
        }
    }
    hb_buffer_destroy(buffer);
    return shaped;
}

} // namespace engine::text
