#include "guarded_buffer.h"

#include "win32/win32.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace {

using Units = std::vector<WCHAR>;

Units unitsOf(std::u16string_view text)
{
    return Units(text.begin(), text.end());
}

// Converts with the two-call pattern the library uses: ask for the count, then
// convert into a buffer of exactly that size.
Units toWide(UINT codePage, std::string_view bytes)
{
    const int needed = MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    Units wide(static_cast<std::size_t>(needed));
    const int written = MultiByteToWideChar(
        codePage, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(), static_cast<int>(wide.size()));
    EXPECT_EQ(written, needed);
    return wide;
}

std::string toNarrow(UINT codePage, const Units& wide)
{
    const int needed =
        WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(needed), '\0');
    const int written = WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), text.data(),
        static_cast<int>(text.size()), nullptr, nullptr);
    EXPECT_EQ(written, needed);
    return text;
}

struct TextPair {
    const char* name;
    std::string utf8;
    std::u16string utf16;
};

const TextPair WellFormedTexts[] = {
    {"ascii", "Chat 42", u"Chat 42"},
    {"latin", "caf\xC3\xA9", u"caf\u00E9"},
    {"cjk", "\xE4\xB8\xAD\xE6\x96\x87\xE5\xAD\x97\xE4\xBD\x93", u"\u4E2D\u6587\u5B57\u4F53"},
    {"emoji_needs_a_surrogate_pair", "\xF0\x9F\x98\x80", u"\xD83D\xDE00"},
    {"mixed", "a\xE4\xB8\xAD\xF0\x9F\x98\x80z", u"a\u4E2D\xD83D\xDE00z"},
    {"highest_code_point", "\xF4\x8F\xBF\xBF", u"\xDBFF\xDFFF"},
    {"embedded_nul_counts_with_an_explicit_length", std::string("a\0b", 3), std::u16string(u"a\0b", 3)},
};

TEST(Win32Text, WellFormedTextConvertsBothWaysInEveryUtf8CodePage)
{
    for (const UINT codePage : {CP_ACP, CP_OEMCP, CP_UTF8}) {
        for (const TextPair& pair : WellFormedTexts) {
            SCOPED_TRACE(std::string(pair.name) + " in code page " + std::to_string(codePage));
            EXPECT_EQ(toWide(codePage, pair.utf8), unitsOf(pair.utf16));
            EXPECT_EQ(toNarrow(codePage, unitsOf(pair.utf16)), pair.utf8);
        }
    }
}

TEST(Win32Text, MinusOneLengthConvertsAndCountsTheTerminator)
{
    const char* text = "\xE4\xB8\xAD!";
    ASSERT_EQ(MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0), 3);
    WCHAR wide[3] = {1, 1, 1};
    ASSERT_EQ(MultiByteToWideChar(CP_ACP, 0, text, -1, wide, 3), 3);
    EXPECT_EQ(Units(wide, wide + 3), (Units{0x4E2D, '!', 0}));

    ASSERT_EQ(WideCharToMultiByte(CP_OEMCP, 0, wide, -1, nullptr, 0, nullptr, nullptr), 5);
    char narrow[5] = {1, 1, 1, 1, 1};
    ASSERT_EQ(WideCharToMultiByte(CP_OEMCP, 0, wide, -1, narrow, 5, nullptr, nullptr), 5);
    EXPECT_EQ(std::string(narrow, 5), std::string("\xE4\xB8\xAD!\0", 5));
}

struct MalformedCase {
    const char* name;
    std::string bytes;
    std::u16string expected;
};

// One U+FFFD per maximal ill-formed subsequence: a lead byte and the
// continuation bytes it could still accept, and every other stray byte alone.
const MalformedCase MalformedTexts[] = {
    {"length_stops_after_the_lead_byte", "\xE2", u"\xFFFD"},
    {"length_stops_inside_a_three_byte_sequence", "\xE2\x82", u"\xFFFD"},
    {"length_stops_inside_a_four_byte_sequence", "a\xF0\x9F\x98", u"a\xFFFD"},
    {"truncated_sequence_followed_by_ascii",
        "\xE2\x82"
        "A",
        u"\xFFFD"
        u"A"},
    {"stray_continuation_byte",
        "\x80"
        "b",
        u"\xFFFD"
        u"b"},
    {"bytes_that_never_start_a_sequence", "\xC0\xC1\xF5\xFF", u"\xFFFD\xFFFD\xFFFD\xFFFD"},
    {"overlong_two_byte_slash", "\xC0\xAF", u"\xFFFD\xFFFD"},
    {"overlong_three_byte_nul", "\xE0\x80\x80", u"\xFFFD\xFFFD\xFFFD"},
    {"encoded_surrogate", "\xED\xA0\x80", u"\xFFFD\xFFFD\xFFFD"},
    {"past_the_last_code_point", "\xF4\x90\x80\x80", u"\xFFFD\xFFFD\xFFFD\xFFFD"},
    {"lead_byte_interrupted_by_another_lead", "\xE4\xE4\xB8\xAD", u"\xFFFD\u4E2D"},
};

TEST(Win32Text, MalformedUtf8BecomesReplacementCharacters)
{
    for (const MalformedCase& malformed : MalformedTexts) {
        SCOPED_TRACE(malformed.name);
        EXPECT_EQ(toWide(CP_UTF8, malformed.bytes), unitsOf(malformed.expected));
    }
}

TEST(Win32Text, StrictFlagRefusesMalformedUtf8)
{
    WCHAR wide[8] = {};
    for (const MalformedCase& malformed : MalformedTexts) {
        SCOPED_TRACE(malformed.name);
        EXPECT_EQ(MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, malformed.bytes.data(),
                      static_cast<int>(malformed.bytes.size()), wide, 8),
            0);
    }
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, "ok", 2, wide, 8), 2);
}

TEST(Win32Text, NothingPastTheGivenLengthIsRead)
{
    GuardedBuffer guarded;
    // The three bytes of the euro sign, of which only two are given: the third
    // sits on the unreadable page and must not be looked at.
    const char euroStart[] = {'\xE2', '\x82'};
    const char* text = guarded.placeAtEnd(euroStart, 2);
    WCHAR wide[4] = {};
    ASSERT_EQ(MultiByteToWideChar(CP_UTF8, 0, text, 2, wide, 4), 1);
    EXPECT_EQ(wide[0], 0xFFFD);

    GuardedBuffer guardedWide;
    const WCHAR highSurrogate[] = {'x', 0xD83D};
    const WCHAR* units = guardedWide.placeAtEnd(highSurrogate, 2);
    char narrow[8] = {};
    ASSERT_EQ(WideCharToMultiByte(CP_UTF8, 0, units, 2, narrow, 8, nullptr, nullptr), 4);
    EXPECT_EQ(std::string(narrow, 4), "x\xEF\xBF\xBD");
}

struct LoneSurrogateCase {
    const char* name;
    std::u16string wide;
    std::string expected;
};

TEST(Win32Text, LoneSurrogatesBecomeReplacementCharactersInUtf8)
{
    const LoneSurrogateCase cases[] = {
        {"high_then_ascii",
            u"\xD83D"
            u"a",
            "\xEF\xBF\xBD"
            "a"},
        {"low_alone", u"a\xDE00", "a\xEF\xBF\xBD"},
        {"low_then_high_is_not_a_pair", u"\xDE00\xD83D", "\xEF\xBF\xBD\xEF\xBF\xBD"},
        {"high_at_the_end", u"\xD83D", "\xEF\xBF\xBD"},
    };
    for (const LoneSurrogateCase& lone : cases) {
        SCOPED_TRACE(lone.name);
        EXPECT_EQ(toNarrow(CP_UTF8, unitsOf(lone.wide)), lone.expected);
        const Units wide = unitsOf(lone.wide);
        char narrow[16] = {};
        EXPECT_EQ(WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, wide.data(), static_cast<int>(wide.size()), narrow,
                      16, nullptr, nullptr),
            0);
    }
}

TEST(Win32Text, DefaultCharacterReplacesLoneSurrogatesInTheSystemCodePages)
{
    const WCHAR lone[] = {'a', 0xD800, 'b'};
    char narrow[8] = {};
    BOOL used = 0;
    ASSERT_EQ(WideCharToMultiByte(CP_ACP, 0, lone, 3, narrow, 8, "?", &used), 3);
    EXPECT_EQ(std::string(narrow, 3), "a?b");
    EXPECT_EQ(used, 1);

    const WCHAR clean[] = {'a', 0x4E2D};
    used = 1;
    ASSERT_EQ(WideCharToMultiByte(CP_OEMCP, 0, clean, 2, narrow, 8, "?", &used), 4);
    EXPECT_EQ(used, 0);
}

TEST(Win32Text, TooLittleRoomFailsWithoutWritingPastIt)
{
    // Room for two units of three: the call fails and the unit after the room
    // keeps its value.
    WCHAR wide[3] = {0x1111, 0x1111, 0x7777};
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "abc", 3, wide, 2), 0);
    EXPECT_EQ(wide[2], 0x7777);

    // A surrogate pair does not fit in one unit.
    WCHAR one[2] = {0x1111, 0x7777};
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "\xF0\x9F\x98\x80", 4, one, 1), 0);
    EXPECT_EQ(one[1], 0x7777);

    // The four bytes of an emoji do not fit in three.
    const WCHAR emoji[] = {0xD83D, 0xDE00};
    char narrow[4] = {'.', '.', '.', '#'};
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, emoji, 2, narrow, 3, nullptr, nullptr), 0);
    EXPECT_EQ(narrow[3], '#');

    // Exactly enough room succeeds.
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "abc", 3, wide, 3), 3);
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, emoji, 2, narrow, 4, nullptr, nullptr), 4);
}

TEST(Win32Text, BadArgumentsGiveZero)
{
    WCHAR wide[8] = {};
    char narrow[8] = {};
    const WCHAR text[] = {'h', 'i', 0};
    BOOL used = 0;
    struct Case {
        const char* name;
        int result;
    };
    const Case cases[] = {
        {"null_text", MultiByteToWideChar(CP_UTF8, 0, nullptr, -1, wide, 8)},
        {"zero_length", MultiByteToWideChar(CP_UTF8, 0, "hi", 0, wide, 8)},
        {"length_below_minus_one", MultiByteToWideChar(CP_UTF8, 0, "hi", -2, wide, 8)},
        {"negative_room", MultiByteToWideChar(CP_UTF8, 0, "hi", 2, wide, -1)},
        {"room_without_buffer", MultiByteToWideChar(CP_UTF8, 0, "hi", 2, nullptr, 8)},
        {"unknown_code_page", MultiByteToWideChar(1252, 0, "hi", 2, wide, 8)},
        {"flag_utf8_does_not_take", MultiByteToWideChar(CP_UTF8, MB_PRECOMPOSED, "hi", 2, wide, 8)},
        {"undefined_flag", MultiByteToWideChar(CP_ACP, 0x100, "hi", 2, wide, 8)},
        {"null_wide", WideCharToMultiByte(CP_UTF8, 0, nullptr, -1, narrow, 8, nullptr, nullptr)},
        {"zero_wide_length", WideCharToMultiByte(CP_UTF8, 0, text, 0, narrow, 8, nullptr, nullptr)},
        {"wide_length_below_minus_one", WideCharToMultiByte(CP_UTF8, 0, text, -5, narrow, 8, nullptr, nullptr)},
        {"negative_byte_room", WideCharToMultiByte(CP_UTF8, 0, text, -1, narrow, -1, nullptr, nullptr)},
        {"byte_room_without_buffer", WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 8, nullptr, nullptr)},
        {"unknown_wide_code_page", WideCharToMultiByte(437, 0, text, -1, narrow, 8, nullptr, nullptr)},
        {"default_char_with_utf8", WideCharToMultiByte(CP_UTF8, 0, text, -1, narrow, 8, "?", nullptr)},
        {"used_default_with_utf8", WideCharToMultiByte(CP_UTF8, 0, text, -1, narrow, 8, nullptr, &used)},
        {"flag_utf8_does_not_take_wide",
            WideCharToMultiByte(CP_UTF8, WC_NO_BEST_FIT_CHARS, text, -1, narrow, 8, nullptr, nullptr)},
    };
    for (const Case& bad : cases) {
        EXPECT_EQ(bad.result, 0) << bad.name;
    }
}

TEST(Win32Text, LstrlenWCountsUnitsBeforeTheFirstNul)
{
    const WCHAR pair[] = {0xD83D, 0xDE00, 0};
    const WCHAR embedded[] = {'a', 'b', 0, 'c', 0};
    const WCHAR empty[] = {0};
    EXPECT_EQ(lstrlenW(pair), 2);
    EXPECT_EQ(lstrlenW(embedded), 2);
    EXPECT_EQ(lstrlenW(empty), 0);
    EXPECT_EQ(lstrlenW(nullptr), 0);
}

} // namespace
