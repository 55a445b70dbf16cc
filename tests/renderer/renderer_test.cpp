// The renderer's steps against the recording fake: what it asks the platform
// for, in which order, with which numbers.

#include "renderer.h"

#include "recording_fake.h"

#include <gtest/gtest.h>

#include <cmath>

namespace quillory {
namespace {

using testing::RecordingFake;

struct ColorCase {
    const char* why;
    ColorRef color;
    int alpha;
    std::uint32_t expected;
};

TEST(ColorRefToArgb, SwapsRedAndBlueAndSetsAlpha)
{
    const ColorCase cases[] = {
        {"left background", 0x7D7DFF, 255, 0xFFFF7D7D},
        {"right background", 0x9BFFB7, 255, 0xFFB7FF9B},
        {"black becomes opaque black", 0x000000, 255, 0xFF000000},
        {"a set top byte is replaced", 0xAB123456, 255, 0xFF563412},
        {"alpha given", 0x0000FF, 0x80, 0x80FF0000},
        {"alpha zero", 0xFFFFFF, 0, 0x00FFFFFF},
    };
    for (const auto& row : cases)
        EXPECT_EQ(ColorRefToArgb(row.color, row.alpha), row.expected) << row.why;
    EXPECT_EQ(ColorRefToArgb(0x7D7DFF), 0xFFFF7D7Du) << "alpha left out is 255";
}

Bytes RenderUnderFake(int width, int height)
{
    return RenderBackground(
        width, height, "Left Font", "Right Font", "左", "right", 0x000000, 0x0000FF, 0x7D7DFF, 0x9BFFB7);
}

TEST(RenderBackground, CallsThePlatformInTheRendererOrder)
{
    RecordingFake fake;
    RenderUnderFake(230, 320);
    std::vector<std::string> drawing;
    for (const auto& name : fake.RoutinesCalled()) {
        if (name.starts_with("GdipCreate") || name.starts_with("GdipDelete") || name.starts_with("GdipFill") ||
            name.starts_with("GdipDraw") || name.starts_with("GdipSet") || name == "GdipGetImageGraphicsContext" ||
            name == "GdipSaveImageToStream" || name == "GdipDisposeImage")
            drawing.push_back(name);
    }
    const std::vector<std::string> expected = {
        "GdipCreateBitmapFromScan0",
        "GdipGetImageGraphicsContext",
        "GdipCreateSolidFill",
        "GdipFillRectangle",
        "GdipSetSolidFillColor",
        "GdipFillRectangle",
        "GdipCreateFontFamilyFromName",
        "GdipCreateFont",
        "GdipDeleteFontFamily",
        "GdipCreateFontFamilyFromName",
        "GdipCreateFont",
        "GdipDeleteFontFamily",
        "GdipCreateStringFormat",
        "GdipSetStringFormatAlign",
        "GdipSetStringFormatLineAlign",
        "GdipSetSolidFillColor",
        "GdipDrawString",
        "GdipSetSolidFillColor",
        "GdipDrawString",
        "GdipDeleteStringFormat",
        "GdipDeleteFont",
        "GdipDeleteFont",
        "GdipDeleteBrush",
        "GdipDisposeImage", // the decoration, which the fake let load
        "GdipDeleteGraphics",
        "GdipSaveImageToStream",
        "GdipDisposeImage",
    };
    // The decoration's draw sits between the brush's deletion and its dispose.
    auto withoutDecorationDraw = drawing;
    std::erase(withoutDecorationDraw, std::string("GdipDrawImageRectRect"));
    EXPECT_EQ(withoutDecorationDraw, expected);
}

TEST(RenderBackground, FillsHalvesAndPlacesTextsOneTenthDown)
{
    RecordingFake fake;
    RenderUnderFake(231, 500);

    auto fills = fake.CallsTo("GdipFillRectangle");
    ASSERT_EQ(fills.size(), 2u);
    // An odd width leaves the last column to the bitmap's transparent black.
    EXPECT_EQ(fills[0].arguments[2].real, 0);
    EXPECT_EQ(fills[0].arguments[4].real, 115);
    EXPECT_EQ(fills[0].arguments[5].real, 500);
    EXPECT_EQ(fills[1].arguments[2].real, 115);
    EXPECT_EQ(fills[1].arguments[4].real, 115);

    auto colors = fake.CallsTo("GdipSetSolidFillColor");
    ASSERT_EQ(colors.size(), 3u);
    EXPECT_EQ(fake.CallsTo("GdipCreateSolidFill")[0].arguments[0].integer, 0xFFFF7D7D);
    EXPECT_EQ(colors[0].arguments[1].integer, 0xFFB7FF9B);
    EXPECT_EQ(colors[1].arguments[1].integer, 0xFF000000);
    EXPECT_EQ(colors[2].arguments[1].integer, 0xFFFF0000);

    auto texts = fake.CallsTo("GdipDrawString");
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].arguments[1].text, u"左");
    EXPECT_EQ(texts[1].arguments[1].text, u"right");
    const float top = static_cast<float>(500 * 0.1);
    auto left = texts[0].arguments[4].As<GpRectF>().at(0);
    auto right = texts[1].arguments[4].As<GpRectF>().at(0);
    EXPECT_EQ(left.X, 0);
    EXPECT_EQ(left.Y, top);
    EXPECT_EQ(left.Width, 115);
    EXPECT_EQ(left.Height, 500) << "the rectangle reaches past the bottom edge";
    EXPECT_EQ(right.X, 115);
    EXPECT_EQ(right.Y, top);

    auto format = fake.CallsTo("GdipCreateStringFormat").at(0);
    EXPECT_EQ(format.arguments[0].integer, 0x800);
    EXPECT_EQ(fake.CallsTo("GdipSetStringFormatAlign").at(0).arguments[1].integer, 1);
    EXPECT_EQ(fake.CallsTo("GdipSetStringFormatLineAlign").at(0).arguments[1].integer, 0);

    auto bitmap = fake.CallsTo("GdipCreateBitmapFromScan0").at(0);
    EXPECT_EQ(bitmap.arguments[0].integer, 231);
    EXPECT_EQ(bitmap.arguments[1].integer, 500);
    EXPECT_EQ(bitmap.arguments[3].integer, 0x0026200A);
}

TEST(RenderBackground, TextSizeScalesWithTheWidthInPoints)
{
    struct SizeCase {
        int width;
        double points;
    };
    for (const SizeCase row : {SizeCase{1080, 70.0}, SizeCase{230, 14.907}, SizeCase{1440, 93.333}}) {
        RecordingFake fake;
        RenderUnderFake(row.width, 100);
        auto fonts = fake.CallsTo("GdipCreateFont");
        ASSERT_EQ(fonts.size(), 2u);
        for (const auto& font : fonts) {
            EXPECT_NEAR(font.arguments[1].real, row.points, 0.001) << "width " << row.width;
            EXPECT_EQ(font.arguments[2].integer, 0) << "regular";
            EXPECT_EQ(font.arguments[3].integer, 3) << "points";
        }
    }
}

TEST(RenderBackground, DecorationOfNoBytesDrawsAnEmptyRectangle)
{
    RecordingFake fake;
    // What the engine answers for a stream without bytes.
    fake.SetStatus("GdipLoadImageFromStream", OutOfMemory);
    fake.SetStatus("GdipGetImageWidth", InvalidParameter);
    fake.SetStatus("GdipGetImageHeight", InvalidParameter);
    RenderUnderFake(1080, 1920);
    auto draws = fake.CallsTo("GdipDrawImageRectRect");
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_EQ(draws[0].arguments[1].pointer, nullptr) << "no image was loaded";
    EXPECT_EQ(draws[0].arguments[4].real, 0);
    EXPECT_EQ(draws[0].arguments[5].real, 0);
}

TEST(RenderBackground, ReturnsWhatTheBmpEncoderWroteIntoTheStream)
{
    RecordingFake fake;
    const GUID bmpFormat = {0xB96B3CAB, 0x0728, 0x11D3, {0x9D, 0x7B, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
    const CLSID bmpEncoder = {0x557CF400, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
    fake.on.GdipGetImageEncodersSize = [](UINT* count, UINT* size) {
        *count = 1;
        *size = sizeof(ImageCodecInfo);
        return GpStatus{Ok};
    };
    fake.on.GdipGetImageEncoders = [&](UINT, UINT, ImageCodecInfo* encoders) {
        encoders[0].Clsid = bmpEncoder;
        encoders[0].FormatID = bmpFormat;
        return GpStatus{Ok};
    };
    CLSID usedEncoder{};
    fake.on.GdipSaveImageToStream = [&](GpImage*, IStream* stream, const CLSID* encoder,
                                        const EncoderParameters* parameters) {
        usedEncoder = *encoder;
        EXPECT_EQ(parameters, nullptr);
        const char file[] = "BM-file";
        stream->lpVtbl->Write(stream, file, 7, nullptr);
        return GpStatus{Ok};
    };
    Bytes bytes = RenderUnderFake(10, 10);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "BM-file");
    EXPECT_EQ(std::memcmp(&usedEncoder, &bmpEncoder, sizeof(CLSID)), 0);
}

} // namespace
} // namespace quillory
