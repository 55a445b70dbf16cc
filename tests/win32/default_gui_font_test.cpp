#include "default_gui_font.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

using quillory::win32::CopyFaceName;

struct FaceNameCase {
    const char* name;
    std::string family;
    std::string expected;
};

TEST(DefaultGuiFont, FaceNamesAreCutAtWholeCharacters)
{
    const std::string thirtyOne(31, 'a');
    // Ten three-byte characters take 30 bytes; the eleventh would end at 33.
    std::string elevenCjk;
    for (int index = 0; index < 11; ++index) {
        elevenCjk += "\xE9\xBB\x91";
    }
    const FaceNameCase cases[] = {
        {"short", "DejaVu Sans", "DejaVu Sans"},
        {"exactly_fits", thirtyOne, thirtyOne},
        {"one_byte_too_long", thirtyOne + "b", thirtyOne},
        {"cjk_character_across_the_limit", elevenCjk, elevenCjk.substr(0, 30)},
        {"emoji_across_the_limit", std::string(29, 'x') + "\xF0\x9F\x98\x80", std::string(29, 'x')},
        {"two_byte_character_ends_at_the_limit", std::string(29, 'x') + "\xC3\xA9", std::string(29, 'x') + "\xC3\xA9"},
        {"empty", "", ""},
    };
    for (const FaceNameCase& faceCase : cases) {
        SCOPED_TRACE(faceCase.name);
        char faceName[LF_FACESIZE];
        std::memset(faceName, 0x7F, sizeof faceName);
        CopyFaceName(faceCase.family, faceName);
        EXPECT_EQ(std::string(faceName), faceCase.expected);
        // Everything after the name is NUL, so no stale byte follows it.
        for (std::size_t index = faceCase.expected.size(); index < LF_FACESIZE; ++index) {
            EXPECT_EQ(faceName[index], 0) << "byte " << index;
        }
    }
}

} // namespace
