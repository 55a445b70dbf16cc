#include "image/pixel_format.h"

#include "pixel_expectations.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace engine {
namespace {

using raster_test::hex;

std::string bytesText(const std::uint8_t* bytes, std::size_t count)
{
    std::string text;
    for (std::size_t index = 0; index < count; ++index) {
        char piece[4];
        std::snprintf(piece, sizeof piece, "%02X ", bytes[index]);
        text += piece;
    }
    return text;
}

struct LayoutCase {
    PixelFormat format;
    ARGB color;
    std::vector<std::uint8_t> bytes; // the pixel in memory order
};

// Where each channel lands in memory, with distinct channel values so that
// a swap shows.
TEST(PixelFormat, ChannelsLandWhereTheFormatSays)
{
    const LayoutCase cases[] = {
        {PixelFormat32bppARGB, 0x80112233, {0x33, 0x22, 0x11, 0x80}},
        {PixelFormat32bppPARGB, 0xFFFF8000, {0x00, 0x80, 0xFF, 0xFF}},
        {PixelFormat32bppRGB, 0x80112233, {0x33, 0x22, 0x11, 0xFF}},
        {PixelFormat24bppRGB, 0xFF112233, {0x33, 0x22, 0x11}},
        {PixelFormat16bppRGB555, 0xFFFF0000, {0x00, 0x7C}},
        {PixelFormat16bppRGB555, 0xFF0000FF, {0x1F, 0x00}},
        {PixelFormat16bppRGB565, 0xFF00FF00, {0xE0, 0x07}},
        {PixelFormat16bppARGB1555, 0xFFFF0000, {0x00, 0xFC}},
        {PixelFormat16bppGrayScale, 0xFFFFFFFF, {0xFF, 0xFF}},
        {PixelFormat48bppRGB, 0xFFFF0000, {0x00, 0x00, 0x00, 0x00, 0xFF, 0xFF}},
        {PixelFormat64bppARGB, 0x800000FF, {0xFF, 0xFF, 0x00, 0x00, 0x00, 0x00, 0x80, 0x80}},
    };
    for (const LayoutCase& row : cases) {
        const PixelFormatDescriptor* format = findPixelFormat(row.format);
        ASSERT_NE(format, nullptr);
        SCOPED_TRACE(format->name);
        ASSERT_EQ(format->bytesPerPixel(), row.bytes.size());
        std::uint8_t pixel[8] = {};
        storePixel(*format, pixel, row.color);
        EXPECT_EQ(bytesText(pixel, row.bytes.size()), bytesText(row.bytes.data(), row.bytes.size()));
    }
}

TEST(PixelFormat, DescriptorsReadTheirPropertiesFromTheCode)
{
    const PixelFormatDescriptor& argb = pixelFormat(PixelFormat32bppARGB);
    EXPECT_EQ(argb.bitsPerPixel(), 32u);
    EXPECT_TRUE(argb.hasAlpha());
    EXPECT_FALSE(argb.premultiplied());
    EXPECT_TRUE(pixelFormat(PixelFormat64bppPARGB).premultiplied());
    EXPECT_TRUE(pixelFormat(PixelFormat48bppRGB).extended());
    EXPECT_TRUE(pixelFormat(PixelFormat4bppIndexed).indexed());
    EXPECT_FALSE(pixelFormat(PixelFormat4bppIndexed).stored());
    EXPECT_FALSE(pixelFormat(PixelFormat32bppCMYK).stored());
    EXPECT_EQ(findPixelFormat(0x0026200B), nullptr) << "a code must match a format exactly";
}

// Opaque colours whose channels a format can hold come back exactly.
TEST(PixelFormat, OpaqueColoursRoundTripExactly)
{
    const ARGB colours[] = {0xFF000000, 0xFFFFFFFF, 0xFF123456, 0xFFFEDCBA, 0xFF7F8081};
    for (PixelFormat code : {PixelFormat24bppRGB, PixelFormat32bppRGB, PixelFormat32bppARGB, PixelFormat32bppPARGB,
             PixelFormat48bppRGB, PixelFormat64bppARGB, PixelFormat64bppPARGB}) {
        const PixelFormatDescriptor& format = pixelFormat(code);
        SCOPED_TRACE(format.name);
        std::vector<std::uint8_t> row(std::size(colours) * format.bytesPerPixel());
        std::vector<ARGB> back(std::size(colours));
        storeRow(format, colours, row.data(), static_cast<int>(std::size(colours)));
        loadRow(format, row.data(), back.data(), static_cast<int>(back.size()));
        for (std::size_t index = 0; index < back.size(); ++index)
            EXPECT_EQ(hex(back[index]), hex(colours[index]));
    }
}

// Every 5- and 6-bit value widens to 8 bits and narrows back to itself.
TEST(PixelFormat, SixteenBitChannelsRoundTripThroughEightBits)
{
    const PixelFormatDescriptor& format = pixelFormat(PixelFormat16bppRGB565);
    for (std::uint32_t word = 0; word < 0x10000; word += 7) {
        const std::uint8_t pixel[2] = {static_cast<std::uint8_t>(word), static_cast<std::uint8_t>(word >> 8)};
        const ARGB color = loadPixel(format, pixel);
        std::uint8_t back[2] = {};
        storePixel(format, back, color);
        ASSERT_EQ(bytesText(back, 2), bytesText(pixel, 2)) << hex(color);
    }
}

} // namespace
} // namespace engine
