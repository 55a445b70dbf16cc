#include "engine_fixture.h"
#include "text_objects.h"

namespace {

using text_test::OwnedFormat;

class StringFormatRoutines : public EngineTest { };

struct FormatState {
    INT flags;
    StringAlignment align;
    StringAlignment lineAlign;
};

::testing::AssertionResult stateIs(GpStringFormat* format, const FormatState& expected)
{
    FormatState actual{-1, -1, -1};
    if (GdipGetStringFormatFlags(format, &actual.flags) != Ok ||
        GdipGetStringFormatAlign(format, &actual.align) != Ok ||
        GdipGetStringFormatLineAlign(format, &actual.lineAlign) != Ok)
        return ::testing::AssertionFailure() << "the format cannot be read";
    if (actual.flags != expected.flags || actual.align != expected.align || actual.lineAlign != expected.lineAlign)
        return ::testing::AssertionFailure()
            << "flags " << actual.flags << ", align " << actual.align << ", line align " << actual.lineAlign;
    return ::testing::AssertionSuccess();
}

TEST_F(StringFormatRoutines, NewFormatsStartAsDocumented)
{
    OwnedFormat created;
    OwnedFormat genericDefault;
    OwnedFormat typographic;
    ASSERT_EQ(GdipCreateStringFormat(0x800, 0, &created.handle), Ok);
    ASSERT_EQ(GdipStringFormatGetGenericDefault(&genericDefault.handle), Ok);
    ASSERT_EQ(GdipStringFormatGetGenericTypographic(&typographic.handle), Ok);
    EXPECT_TRUE(stateIs(created.handle, {0x800, 0, 0}));
    EXPECT_TRUE(stateIs(genericDefault.handle, {0, 0, 0}));
    EXPECT_TRUE(stateIs(typographic.handle, {0x6004, 0, 0}));
}

TEST_F(StringFormatRoutines, GenericFormatsAreTheCallersOwn)
{
    OwnedFormat first;
    OwnedFormat second;
    ASSERT_EQ(GdipStringFormatGetGenericDefault(&first.handle), Ok);
    ASSERT_EQ(GdipStringFormatGetGenericDefault(&second.handle), Ok);
    ASSERT_NE(first.handle, second.handle);
    ASSERT_EQ(GdipSetStringFormatAlign(first.handle, 2), Ok);
    EXPECT_TRUE(stateIs(second.handle, {0, 0, 0})) << "changing one leaves the other as it was";
    EXPECT_EQ(GdipDeleteStringFormat(first.handle), Ok);
    first.handle = nullptr;
    EXPECT_TRUE(stateIs(second.handle, {0, 0, 0}));
}

TEST_F(StringFormatRoutines, SettersTakeTheEnumerationsValuesOnly)
{
    struct Row {
        const char* why;
        GpStatus (*set)(GpStringFormat*, StringAlignment);
        StringAlignment value;
        GpStatus status;
    };
    const Row rows[] = {
        {"align near", GdipSetStringFormatAlign, 0, Ok},
        {"align centre", GdipSetStringFormatAlign, 1, Ok},
        {"align far", GdipSetStringFormatAlign, 2, Ok},
        {"align past the enumeration", GdipSetStringFormatAlign, 3, InvalidParameter},
        {"align negative", GdipSetStringFormatAlign, -1, InvalidParameter},
        {"line align far", GdipSetStringFormatLineAlign, 2, Ok},
        {"line align past the enumeration", GdipSetStringFormatLineAlign, 3, InvalidParameter},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        OwnedFormat format;
        ASSERT_EQ(GdipCreateStringFormat(0, 0, &format.handle), Ok);
        EXPECT_EQ(row.set(format.handle, row.value), row.status);
        StringAlignment align = -1;
        StringAlignment lineAlign = -1;
        GdipGetStringFormatAlign(format.handle, &align);
        GdipGetStringFormatLineAlign(format.handle, &lineAlign);
        StringAlignment changed = row.set == GdipSetStringFormatAlign ? align : lineAlign;
        StringAlignment unchanged = row.set == GdipSetStringFormatAlign ? lineAlign : align;
        EXPECT_EQ(changed, row.status == Ok ? row.value : 0) << "a refusal leaves the format as it was";
        EXPECT_EQ(unchanged, 0);
    }
}

TEST_F(StringFormatRoutines, TheRenderersSequence)
{
    OwnedFormat format;
    ASSERT_EQ(GdipCreateStringFormat(2048, 0, &format.handle), Ok);
    ASSERT_EQ(GdipSetStringFormatAlign(format.handle, 1), Ok);
    ASSERT_EQ(GdipSetStringFormatLineAlign(format.handle, 0), Ok);
    EXPECT_TRUE(stateIs(format.handle, {2048, 1, 0}));
    ASSERT_EQ(GdipSetStringFormatFlags(format.handle, 0x1000), Ok);
    EXPECT_TRUE(stateIs(format.handle, {0x1000, 1, 0}));
}

TEST_F(StringFormatRoutines, AClonesSettingsAreItsOwn)
{
    OwnedFormat original;
    ASSERT_EQ(GdipCreateStringFormat(0x2000, 0, &original.handle), Ok);
    ASSERT_EQ(GdipSetStringFormatAlign(original.handle, 2), Ok);
    OwnedFormat clone;
    ASSERT_EQ(GdipCloneStringFormat(original.handle, &clone.handle), Ok);
    EXPECT_TRUE(stateIs(clone.handle, {0x2000, 2, 0}));
    ASSERT_EQ(GdipSetStringFormatLineAlign(clone.handle, 1), Ok);
    EXPECT_TRUE(stateIs(original.handle, {0x2000, 2, 0}));
}

TEST_F(StringFormatRoutines, RefusesBadHandlesAndOutputs)
{
    OwnedFormat format;
    ASSERT_EQ(GdipCreateStringFormat(0, 0, &format.handle), Ok);
    INT flags = 0;
    StringAlignment align = 0;
    EXPECT_EQ(GdipCreateStringFormat(0, 0, nullptr), InvalidParameter);
    EXPECT_EQ(GdipStringFormatGetGenericDefault(nullptr), InvalidParameter);
    EXPECT_EQ(GdipGetStringFormatFlags(format.handle, nullptr), InvalidParameter);
    EXPECT_EQ(GdipGetStringFormatAlign(format.handle, nullptr), InvalidParameter);
    EXPECT_EQ(GdipGetStringFormatLineAlign(nullptr, &align), InvalidParameter);
    EXPECT_EQ(GdipSetStringFormatFlags(nullptr, 0), InvalidParameter);
    EXPECT_EQ(GdipCloneStringFormat(format.handle, nullptr), InvalidParameter);
    // Another kind of object behind the handle.
    GpFontFamily* family = nullptr;
    ASSERT_EQ(GdipGetGenericFontFamilySansSerif(&family), Ok);
    EXPECT_EQ(GdipGetStringFormatFlags(reinterpret_cast<GpStringFormat*>(family), &flags), InvalidParameter);
    EXPECT_EQ(GdipDeleteStringFormat(reinterpret_cast<GpStringFormat*>(family)), InvalidParameter);
    EXPECT_EQ(GdipDeleteFontFamily(family), Ok);

    GpStringFormat* deleted = nullptr;
    ASSERT_EQ(GdipCreateStringFormat(0, 0, &deleted), Ok);
    EXPECT_EQ(GdipDeleteStringFormat(deleted), Ok);
    EXPECT_EQ(GdipDeleteStringFormat(deleted), InvalidParameter);
    EXPECT_EQ(GdipSetStringFormatAlign(deleted, 1), InvalidParameter);
}

} // namespace
