#pragma once

#include <QString>

#include <cstdint>

namespace quillory {

// Reads the whole number at the start of a text the way a user means it.
// Full-width digits (０-９), signs (＋, －) and the ideographic blank count as
// their ASCII forms; leading blanks and one sign are accepted, and the digits
// up to the first other character are read. Text without leading digits reads
// as 0. The number is read in 64 bits, saturating rather than wrapping, and
// then clamped to -2147483648 ... 2147483647, so no text can overflow.
std::int32_t ReadInteger(const QString& text);

// The text a whole-number box shows for `value`: decimal, except that 0 shows
// as empty text.
QString WholeNumberText(std::int32_t value);

} // namespace quillory
