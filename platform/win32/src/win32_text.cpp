// UTF-8 <-> UTF-16 conversion for the Windows text routines. Every code page
// this platform accepts is UTF-8, so the only work is transcoding, done the
// way current Windows does it: malformed input becomes U+FFFD (or fails when
// the caller asks for strictness), and the output buffer is never overrun.
#include "win32/win32.h"

#include <cstddef>
#include <cstdint>
#include <limits>

namespace {

constexpr char32_t ReplacementCharacter = 0xFFFD;

enum class CodePage { Unsupported, Utf8System, Utf8 };

CodePage classify(UINT codePage)
{
    switch (codePage) {
    case CP_ACP:
    case CP_OEMCP:
        return CodePage::Utf8System;
    case CP_UTF8:
        return CodePage::Utf8;
    default:
        return CodePage::Unsupported;
    }
}

// Decodes one code point starting at `text[index]` and advances `index`.
// An ill-formed sequence yields U+FFFD and consumes only its maximal subpart
// (the lead byte and the continuation bytes that were still acceptable), so the
// next call starts at the offending byte, as Unicode recommends; `valid` turns
// false. Bytes at or past `length` are never read.
char32_t decodeUtf8(const unsigned char* text, std::size_t length, std::size_t& index, bool& valid)
{
    const unsigned char lead = text[index++];
    if (lead < 0x80) {
        return lead;
    }
    int following = 0;
    unsigned char lower = 0x80;
    unsigned char upper = 0xBF;
    char32_t codePoint = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        following = 1;
        codePoint = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        following = 2;
        codePoint = lead & 0x0F;
        // E0 would allow overlong forms, ED would encode surrogates.
        if (lead == 0xE0) {
            lower = 0xA0;
        } else if (lead == 0xED) {
            upper = 0x9F;
        }
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        following = 3;
        codePoint = lead & 0x07;
        // F0 would allow overlong forms, F4 code points past U+10FFFF.
        if (lead == 0xF0) {
            lower = 0x90;
        } else if (lead == 0xF4) {
            upper = 0x8F;
        }
    } else {
        valid = false;
        return ReplacementCharacter;
    }
    for (int step = 0; step < following; ++step) {
        if (index >= length || text[index] < lower || text[index] > upper) {
            valid = false;
            return ReplacementCharacter;
        }
        codePoint = (codePoint << 6) | (text[index++] & 0x3F);
        lower = 0x80;
        upper = 0xBF;
    }
    return codePoint;
}

bool isHighSurrogate(char32_t unit)
{
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool isLowSurrogate(char32_t unit)
{
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// Collects output units into a caller's buffer of `room` units, or only counts
// them when there is no buffer. Once the buffer is full it stops writing and
// remembers the overflow, so the caller can answer 0 without ever writing past
// the end.
template <typename Unit> class Output {
public:
    Output(Unit* buffer, std::size_t room) : buffer_(buffer), room_(room) { }

    void put(Unit unit)
    {
        if (buffer_ != nullptr) {
            if (count_ >= room_) {
                overflowed_ = true;
                return;
            }
            buffer_[count_] = unit;
        }
        ++count_;
    }

    bool overflowed() const { return overflowed_; }
    std::size_t count() const { return count_; }

private:
    Unit* buffer_;
    std::size_t room_;
    std::size_t count_ = 0;
    bool overflowed_ = false;
};

// Windows answers a count that does not fit the int result with failure.
int countResult(std::size_t count)
{
    return count > static_cast<std::size_t>(std::numeric_limits<int>::max()) ? 0 : static_cast<int>(count);
}

} // namespace

extern "C" int MultiByteToWideChar(
    UINT codePage, DWORD flags, const char* text, int textBytes, WCHAR* wide, int wideUnits)
{
    const CodePage page = classify(codePage);
    const DWORD allowedFlags = page == CodePage::Utf8
        ? DWORD{MB_ERR_INVALID_CHARS}
        : DWORD{MB_PRECOMPOSED | MB_COMPOSITE | MB_USEGLYPHCHARS | MB_ERR_INVALID_CHARS};
    if (page == CodePage::Unsupported || (flags & ~allowedFlags) != 0 || text == nullptr || textBytes == 0 ||
        textBytes < -1 || wideUnits < 0 || (wide == nullptr && wideUnits > 0)) {
        return 0;
    }
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    std::size_t length = 0;
    if (textBytes == -1) {
        while (bytes[length] != 0) {
            ++length;
        }
        ++length; // the terminator is converted and counted too
    } else {
        length = static_cast<std::size_t>(textBytes);
    }

    Output<WCHAR> output(wideUnits == 0 ? nullptr : wide, static_cast<std::size_t>(wideUnits));
    std::size_t index = 0;
    while (index < length && !output.overflowed()) {
        bool valid = true;
        const char32_t codePoint = decodeUtf8(bytes, length, index, valid);
        if (!valid && (flags & MB_ERR_INVALID_CHARS) != 0) {
            return 0;
        }
        if (codePoint >= 0x10000) {
            const char32_t offset = codePoint - 0x10000;
            output.put(static_cast<WCHAR>(0xD800 + (offset >> 10)));
            output.put(static_cast<WCHAR>(0xDC00 + (offset & 0x3FF)));
        } else {
            output.put(static_cast<WCHAR>(codePoint));
        }
    }
    return output.overflowed() ? 0 : countResult(output.count());
}

extern "C" int WideCharToMultiByte(UINT codePage, DWORD flags, const WCHAR* wide, int wideUnits, char* text,
    int textBytes, const char* defaultChar, BOOL* usedDefaultChar)
{
    const CodePage page = classify(codePage);
    const DWORD allowedFlags = page == CodePage::Utf8
        ? DWORD{WC_ERR_INVALID_CHARS}
        : DWORD{WC_DISCARDNS | WC_SEPCHARS | WC_DEFAULTCHAR | WC_ERR_INVALID_CHARS | WC_COMPOSITECHECK |
              WC_NO_BEST_FIT_CHARS};
    // Windows refuses a default character for UTF-8: every character has a
    // UTF-8 form, so substitution could only hide malformed input.
    if (page == CodePage::Unsupported || (flags & ~allowedFlags) != 0 || wide == nullptr || wideUnits == 0 ||
        wideUnits < -1 || textBytes < 0 || (text == nullptr && textBytes > 0) ||
        (page == CodePage::Utf8 && (defaultChar != nullptr || usedDefaultChar != nullptr))) {
        return 0;
    }
    std::size_t length = 0;
    if (wideUnits == -1) {
        while (wide[length] != 0) {
            ++length;
        }
        ++length;
    } else {
        length = static_cast<std::size_t>(wideUnits);
    }

    Output<char> output(textBytes == 0 ? nullptr : text, static_cast<std::size_t>(textBytes));
    bool substituted = false;
    for (std::size_t index = 0; index < length && !output.overflowed(); ++index) {
        char32_t codePoint = wide[index];
        if (isHighSurrogate(codePoint) && index + 1 < length && isLowSurrogate(wide[index + 1])) {
            codePoint = 0x10000 + ((codePoint - 0xD800) << 10) + (wide[index + 1] - 0xDC00);
            ++index;
        } else if (isHighSurrogate(codePoint) || isLowSurrogate(codePoint)) {
            if ((flags & WC_ERR_INVALID_CHARS) != 0) {
                return 0;
            }
            substituted = true;
            if (defaultChar != nullptr) {
                output.put(*defaultChar);
                continue;
            }
            codePoint = ReplacementCharacter;
        }
        if (codePoint < 0x80) {
            output.put(static_cast<char>(codePoint));
        } else if (codePoint < 0x800) {
            output.put(static_cast<char>(0xC0 | (codePoint >> 6)));
            output.put(static_cast<char>(0x80 | (codePoint & 0x3F)));
        } else if (codePoint < 0x10000) {
            output.put(static_cast<char>(0xE0 | (codePoint >> 12)));
            output.put(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
            output.put(static_cast<char>(0x80 | (codePoint & 0x3F)));
        } else {
            output.put(static_cast<char>(0xF0 | (codePoint >> 18)));
            output.put(static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F)));
            output.put(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
            output.put(static_cast<char>(0x80 | (codePoint & 0x3F)));
        }
    }
    if (output.overflowed()) {
        return 0;
    }
    if (usedDefaultChar != nullptr) {
        *usedDefaultChar = substituted ? 1 : 0;
    }
    return countResult(output.count());
}

extern "C" int lstrlenW(const WCHAR* text)
{
    if (text == nullptr) {
        return 0;
    }
    std::size_t length = 0;
    while (text[length] != 0) {
        ++length;
    }
    return countResult(length);
}
