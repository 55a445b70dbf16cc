#include "integer_text.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace quillory {
namespace {

struct ReadCase {
    const char16_t* text;
    std::int32_t expected;
    const char* why;
};

const ReadCase kReadCases[] = {
    {u"", 0, "nothing to read"},
    {u"   ", 0, "blanks only"},
    {u"abc", 0, "no leading digits"},
    {u"1920", 1920, "plain digits"},
    {u"１９２０", 1920, "full-width digits count as ASCII"},
    {u"1080abc", 1080, "reading stops at the first other character"},
    {u"12 34", 12, "a blank inside ends the number"},
    {u"1,000", 1, "no thousands separators"},
    {u"  42", 42, "leading blanks"},
    {u"\t\r\n42", 42, "control blanks lead too"},
    {u"\u300042", 42, "the ideographic blank counts as a blank"},
    {u"+7", 7, "plus sign"},
    {u"＋7", 7, "full-width plus sign"},
    {u"-15", -15, "minus sign"},
    {u"－１５", -15, "full-width minus and digits"},
    {u"--5", 0, "only one sign"},
    {u"+-5", 0, "only one sign, of either kind"},
    {u"- 5", 0, "no blank after the sign"},
    {u"0x1F", 0, "no hexadecimal"},
    {u"\u0661\u0662", 0, "other scripts' digits are not digits here"},
    {u"2147483647", 2147483647, "largest 32-bit value"},
    {u"2147483648", 2147483647, "clamped to the 32-bit range"},
    {u"-2147483648", -2147483647 - 1, "smallest 32-bit value"},
    {u"-2147483649", -2147483647 - 1, "clamped to the 32-bit range"},
    {u"9223372036854775807", 2147483647, "largest 64-bit value"},
    {u"99999999999999999999999", 2147483647, "past 64 bits saturates instead of wrapping"},
    {u"-99999999999999999999999", -2147483647 - 1, "past 64 bits saturates instead of wrapping"},
    {u"18446744073709551617", 2147483647, "a value that wraps to 1 in 64 bits"},
};

TEST(ReadIntegerTest, ReadsWhatTheUserMeant)
{
    for (const ReadCase& testCase : kReadCases) {
        const QString text = QString::fromUtf16(testCase.text);
        EXPECT_EQ(ReadInteger(text), testCase.expected) << text.toStdString() << ": " << testCase.why;
    }
}

TEST(WholeNumberTextTest, ShowsZeroAsEmpty)
{
    EXPECT_EQ(WholeNumberText(0), QString());
    EXPECT_EQ(WholeNumberText(1080), QStringLiteral("1080"));
    EXPECT_EQ(WholeNumberText(-5), QStringLiteral("-5"));
    EXPECT_EQ(WholeNumberText(-2147483647 - 1), QStringLiteral("-2147483648"));
}

} // namespace
} // namespace quillory
