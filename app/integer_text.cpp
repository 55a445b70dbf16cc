#include "integer_text.h"

#include <algorithm>
#include <limits>

namespace quillory {
namespace {

// Full-width forms U+FF01..U+FF5E sit at a fixed distance from ASCII; only the
// digits and the two signs matter here.
char16_t FoldFullWidth(char16_t character)
{
    constexpr char16_t kFullWidthOffset = 0xFEE0;
    if ((character >= u'０' && character <= u'９') || character == u'＋' || character == u'－') {
        return static_cast<char16_t>(character - kFullWidthOffset);
    }
    if (character == u'\u3000') {
        return u' ';
    }
    return character;
}

bool IsBlank(char16_t character)
{
    return character == u' ' || (character >= u'\t' && character <= u'\r');
}

} // namespace

std::int32_t ReadInteger(const QString& text)
{
    const qsizetype length = text.size();
    qsizetype position = 0;
    auto at = [&](qsizetype index) { return FoldFullWidth(text.at(index).unicode()); };

    while (position < length && IsBlank(at(position))) {
        ++position;
    }
    bool negative = false;
    if (position < length && (at(position) == u'+' || at(position) == u'-')) {
        negative = at(position) == u'-';
        ++position;
    }

    // The magnitude is gathered as a negative number so that the 64-bit minimum
    // itself is reachable without overflow.
    constexpr std::int64_t kMinimum = std::numeric_limits<std::int64_t>::min();
    std::int64_t negativeMagnitude = 0;
    for (; position < length; ++position) {
        const char16_t character = at(position);
        if (character < u'0' || character > u'9') {
            break;
        }
        const int digit = character - u'0';
        if (negativeMagnitude < (kMinimum + digit) / 10) {
            negativeMagnitude = kMinimum;
        } else {
            negativeMagnitude = negativeMagnitude * 10 - digit;
        }
    }

    std::int64_t value = negativeMagnitude;
    if (!negative) {
        value = negativeMagnitude == kMinimum ? std::numeric_limits<std::int64_t>::max() : -negativeMagnitude;
    }
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

QString WholeNumberText(std::int32_t value)
{
    return value == 0 ? QString() : QString::number(value);
}

} // namespace quillory
