#pragma once

// Clusters without a font: one per UTF-16 unit, every visible character one
// em wide, with the real break opportunities and character classes. Lets the
// line stages be checked with widths a reader can count.

#include "text/shaped_text.h"
#include "text/text_analysis.h"
#include "text/utf16.h"

#include <string>
#include <string_view>
#include <vector>

namespace text_test {

inline std::vector<engine::text::Cluster> oneEmClusters(std::u16string_view text)
{
    using namespace engine::text;
    std::vector<BreakAfter> breaks = findBreakOpportunities(text);
    std::vector<Cluster> clusters;
    for (std::uint32_t index = 0; index < text.size(); ++index) {
        Cluster cluster;
        cluster.textStart = index;
        cluster.textEnd = index + 1;
        cluster.glyphStart = index;
        cluster.glyphEnd = index + 1;
        cluster.breakAfter = breaks[index];
        cluster.hangingSpace = isHangingSpace(text[index]);
        cluster.lineSeparator = isLineSeparator(text[index]);
        cluster.invisible = cluster.lineSeparator || isInvisible(text[index]);
        cluster.advance = cluster.invisible ? 0.0f : 1.0f;
        clusters.push_back(cluster);
    }
    return clusters;
}

// The UTF-8 text of clusters [start, end), for readable failures.
inline std::string textOf(std::u16string_view text, const std::vector<engine::text::Cluster>& clusters,
    std::uint32_t start, std::uint32_t end)
{
    if (start == end)
        return {};
    std::size_t from = clusters[start].textStart;
    std::size_t to = clusters[end - 1].textEnd;
    return engine::text::toUtf8(text.substr(from, to - from));
}

} // namespace text_test
