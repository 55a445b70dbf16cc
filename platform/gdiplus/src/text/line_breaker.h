#pragma once

// The "break lines" stage: cuts a shaped text into lines no wider than the
// room given. Lines end at explicit line breaks and, when a line is full, at
// the last break opportunity on it (between words for Latin text, between
// characters for CJK); a word wider than a whole line is cut between
// clusters. Breaking spaces at a line's end hang: they never push a word
// onto the next line.

#include "text/shaped_text.h"

#include <cstdint>
#include <limits>
#include <span>
#include <vector>

namespace engine::text {

struct BrokenLine {
    std::uint32_t clusterStart = 0; // clusters [clusterStart, clusterEnd), with the
    std::uint32_t clusterEnd = 0;   // trailing spaces and the line break character
    float visibleWidth = 0;         // ems, without the trailing spaces
    float trailingWidth = 0;        // ems of the trailing breaking spaces
};

inline constexpr float Unlimited = std::numeric_limits<float>::infinity();

// Breaks `clusters` into lines of at most `room` ems (Unlimited for none).
// Every line holds at least one cluster unless it is empty between two line
// breaks; a text ending in a line break ends with an empty line. An empty
// text has no lines.
std::vector<BrokenLine> breakLines(std::span<const Cluster> clusters, float room);

} // namespace engine::text
