#pragma once

// What the layout needs to know about characters before any font is involved:
// where a line may or must end (UAX #14), which characters hang at a line's
// end, and which are never drawn.

#include <cstdint>
#include <string_view>
#include <vector>

namespace engine::text {

// What may follow a UTF-16 unit.
enum class BreakAfter : std::uint8_t {
    None,      // the line continues (also inside a surrogate pair)
    Allowed,   // a line may end after this unit
    Mandatory, // a line ends after this unit (an explicit line break)
};

// One entry per unit of `text`. The end of the text is not reported as a
// mandatory break: only explicit line-break characters are.
std::vector<BreakAfter> findBreakOpportunities(std::u16string_view text);

// Characters that end a line by themselves: LF, VT, FF, CR, NEL, LS, PS.
// They take no room and are not drawn.
bool isLineSeparator(char32_t character);

// Breaking spaces: at the end of a line they hang past the layout width and
// count in its width only when trailing spaces are measured. Non-breaking
// spaces are not among them; they behave as letters.
bool isHangingSpace(char32_t character);

// Control and format characters (other than tab and the line separators) that
// take no room, draw nothing and never call for a fallback font.
bool isInvisible(char32_t character);

} // namespace engine::text
