#include "engine_fixture.h"
#include "memory_streams.h"
#include "pixel_expectations.h"

#include <cmath>
#include <cstring>
#include <initializer_list>
#include <vector>

namespace {

using raster_test::bmpEncoder;
using raster_test::decode;
using raster_test::expectLoadRefused;
using raster_test::hex;
using raster_test::MemoryStream;
using raster_test::OwnedBitmap;
using raster_test::pixelsAre;

using Bytes = std::vector<std::uint8_t>;

class BmpCodec : public EngineTest { };

std::uint32_t u32At(const Bytes& bytes, std::size_t offset)
{
    return bytes[offset] | bytes[offset + 1] << 8 | bytes[offset + 2] << 16 |
        static_cast<std::uint32_t>(bytes[offset + 3]) << 24;
}

std::uint16_t u16At(const Bytes& bytes, std::size_t offset)
{
    return static_cast<std::uint16_t>(bytes[offset] | bytes[offset + 1] << 8);
}

void setPixels(GpBitmap* bitmap, int width, std::initializer_list<ARGB> pixels)
{
    int index = 0;
    for (ARGB pixel : pixels) {
        ASSERT_EQ(GdipBitmapSetPixel(bitmap, index % width, index / width, pixel), Ok);
        ++index;
    }
}

Bytes encode(GpBitmap* bitmap)
{
    MemoryStream stream;
    EXPECT_EQ(GdipSaveImageToStream(bitmap, stream.get(), &bmpEncoder, nullptr), Ok);
    return stream.contents();
}

// Three by two, every pixel distinct, alpha included: a row swap, a flip or
// a lost alpha byte all show.
constexpr ARGB sample[6] = {0xFFFF0000, 0x8000FF00, 0x000000FF, //
    0xFF112233, 0xC0445566, 0x01778899};

TEST_F(BmpCodec, HeaderFieldByField)
{
    OwnedBitmap bitmap(3, 2);
    setPixels(bitmap.get(), 3, {sample[0], sample[1], sample[2], sample[3], sample[4], sample[5]});
    const Bytes file = encode(bitmap.get());
    ASSERT_EQ(file.size(), 54u + 3 * 4 * 2);

    EXPECT_EQ(file[0], 'B');
    EXPECT_EQ(file[1], 'M');
    EXPECT_EQ(u32At(file, 2), 78u) << "bfSize";
    EXPECT_EQ(u16At(file, 6), 0u) << "bfReserved1";
    EXPECT_EQ(u16At(file, 8), 0u) << "bfReserved2";
    EXPECT_EQ(u32At(file, 10), 54u) << "bfOffBits";
    EXPECT_EQ(u32At(file, 14), 40u) << "biSize: BITMAPINFOHEADER";
    EXPECT_EQ(u32At(file, 18), 3u) << "biWidth";
    EXPECT_EQ(u32At(file, 22), 2u) << "biHeight positive: rows bottom-up";
    EXPECT_EQ(u16At(file, 26), 1u) << "biPlanes";
    EXPECT_EQ(u16At(file, 28), 32u) << "biBitCount";
    EXPECT_EQ(u32At(file, 30), 0u) << "biCompression BI_RGB";
    EXPECT_EQ(u32At(file, 34), 24u) << "biSizeImage";
    EXPECT_EQ(u32At(file, 38), 3780u) << "biXPelsPerMeter for 96 dpi";
    EXPECT_EQ(u32At(file, 42), 3780u) << "biYPelsPerMeter for 96 dpi";
    EXPECT_EQ(u32At(file, 46), 0u) << "biClrUsed";
    EXPECT_EQ(u32At(file, 50), 0u) << "biClrImportant";

    // The bottom row comes first; each pixel is B, G, R, A.
    const ARGB rowsInFile[6] = {sample[3], sample[4], sample[5], sample[0], sample[1], sample[2]};
    for (int index = 0; index < 6; ++index)
        EXPECT_EQ(hex(u32At(file, 54 + 4 * index)), hex(rowsInFile[index])) << "pixel " << index << " of the file";
}

TEST_F(BmpCodec, TwentyFourBitRowsArePaddedWithZeros)
{
    OwnedBitmap bitmap(3, 2, PixelFormat24bppRGB);
    setPixels(bitmap.get(), 3, {0xFF010203, 0xFF040506, 0xFF070809, 0xFF0A0B0C, 0xFF0D0E0F, 0xFF101112});
    const Bytes file = encode(bitmap.get());
    ASSERT_EQ(file.size(), 54u + 12 * 2);
    EXPECT_EQ(u16At(file, 28), 24u);
    EXPECT_EQ(u32At(file, 34), 24u);
    const Bytes pixels(file.begin() + 54, file.end());
    const Bytes expected = {0x0C, 0x0B, 0x0A, 0x0F, 0x0E, 0x0D, 0x12, 0x11, 0x10, 0, 0, 0, 0x03, 0x02, 0x01, 0x06, 0x05,
        0x04, 0x09, 0x08, 0x07, 0, 0, 0};
    EXPECT_EQ(pixels, expected);
}

TEST_F(BmpCodec, PremultipliedPixelsAreWrittenStraight)
{
    OwnedBitmap bitmap(1, 1, PixelFormat32bppPARGB);
    setPixels(bitmap.get(), 1, {0x80FF0000});
    const Bytes file = encode(bitmap.get());
    ASSERT_EQ(file.size(), 58u);
    EXPECT_EQ(hex(u32At(file, 54)), hex(0x80FF0000));
}

TEST_F(BmpCodec, ResolutionBecomesPixelsPerMetre)
{
    OwnedBitmap bitmap(1, 1);
    ASSERT_EQ(GdipBitmapSetResolution(bitmap.get(), 300.0f, 72.0f), Ok);
    const Bytes file = encode(bitmap.get());
    EXPECT_EQ(u32At(file, 38), 11811u);
    EXPECT_EQ(u32At(file, 42), 2835u);
}

TEST_F(BmpCodec, WritesFromTheCurrentPositionWithoutTruncating)
{
    OwnedBitmap bitmap(1, 1);
    setPixels(bitmap.get(), 1, {0xFFABCDEF});
    MemoryStream stream(Bytes(100, 0xEE));
    stream.seek(3);
    ASSERT_EQ(GdipSaveImageToStream(bitmap.get(), stream.get(), &bmpEncoder, nullptr), Ok);
    EXPECT_EQ(stream.position(), 3u + 58u) << "left just after the written bytes";
    const Bytes contents = stream.contents();
    ASSERT_EQ(contents.size(), 100u) << "nothing cut off";
    EXPECT_EQ(contents[2], 0xEE);
    EXPECT_EQ(contents[3], 'B');
    EXPECT_EQ(hex(u32At(contents, 3 + 54)), hex(0xFFABCDEF));
    EXPECT_EQ(contents[61], 0xEE);
}

TEST_F(BmpCodec, RoundTripKeepsEveryPixel)
{
    struct RoundTrip {
        PixelFormat written;
        PixelFormat read; // how the platform reads the file back
        int width;
        int height;
    };
    const RoundTrip cases[] = {
        {PixelFormat32bppARGB, PixelFormat32bppRGB, 3, 2},
        {PixelFormat32bppARGB, PixelFormat32bppRGB, 231, 5},
        {PixelFormat24bppRGB, PixelFormat24bppRGB, 5, 3},
        {PixelFormat32bppRGB, PixelFormat32bppRGB, 2, 7},
    };
    for (const RoundTrip& row : cases) {
        SCOPED_TRACE(testing::Message() << row.width << "x" << row.height << " " << hex(row.written));
        OwnedBitmap bitmap(row.width, row.height, row.written);
        auto colourAt = [](int x, int y) {
            return 0xFF000000u | (x * 37 % 256) << 16 | (y * 91 % 256) << 8 | ((x ^ y) & 0xFF);
        };
        for (int y = 0; y < row.height; ++y)
            for (int x = 0; x < row.width; ++x)
                ASSERT_EQ(GdipBitmapSetPixel(bitmap.get(), x, y, colourAt(x, y)), Ok);
        OwnedBitmap decoded;
        ASSERT_EQ(decode(encode(bitmap.get()), decoded), Ok);
        PixelFormat format = 0;
        EXPECT_EQ(GdipGetImagePixelFormat(decoded.get(), &format), Ok);
        EXPECT_EQ(hex(format), hex(row.read));
        EXPECT_TRUE(pixelsAre(decoded.get(), colourAt));
        GUID raw{};
        const GUID bmp{0xB96B3CAB, 0x0728, 0x11D3, {0x9D, 0x7B, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
        EXPECT_EQ(GdipGetImageRawFormat(decoded.get(), &raw), Ok);
        EXPECT_EQ(0, std::memcmp(&raw, &bmp, sizeof raw)) << "a decoded file reports its format";
        REAL dpi = 0;
        EXPECT_EQ(GdipGetImageHorizontalResolution(decoded.get(), &dpi), Ok);
        EXPECT_NEAR(dpi, 3780 * 0.0254, 1e-3) << "the file's resolution";
    }
}

// Column backgrounds are kept as a description until rows are needed; the
// encoder must write the described rows and the drawn-on rows alike.
TEST_F(BmpCodec, EncodesColumnBackgroundsWithDrawingOnSomeRows)
{
    OwnedBitmap bitmap(231, 5);
    GpGraphics* graphics = nullptr;
    GpSolidFill* brush = nullptr;
    ASSERT_EQ(GdipGetImageGraphicsContext(bitmap.get(), &graphics), Ok);
    ASSERT_EQ(GdipCreateSolidFill(0xFFFF7D7D, &brush), Ok);
    EXPECT_EQ(GdipFillRectangle(graphics, brush, 0, 0, 115, 5), Ok);
    EXPECT_EQ(GdipSetSolidFillColor(brush, 0xFFB7FF9B), Ok);
    EXPECT_EQ(GdipFillRectangle(graphics, brush, 115, 0, 115, 5), Ok);
    EXPECT_EQ(GdipSetSolidFillColor(brush, 0xFF000000), Ok);
    EXPECT_EQ(GdipFillRectangle(graphics, brush, 100, 2, 30, 1), Ok);
    EXPECT_EQ(GdipDeleteBrush(brush), Ok);
    EXPECT_EQ(GdipDeleteGraphics(graphics), Ok);
    auto expected = [](int x, int y) -> ARGB {
        if (y == 2 && x >= 100 && x < 130)
            return 0xFF000000;
        if (x < 115)
            return 0xFFFF7D7D;
        return x < 230 ? 0xFFB7FF9B : 0x00000000;
    };
    const Bytes file = encode(bitmap.get());
    ASSERT_EQ(file.size(), 54u + 231 * 4 * 5);
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 231; ++x) {
            const ARGB written = u32At(file, 54 + 4 * ((4 - y) * 231 + x));
            ASSERT_EQ(hex(written), hex(expected(x, y))) << "at x " << x << ", y " << y;
        }
    }
    EXPECT_TRUE(pixelsAre(bitmap.get(), expected)) << "and the pixels read the same after encoding";
}

TEST_F(BmpCodec, ThirtyTwoBitFilesKeepTheirFourthByteAsRgb)
{
    OwnedBitmap bitmap(1, 1);
    setPixels(bitmap.get(), 1, {0x40123456});
    const Bytes file = encode(bitmap.get());
    OwnedBitmap decoded;
    ASSERT_EQ(decode(file, decoded), Ok);
    EXPECT_TRUE(pixelsAre(decoded.get(), [](int, int) { return 0xFF123456u; })) << "no alpha in a BI_RGB file";
    MemoryStream again;
    ASSERT_EQ(GdipSaveImageToStream(decoded.get(), again.get(), &bmpEncoder, nullptr), Ok);
    EXPECT_EQ(again.contents(), file) << "the fourth byte is still there when written again";
}

// A BMP file assembled from its parts, for the decoder's variants.
struct BmpParts {
    std::uint32_t headerSize = 40;
    std::int32_t width = 1;
    std::int32_t height = 1;
    std::uint16_t bitCount = 24;
    std::uint32_t compression = 0;
    Bytes afterHeader; // masks or palette
    Bytes pixels;
};

Bytes assemble(const BmpParts& parts)
{
    Bytes file(14 + parts.headerSize, 0);
    auto put32 = [&](std::size_t at, std::uint32_t value) {
        for (int index = 0; index < 4; ++index)
            file[at + index] = static_cast<std::uint8_t>(value >> (8 * index));
    };
    auto put16 = [&](std::size_t at, std::uint16_t value) {
        file[at] = static_cast<std::uint8_t>(value);
        file[at + 1] = static_cast<std::uint8_t>(value >> 8);
    };
    file[0] = 'B';
    file[1] = 'M';
    put32(14, parts.headerSize);
    if (parts.headerSize == 12) {
        put16(18, static_cast<std::uint16_t>(parts.width));
        put16(20, static_cast<std::uint16_t>(parts.height));
        put16(22, 1);
        put16(24, parts.bitCount);
    } else {
        put32(18, static_cast<std::uint32_t>(parts.width));
        put32(22, static_cast<std::uint32_t>(parts.height));
        put16(26, 1);
        put16(28, parts.bitCount);
        put32(30, parts.compression);
    }
    file.insert(file.end(), parts.afterHeader.begin(), parts.afterHeader.end());
    put32(10, static_cast<std::uint32_t>(file.size()));
    file.insert(file.end(), parts.pixels.begin(), parts.pixels.end());
    put32(2, static_cast<std::uint32_t>(file.size()));
    return file;
}

struct DecodeCase {
    const char* why;
    BmpParts parts;
    PixelFormat format;
    int width;
    std::vector<ARGB> pixels; // row by row, top first
};

TEST_F(BmpCodec, DecodesTheLayoutsFilesUse)
{
    const DecodeCase cases[] = {
        {"24-bit bottom-up", {40, 2, 2, 24, 0, {}, {1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0}},
            PixelFormat24bppRGB, 2, {0xFF090807, 0xFF0C0B0A, 0xFF030201, 0xFF060504}},
        {"24-bit top-down", {40, 2, -2, 24, 0, {}, {1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0}},
            PixelFormat24bppRGB, 2, {0xFF030201, 0xFF060504, 0xFF090807, 0xFF0C0B0A}},
        {"core header", {12, 1, 1, 24, 0, {}, {0x10, 0x20, 0x30, 0}}, PixelFormat24bppRGB, 1, {0xFF302010}},
        {"32-bit BI_RGB reads as RGB", {40, 1, 1, 32, 0, {}, {0x10, 0x20, 0x30, 0x40}}, PixelFormat32bppRGB, 1,
            {0xFF302010}},
        {"32-bit bit fields with alpha",
            {40, 1, 1, 32, 6, {0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0, 0, 0, 0, 0xFF}, {0x10, 0x20, 0x30, 0x40}},
            PixelFormat32bppARGB, 1, {0x40302010}},
        {"32-bit bit fields in another order",
            {40, 1, 1, 32, 3, {0xFF, 0, 0, 0, 0, 0xFF, 0, 0, 0, 0, 0xFF, 0}, {0x10, 0x20, 0x30, 0x40}},
            PixelFormat32bppRGB, 1, {0xFF102030}},
        {"16-bit default 5-5-5", {40, 2, 1, 16, 0, {}, {0x00, 0x7C, 0x1F, 0x00}}, PixelFormat16bppRGB555, 2,
            {0xFFFF0000, 0xFF0000FF}},
        {"16-bit 5-6-5 fields",
            {40, 1, 1, 16, 3, {0x00, 0xF8, 0, 0, 0xE0, 0x07, 0, 0, 0x1F, 0, 0, 0}, {0xE0, 0x07, 0, 0}},
            PixelFormat16bppRGB565, 1, {0xFF00FF00}},
        {"8-bit palette, an index past it reads black",
            {40, 3, 1, 8, 0, {0x00, 0x00, 0xFF, 0, 0xFF, 0x00, 0x00, 0}, {0, 1, 5, 0}}, PixelFormat32bppRGB, 3,
            {0xFFFF0000, 0xFF0000FF, 0xFF000000}},
        {"1-bit across a byte boundary",
            {40, 9, 1, 1, 0, {0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0}, {0b10100000, 0b10000000, 0, 0}}, PixelFormat32bppRGB, 9,
            {0xFFFFFFFF, 0xFF000000, 0xFFFFFFFF, 0xFF000000, 0xFF000000, 0xFF000000, 0xFF000000, 0xFF000000,
                0xFFFFFFFF}},
        {"4-bit, high nibble first", {40, 2, 1, 4, 0, {1, 2, 3, 0, 4, 5, 6, 0}, {0x10, 0, 0, 0}}, PixelFormat32bppRGB,
            2, {0xFF060504, 0xFF030201}},
    };
    for (const DecodeCase& row : cases) {
        SCOPED_TRACE(row.why);
        OwnedBitmap bitmap;
        ASSERT_EQ(decode(assemble(row.parts), bitmap), Ok);
        PixelFormat format = 0;
        UINT width = 0;
        EXPECT_EQ(GdipGetImagePixelFormat(bitmap.get(), &format), Ok);
        EXPECT_EQ(GdipGetImageWidth(bitmap.get(), &width), Ok);
        EXPECT_EQ(hex(format), hex(row.format));
        EXPECT_EQ(width, static_cast<UINT>(row.width));
        EXPECT_TRUE(pixelsAre(bitmap.get(), [&](int x, int y) { return row.pixels[y * row.width + x]; }));
    }

    // Version 4 headers carry their masks inside the header.
    BmpParts withMasks{108, 1, 1, 32, 3, {}, {0x10, 0x20, 0x30, 0x40}};
    Bytes file = assemble(withMasks);
    const std::uint32_t masks[4] = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
    std::memcpy(file.data() + 14 + 40, masks, sizeof masks);
    OwnedBitmap bitmap;
    ASSERT_EQ(decode(file, bitmap), Ok);
    EXPECT_TRUE(pixelsAre(bitmap.get(), [](int, int) { return 0x40302010u; }));
}

TEST_F(BmpCodec, MalformedFilesFailWithoutAnImage)
{
    Bytes truncated = assemble({40, 4, 4, 32, 0, {}, Bytes(4 * 4 * 4, 0x55)});
    truncated.resize(truncated.size() - 1);
    Bytes hugeHeader = assemble({40, 1, 1, 24, 0, {}, {0, 0, 0, 0}});
    hugeHeader[14] = 0xFF; // biSize far past the end
    Bytes farPixels = assemble({40, 1, 1, 24, 0, {}, {0, 0, 0, 0}});
    farPixels[13] = 0x7F; // bfOffBits past the end
    const struct {
        const char* why;
        Bytes file;
        GpStatus expected;
    } cases[] = {
        {"empty", {}, OutOfMemory},
        {"only the signature", {'B', 'M'}, OutOfMemory},
        {"a file header alone", {'B', 'M', 14, 0, 0, 0, 0, 0, 0, 0, 14, 0, 0, 0}, OutOfMemory},
        {"garbage", {'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd'}, OutOfMemory},
        {"truncated pixels", truncated, OutOfMemory},
        {"an info header longer than the file", hugeHeader, OutOfMemory},
        {"pixels past the end", farPixels, OutOfMemory},
        {"zero width", assemble({40, 0, 1, 24, 0, {}, {0, 0, 0, 0}}), OutOfMemory},
        {"zero height", assemble({40, 1, 0, 24, 0, {}, {}}), OutOfMemory},
        {"the most negative height", assemble({40, 1, INT32_MIN, 24, 0, {}, {0, 0, 0, 0}}), OutOfMemory},
        {"seven bits per pixel", assemble({40, 1, 1, 7, 0, {}, {0, 0, 0, 0}}), OutOfMemory},
        {"bit fields on 24 bits", assemble({40, 1, 1, 24, 3, {}, {0, 0, 0, 0}}), OutOfMemory},
        {"a palette file without a palette", assemble({40, 1, 1, 8, 0, {}, {0, 0, 0, 0}}), OutOfMemory},
        {"a 40000 by 40000 picture claimed by a tiny file", assemble({40, 40000, 40000, 32, 0, {}, {0, 0, 0, 0}}),
            OutOfMemory},
        {"run-length coding is not read yet", assemble({40, 1, 1, 8, 1, Bytes(1024, 0), {0, 0}}), NotImplemented},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.why);
        expectLoadRefused(row.file, row.expected);
    }
}

} // namespace
