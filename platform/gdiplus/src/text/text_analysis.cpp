#include "text/text_analysis.h"

#include <linebreak.h>

#include <mutex>

namespace engine::text {

std::vector<BreakAfter> findBreakOpportunities(std::u16string_view text)
{
    std::vector<BreakAfter> result(text.size(), BreakAfter::None);
    if (text.empty())
        return result;

    // The breaker keeps lookup tables it builds once per process.
    static std::once_flag initialised;
    std::call_once(initialised, [] { init_linebreak(); });

    std::vector<char> breaks(text.size());
    static_assert(sizeof(utf16_t) == sizeof(char16_t));
    std::vector<utf16_t> units(text.begin(), text.end());
    set_linebreaks_utf16(units.data(), units.size(), nullptr, breaks.data());

    for (std::size_t index = 0; index < text.size(); ++index) {
        switch (breaks[index]) {
        case LINEBREAK_MUSTBREAK:
            result[index] = BreakAfter::Mandatory;
            break;
        case LINEBREAK_ALLOWBREAK:
            result[index] = BreakAfter::Allowed;
            break;
        default:
            result[index] = BreakAfter::None;
            break;
        }
    }
    // The breaker reports the end of the text as a mandatory break whatever
    // the last character is; only a real line-break character means one there.
    char16_t last = text.back();
    if (!isLineSeparator(last))
        result.back() = BreakAfter::None;
    return result;
}

bool isLineSeparator(char32_t character)
{
    return (character >= 0x0A && character <= 0x0D) || character == 0x85 || character == 0x2028 || character == 0x2029;
}

bool isHangingSpace(char32_t character)
{
    switch (character) {
    case 0x0009:
    case 0x0020:
    case 0x1680:
    case 0x205F:
    case 0x3000:
        return true;
    default:
        // En quad to hair space; the figure space (U+2007) does not break.
        return character >= 0x2000 && character <= 0x200A && character != 0x2007;
    }
}

bool isInvisible(char32_t character)
{
    if (character == 0x09 || isLineSeparator(character))
        return false;
    if (character < 0x20 || (character >= 0x7F && character < 0xA0))
        return true;
    switch (character) {
    case 0x00AD: // soft hyphen: shown only where a line breaks at it
    case 0x200B: // zero width space
    case 0x200C: // zero width non-joiner
    case 0x200D: // zero width joiner
    case 0x200E: // left-to-right mark
    case 0x200F: // right-to-left mark
    case 0x2060: // word joiner
    case 0xFEFF: // zero width no-break space
        return true;
    default:
        return (character >= 0x202A && character <= 0x202E) || (character >= 0x2066 && character <= 0x2069) ||
            (character >= 0xFE00 && character <= 0xFE0F);
    }
}

} // namespace engine::text
