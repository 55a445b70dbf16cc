#include "engine_fixture.h"
#include "text_objects.h"

#include <cmath>
#include <list>
#include <limits>

namespace {

using text_test::familyName;
using text_test::OwnedFamily;
using text_test::OwnedFont;
using text_test::wide;

class FontRoutines : public EngineTest {
protected:
    GpFontFamily* family(const std::u16string& name)
    {
        families_.emplace_back();
        EXPECT_EQ(GdipCreateFontFamilyFromName(wide(name), nullptr, &families_.back().handle), Ok);
        return families_.back().handle;
    }

private:
    std::list<OwnedFamily> families_;
};

struct CreationCase {
    const char* why;
    const char16_t* family; // null passes a null family
    REAL emSize;
    INT style;
    INT unit;
    GpStatus status;
};

TEST_F(FontRoutines, CreationArguments)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float infinity = std::numeric_limits<float>::infinity();
    const CreationCase cases[] = {
        {"the renderer's font", u"DejaVu Sans", 14.907407f, 0, 3, Ok},
        {"pixels", u"DejaVu Sans", 16, 0, 2, Ok},
        {"inches", u"DejaVu Sans", 0.5f, 0, 4, Ok},
        {"document units", u"DejaVu Sans", 50, 0, 5, Ok},
        {"millimetres", u"DejaVu Sans", 5, 0, 6, Ok},
        {"a tiny size", u"DejaVu Sans", 0.01f, 0, 3, Ok},
        {"world units are refused", u"DejaVu Sans", 12, 0, 0, InvalidParameter},
        {"display units are refused", u"DejaVu Sans", 12, 0, 1, InvalidParameter},
        {"a unit past the enumeration", u"DejaVu Sans", 12, 0, 7, InvalidParameter},
        {"a negative unit", u"DejaVu Sans", 12, 0, -1, InvalidParameter},
        {"size zero", u"DejaVu Sans", 0, 0, 3, InvalidParameter},
        {"a negative size", u"DejaVu Sans", -12, 0, 3, InvalidParameter},
        {"a NaN size", u"DejaVu Sans", nan, 0, 3, InvalidParameter},
        {"an infinite size", u"DejaVu Sans", infinity, 0, 3, InvalidParameter},
        {"bold", u"DejaVu Sans", 12, 1, 3, Ok},
        {"bold italic underlined struck out", u"DejaVu Sans", 12, 15, 3, Ok},
        {"a style bit the enumeration lacks", u"DejaVu Sans", 12, 16, 3, InvalidParameter},
        {"a negative style", u"DejaVu Sans", 12, -1, 3, InvalidParameter},
        {"CJK bold", u"Noto Sans CJK SC", 12, 1, 3, Ok},
        {"a family with no italic face", u"Noto Sans CJK SC", 12, 2, 3, FontStyleNotFound},
        {"a family with one regular face, regular", u"DejaVu Math TeX Gyre", 12, 0, 3, Ok},
        {"the same, underlined", u"DejaVu Math TeX Gyre", 12, 4, 3, Ok},
        {"the same, bold", u"DejaVu Math TeX Gyre", 12, 1, 3, FontStyleNotFound},
        {"a null family, as a failed lookup leaves it", nullptr, 12, 0, 3, InvalidParameter},
    };
    for (const CreationCase& row : cases) {
        SCOPED_TRACE(row.why);
        GpFontFamily* from = row.family ? family(row.family) : nullptr;
        OwnedFont font;
        EXPECT_EQ(GdipCreateFont(from, row.emSize, row.style, row.unit, &font.handle), row.status);
        EXPECT_EQ(font.handle != nullptr, row.status == Ok);
    }
}

TEST_F(FontRoutines, RefusesHandlesThatAreNoFamily)
{
    OwnedFont font;
    ASSERT_EQ(GdipCreateFont(family(u"DejaVu Sans"), 12, 0, 3, &font.handle), Ok);
    GpFont* other = nullptr;
    // A font is not a family.
    EXPECT_EQ(GdipCreateFont(reinterpret_cast<GpFontFamily*>(font.handle), 12, 0, 3, &other), InvalidParameter);
    EXPECT_EQ(GdipCreateFont(family(u"DejaVu Sans"), 12, 0, 3, nullptr), InvalidParameter);
    EXPECT_EQ(other, nullptr);
}

TEST_F(FontRoutines, AFontKeepsWorkingAfterItsFamilyIsDeleted)
{
    GpFontFamily* temporary = nullptr;
    ASSERT_EQ(GdipCreateFontFamilyFromName(wide(u"Noto Sans CJK SC"), nullptr, &temporary), Ok);
    OwnedFont font;
    ASSERT_EQ(GdipCreateFont(temporary, 20, 1, 2, &font.handle), Ok);
    ASSERT_EQ(GdipDeleteFontFamily(temporary), Ok);

    REAL size = 0;
    EXPECT_EQ(GdipGetFontSize(font.handle, &size), Ok);
    EXPECT_EQ(size, 20);
    REAL height = 0;
    EXPECT_EQ(GdipGetFontHeightGivenDPI(font.handle, 96, &height), Ok);
    EXPECT_FLOAT_EQ(height, 20 * 1448 / 1000.0f);
    OwnedFamily family;
    ASSERT_EQ(GdipGetFamily(font.handle, &family.handle), Ok);
    EXPECT_EQ(familyName(family.handle), u"Noto Sans CJK SC");
}

TEST_F(FontRoutines, GivesBackWhatItWasMadeWith)
{
    OwnedFont font;
    ASSERT_EQ(GdipCreateFont(family(u"DejaVu Sans"), 14.907407f, 5, 3, &font.handle), Ok);
    OwnedFont clone;
    ASSERT_EQ(GdipCloneFont(font.handle, &clone.handle), Ok);
    ASSERT_NE(clone.handle, font.handle);
    for (GpFont* each : {font.handle, clone.handle}) {
        REAL size = 0;
        GpUnit unit = 0;
        INT style = 0;
        EXPECT_EQ(GdipGetFontSize(each, &size), Ok);
        EXPECT_EQ(GdipGetFontUnit(each, &unit), Ok);
        EXPECT_EQ(GdipGetFontStyle(each, &style), Ok);
        EXPECT_EQ(size, 14.907407f);
        EXPECT_EQ(unit, 3);
        EXPECT_EQ(style, 5);
    }
}

struct HeightCase {
    const char* why;
    REAL emSize;
    INT unit;
    REAL dpi;
    REAL pixelsPerEm;
};

TEST_F(FontRoutines, LineHeightFollowsTheUnitAndResolution)
{
    // DejaVu Sans: line spacing 2384 per 2048 units of em.
    const HeightCase cases[] = {
        {"12 points at 96 dpi are 16 pixels", 12, 3, 96, 16},
        {"12 points at 192 dpi are 32 pixels", 12, 3, 192, 32},
        {"pixels ignore the resolution", 16, 2, 300, 16},
        {"a sixth of an inch at 96 dpi", 1.0f / 6, 4, 96, 16},
        {"millimetres", 25.4f, 6, 96, 96},
        {"document units", 50, 5, 96, 16},
    };
    for (const HeightCase& row : cases) {
        SCOPED_TRACE(row.why);
        OwnedFont font;
        ASSERT_EQ(GdipCreateFont(family(u"DejaVu Sans"), row.emSize, 0, row.unit, &font.handle), Ok);
        REAL height = 0;
        EXPECT_EQ(GdipGetFontHeightGivenDPI(font.handle, row.dpi, &height), Ok);
        EXPECT_NEAR(height, row.pixelsPerEm * 2384 / 2048, 1e-4);
    }
}

TEST_F(FontRoutines, HeightWithoutAContextIsInTheFontsUnit)
{
    OwnedFont font;
    ASSERT_EQ(GdipCreateFont(family(u"DejaVu Sans"), 12, 0, 3, &font.handle), Ok);
    REAL height = 0;
    EXPECT_EQ(GdipGetFontHeight(font.handle, nullptr, &height), Ok);
    EXPECT_FLOAT_EQ(height, 12.0f * 2384 / 2048);
    EXPECT_EQ(GdipGetFontHeightGivenDPI(font.handle, 0, &height), InvalidParameter);
    EXPECT_EQ(GdipGetFontHeightGivenDPI(font.handle, 96, nullptr), InvalidParameter);
    EXPECT_EQ(GdipGetFontHeight(nullptr, nullptr, &height), InvalidParameter);
}

TEST_F(FontRoutines, HeightOnABitmapUsesItsResolution)
{
    GpBitmap* bitmap = nullptr;
    ASSERT_EQ(GdipCreateBitmapFromScan0(4, 4, 0, PixelFormat32bppARGB, nullptr, &bitmap), Ok);
    ASSERT_EQ(GdipBitmapSetResolution(bitmap, 144, 144), Ok);
    GpGraphics* graphics = nullptr;
    ASSERT_EQ(GdipGetImageGraphicsContext(bitmap, &graphics), Ok);
    OwnedFont font;
    ASSERT_EQ(GdipCreateFont(family(u"DejaVu Sans"), 12, 0, 3, &font.handle), Ok);
    REAL height = 0;
    EXPECT_EQ(GdipGetFontHeight(font.handle, graphics, &height), Ok);
    EXPECT_FLOAT_EQ(height, 24.0f * 2384 / 2048);
    GdipDeleteGraphics(graphics);
    GdipDisposeImage(bitmap);
}

TEST_F(FontRoutines, DeletingTwiceIsRefusedNotACrash)
{
    GpFont* font = nullptr;
    ASSERT_EQ(GdipCreateFont(family(u"DejaVu Sans"), 12, 0, 3, &font), Ok);
    EXPECT_EQ(GdipDeleteFont(font), Ok);
    EXPECT_EQ(GdipDeleteFont(font), InvalidParameter);
    REAL size = 0;
    EXPECT_EQ(GdipGetFontSize(font, &size), InvalidParameter);
}

} // namespace
