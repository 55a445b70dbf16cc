#include "guarded_buffer.h"

#include "win32/win32.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::vector<WCHAR> wide(const std::string& ascii)
{
    std::vector<WCHAR> units(ascii.begin(), ascii.end());
    units.push_back(0);
    return units;
}

std::array<std::uint8_t, 16> bytesOf(const GUID& guid)
{
    std::array<std::uint8_t, 16> bytes{};
    std::memcpy(bytes.data(), &guid, sizeof guid);
    return bytes;
}

GUID guidFromBytes(const std::array<std::uint8_t, 16>& bytes)
{
    GUID guid{};
    std::memcpy(&guid, bytes.data(), sizeof guid);
    return guid;
}

std::string textOf(const GUID& guid)
{
    WCHAR text[39] = {};
    EXPECT_EQ(StringFromGUID2(&guid, text, 39), 39);
    EXPECT_EQ(text[38], 0);
    return std::string(text, text + 38);
}

// A GUID as it lies in memory and as its registry text. The BMP image format
// is the one the renderer saves with; the counting bytes show any field read
// in the wrong byte order.
struct GuidCase {
    const char* name;
    std::array<std::uint8_t, 16> bytes;
    const char* text;
};

const GuidCase GuidCases[] = {
    {"bmp_format", {0xAB, 0x3C, 0x6B, 0xB9, 0x28, 0x07, 0xD3, 0x11, 0x9D, 0x7B, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E},
        "{B96B3CAB-0728-11D3-9D7B-0000F81EF32E}"},
    {"counting_bytes", {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A, 0x0B, 0x0C, 0x0D, 0x0E, 0x0F, 0x10},
        "{04030201-0605-0807-090A-0B0C0D0E0F10}"},
    {"all_ones", {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF},
        "{FFFFFFFF-FFFF-FFFF-FFFF-FFFFFFFFFFFF}"},
};

TEST(GuidText, GuidsBecomeUpperCaseRegistryTextAndBack)
{
    for (const GuidCase& guidCase : GuidCases) {
        SCOPED_TRACE(guidCase.name);
        EXPECT_EQ(textOf(guidFromBytes(guidCase.bytes)), guidCase.text);
        GUID parsed{};
        ASSERT_EQ(CLSIDFromString(wide(guidCase.text).data(), &parsed), S_OK);
        EXPECT_EQ(bytesOf(parsed), guidCase.bytes);
    }
}

TEST(GuidText, LowerCaseHexIsAccepted)
{
    GUID parsed{};
    ASSERT_EQ(CLSIDFromString(wide("{b96b3cab-0728-11d3-9d7b-0000f81ef32e}").data(), &parsed), S_OK);
    EXPECT_EQ(bytesOf(parsed), GuidCases[0].bytes);
}

TEST(GuidText, TooLittleRoomWritesNothing)
{
    const GUID guid = guidFromBytes(GuidCases[0].bytes);
    std::vector<WCHAR> text(39, 0x7777);
    EXPECT_EQ(StringFromGUID2(&guid, text.data(), 38), 0);
    EXPECT_EQ(text, std::vector<WCHAR>(39, 0x7777));
    EXPECT_EQ(StringFromGUID2(&guid, text.data(), 0), 0);
    EXPECT_EQ(StringFromGUID2(nullptr, text.data(), 39), 0);
    EXPECT_EQ(StringFromGUID2(&guid, nullptr, 39), 0);
    EXPECT_EQ(text, std::vector<WCHAR>(39, 0x7777));
}

TEST(GuidText, MoreRoomThanNeededWritesOnlyTheText)
{
    // The library passes the buffer's size in bytes (78) where Windows expects
    // units; only the 39 units of the text may be written.
    const GUID guid = guidFromBytes(GuidCases[0].bytes);
    std::vector<WCHAR> text(78, 0x7777);
    EXPECT_EQ(StringFromGUID2(&guid, text.data(), 78), 39);
    EXPECT_EQ(text[39], 0x7777);
}

TEST(GuidText, EmptyOrMissingTextNamesTheNullGuid)
{
    const WCHAR empty[] = {0};
    GUID parsed{};
    std::memset(&parsed, 0xCC, sizeof parsed);
    EXPECT_EQ(CLSIDFromString(empty, &parsed), S_OK);
    EXPECT_EQ(bytesOf(parsed), (std::array<std::uint8_t, 16>{}));

    std::memset(&parsed, 0xCC, sizeof parsed);
    EXPECT_EQ(CLSIDFromString(nullptr, &parsed), S_OK);
    EXPECT_EQ(bytesOf(parsed), (std::array<std::uint8_t, 16>{}));

    EXPECT_EQ(CLSIDFromString(empty, nullptr), E_INVALIDARG);
}

TEST(GuidText, MalformedTextIsRefusedAndLeavesTheNullGuid)
{
    struct Case {
        const char* name;
        std::vector<WCHAR> text;
    };
    std::vector<WCHAR> fullWidthDigit = wide("{B96B3CAB-0728-11D3-9D7B-0000F81EF32E}");
    fullWidthDigit[1] = 0xFF22; // a full-width "B"
    std::vector<WCHAR> embeddedNul = wide("{B96B3CAB-0728-11D3-9D7B-0000F81EF32E}");
    embeddedNul[20] = 0;
    const Case cases[] = {
        {"no_braces", wide("B96B3CAB-0728-11D3-9D7B-0000F81EF32E")},
        {"no_closing_brace", wide("{B96B3CAB-0728-11D3-9D7B-0000F81EF32E")},
        {"text_after_closing_brace", wide("{B96B3CAB-0728-11D3-9D7B-0000F81EF32E} ")},
        {"hyphen_one_place_early", wide("{B96B3CA-B0728-11D3-9D7B-0000F81EF32E}")},
        {"one_digit_short", wide("{B96B3CAB-0728-11D3-9D7B-0000F81EF32}")},
        {"one_digit_long", wide("{B96B3CAB-0728-11D3-9D7B-0000F81EF32EE}")},
        {"not_a_hex_digit", wide("{G96B3CAB-0728-11D3-9D7B-0000F81EF32E}")},
        {"without_hyphens", wide("{B96B3CAB072811D39D7B0000F81EF32E}")},
        {"a_name_not_a_guid", wide("BMP")},
        {"full_width_digit", fullWidthDigit},
        {"nul_inside", embeddedNul},
    };
    for (const Case& bad : cases) {
        SCOPED_TRACE(bad.name);
        GUID parsed{};
        std::memset(&parsed, 0xCC, sizeof parsed);
        EXPECT_EQ(CLSIDFromString(bad.text.data(), &parsed), CO_E_CLASSSTRING);
        EXPECT_EQ(bytesOf(parsed), (std::array<std::uint8_t, 16>{}));
    }
}

TEST(GuidText, ParsingStopsAtTheTerminator)
{
    // A prefix of a GUID whose NUL is the last readable unit.
    GuardedBuffer guarded;
    const std::vector<WCHAR> prefix = wide("{B96B3CAB");
    const WCHAR* text = guarded.placeAtEnd(prefix.data(), prefix.size());
    GUID parsed{};
    EXPECT_EQ(CLSIDFromString(text, &parsed), CO_E_CLASSSTRING);
}

} // namespace
