#include "default_gui_font.h"

#include "win32/win32.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

namespace quillory::win32 {

namespace {

struct PatternDestroyer {
    void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
using PatternOwner = std::unique_ptr<FcPattern, PatternDestroyer>;

// The family fontconfig picks for the generic name "sans-serif" after applying
// the user's and the system's configuration; empty when it has none to give.
std::string defaultSansSerifFamily()
{
    PatternOwner pattern(FcNameParse(reinterpret_cast<const FcChar8*>("sans-serif")));
    if (pattern == nullptr || !FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern)) {
        return {};
    }
    FcDefaultSubstitute(pattern.get());
    FcResult result = FcResultNoMatch;
    PatternOwner match(FcFontMatch(nullptr, pattern.get(), &result));
    FcChar8* family = nullptr;
    if (match == nullptr || FcPatternGetString(match.get(), FC_FAMILY, 0, &family) != FcResultMatch ||
        family == nullptr) {
        return {};
    }
    return reinterpret_cast<const char*>(family);
}

LOGFONTA makeDefaultGuiFont()
{
    LOGFONTA font{};
    // A negative height asks for the character height (without internal
    // leading) in pixels: 9 points at 96 dots per inch.
    font.lfHeight = -12;
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    std::string family = defaultSansSerifFamily();
    // Without any font configuration, name the generic family, which the
    // engine resolves the same way once fonts exist.
    if (family.empty()) {
        family = "Sans Serif";
    }
    CopyFaceName(family, font.lfFaceName);
    return font;
}

} // namespace

LOGFONTA DefaultGuiFont()
{
    static const LOGFONTA font = makeDefaultGuiFont();
    return font;
}

void CopyFaceName(std::string_view family, char (&faceName)[LF_FACESIZE])
{
    std::size_t length = std::min(family.size(), std::size_t{LF_FACESIZE - 1});
    if (length < family.size()) {
        // Back up over continuation bytes to the start of the character that
        // did not fit entirely.
        while (length > 0 && (static_cast<unsigned char>(family[length]) & 0xC0) == 0x80) {
            --length;
        }
    }
    std::memset(faceName, 0, LF_FACESIZE);
    std::memcpy(faceName, family.data(), length);
}

} // namespace quillory::win32
