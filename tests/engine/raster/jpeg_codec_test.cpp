#include "engine_fixture.h"
#include "memory_streams.h"
#include "pixel_expectations.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <jpeglib.h>

namespace {

using raster_test::expectLoadRefused;
using raster_test::hex;
using raster_test::MemoryStream;
using raster_test::OwnedBitmap;

using Bytes = std::vector<std::uint8_t>;

class JpegCodec : public EngineTest { };

// A 16x8 JPEG written by libjpeg at full quality without chroma
// subsampling: the left 8 columns one colour, the right 8 another, so each
// 8x8 block is flat and decodes to within a step or two of its colour.
Bytes writeJpeg(bool gray, UINT8 densityUnit, UINT16 xDensity, UINT16 yDensity)
{
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* memory = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &memory, &size);
    info.image_width = 16;
    info.image_height = 8;
    info.input_components = gray ? 1 : 3;
    info.in_color_space = gray ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 100, TRUE);
    for (int component = 0; component < info.num_components; ++component) {
        info.comp_info[component].h_samp_factor = 1;
        info.comp_info[component].v_samp_factor = 1;
    }
    info.density_unit = densityUnit;
    info.X_density = xDensity;
    info.Y_density = yDensity;
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> row(16 * 3);
    for (int x = 0; x < 16; ++x) {
        const bool left = x < 8;
        if (gray) {
            row[x] = left ? 0x20 : 0xD0;
        } else {
            row[3 * x] = left ? 0xFF : 0x00;
            row[3 * x + 1] = left ? 0x00 : 0x80;
            row[3 * x + 2] = left ? 0x00 : 0xFF;
        }
    }
    while (info.next_scanline < info.image_height) {
        JSAMPROW pointer = row.data();
        jpeg_write_scanlines(&info, &pointer, 1);
    }
    jpeg_finish_compress(&info);
    Bytes file(memory, memory + size);
    jpeg_destroy_compress(&info);
    std::free(memory);
    return file;
}

::testing::AssertionResult near(ARGB actual, ARGB expected)
{
    for (int shift : {24, 16, 8, 0}) {
        const int difference =
            static_cast<int>((actual >> shift) & 0xFF) - static_cast<int>((expected >> shift) & 0xFF);
        if (difference > 3 || difference < -3)
            return ::testing::AssertionFailure() << "expected about " << hex(expected) << ", actual " << hex(actual);
    }
    return ::testing::AssertionSuccess();
}

TEST_F(JpegCodec, DecodesColourAndGrayFilesWithTheirResolution)
{
    const struct {
        const char* why;
        bool gray;
        UINT8 unit;
        UINT16 x;
        UINT16 y;
        ARGB left;
        ARGB right;
        REAL dpiX;
        REAL dpiY;
    } cases[] = {
        {"colour, dots per inch", false, 1, 300, 150, 0xFFFF0000, 0xFF0080FF, 300, 150},
        {"gray, dots per centimetre", true, 2, 100, 100, 0xFF202020, 0xFFD0D0D0, 254, 254},
        {"no unit: only an aspect ratio", false, 0, 1, 1, 0xFFFF0000, 0xFF0080FF, 96, 96},
    };
    const GUID jpeg{0xB96B3CAE, 0x0728, 0x11D3, {0x9D, 0x7B, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
    for (const auto& row : cases) {
        SCOPED_TRACE(row.why);
        MemoryStream stream(writeJpeg(row.gray, row.unit, row.x, row.y));
        OwnedBitmap bitmap;
        ASSERT_EQ(GdipLoadImageFromStream(stream.get(), bitmap.out()), Ok);
        PixelFormat format = 0;
        GUID raw{};
        REAL dpiX = 0, dpiY = 0;
        EXPECT_EQ(GdipGetImagePixelFormat(bitmap.get(), &format), Ok);
        EXPECT_EQ(GdipGetImageRawFormat(bitmap.get(), &raw), Ok);
        EXPECT_EQ(GdipGetImageHorizontalResolution(bitmap.get(), &dpiX), Ok);
        EXPECT_EQ(GdipGetImageVerticalResolution(bitmap.get(), &dpiY), Ok);
        EXPECT_EQ(hex(format), hex(PixelFormat24bppRGB));
        EXPECT_EQ(0, std::memcmp(&raw, &jpeg, sizeof raw));
        EXPECT_NEAR(dpiX, row.dpiX, 0.01);
        EXPECT_NEAR(dpiY, row.dpiY, 0.01);
        for (int y = 0; y < 8; ++y) {
            for (int x = 0; x < 16; ++x) {
                ARGB actual = 0;
                ASSERT_EQ(GdipBitmapGetPixel(bitmap.get(), x, y, &actual), Ok);
                EXPECT_TRUE(near(actual, x < 8 ? row.left : row.right)) << "at x " << x << ", y " << y;
            }
        }
    }
}

TEST_F(JpegCodec, MalformedFilesFailWithoutAnImage)
{
    const Bytes whole = writeJpeg(false, 1, 96, 96);
    Bytes headerOnly(whole.begin(), whole.begin() + 20);
    const struct {
        const char* why;
        Bytes file;
    } cases[] = {
        {"the start marker alone", {0xFF, 0xD8}},
        {"garbage after the start marker", {0xFF, 0xD8, 'n', 'o', 't', ' ', 'a', ' ', 'j', 'p', 'e', 'g'}},
        {"cut off inside the headers", headerOnly},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.why);
        expectLoadRefused(row.file, OutOfMemory);
    }
}

} // namespace
