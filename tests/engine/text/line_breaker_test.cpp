#include "cluster_fixture.h"

#include "text/line_breaker.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using engine::text::breakLines;
using engine::text::BrokenLine;
using engine::text::Unlimited;
using text_test::oneEmClusters;
using text_test::textOf;

struct BreakCase {
    const char* why;
    std::u16string text;
    float room; // ems; every visible character is one em wide
    std::vector<std::string> lines;
};

std::vector<std::string> linesOf(const std::u16string& text, float room)
{
    auto clusters = oneEmClusters(text);
    std::vector<std::string> result;
    for (const BrokenLine& line : breakLines(clusters, room))
        result.push_back(textOf(text, clusters, line.clusterStart, line.clusterEnd));
    return result;
}

TEST(LineBreaker, BreaksWhereTheRulesAllow)
{
    const BreakCase cases[] = {
        {"a line that fits stays whole", u"hello world", 20, {"hello world"}},
        {"unlimited room never wraps", u"hello world and more", Unlimited, {"hello world and more"}},
        {"Latin breaks between words, the space staying behind", u"hello world", 8, {"hello ", "world"}},
        {"a space at the end of a full line hangs instead of moving the word", u"hello world", 5, {"hello ", "world"}},
        {"several words fill each line greedily", u"aa bb cc dd", 5, {"aa bb ", "cc dd"}},
        {"a word wider than the line is cut between characters", u"hello world", 4, {"hell", "o ", "worl", "d"}},
        {"a long word goes to its own line before being cut", u"a abcdefgh", 4, {"a ", "abcd", "efgh"}},
        {"CJK breaks between characters", u"你好世界", 2, {"你好", "世界"}},
        {"a closing comma never starts a line", u"你好，世界", 2, {"你", "好，", "世界"}},
        {"Latin after CJK may start a new line", u"你好Hello", 5, {"你好", "Hello"}},
        {"no room still puts one character on each line", u"ab", 0, {"a", "b"}},
        {"a word that fits a line moves whole, even past leading spaces", u"  ab", 3, {"  ", "ab"}},
        {"a line feed ends a line", u"ab\ncd", Unlimited, {"ab\n", "cd"}},
        {"CR LF is one line break", u"ab\r\ncd", Unlimited, {"ab\r\n", "cd"}},
        {"a lone CR is a line break", u"ab\rcd", Unlimited, {"ab\r", "cd"}},
        {"the paragraph separator is a line break", u"ab\u2029cd", Unlimited, {"ab\u2029", "cd"}},
        {"a text ending in a line break ends with an empty line", u"ab\n", Unlimited, {"ab\n", ""}},
        {"consecutive line breaks give empty lines", u"\n\n", Unlimited, {"\n", "\n", ""}},
        {"explicit breaks and wrapping combine", u"aaa bbb\nc", 4, {"aaa ", "bbb\n", "c"}},
        {"a non-breaking space holds words together", u"ab\u00A0cd ef", 5, {"ab\u00A0cd ", "ef"}},
        {"the empty text has no lines", u"", 10, {}},
    };
    for (const BreakCase& row : cases) {
        SCOPED_TRACE(row.why);
        EXPECT_EQ(linesOf(row.text, row.room), row.lines);
    }
}

struct WidthCase {
    const char* why;
    std::u16string text;
    float room;
    std::vector<std::pair<float, float>> widths; // visible, trailing per line
};

TEST(LineBreaker, SeparatesTrailingSpacesFromVisibleWidth)
{
    const WidthCase cases[] = {
        {"trailing spaces are counted apart", u"ab   ", Unlimited, {{2, 3}}},
        {"inner spaces are visible width", u"a  b", Unlimited, {{4, 0}}},
        {"the space before a wrap trails", u"ab  cd", 3, {{2, 2}, {2, 0}}},
        {"a line break takes no width", u"ab \ncd", Unlimited, {{2, 1}, {2, 0}}},
        {"an ideographic space hangs too", u"你好\u3000世界", 2, {{2, 1}, {2, 0}}},
        {"a line of spaces only is all trailing", u"   ", Unlimited, {{0, 3}}},
    };
    for (const WidthCase& row : cases) {
        SCOPED_TRACE(row.why);
        auto clusters = oneEmClusters(row.text);
        auto lines = breakLines(clusters, row.room);
        ASSERT_EQ(lines.size(), row.widths.size());
        for (std::size_t index = 0; index < lines.size(); ++index) {
            EXPECT_FLOAT_EQ(lines[index].visibleWidth, row.widths[index].first) << "line " << index;
            EXPECT_FLOAT_EQ(lines[index].trailingWidth, row.widths[index].second) << "line " << index;
        }
    }
}

TEST(LineBreaker, LinesCoverEveryClusterOnceInOrder)
{
    const std::u16string text = u"The quick brown fox 跳过了 the lazy dog.\nAnd again, 再一次!";
    auto clusters = oneEmClusters(text);
    for (float room : {1.0f, 3.0f, 7.5f, 12.0f, 100.0f}) {
        SCOPED_TRACE(room);
        std::uint32_t next = 0;
        for (const BrokenLine& line : breakLines(clusters, room)) {
            EXPECT_EQ(line.clusterStart, next);
            EXPECT_LE(line.visibleWidth, std::max(room, 1.0f));
            next = line.clusterEnd;
        }
        EXPECT_EQ(next, clusters.size());
    }
}

} // namespace
