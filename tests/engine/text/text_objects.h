#pragma once

// Owners for the text tests' engine objects, so a failing assertion leaks
// nothing into the next test.

#include <gdiplus/flat_api.h>

#include <string>

namespace text_test {

inline const WCHAR* wide(const std::u16string& text)
{
    static_assert(sizeof(char16_t) == sizeof(WCHAR));
    return reinterpret_cast<const WCHAR*>(text.c_str());
}

struct OwnedFamily {
    GpFontFamily* handle = nullptr;
    ~OwnedFamily()
    {
        if (handle)
            GdipDeleteFontFamily(handle);
    }
};

struct OwnedFont {
    GpFont* handle = nullptr;
    ~OwnedFont()
    {
        if (handle)
            GdipDeleteFont(handle);
    }
};

struct OwnedFormat {
    GpStringFormat* handle = nullptr;
    ~OwnedFormat()
    {
        if (handle)
            GdipDeleteStringFormat(handle);
    }
};

// The name of a family, or a status text when it cannot be read.
inline std::u16string familyName(GpFontFamily* family)
{
    WCHAR name[LF_FACESIZE] = {};
    GpStatus status = GdipGetFamilyName(family, name, 0);
    if (status != Ok)
        return u"<status " + std::u16string(1, char16_t(u'0' + status)) + u">";
    std::u16string result;
    for (int index = 0; index < LF_FACESIZE && name[index] != 0; ++index)
        result += static_cast<char16_t>(name[index]);
    return result;
}

// A font of `family` at `size` in `unit`, or null.
inline GpFont* makeFont(const std::u16string& family, REAL size, INT unit = 3, INT style = 0)
{
    OwnedFamily owned;
    if (GdipCreateFontFamilyFromName(wide(family), nullptr, &owned.handle) != Ok)
        return nullptr;
    GpFont* font = nullptr;
    if (GdipCreateFont(owned.handle, size, style, unit, &font) != Ok)
        return nullptr;
    return font;
}

} // namespace text_test
