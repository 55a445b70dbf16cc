#include "engine_fixture.h"
#include "memory_streams.h"
#include "pixel_expectations.h"

#include <cstring>
#include <vector>

namespace {

using raster_test::decode;
using raster_test::expectLoadRefused;
using raster_test::hex;
using raster_test::MemoryStream;
using raster_test::OwnedBitmap;
using raster_test::pixelsAre;

using Bytes = std::vector<std::uint8_t>;

class PngCodec : public EngineTest { };

// 2x2, 8-bit RGBA: opaque red, half-transparent green; opaque blue,
// transparent white.
const Bytes rgbaPng = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x48, 0x44, 0x52,
    0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x02, 0x08, 0x06, 0x00, 0x00, 0x00, 0x72, 0xB6, 0x0D, 0x24, 0x00, 0x00,
    0x00, 0x15, 0x49, 0x44, 0x41, 0x54, 0x78, 0xDA, 0x63, 0xF8, 0xCF, 0xC0, 0xF0, 0x1F, 0x08, 0x1B, 0x18, 0x80, 0x34,
    0x08, 0x30, 0x00, 0x00, 0x43, 0xD3, 0x08, 0x79, 0x78, 0xCE, 0x21, 0xCC, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4E,
    0x44, 0xAE, 0x42, 0x60, 0x82};

// 3x1, 8-bit RGB: 112233, 445566, 778899.
const Bytes rgbPng = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x48, 0x44, 0x52,
    0x00, 0x00, 0x00, 0x03, 0x00, 0x00, 0x00, 0x01, 0x08, 0x02, 0x00, 0x00, 0x00, 0x94, 0x82, 0x83, 0xE3, 0x00, 0x00,
    0x00, 0x12, 0x49, 0x44, 0x41, 0x54, 0x78, 0xDA, 0x63, 0x10, 0x54, 0x32, 0x76, 0x09, 0x4D, 0x2B, 0xEF, 0x98, 0x09,
    0x00, 0x0A, 0xFF, 0x02, 0xFE, 0x1F, 0x5A, 0x0D, 0x28, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4E, 0x44, 0xAE, 0x42,
    0x60, 0x82};

TEST_F(PngCodec, DecodesTinyFiles)
{
    const struct {
        const char* why;
        const Bytes& file;
        PixelFormat format;
        int width;
        std::vector<ARGB> pixels;
    } cases[] = {
        {"with alpha", rgbaPng, PixelFormat32bppARGB, 2, {0xFFFF0000, 0x8000FF00, 0xFF0000FF, 0x00FFFFFF}},
        {"without alpha", rgbPng, PixelFormat24bppRGB, 3, {0xFF112233, 0xFF445566, 0xFF778899}},
    };
    const GUID png{0xB96B3CAF, 0x0728, 0x11D3, {0x9D, 0x7B, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
    for (const auto& row : cases) {
        SCOPED_TRACE(row.why);
        OwnedBitmap bitmap;
        ASSERT_EQ(decode(row.file, bitmap), Ok);
        PixelFormat format = 0;
        GUID raw{};
        EXPECT_EQ(GdipGetImagePixelFormat(bitmap.get(), &format), Ok);
        EXPECT_EQ(GdipGetImageRawFormat(bitmap.get(), &raw), Ok);
        EXPECT_EQ(hex(format), hex(row.format));
        EXPECT_EQ(0, std::memcmp(&raw, &png, sizeof raw));
        EXPECT_TRUE(pixelsAre(bitmap.get(), [&](int x, int y) { return row.pixels[y * row.width + x]; }));
    }
}

TEST_F(PngCodec, RoundTripIsLossless)
{
    for (const PixelFormat written : {PixelFormat32bppARGB, PixelFormat24bppRGB}) {
        SCOPED_TRACE(hex(written));
        OwnedBitmap bitmap(5, 3, written);
        auto colourAt = [&](int x, int y) {
            const ARGB alpha =
                written == PixelFormat32bppARGB ? static_cast<ARGB>(40 * x + 3 * y + 1) << 24 : 0xFF000000u;
            return alpha | static_cast<ARGB>(x * 50) << 16 | static_cast<ARGB>(y * 80) << 8 | static_cast<ARGB>(x + y);
        };
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 5; ++x)
                ASSERT_EQ(GdipBitmapSetPixel(bitmap.get(), x, y, colourAt(x, y)), Ok);
        MemoryStream stream;
        ASSERT_EQ(GdipSaveImageToStream(bitmap.get(), stream.get(), &raster_test::pngEncoder, nullptr), Ok);
        OwnedBitmap decoded;
        ASSERT_EQ(decode(stream.contents(), decoded), Ok);
        EXPECT_TRUE(pixelsAre(decoded.get(), colourAt));
    }
}

TEST_F(PngCodec, MalformedFilesFailWithoutAnImage)
{
    Bytes truncated(rgbaPng.begin(), rgbaPng.begin() + 50);
    Bytes badChecksum = rgbaPng;
    badChecksum[30] ^= 0x01; // inside the header chunk's CRC
    Bytes hugeSize = rgbPng;
    hugeSize[16] = 0x7F; // width 2^31 - 2^24 or so, with a CRC that no longer matches
    const struct {
        const char* why;
        Bytes file;
    } cases[] = {
        {"the signature alone", Bytes(rgbaPng.begin(), rgbaPng.begin() + 8)},
        {"truncated", truncated},
        {"a corrupted header checksum", badChecksum},
        {"an absurd width", hugeSize},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.why);
        expectLoadRefused(row.file, OutOfMemory);
    }
}

} // namespace
