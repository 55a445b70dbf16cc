// FontFamily: lookup by name among the installed fonts or in a collection.

#include "font_family.h"

#include "fake_fixture.h"

#include <gmock/gmock.h>

namespace quillory::testing {
namespace {

using FontFamilyTest = FakeTest;

TEST_F(FontFamilyTest, CreateFromNamePassesTheNameAsUtf16AndTakesTheFamily)
{
    struct Case {
        std::string name;
        std::u16string expected;
    };
    const Case cases[] = {{"DejaVu Sans", u"DejaVu Sans"}, {"华康娃娃体W5", u"华康娃娃体W5"}, {"", u""}};
    for (const auto& each : cases) {
        SCOPED_TRACE(each.name);
        fake.ClearCalls();
        FontFamily family;
        EXPECT_TRUE(family.CreateFromName(each.name));
        EXPECT_EQ(LastStatus, Ok);
        const auto call = OnlyCall("GdipCreateFontFamilyFromName");
        ASSERT_EQ(call.arguments.size(), 3u);
        EXPECT_NE(call.arguments[0].pointer, nullptr);
        EXPECT_EQ(call.arguments[0].text, each.expected);
        EXPECT_EQ(call.arguments[1].pointer, nullptr) << "no collection: the installed fonts";
        EXPECT_EQ(family.GetNativeHandle(), FakeHandle(fake.LastHandleIssued()));
        family.Delete();
    }
}

TEST_F(FontFamilyTest, ACollectionIsPassedAsItsHandleAndAnEmptyOneAsNull)
{
    FontFamily family;
    ImagingObject collection;
    family.CreateFromName("Serif", &collection);
    collection.SetNativeHandle(FakeHandle(0xC011));
    family.CreateFromName("Serif", &collection);
    const auto calls = fake.CallsTo("GdipCreateFontFamilyFromName");
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(PointerArgument(calls[0], 1), nullptr);
    EXPECT_EQ(PointerArgument(calls[1], 1), FakeHandle(0xC011));
}

TEST_F(FontFamilyTest, AnUnknownNameLeavesAnEmptyFamilyEmpty)
{
    fake.SetStatus("GdipCreateFontFamilyFromName", FontFamilyNotFound);
    FontFamily family;
    EXPECT_FALSE(family.CreateFromName("No Such Family"));
    EXPECT_EQ(LastStatus, FontFamilyNotFound);
    EXPECT_EQ(family.GetNativeHandle(), nullptr);
}

} // namespace
} // namespace quillory::testing
