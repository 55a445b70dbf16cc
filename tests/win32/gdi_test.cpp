#include "win32/win32.h"

#include <fontconfig/fontconfig.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace {

// What fontconfig itself names as the default sans-serif family.
std::string fontconfigSansSerif()
{
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>("sans-serif"));
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    std::string family;
    FcChar8* name = nullptr;
    if (match != nullptr && FcPatternGetString(match, FC_FAMILY, 0, &name) == FcResultMatch) {
        family = reinterpret_cast<const char*>(name);
    }
    if (match != nullptr) {
        FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
    return family;
}

TEST(StockFont, OnlyTheDefaultGuiFontIsAStockObject)
{
    const HGDIOBJ font = GetStockObject(DEFAULT_GUI_FONT);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(GetStockObject(DEFAULT_GUI_FONT), font) << "stock objects are shared";
    for (const int other : {0, 13, 16, 18, -1, 1000}) {
        EXPECT_EQ(GetStockObject(other), nullptr) << other;
    }
}

TEST(StockFont, LogicalFontDescribesTheDesktopsDefaultSansSerif)
{
    LOGFONTA font;
    std::memset(&font, 0xCC, sizeof font);
    ASSERT_EQ(GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font), static_cast<int>(sizeof font));
    EXPECT_EQ(font.lfHeight, -12);
    EXPECT_EQ(font.lfWidth, 0);
    EXPECT_EQ(font.lfEscapement, 0);
    EXPECT_EQ(font.lfOrientation, 0);
    EXPECT_EQ(font.lfWeight, FW_NORMAL);
    EXPECT_EQ(font.lfItalic, 0);
    EXPECT_EQ(font.lfUnderline, 0);
    EXPECT_EQ(font.lfStrikeOut, 0);
    EXPECT_EQ(font.lfCharSet, DEFAULT_CHARSET);
    ASSERT_NE(std::memchr(font.lfFaceName, 0, LF_FACESIZE), nullptr) << "the face name is terminated";
    const std::string expected = fontconfigSansSerif().substr(0, LF_FACESIZE - 1);
    ASSERT_FALSE(expected.empty()) << "this machine has a sans-serif font";
    EXPECT_EQ(std::string(font.lfFaceName), expected);
}

TEST(StockFont, GetObjectAnswersSizeQueriesAndRefusesShortBuffers)
{
    const HGDIOBJ font = GetStockObject(DEFAULT_GUI_FONT);
    constexpr int RecordBytes = static_cast<int>(sizeof(LOGFONTA));
    static_assert(RecordBytes == 60, "the logical font record has the platform's layout");
    std::vector<std::uint8_t> buffer(RecordBytes + 4, 0x77);
    const std::vector<std::uint8_t> untouched = buffer;

    EXPECT_EQ(GetObjectA(font, 0, nullptr), RecordBytes);
    EXPECT_EQ(GetObjectA(font, RecordBytes, nullptr), RecordBytes);
    EXPECT_EQ(GetObjectA(font, 0, buffer.data()), RecordBytes);
    EXPECT_EQ(buffer, untouched) << "a size query writes nothing";
    EXPECT_EQ(GetObjectA(font, RecordBytes - 1, buffer.data()), 0);
    EXPECT_EQ(GetObjectA(font, -5, buffer.data()), 0);
    EXPECT_EQ(buffer, untouched) << "a short buffer is not written";

    EXPECT_EQ(GetObjectA(font, RecordBytes + 4, buffer.data()), RecordBytes);
    EXPECT_EQ(std::vector<std::uint8_t>(buffer.end() - 4, buffer.end()), std::vector<std::uint8_t>(4, 0x77))
        << "nothing past the record is written";
}

TEST(StockFont, UnknownObjectsHaveNoRecord)
{
    std::uint8_t buffer[64] = {};
    HDC dc = GetDC(nullptr);
    int local = 0;
    for (const HGDIOBJ object : {HGDIOBJ{nullptr}, HGDIOBJ{dc}, HGDIOBJ{&local}}) {
        EXPECT_EQ(GetObjectA(object, sizeof buffer, buffer), 0);
        EXPECT_EQ(GetObjectA(object, 0, nullptr), 0);
    }
    ReleaseDC(nullptr, dc);
}

TEST(ScreenDeviceContext, ScreenIsNinetySixDotsPerInch)
{
    HDC dc = GetDC(nullptr);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSX), 96);
    EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSY), 96);
    EXPECT_EQ(GetDeviceCaps(dc, 8), 0) << "an index this platform does not answer";
    EXPECT_EQ(ReleaseDC(nullptr, dc), 1);
}

TEST(ScreenDeviceContext, EachContextIsReleasedOnce)
{
    HDC first = GetDC(nullptr);
    HDC second = GetDC(nullptr);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(first, second);
    EXPECT_EQ(ReleaseDC(nullptr, first), 1);
    EXPECT_EQ(ReleaseDC(nullptr, first), 0) << "released twice";
    EXPECT_EQ(GetDeviceCaps(first, LOGPIXELSX), 0) << "a released context answers nothing";
    EXPECT_EQ(GetDeviceCaps(second, LOGPIXELSX), 96) << "the other context is still live";
    EXPECT_EQ(ReleaseDC(nullptr, second), 1);
}

TEST(ScreenDeviceContext, ThereAreNoWindows)
{
    int local = 0;
    HWND window = reinterpret_cast<HWND>(&local);
    EXPECT_EQ(GetDC(window), nullptr);
    HDC dc = GetDC(nullptr);
    EXPECT_EQ(ReleaseDC(window, dc), 0) << "the screen's context does not belong to a window";
    EXPECT_EQ(ReleaseDC(nullptr, dc), 1);
    EXPECT_EQ(ReleaseDC(nullptr, reinterpret_cast<HDC>(&local)), 0);
    EXPECT_EQ(ReleaseDC(nullptr, nullptr), 0);
    EXPECT_EQ(GetDeviceCaps(nullptr, LOGPIXELSX), 0);
}

} // namespace
