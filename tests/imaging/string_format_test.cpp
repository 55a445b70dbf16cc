// StringFormat: creation and the two alignments the renderer sets.

#include "string_format.h"

#include "fake_fixture.h"

#include <gmock/gmock.h>

namespace quillory::testing {
namespace {

using ::testing::ElementsAre;

using StringFormatTest = FakeTest;

TEST_F(StringFormatTest, CreatePassesFlagsAndLanguage)
{
    struct Case {
        const char* why;
        std::optional<std::int32_t> flags;
        std::optional<std::int32_t> language;
        std::int64_t expectedFlags;
        std::int64_t expectedLanguage;
    };
    const Case cases[] = {
        {"both left out", std::nullopt, std::nullopt, 0, 0},
        {"the renderer's: measure trailing spaces", 2048, 0, 2048, 0},
        {"a language", 0x4000, 0x0804, 0x4000, 0x0804},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.why);
        fake.ClearCalls();
        StringFormat format;
        bool created = false;
        if (each.flags && each.language)
            created = format.Create(*each.flags, *each.language);
        else
            created = format.Create();
        EXPECT_TRUE(created);
        EXPECT_EQ(LastStatus, Ok);
        const auto call = OnlyCall("GdipCreateStringFormat");
        EXPECT_EQ(call.arguments[0].integer, each.expectedFlags);
        EXPECT_EQ(call.arguments[1].integer, each.expectedLanguage);
        EXPECT_EQ(format.GetNativeHandle(), FakeHandle(fake.LastHandleIssued()));
    }
}

TEST_F(StringFormatTest, AFailedCreateKeepsWhatTheFormatHeld)
{
    fake.SetStatus("GdipCreateStringFormat", OutOfMemory);
    StringFormat format;
    EXPECT_FALSE(format.Create(2048, 0));
    EXPECT_EQ(LastStatus, OutOfMemory);
    EXPECT_EQ(format.GetNativeHandle(), nullptr);

    format.SetNativeHandle(FakeHandle(0x5F));
    EXPECT_FALSE(format.Create());
    EXPECT_EQ(format.GetNativeHandle(), FakeHandle(0x5F));
    format.SetNativeHandle(nullptr);
}

TEST_F(StringFormatTest, TheRenderersSequenceHandsEachValueOnUnchanged)
{
    {
        StringFormat format;
        format.Create(2048, 0);
        EXPECT_TRUE(format.SetAlign(1));
        EXPECT_TRUE(format.SetLineAlign(0));
        EXPECT_TRUE(format.Delete());
    }
    ASSERT_THAT(fake.RoutinesCalled(),
        ElementsAre("GdipCreateStringFormat", "GdipSetStringFormatAlign", "GdipSetStringFormatLineAlign",
            "GdipDeleteStringFormat"));
    const Handle handle = FakeHandle(fake.LastHandleIssued());
    for (std::size_t index = 1; index < 4; ++index)
        EXPECT_EQ(PointerArgument(fake.Calls()[index], 0), handle) << fake.Calls()[index].routine;
    EXPECT_EQ(fake.Calls()[1].arguments[1].integer, 1);
    EXPECT_EQ(fake.Calls()[2].arguments[1].integer, 0);
}

TEST_F(StringFormatTest, SettersReportThePlatformsStatusAndPassANullHandleWhenEmpty)
{
    struct Case {
        const char* routine;
        bool (StringFormat::*set)(std::int32_t);
    };
    for (const auto& each : {Case{"GdipSetStringFormatAlign", &StringFormat::SetAlign},
             Case{"GdipSetStringFormatLineAlign", &StringFormat::SetLineAlign}}) {
        SCOPED_TRACE(each.routine);
        fake.ClearCalls();
        fake.SetStatus(each.routine, InvalidParameter);
        StringFormat empty;
        EXPECT_FALSE((empty.*each.set)(2));
        EXPECT_EQ(LastStatus, InvalidParameter);
        const auto call = OnlyCall(each.routine);
        EXPECT_EQ(PointerArgument(call, 0), nullptr);
        EXPECT_EQ(call.arguments[1].integer, 2);
    }
}

} // namespace
} // namespace quillory::testing
