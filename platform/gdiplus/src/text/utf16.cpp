#include "text/utf16.h"

namespace engine::text {

namespace {

bool isHighSurrogate(char16_t unit)
{
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool isLowSurrogate(char16_t unit)
{
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

void appendUtf8(std::string& out, char32_t value)
{
    if (value < 0x80) {
        out += static_cast<char>(value);
    } else if (value < 0x800) {
        out += static_cast<char>(0xC0 | (value >> 6));
        out += static_cast<char>(0x80 | (value & 0x3F));
    } else if (value < 0x10000) {
        out += static_cast<char>(0xE0 | (value >> 12));
        out += static_cast<char>(0x80 | ((value >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (value & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (value >> 18));
        out += static_cast<char>(0x80 | ((value >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((value >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (value & 0x3F));
    }
}

} // namespace

DecodedCodePoint decodeAt(std::u16string_view text, std::size_t index)
{
    char16_t unit = text[index];
    if (isHighSurrogate(unit)) {
        if (index + 1 < text.size() && isLowSurrogate(text[index + 1])) {
            char32_t value = 0x10000 + ((char32_t(unit) - 0xD800) << 10) + (char32_t(text[index + 1]) - 0xDC00);
            return {value, 2};
        }
        return {ReplacementCharacter, 1};
    }
    if (isLowSurrogate(unit))
        return {ReplacementCharacter, 1};
    return {unit, 1};
}

std::string toUtf8(std::u16string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t index = 0; index < text.size();) {
        DecodedCodePoint decoded = decodeAt(text, index);
        appendUtf8(out, decoded.value);
        index += decoded.units;
    }
    return out;
}

std::u16string fromUtf8(std::string_view text)
{
    std::u16string out;
    out.reserve(text.size());
    std::size_t index = 0;
    while (index < text.size()) {
        unsigned char lead = static_cast<unsigned char>(text[index]);
        std::size_t extra = lead < 0x80 ? 0 : lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
        char32_t value = extra == 0 ? lead : lead & (0x3F >> extra);
        bool valid = lead < 0x80 || extra > 0;
        for (std::size_t continuation = 1; valid && continuation <= extra; ++continuation) {
            if (index + continuation >= text.size() ||
                (static_cast<unsigned char>(text[index + continuation]) & 0xC0) != 0x80) {
                valid = false;
                extra = continuation - 1;
                break;
            }
            value = (value << 6) | (static_cast<unsigned char>(text[index + continuation]) & 0x3F);
        }
        index += extra + 1;
        if (!valid || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
            value = ReplacementCharacter;
        if (value >= 0x10000) {
            value -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (value >> 10));
            out += static_cast<char16_t>(0xDC00 + (value & 0x3FF));
        } else {
            out += static_cast<char16_t>(value);
        }
    }
    return out;
}

bool readString(const WCHAR* string, INT length, std::u16string& out)
{
    if (!string || length < -1)
        return false;
    std::size_t count = 0;
    if (length == -1) {
        while (string[count] != 0)
            ++count;
    } else {
        count = static_cast<std::size_t>(length);
    }
    // Copied unit by unit: the caller's units are uint16_t, and reading them
    // through a char16_t pointer would break the aliasing rules.
    out.assign(count, u'\0');
    for (std::size_t index = 0; index < count; ++index)
        out[index] = static_cast<char16_t>(string[index]);
    return true;
}

} // namespace engine::text
