// The object base every imaging class shares (handle copies, release rules,
// platform memory) and the text and GUID conversions.

#include "bitmap.h"
#include "fake_fixture.h"
#include "font.h"
#include "font_family.h"
#include "graphics.h"
#include "image.h"
#include "solid_brush.h"
#include "string_format.h"

#include <gmock/gmock.h>

#include <functional>
#include <memory>

namespace quillory::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

// Each class exposes every copy of its handle.
struct ImageProbe : Image {
    std::vector<Handle> Copies() const { return {NativeHandle, ClassHandle}; }
};
struct BitmapProbe : Bitmap {
    std::vector<Handle> Copies() const { return {NativeHandle, ClassHandle, BitmapHandle}; }
};
struct GraphicsProbe : Graphics {
    std::vector<Handle> Copies() const { return {NativeHandle, ClassHandle}; }
};
struct SolidBrushProbe : SolidBrush {
    std::vector<Handle> Copies() const { return {NativeHandle, ClassHandle, SolidFillHandle}; }
};
struct FontProbe : Font {
    std::vector<Handle> Copies() const { return {NativeHandle, ClassHandle}; }
};
struct FontFamilyProbe : FontFamily {
    std::vector<Handle> Copies() const { return {NativeHandle, ClassHandle}; }
};
struct StringFormatProbe : StringFormat {
    std::vector<Handle> Copies() const { return {NativeHandle, ClassHandle}; }
};

struct ClassCase {
    const char* name;
    std::function<std::unique_ptr<ImagingObject>()> make;
    std::function<std::vector<Handle>(const ImagingObject&)> copies;
    // The class's release operation and the routine it calls.
    std::function<bool(ImagingObject&)> release;
    const char* releaseRoutine;
    // FontFamily leaves its platform family alone when destroyed.
    bool destructionReleases;
};

template <typename Probe> std::function<std::unique_ptr<ImagingObject>()> Maker()
{
    return [] { return std::make_unique<Probe>(); };
}

template <typename Probe> std::function<std::vector<Handle>(const ImagingObject&)> CopiesOf()
{
    return [](const ImagingObject& object) { return static_cast<const Probe&>(object).Copies(); };
}

const std::vector<ClassCase>& Classes()
{
    static const std::vector<ClassCase> classes = {
        {"Image", Maker<ImageProbe>(), CopiesOf<ImageProbe>(),
            [](ImagingObject& object) { return static_cast<Image&>(object).Dispose(); }, "GdipDisposeImage", true},
        {"Bitmap", Maker<BitmapProbe>(), CopiesOf<BitmapProbe>(),
            [](ImagingObject& object) { return static_cast<Bitmap&>(object).Dispose(); }, "GdipDisposeImage", true},
        {"Graphics", Maker<GraphicsProbe>(), CopiesOf<GraphicsProbe>(),
            [](ImagingObject& object) { return static_cast<Graphics&>(object).Delete(); }, "GdipDeleteGraphics", true},
        {"SolidBrush", Maker<SolidBrushProbe>(), CopiesOf<SolidBrushProbe>(),
            [](ImagingObject& object) { return static_cast<SolidBrush&>(object).Delete(); }, "GdipDeleteBrush", true},
        {"Font", Maker<FontProbe>(), CopiesOf<FontProbe>(),
            [](ImagingObject& object) { return static_cast<Font&>(object).Delete(); }, "GdipDeleteFont", true},
        {"FontFamily", Maker<FontFamilyProbe>(), CopiesOf<FontFamilyProbe>(),
            [](ImagingObject& object) { return static_cast<FontFamily&>(object).Delete(); }, "GdipDeleteFontFamily",
            false},
        {"StringFormat", Maker<StringFormatProbe>(), CopiesOf<StringFormatProbe>(),
            [](ImagingObject& object) { return static_cast<StringFormat&>(object).Delete(); }, "GdipDeleteStringFormat",
            true},
    };
    return classes;
}

using ImagingObjectTest = FakeTest;

TEST_F(ImagingObjectTest, SetNativeHandleKeepsEveryCopyEqualAndZeroClearsThemAll)
{
    const Handle handle = FakeHandle(0x51);
    for (const auto& each : Classes()) {
        SCOPED_TRACE(each.name);
        auto object = each.make();
        EXPECT_THAT(each.copies(*object), ::testing::Each(nullptr)) << "a new object holds nothing";
        object->SetNativeHandle(handle);
        EXPECT_THAT(each.copies(*object), ::testing::Each(handle));
        EXPECT_EQ(object->GetNativeHandle(), handle);
        object->SetNativeHandle(nullptr);
        EXPECT_THAT(each.copies(*object), ::testing::Each(nullptr));
    }
    EXPECT_TRUE(fake.Calls().empty()) << "handing a handle over calls nothing";
    EXPECT_EQ(LastStatus, UntouchedStatus);
}

TEST_F(ImagingObjectTest, ReleasingAnEmptyObjectCallsNothingAndKeepsLastStatus)
{
    for (const auto& each : Classes()) {
        SCOPED_TRACE(each.name);
        auto object = each.make();
        EXPECT_FALSE(each.release(*object));
        object.reset();
    }
    EXPECT_TRUE(fake.Calls().empty());
    EXPECT_EQ(LastStatus, UntouchedStatus);
}

TEST_F(ImagingObjectTest, ReleasePassesTheHandleThenEmptiesTheObjectWhateverTheStatus)
{
    const Handle handle = FakeHandle(0x77);
    for (GpStatus status : {GpStatus{Ok}, GpStatus{InvalidParameter}, GpStatus{ObjectBusy}}) {
        for (const auto& each : Classes()) {
            SCOPED_TRACE(::testing::Message() << each.name << " answering " << status);
            fake.ClearCalls();
            fake.SetStatus(each.releaseRoutine, status);
            auto object = each.make();
            object->SetNativeHandle(handle);

            EXPECT_EQ(each.release(*object), status == Ok);
            EXPECT_EQ(LastStatus, status);
            const auto call = OnlyCall(each.releaseRoutine);
            ASSERT_EQ(call.arguments.size(), 1u);
            EXPECT_EQ(PointerArgument(call, 0), handle);
            EXPECT_THAT(each.copies(*object), ::testing::Each(nullptr));

            // A second release finds the object empty.
            LastStatus = UntouchedStatus;
            EXPECT_FALSE(each.release(*object));
            EXPECT_EQ(fake.Calls().size(), 1u);
            EXPECT_EQ(LastStatus, UntouchedStatus);
        }
    }
}

TEST_F(ImagingObjectTest, DestructionReleasesTheHandleOnceExceptForAFontFamily)
{
    const Handle handle = FakeHandle(0x99);
    for (const auto& each : Classes()) {
        SCOPED_TRACE(each.name);
        fake.ClearCalls();
        each.make()->SetNativeHandle(handle);
        const auto calls = fake.CallsTo(each.releaseRoutine);
        if (each.destructionReleases) {
            ASSERT_EQ(calls.size(), 1u);
            EXPECT_EQ(PointerArgument(calls.front(), 0), handle);
        } else {
            EXPECT_TRUE(calls.empty());
        }
        EXPECT_EQ(fake.Calls().size(), calls.size()) << "destruction calls nothing else";
    }
}

TEST_F(ImagingObjectTest, AllocAndFreeUsePlatformMemoryAndLeaveLastStatus)
{
    StringFormat object;
    void* memory = object.Alloc(60);
    ASSERT_NE(memory, nullptr);
    object.Free(memory);

    ASSERT_THAT(fake.RoutinesCalled(), ElementsAre("GdipAlloc", "GdipFree"));
    EXPECT_EQ(fake.Calls()[0].arguments[0].integer, 60);
    EXPECT_EQ(fake.Calls()[1].arguments[0].pointer, memory);
    EXPECT_EQ(LastStatus, UntouchedStatus);
}

TEST_F(ImagingObjectTest, StoreStatusIsWhatEveryOperationRecordsThrough)
{
    EXPECT_EQ(StoreStatus(FontFamilyNotFound), FontFamilyNotFound);
    EXPECT_EQ(LastStatus, FontFamilyNotFound);
    EXPECT_FALSE(RefuseArgument());
    EXPECT_EQ(LastStatus, InvalidParameter);
}

// The conversions run on the Windows stand-ins, not on the fake.

Bytes Utf16(std::u16string_view text)
{
    Bytes bytes;
    for (char16_t unit : text) {
        bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    return bytes;
}

struct AnsiToWideCase {
    const char* why;
    std::string text;
    std::u16string expected; // with its terminating NUL
};

TEST(AnsiToWideTest, GivesUtf16WithOneTerminatingUnit)
{
    const AnsiToWideCase cases[] = {
        {"empty text: only the terminator", "", std::u16string(1, u'\0')},
        {"ASCII", "Hi!", std::u16string(u"Hi!\0", 4)},
        {"Chinese, two units", "你好", std::u16string(u"你好\0", 3)},
        {"outside the basic plane: a surrogate pair", "\xF0\x9F\x98\x80", std::u16string(u"\U0001F600\0", 3)},
        {"malformed UTF-8 becomes U+FFFD",
            "a\xFF"
            "b",
            std::u16string(u"a\uFFFDb\0", 4)},
        {"a truncated sequence at the end is not read past", "a\xE4\xBD", std::u16string(u"a\uFFFD\0", 3)},
        {"text after an embedded NUL is not converted", std::string("ab\0cd", 5), std::u16string(u"ab\0", 3)},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.why);
        EXPECT_EQ(AnsiToWide(each.text), Utf16(each.expected));
    }
}

TEST(AnsiToWideTest, MissingTextGivesEmptyBytesThatReachThePlatformAsNull)
{
    const Bytes wide = AnsiToWide(static_cast<const char*>(nullptr));
    EXPECT_TRUE(wide.empty());
    EXPECT_EQ(WideText(wide), nullptr);
    EXPECT_EQ(WideLength(wide), 0);
}

TEST(WideToAnsiTest, ConvertsToUtf8UpToTheFirstNul)
{
    EXPECT_EQ(WideToAnsi(nullptr), "");
    const std::u16string texts[] = {u"", u"Hello", u"华康娃娃体W5", u"\U0001F600"};
    for (const auto& text : texts)
        EXPECT_EQ(AnsiToWide(WideToAnsi(reinterpret_cast<const WCHAR*>(text.c_str()))), Utf16(text + u'\0'));
    const std::u16string embedded(u"ab\0cd", 6);
    EXPECT_EQ(WideToAnsi(reinterpret_cast<const WCHAR*>(embedded.c_str())), "ab");
}

TEST(WideToAnsiTest, AsciiRoundTripsExactly)
{
    std::string ascii;
    for (char character = 1; character < 0x7F; ++character)
        ascii += character;
    const Bytes wide = AnsiToWide(ascii);
    EXPECT_EQ(WideToAnsi(WideText(wide)), ascii);
}

TEST(WideLengthTest, CountsUnitsBeforeTheFirstNulAndNeverPastTheBuffer)
{
    EXPECT_EQ(WideLength({}), 0);
    EXPECT_EQ(WideLength(Utf16(std::u16string(u"ab\0cd\0", 6))), 2);
    EXPECT_EQ(WideLength(Utf16(u"abc")), 3) << "no terminator: the count stops at the end of the buffer";
    EXPECT_EQ(WideLength(Bytes{'a', 0, 'b'}), 1) << "a half unit at the end is not a unit";
}

const char* const BmpFormat = "{B96B3CAB-0728-11D3-9D7B-0000F81EF32E}";
const Bytes BmpFormatBytes = {
    0xAB, 0x3C, 0x6B, 0xB9, 0x28, 0x07, 0xD3, 0x11, 0x9D, 0x7B, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E};

TEST(GuidTextTest, BmpFormatRoundTrips)
{
    EXPECT_EQ(GuidToText(BmpFormatBytes), BmpFormat);
    EXPECT_EQ(TextToGuid(BmpFormat), BmpFormatBytes);
}

TEST(GuidTextTest, TextThatIsNoGuidGivesSixteenZeroBytes)
{
    const char* const texts[] = {"", "not a guid", "{B96B3CAB-0728-11D3-9D7B-0000F81EF32E", "B96B3CAB"};
    for (const char* text : texts)
        EXPECT_EQ(TextToGuid(text), Bytes(16, 0)) << text;
}

TEST(GuidTextTest, LowerCaseDigitsReadTheSameGuidButTextComesBackUpperCase)
{
    EXPECT_EQ(TextToGuid("{b96b3cab-0728-11d3-9d7b-0000f81ef32e}"), BmpFormatBytes);
    EXPECT_EQ(GuidToText(Bytes(16, 0)), "{00000000-0000-0000-0000-000000000000}");
}

TEST(GuidTextTest, ConversionsLeaveLastStatusAlone)
{
    LastStatus = UntouchedStatus;
    GuidToText(BmpFormatBytes);
    TextToGuid(BmpFormat);
    AnsiToWide("x");
    EXPECT_EQ(LastStatus, UntouchedStatus);
}

TEST(GuidTextTest, FewerThanSixteenBytesAreRefusedNotReadPast)
{
    LastStatus = UntouchedStatus;
    EXPECT_EQ(GuidToText(Bytes(15, 0xAB)), "");
    EXPECT_EQ(LastStatus, InvalidParameter);
}

} // namespace
} // namespace quillory::testing
