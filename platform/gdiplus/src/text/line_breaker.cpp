#include "text/line_breaker.h"

namespace engine::text {

namespace {

// Rounding in the sums of advances must not push a line that fits exactly
// onto two lines.
constexpr float Tolerance = 1e-4f;

BrokenLine measure(std::span<const Cluster> clusters, std::uint32_t start, std::uint32_t end)
{
    BrokenLine line;
    line.clusterStart = start;
    line.clusterEnd = end;
    float width = 0;
    float widthToLastVisible = 0;
    for (std::uint32_t index = start; index < end; ++index) {
        const Cluster& cluster = clusters[index];
        if (cluster.lineSeparator)
            continue;
        width += cluster.advance;
        if (!cluster.hangingSpace)
            widthToLastVisible = width;
    }
    line.visibleWidth = widthToLastVisible;
    line.trailingWidth = width - widthToLastVisible;
    return line;
}

} // namespace

std::vector<BrokenLine> breakLines(std::span<const Cluster> clusters, float room)
{
    std::vector<BrokenLine> lines;
    const auto count = static_cast<std::uint32_t>(clusters.size());
    std::uint32_t start = 0;
    while (start < count) {
        float width = 0;
        std::uint32_t end = start;             // exclusive end of the line being built
        std::uint32_t lastOpportunity = start; // a break may follow clusters before this
        bool explicitBreak = false;
        for (std::uint32_t index = start; index < count; ++index) {
            const Cluster& cluster = clusters[index];
            bool overflows = !cluster.hangingSpace && !cluster.lineSeparator && index > start &&
                width + cluster.advance > room + Tolerance;
            if (overflows) {
                // Back to the last opportunity; a word alone on the line that
                // does not fit is cut before the cluster that overflows.
                end = lastOpportunity > start ? lastOpportunity : index;
                break;
            }
            width += cluster.advance;
            end = index + 1;
            if (cluster.breakAfter == BreakAfter::Mandatory) {
                explicitBreak = true;
                break;
            }
            if (cluster.breakAfter == BreakAfter::Allowed)
                lastOpportunity = index + 1;
        }
        // Spaces after the cut hang at the end of this line rather than
        // starting the next one.
        if (!explicitBreak) {
            while (end < count && clusters[end].hangingSpace) {
                bool mandatory = clusters[end].breakAfter == BreakAfter::Mandatory;
                ++end;
                if (mandatory)
                    break;
            }
            while (end < count && clusters[end].lineSeparator) {
                bool mandatory = clusters[end].breakAfter == BreakAfter::Mandatory;
                ++end;
                explicitBreak = true;
                if (mandatory)
                    break;
            }
        }
        lines.push_back(measure(clusters, start, end));
        start = end;
        if (explicitBreak && start == count)
            lines.push_back(measure(clusters, start, start));
    }
    return lines;
}

} // namespace engine::text
