#pragma once

// UTF-16 as the interface passes text: 16-bit units, native byte order, not
// necessarily well formed. Callers' text can hold unpaired surrogates; they are
// read as U+FFFD, never as a reason to fail.

#include <gdiplus/flat_types.h>

#include <cstddef>
#include <string>
#include <string_view>

namespace engine::text {

// The replacement a malformed unit is read as.
inline constexpr char32_t ReplacementCharacter = 0xFFFD;

// One code point and the number of units (1 or 2) it occupies.
struct DecodedCodePoint {
    char32_t value;
    std::size_t units;
};

// Decodes the code point starting at `index` (which must be < text.size()).
DecodedCodePoint decodeAt(std::u16string_view text, std::size_t index);

// UTF-8 for fontconfig, which speaks nothing else.
std::string toUtf8(std::u16string_view text);

// UTF-16 for names handed back to callers.
std::u16string fromUtf8(std::string_view text);

// Copies the caller's string: `length` units, or up to the first NUL when
// `length` is -1. False, leaving `out` alone, when the arguments cannot
// describe a string (a null pointer, a length below -1).
bool readString(const WCHAR* string, INT length, std::u16string& out);

} // namespace engine::text
