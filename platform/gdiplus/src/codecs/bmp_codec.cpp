#include "codecs/bmp_codec.h"

#include "codecs/byte_reader.h"
#include "core/checked_size.h"
#include "image/bitmap.h"
#include "image/color_math.h"
#include "image/image_format_ids.h"

#include <bit>
#include <cmath>
#include <cstring>
#include <vector>

namespace engine {

namespace {

constexpr std::size_t FileHeaderBytes = 14;
constexpr std::size_t InfoHeaderBytes = 40;
constexpr std::size_t CoreHeaderBytes = 12;

enum Compression : std::uint32_t {
    CompressionRgb = 0,
    CompressionRle8 = 1,
    CompressionRle4 = 2,
    CompressionBitFields = 3,
    CompressionAlphaBitFields = 6,
};

// Metres per inch, for converting between pixels per metre and dots per inch.
constexpr double MetresPerInch = 0.0254;

// The status for data that is not a decodable BMP.
constexpr GpStatus Undecodable = OutOfMemory;

// Where a channel sits in a 16- or 32-bit pixel and how to widen it to 8 bits.
struct MaskChannel {
    std::uint32_t mask = 0;
    int shift = 0;
    std::uint32_t maximum = 0;

    explicit MaskChannel(std::uint32_t bits = 0) : mask(bits)
    {
        if (mask) {
            shift = std::countr_zero(mask);
            maximum = mask >> shift;
        }
    }

    std::uint32_t read(std::uint32_t pixel, std::uint32_t absent) const
    {
        if (!mask)
            return absent;
        const std::uint32_t value = (pixel & mask) >> shift;
        return static_cast<std::uint32_t>((static_cast<std::uint64_t>(value) * 255 + maximum / 2) / maximum);
    }
};

struct BmpLayout {
    std::int64_t width = 0;
    std::int64_t rows = 0;
    bool topDown = false;
    unsigned bitCount = 0;
    std::uint32_t compression = CompressionRgb;
    std::uint32_t redMask = 0, greenMask = 0, blueMask = 0, alphaMask = 0;
    std::size_t paletteOffset = 0;
    std::size_t paletteEntryBytes = 4;
    std::uint32_t paletteEntries = 0;
    std::int32_t pixelsPerMetreX = 0;
    std::int32_t pixelsPerMetreY = 0;
    std::uint64_t pixelOffset = 0;
    std::uint64_t rowBytes = 0;
};

// Reads and checks the headers; Undecodable for anything malformed.
GpStatus readLayout(const ByteReader& file, BmpLayout& layout)
{
    const auto offset = file.u32(10);
    const auto headerBytes = file.u32(FileHeaderBytes);
    if (!offset || !headerBytes || !file.fits(FileHeaderBytes, *headerBytes))
        return Undecodable;
    layout.pixelOffset = *offset;

    std::uint16_t planes = 0;
    if (*headerBytes == CoreHeaderBytes) {
        layout.width = *file.u16(18);
        layout.rows = *file.u16(20);
        planes = *file.u16(22);
        layout.bitCount = *file.u16(24);
        layout.paletteEntryBytes = 3;
    } else if (*headerBytes >= InfoHeaderBytes) {
        const std::int32_t height = *file.i32(22);
        layout.width = *file.i32(18);
        // Negative heights mark top-down rows; the most negative one has no
        // positive counterpart.
        if (height == INT32_MIN)
            return Undecodable;
        layout.topDown = height < 0;
        layout.rows = height < 0 ? -static_cast<std::int64_t>(height) : height;
        planes = *file.u16(26);
        layout.bitCount = *file.u16(28);
        layout.compression = *file.u32(30);
        layout.pixelsPerMetreX = *file.i32(38);
        layout.pixelsPerMetreY = *file.i32(42);
        layout.paletteEntries = *file.u32(46);
    } else {
        return Undecodable;
    }
    if (layout.width < 1 || layout.rows < 1 || planes != 1)
        return Undecodable;

    const std::size_t afterHeader = FileHeaderBytes + *headerBytes;
    switch (layout.bitCount) {
    case 1:
    case 4:
    case 8:
        if (layout.compression == CompressionRle8 || layout.compression == CompressionRle4)
            return NotImplemented;
        if (layout.compression != CompressionRgb)
            return Undecodable;
        if (layout.paletteEntries == 0 || layout.paletteEntries > (1u << layout.bitCount))
            layout.paletteEntries = 1u << layout.bitCount;
        layout.paletteOffset = afterHeader;
        // Writers often leave the colour count 0 and store fewer colours
        // than the depth allows: take what lies between header and pixels.
        if (layout.pixelOffset > layout.paletteOffset) {
            const std::uint64_t room = (layout.pixelOffset - layout.paletteOffset) / layout.paletteEntryBytes;
            if (room < layout.paletteEntries)
                layout.paletteEntries = static_cast<std::uint32_t>(room);
        }
        if (layout.paletteEntries == 0 ||
            !file.fits(layout.paletteOffset, std::uint64_t{layout.paletteEntries} * layout.paletteEntryBytes))
            return Undecodable;
        break;
    case 16:
    case 24:
    case 32:
        if (layout.compression == CompressionRgb) {
            if (layout.bitCount == 16) {
                layout.redMask = 0x7C00;
                layout.greenMask = 0x03E0;
                layout.blueMask = 0x001F;
            } else {
                layout.redMask = 0xFF0000;
                layout.greenMask = 0x00FF00;
                layout.blueMask = 0x0000FF;
            }
        } else if ((layout.compression == CompressionBitFields || layout.compression == CompressionAlphaBitFields) &&
            layout.bitCount != 24) {
            // Version 2 and later headers hold the masks; a plain info header
            // is followed by them.
            const bool inHeader = *headerBytes >= 52;
            const std::size_t masks = inHeader ? FileHeaderBytes + InfoHeaderBytes : afterHeader;
            const bool withAlpha = inHeader ? *headerBytes >= 56 : layout.compression == CompressionAlphaBitFields;
            if (!file.fits(masks, withAlpha ? 16 : 12))
                return Undecodable;
            layout.redMask = *file.u32(masks);
            layout.greenMask = *file.u32(masks + 4);
            layout.blueMask = *file.u32(masks + 8);
            layout.alphaMask = withAlpha ? *file.u32(masks + 12) : 0;
        } else {
            return Undecodable;
        }
        break;
    default:
        return Undecodable;
    }

    const auto rowBytes = paddedStride(static_cast<std::uint64_t>(layout.width), layout.bitCount);
    const auto pixelBytes =
        rowBytes ? checkedMultiply(*rowBytes, static_cast<std::uint64_t>(layout.rows)) : std::nullopt;
    if (!pixelBytes || !file.fits(layout.pixelOffset, *pixelBytes))
        return Undecodable;
    layout.rowBytes = *rowBytes;
    return Ok;
}

// The pixel format a decoded file keeps, copying rows unchanged where the
// file's layout is that format's.
PixelFormat chooseFormat(const BmpLayout& layout, bool& copyRows)
{
    copyRows = false;
    const bool standardColour =
        layout.redMask == 0xFF0000 && layout.greenMask == 0x00FF00 && layout.blueMask == 0x0000FF;
    switch (layout.bitCount) {
    case 24:
        copyRows = true;
        return PixelFormat24bppRGB;
    case 32:
        if (standardColour && (layout.alphaMask == 0 || layout.alphaMask == 0xFF000000u)) {
            copyRows = true;
            return layout.alphaMask ? PixelFormat32bppARGB : PixelFormat32bppRGB;
        }
        return layout.alphaMask ? PixelFormat32bppARGB : PixelFormat32bppRGB;
    case 16:
        if (layout.alphaMask == 0 && layout.blueMask == 0x001F) {
            if (layout.redMask == 0x7C00 && layout.greenMask == 0x03E0) {
                copyRows = true;
                return PixelFormat16bppRGB555;
            }
            if (layout.redMask == 0xF800 && layout.greenMask == 0x07E0) {
                copyRows = true;
                return PixelFormat16bppRGB565;
            }
        }
        return layout.alphaMask ? PixelFormat32bppARGB : PixelFormat32bppRGB;
    default:
        return PixelFormat32bppRGB;
    }
}

// One file row as straight ARGB, for the layouts that are not copied.
void convertRow(const ByteReader& file, const BmpLayout& layout, const std::uint8_t* source, ARGB* target)
{
    const auto width = static_cast<std::size_t>(layout.width);
    if (layout.bitCount <= 8) {
        const unsigned bits = layout.bitCount;
        const unsigned perByte = 8 / bits;
        const unsigned indexMask = (1u << bits) - 1;
        for (std::size_t x = 0; x < width; ++x) {
            const std::uint8_t byte = source[x / perByte];
            // The leftmost pixel is in the byte's highest bits.
            const unsigned shift = 8 - bits * (static_cast<unsigned>(x % perByte) + 1);
            const unsigned index = (byte >> shift) & indexMask;
            if (index >= layout.paletteEntries) {
                target[x] = 0xFF000000u;
                continue;
            }
            const std::uint8_t* entry = file.at(layout.paletteOffset + index * layout.paletteEntryBytes);
            target[x] = makeArgb(255, entry[2], entry[1], entry[0]);
        }
        return;
    }
    const MaskChannel red(layout.redMask), green(layout.greenMask), blue(layout.blueMask), alpha(layout.alphaMask);
    const unsigned bytes = layout.bitCount / 8;
    for (std::size_t x = 0; x < width; ++x) {
        std::uint32_t pixel = 0;
        std::memcpy(&pixel, source + x * bytes, bytes);
        target[x] = makeArgb(alpha.read(pixel, 255), red.read(pixel, 0), green.read(pixel, 0), blue.read(pixel, 0));
    }
}

float resolutionOf(std::int32_t pixelsPerMetre)
{
    if (pixelsPerMetre <= 0)
        return Bitmap::DefaultResolution;
    return static_cast<float>(pixelsPerMetre * MetresPerInch);
}

void put16(std::uint8_t* at, std::uint32_t value)
{
    at[0] = static_cast<std::uint8_t>(value);
    at[1] = static_cast<std::uint8_t>(value >> 8);
}

void put32(std::uint8_t* at, std::uint32_t value)
{
    put16(at, value & 0xFFFF);
    put16(at + 2, value >> 16);
}

} // namespace

GpStatus decodeBmp(std::span<const std::uint8_t> bytes, std::unique_ptr<Bitmap>& result)
{
    const ByteReader file(bytes);
    BmpLayout layout;
    const GpStatus status = readLayout(file, layout);
    if (status != Ok)
        return status;
    if (layout.width > INT32_MAX || layout.rows > INT32_MAX)
        return Undecodable;

    bool copyRows = false;
    const PixelFormatDescriptor& format = pixelFormat(chooseFormat(layout, copyRows));
    const int width = static_cast<int>(layout.width);
    const int rows = static_cast<int>(layout.rows);
    std::shared_ptr<PixelSurface> surface;
    const GpStatus allocated = PixelSurface::allocate(width, rows, format, surface);
    if (allocated != Ok)
        return allocated;

    std::vector<ARGB> converted(copyRows ? 0 : static_cast<std::size_t>(width));
    const std::size_t copiedBytes = static_cast<std::size_t>(width) * format.bytesPerPixel();
    for (int fileRow = 0; fileRow < rows; ++fileRow) {
        const std::uint8_t* source = file.at(layout.pixelOffset + fileRow * layout.rowBytes);
        const int y = layout.topDown ? fileRow : rows - 1 - fileRow;
        std::uint8_t* target = surface->writableRow(y);
        if (copyRows) {
            std::memcpy(target, source, copiedBytes);
        } else {
            convertRow(file, layout, source, converted.data());
            storeRow(format, converted.data(), target, width);
        }
    }
    result = std::make_unique<Bitmap>(std::move(surface), image_format::BMP, resolutionOf(layout.pixelsPerMetreX),
        resolutionOf(layout.pixelsPerMetreY));
    return Ok;
}

GpStatus encodeBmp(Bitmap& bitmap, ByteSink& sink)
{
    PixelSurface& surface = bitmap.surface();
    const PixelFormatDescriptor& format = surface.format();
    const int width = surface.width();
    const int height = surface.height();
    const unsigned bitCount = format.code == PixelFormat24bppRGB ? 24 : 32;
    const auto rowBytes = paddedStride(static_cast<std::uint64_t>(width), bitCount);
    const auto imageBytes = rowBytes ? checkedMultiply(*rowBytes, static_cast<std::uint64_t>(height)) : std::nullopt;
    const auto fileBytes = imageBytes ? checkedAdd(*imageBytes, FileHeaderBytes + InfoHeaderBytes) : std::nullopt;
    if (!fileBytes || *fileBytes > UINT32_MAX)
        return ValueOverflow;

    std::uint8_t header[FileHeaderBytes + InfoHeaderBytes] = {};
    header[0] = 'B';
    header[1] = 'M';
    put32(header + 2, static_cast<std::uint32_t>(*fileBytes));
    put32(header + 10, FileHeaderBytes + InfoHeaderBytes);
    std::uint8_t* info = header + FileHeaderBytes;
    put32(info + 0, InfoHeaderBytes);
    put32(info + 4, static_cast<std::uint32_t>(width));
    put32(info + 8, static_cast<std::uint32_t>(height)); // positive: rows bottom-up
    put16(info + 12, 1);
    put16(info + 14, bitCount);
    put32(info + 16, CompressionRgb);
    put32(info + 20, static_cast<std::uint32_t>(*imageBytes));
    put32(info + 24, static_cast<std::uint32_t>(std::lround(bitmap.horizontalResolution() / MetresPerInch)));
    put32(info + 28, static_cast<std::uint32_t>(std::lround(bitmap.verticalResolution() / MetresPerInch)));
    GpStatus status = sink.write(header, sizeof header);
    if (status != Ok)
        return status;

    // ARGB and RGB rows are already what the file holds: they go out
    // straight from the pixels, with no copy of the image (a row that is
    // still a plain background goes out from one row made for it).
    const bool direct = format.code == PixelFormat32bppARGB || format.code == PixelFormat32bppRGB;
    std::vector<std::uint8_t> row(direct ? 0 : static_cast<std::size_t>(*rowBytes));
    for (int y = height - 1; y >= 0; --y) {
        const std::uint8_t* pixels = surface.readRow(y);
        if (direct) {
            status = sink.write(pixels, static_cast<std::size_t>(*rowBytes));
        } else {
            if (bitCount == 24)
                std::memcpy(row.data(), pixels, static_cast<std::size_t>(width) * 3);
            else
                loadRow(format, pixels, reinterpret_cast<ARGB*>(row.data()), width);
            status = sink.write(row.data(), row.size());
        }
        if (status != Ok)
            return status;
    }
    return Ok;
}

} // namespace engine
