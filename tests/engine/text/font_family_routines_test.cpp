#include "engine_fixture.h"
#include "text_objects.h"

#include "text/utf16.h"

#include <gmock/gmock.h>

namespace {

using text_test::familyName;
using text_test::OwnedFamily;
using text_test::wide;

class FontFamilyRoutines : public EngineTest { };

struct LookupCase {
    const char* why;
    std::u16string name;
    GpStatus status;
    std::u16string found; // the family's name when found; empty to skip
};

TEST_F(FontFamilyRoutines, FindsInstalledFamiliesByExactNameIgnoringCase)
{
    const LookupCase cases[] = {
        {"a Latin family as installed", u"DejaVu Sans", Ok, u"DejaVu Sans"},
        {"lower case", u"dejavu sans", Ok, u"DejaVu Sans"},
        {"upper case", u"DEJAVU SANS", Ok, u"DejaVu Sans"},
        {"a CJK family", u"Noto Sans CJK SC", Ok, u"Noto Sans CJK SC"},
        {"a CJK family in mixed case", u"noto SANS cjk sc", Ok, u"Noto Sans CJK SC"},
        {"a face's second family name", u"DejaVu Sans Condensed", Ok, u"DejaVu Sans Condensed"},
        {"blanks matter", u"DejaVuSans", FontFamilyNotFound, u""},
        {"a prefix is not a name", u"DejaVu", FontFamilyNotFound, u""},
        {"a trailing blank matters", u"DejaVu Sans ", FontFamilyNotFound, u""},
        {"the renderer's default when it is not installed", u"华康娃娃体W5", FontFamilyNotFound, u""},
        {"fontconfig's aliases are no family names", u"sans-serif", FontFamilyNotFound, u""},
        {"the empty name", u"", FontFamilyNotFound, u""},
    };
    for (const LookupCase& row : cases) {
        SCOPED_TRACE(row.why);
        OwnedFamily family;
        EXPECT_EQ(GdipCreateFontFamilyFromName(wide(row.name), nullptr, &family.handle), row.status);
        if (row.status != Ok) {
            EXPECT_EQ(family.handle, nullptr) << "a failed lookup hands out nothing";
            continue;
        }
        ASSERT_NE(family.handle, nullptr);
        EXPECT_EQ(engine::text::toUtf8(familyName(family.handle)), engine::text::toUtf8(row.found));
    }
}

TEST_F(FontFamilyRoutines, TheToolkitsGenericNamesResolveToTheDefaultFamilies)
{
    struct Row {
        std::u16string name;
        GpStatus (*generic)(GpFontFamily**);
    };
    const Row rows[] = {
        {u"Sans Serif", GdipGetGenericFontFamilySansSerif},
        {u"serif", GdipGetGenericFontFamilySerif},
        {u"MONOSPACE", GdipGetGenericFontFamilyMonospace},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(engine::text::toUtf8(row.name));
        OwnedFamily byName;
        OwnedFamily generic;
        ASSERT_EQ(GdipCreateFontFamilyFromName(wide(row.name), nullptr, &byName.handle), Ok);
        ASSERT_EQ(row.generic(&generic.handle), Ok);
        std::u16string resolved = familyName(generic.handle);
        EXPECT_EQ(familyName(byName.handle), resolved);
        // The default family is itself an installed family.
        OwnedFamily installed;
        EXPECT_EQ(GdipCreateFontFamilyFromName(wide(resolved), nullptr, &installed.handle), Ok);
    }
}

TEST_F(FontFamilyRoutines, RefusesBadArguments)
{
    OwnedFamily family;
    const std::u16string name = u"DejaVu Sans";
    EXPECT_EQ(GdipCreateFontFamilyFromName(nullptr, nullptr, &family.handle), InvalidParameter);
    EXPECT_EQ(GdipCreateFontFamilyFromName(wide(name), nullptr, nullptr), InvalidParameter);
    // No collection can exist, so any collection handle is a foreign one.
    auto* foreign = reinterpret_cast<GpFontCollection*>(&family);
    EXPECT_EQ(GdipCreateFontFamilyFromName(wide(name), foreign, &family.handle), InvalidParameter);
    EXPECT_EQ(family.handle, nullptr);
    EXPECT_EQ(GdipGetGenericFontFamilySansSerif(nullptr), InvalidParameter);

    ASSERT_EQ(GdipCreateFontFamilyFromName(wide(name), nullptr, &family.handle), Ok);
    EXPECT_EQ(GdipGetFamilyName(family.handle, nullptr, 0), InvalidParameter);
    UINT16 value = 0;
    EXPECT_EQ(GdipGetEmHeight(family.handle, 0, nullptr), InvalidParameter);
    EXPECT_EQ(GdipGetEmHeight(nullptr, 0, &value), InvalidParameter);
    BOOL available = 0;
    EXPECT_EQ(GdipIsStyleAvailable(family.handle, 0, nullptr), InvalidParameter);
    EXPECT_EQ(GdipIsStyleAvailable(reinterpret_cast<GpFontFamily*>(&value), 0, &available), InvalidParameter);
}

TEST_F(FontFamilyRoutines, DeletingTwiceIsRefusedNotACrash)
{
    GpFontFamily* family = nullptr;
    ASSERT_EQ(GdipCreateFontFamilyFromName(wide(u"DejaVu Sans"), nullptr, &family), Ok);
    EXPECT_EQ(GdipDeleteFontFamily(family), Ok);
    EXPECT_EQ(GdipDeleteFontFamily(family), InvalidParameter);
    EXPECT_EQ(GdipDeleteFontFamily(nullptr), InvalidParameter);
}

TEST_F(FontFamilyRoutines, AClonedFamilyLivesOnAfterItsOriginal)
{
    GpFontFamily* original = nullptr;
    ASSERT_EQ(GdipCreateFontFamilyFromName(wide(u"noto sans cjk sc"), nullptr, &original), Ok);
    OwnedFamily clone;
    ASSERT_EQ(GdipCloneFontFamily(original, &clone.handle), Ok);
    EXPECT_NE(clone.handle, original);
    ASSERT_EQ(GdipDeleteFontFamily(original), Ok);
    EXPECT_EQ(engine::text::toUtf8(familyName(clone.handle)), "Noto Sans CJK SC");
}

struct MetricsCase {
    std::u16string family;
    UINT16 emHeight;
    UINT16 ascent;
    UINT16 descent;
    UINT16 lineSpacing;
};

// Values from the fonts' own tables (head, OS/2 and hhea) in the Debian
// packages fonts-dejavu-core and fonts-noto-cjk.
TEST_F(FontFamilyRoutines, ReportsTheFamilysDesignMetrics)
{
    const MetricsCase cases[] = {
        {u"DejaVu Sans", 2048, 1901, 483, 2384},
        {u"Noto Sans CJK SC", 1000, 1160, 288, 1448},
    };
    for (const MetricsCase& row : cases) {
        SCOPED_TRACE(engine::text::toUtf8(row.family));
        OwnedFamily family;
        ASSERT_EQ(GdipCreateFontFamilyFromName(wide(row.family), nullptr, &family.handle), Ok);
        UINT16 value = 0;
        EXPECT_EQ(GdipGetEmHeight(family.handle, 0, &value), Ok);
        EXPECT_EQ(value, row.emHeight);
        EXPECT_EQ(GdipGetCellAscent(family.handle, 0, &value), Ok);
        EXPECT_EQ(value, row.ascent);
        EXPECT_EQ(GdipGetCellDescent(family.handle, 0, &value), Ok);
        EXPECT_EQ(value, row.descent);
        EXPECT_EQ(GdipGetLineSpacing(family.handle, 0, &value), Ok);
        EXPECT_EQ(value, row.lineSpacing);
    }
}

TEST_F(FontFamilyRoutines, KnowsWhichStylesAFamilyHas)
{
    struct Row {
        std::u16string family;
        INT style;
        BOOL available;
    };
    const Row rows[] = {
        {u"DejaVu Sans", 0, 1},
        {u"DejaVu Sans", 1, 1},
        {u"DejaVu Sans", 3, 1},
        {u"Noto Sans CJK SC", 1, 1},
        {u"Noto Sans CJK SC", 2, 0},
        // This family has a single regular face.
        {u"DejaVu Math TeX Gyre", 0, 1},
        {u"DejaVu Math TeX Gyre", 4, 1},
        {u"DejaVu Math TeX Gyre", 1, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(engine::text::toUtf8(row.family) + " style " + std::to_string(row.style));
        OwnedFamily family;
        ASSERT_EQ(GdipCreateFontFamilyFromName(wide(row.family), nullptr, &family.handle), Ok);
        BOOL available = !row.available;
        EXPECT_EQ(GdipIsStyleAvailable(family.handle, row.style, &available), Ok);
        EXPECT_EQ(available, row.available);
        UINT16 value = 0;
        EXPECT_EQ(GdipGetEmHeight(family.handle, row.style, &value), row.available ? Ok : FontStyleNotFound);
    }
}

} // namespace
