// Font: made from a family name through a temporary family that is deleted
// again, whatever happened.

#include "font.h"

#include "fake_fixture.h"

#include <gmock/gmock.h>

namespace quillory::testing {
namespace {

using ::testing::ElementsAre;

class FontTest : public FakeTest {
protected:
    FontTest()
    {
        fake.on.GdipCreateFontFamilyFromName = [this](const WCHAR*, GpFontCollection*, GpFontFamily** family) {
            if (familyStatus == Ok)
                *family = static_cast<GpFontFamily*>(FamilyHandle);
            return familyStatus;
        };
    }

    const Handle FamilyHandle = FakeHandle(0xFA);
    GpStatus familyStatus = Ok;
};

TEST_F(FontTest, CreateFromFamilyNameLooksTheFamilyUpMakesTheFontAndDeletesTheFamily)
{
    Font font;
    const float emSize = static_cast<float>(static_cast<float>(230 / 1080.0) * 70.0);
    EXPECT_TRUE(font.CreateFromFamilyName("Noto Sans CJK SC", emSize, 0, 3));
    EXPECT_EQ(LastStatus, Ok);
    EXPECT_THAT(
        fake.RoutinesCalled(), ElementsAre("GdipCreateFontFamilyFromName", "GdipCreateFont", "GdipDeleteFontFamily"));

    const auto lookup = OnlyCall("GdipCreateFontFamilyFromName");
    EXPECT_EQ(lookup.arguments[0].text, u"Noto Sans CJK SC");
    EXPECT_EQ(lookup.arguments[1].pointer, nullptr) << "an empty collection: the installed fonts";

    const auto create = OnlyCall("GdipCreateFont");
    ASSERT_EQ(create.arguments.size(), 5u);
    EXPECT_EQ(PointerArgument(create, 0), FamilyHandle);
    EXPECT_EQ(create.arguments[1].real, emSize);
    EXPECT_EQ(create.arguments[2].integer, 0) << "style";
    EXPECT_EQ(create.arguments[3].integer, 3) << "unit: points";
    EXPECT_EQ(font.GetNativeHandle(), FakeHandle(fake.LastHandleIssued()));

    EXPECT_EQ(PointerArgument(OnlyCall("GdipDeleteFontFamily"), 0), FamilyHandle);
}

TEST_F(FontTest, StyleAndUnitLeftOutCountAsZero)
{
    Font font;
    font.CreateFromFamilyName("DejaVu Sans", 12.5f);
    const auto create = OnlyCall("GdipCreateFont");
    EXPECT_EQ(create.arguments[1].real, 12.5);
    EXPECT_EQ(create.arguments[2].integer, 0);
    EXPECT_EQ(create.arguments[3].integer, 0);
}

TEST_F(FontTest, AnUnknownNamePassesANullFamilyAndReportsThePlatformsAnswer)
{
    familyStatus = FontFamilyNotFound;
    fake.SetStatus("GdipCreateFont", InvalidParameter);
    Font font;
    EXPECT_FALSE(font.CreateFromFamilyName("No Such Family", 70, 0, 3));
    EXPECT_EQ(LastStatus, InvalidParameter);
    EXPECT_EQ(PointerArgument(OnlyCall("GdipCreateFont"), 0), nullptr);
    EXPECT_EQ(font.GetNativeHandle(), nullptr) << "an empty font stays empty";
    EXPECT_TRUE(fake.CallsTo("GdipDeleteFontFamily").empty()) << "there is no family to delete";
}

TEST_F(FontTest, TheFontCreationsStatusIsTheAnswerNotTheFamilyRelease)
{
    struct Case {
        const char* why;
        GpStatus fontStatus;
        GpStatus releaseStatus;
    };
    const Case cases[] = {
        {"the font refused, the family released", FontStyleNotFound, Ok},
        {"the font made, the family release refused", Ok, InvalidParameter},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.why);
        fake.ClearCalls();
        fake.SetStatus("GdipCreateFont", each.fontStatus);
        fake.SetStatus("GdipDeleteFontFamily", each.releaseStatus);
        Font font;
        EXPECT_EQ(font.CreateFromFamilyName("DejaVu Sans", 10, 0, 3), each.fontStatus == Ok);
        EXPECT_EQ(LastStatus, each.fontStatus);
        EXPECT_EQ(fake.CallsTo("GdipDeleteFontFamily").size(), 1u) << "the family is deleted whatever happened";
    }
}

TEST_F(FontTest, CreatingOverAHeldFontDoesNotReleaseIt)
{
    Font font;
    font.SetNativeHandle(FakeHandle(0xF1));
    fake.SetStatus("GdipCreateFont", InvalidParameter);
    EXPECT_FALSE(font.CreateFromFamilyName("DejaVu Sans", 10));
    EXPECT_EQ(font.GetNativeHandle(), FakeHandle(0xF1));
    EXPECT_TRUE(fake.CallsTo("GdipDeleteFont").empty());
    font.SetNativeHandle(nullptr);
}

} // namespace
} // namespace quillory::testing
