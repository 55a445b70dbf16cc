#include "image/pixel_format.h"

#include "image/color_math.h"

#include <array>
#include <cassert>
#include <cstring>

namespace engine {

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__,
    "ARGB values are stored as B, G, R, A bytes by writing them as native integers");

namespace {

struct ChannelLayout {
    ChannelField red;
    ChannelField green;
    ChannelField blue;
    ChannelField alpha;
    bool gray = false;
};

// Channel layouts by format index (the code's low byte). Indexed formats and
// CMYK have none: the engine does not keep bitmaps in them.
constexpr std::array<ChannelLayout, 16> layouts = {{
    {},                                      // 0 undefined
    {},                                      // 1 1bppIndexed
    {},                                      // 2 4bppIndexed
    {},                                      // 3 8bppIndexed
    {{0, 16}, {}, {}, {}, true},             // 4 16bppGrayScale
    {{10, 5}, {5, 5}, {0, 5}, {}},           // 5 16bppRGB555
    {{11, 5}, {5, 6}, {0, 5}, {}},           // 6 16bppRGB565
    {{10, 5}, {5, 5}, {0, 5}, {15, 1}},      // 7 16bppARGB1555
    {{16, 8}, {8, 8}, {0, 8}, {}},           // 8 24bppRGB
    {{16, 8}, {8, 8}, {0, 8}, {}},           // 9 32bppRGB
    {{16, 8}, {8, 8}, {0, 8}, {24, 8}},      // 10 32bppARGB
    {{16, 8}, {8, 8}, {0, 8}, {24, 8}},      // 11 32bppPARGB
    {{32, 16}, {16, 16}, {0, 16}, {}},       // 12 48bppRGB
    {{32, 16}, {16, 16}, {0, 16}, {48, 16}}, // 13 64bppARGB
    {{32, 16}, {16, 16}, {0, 16}, {48, 16}}, // 14 64bppPARGB
    {},                                      // 15 32bppCMYK
}};

constexpr PixelFormatDescriptor describe(const char* name, std::uint32_t code)
{
    PixelFormatDescriptor descriptor;
    descriptor.code = static_cast<PixelFormat>(code);
    descriptor.name = name;
    if ((code & 0xFF) < layouts.size()) {
        const ChannelLayout& layout = layouts[code & 0xFF];
        descriptor.red = layout.red;
        descriptor.green = layout.green;
        descriptor.blue = layout.blue;
        descriptor.alpha = layout.alpha;
        descriptor.gray = layout.gray;
    }
    return descriptor;
}

constexpr PixelFormatDescriptor descriptors[] = {
#define QUILLORY_PIXEL_FORMAT(name, code) describe(#name, code),
#include <gdiplus/pixel_formats.def>
#undef QUILLORY_PIXEL_FORMAT
};

std::uint64_t loadWord(const std::uint8_t* pixel, unsigned bytes)
{
    std::uint64_t word = 0;
    std::memcpy(&word, pixel, bytes);
    return word;
}

void storeWord(std::uint8_t* pixel, unsigned bytes, std::uint64_t word)
{
    std::memcpy(pixel, &word, bytes);
}

std::uint32_t maximumOf(ChannelField field)
{
    return field.bits >= 32 ? 0xFFFFFFFFu : (1u << field.bits) - 1;
}

// A channel scaled to 16 bits, rounded to nearest.
std::uint32_t extract16(std::uint64_t word, ChannelField field)
{
    const std::uint32_t maximum = maximumOf(field);
    const std::uint32_t value = static_cast<std::uint32_t>(word >> field.shift) & maximum;
    return (value * 65535u + maximum / 2) / maximum;
}

std::uint64_t insert16(std::uint32_t value16, ChannelField field)
{
    const std::uint32_t maximum = maximumOf(field);
    const std::uint64_t value = (static_cast<std::uint64_t>(value16) * maximum + 32767) / 65535;
    return value << field.shift;
}

std::uint32_t to8(std::uint32_t value16)
{
    return (value16 * 255 + 32767) / 65535;
}

} // namespace

const PixelFormatDescriptor* findPixelFormat(PixelFormat code)
{
    for (const PixelFormatDescriptor& descriptor : descriptors) {
        if (descriptor.code == code)
            return &descriptor;
    }
    return nullptr;
}

const PixelFormatDescriptor& pixelFormat(PixelFormat code)
{
    const PixelFormatDescriptor* descriptor = findPixelFormat(code);
    assert(descriptor);
    return *descriptor;
}

namespace {

// The conversions for any stored format, through 16 bits per channel so that
// the 16-bit-per-channel formats keep their precision until the end.
ARGB loadGeneric(const PixelFormatDescriptor& format, const std::uint8_t* pixel)
{
    const std::uint64_t word = loadWord(pixel, format.bytesPerPixel());
    const std::uint32_t alpha = format.alpha.bits ? extract16(word, format.alpha) : 65535;
    std::uint32_t red = extract16(word, format.red);
    std::uint32_t green = format.gray ? red : extract16(word, format.green);
    std::uint32_t blue = format.gray ? red : extract16(word, format.blue);
    if (format.premultiplied()) {
        if (alpha == 0)
            return 0;
        auto straight = [alpha](std::uint32_t value) {
            const std::uint32_t result = (value * 65535u + alpha / 2) / alpha;
            return result > 65535 ? 65535u : result;
        };
        red = straight(red);
        green = straight(green);
        blue = straight(blue);
    }
    return makeArgb(to8(alpha), to8(red), to8(green), to8(blue));
}

void storeGeneric(const PixelFormatDescriptor& format, std::uint8_t* pixel, ARGB color)
{
    const std::uint32_t alpha = alphaOf(color) * 257;
    std::uint32_t red = redOf(color) * 257;
    std::uint32_t green = greenOf(color) * 257;
    std::uint32_t blue = blueOf(color) * 257;
    if (format.premultiplied() && format.alpha.bits) {
        red = (red * alpha + 32767) / 65535;
        green = (green * alpha + 32767) / 65535;
        blue = (blue * alpha + 32767) / 65535;
    }
    std::uint64_t word = 0;
    if (format.gray) {
        // Rec. 601 luminance, the usual weights for a gray rendering of sRGB.
        word |= insert16((red * 299 + green * 587 + blue * 114 + 500) / 1000, format.red);
    } else {
        word |= insert16(red, format.red) | insert16(green, format.green) | insert16(blue, format.blue);
    }
    if (format.alpha.bits)
        word |= insert16(alpha, format.alpha);
    else if (format.bitsPerPixel() == 32)
        word |= std::uint64_t{0xFF} << 24; // the unused byte of 32bppRGB reads as opaque elsewhere
    storeWord(pixel, format.bytesPerPixel(), word);
}

} // namespace

ARGB loadPixel(const PixelFormatDescriptor& format, const std::uint8_t* pixel)
{
    ARGB color = 0;
    loadRow(format, pixel, &color, 1);
    return color;
}

void storePixel(const PixelFormatDescriptor& format, std::uint8_t* pixel, ARGB color)
{
    storeRow(format, &color, pixel, 1);
}

void loadRow(const PixelFormatDescriptor& format, const std::uint8_t* source, ARGB* target, int count)
{
    switch (format.code) {
    case PixelFormat32bppARGB:
        std::memcpy(target, source, static_cast<std::size_t>(count) * 4);
        return;
    case PixelFormat32bppPARGB:
        for (int x = 0; x < count; ++x) {
            ARGB pixel;
            std::memcpy(&pixel, source + 4 * x, 4);
            target[x] = unpremultiply(pixel);
        }
        return;
    case PixelFormat32bppRGB:
        for (int x = 0; x < count; ++x) {
            ARGB pixel;
            std::memcpy(&pixel, source + 4 * x, 4);
            target[x] = pixel | 0xFF000000u;
        }
        return;
    case PixelFormat24bppRGB:
        for (int x = 0; x < count; ++x) {
            const std::uint8_t* pixel = source + 3 * x;
            target[x] = makeArgb(255, pixel[2], pixel[1], pixel[0]);
        }
        return;
    default:
        for (int x = 0; x < count; ++x)
            target[x] = loadGeneric(format, source + static_cast<std::size_t>(x) * format.bytesPerPixel());
        return;
    }
}

void storeRow(const PixelFormatDescriptor& format, const ARGB* source, std::uint8_t* target, int count)
{
    switch (format.code) {
    case PixelFormat32bppARGB:
        std::memcpy(target, source, static_cast<std::size_t>(count) * 4);
        return;
    case PixelFormat32bppPARGB:
        for (int x = 0; x < count; ++x) {
            const ARGB pixel = premultiply(source[x]);
            std::memcpy(target + 4 * x, &pixel, 4);
        }
        return;
    case PixelFormat32bppRGB:
        for (int x = 0; x < count; ++x) {
            const ARGB pixel = source[x] | 0xFF000000u;
            std::memcpy(target + 4 * x, &pixel, 4);
        }
        return;
    case PixelFormat24bppRGB:
        for (int x = 0; x < count; ++x) {
            std::uint8_t* pixel = target + 3 * x;
            pixel[0] = static_cast<std::uint8_t>(blueOf(source[x]));
            pixel[1] = static_cast<std::uint8_t>(greenOf(source[x]));
            pixel[2] = static_cast<std::uint8_t>(redOf(source[x]));
        }
        return;
    default:
        for (int x = 0; x < count; ++x)
            storeGeneric(format, target + static_cast<std::size_t>(x) * format.bytesPerPixel(), source[x]);
        return;
    }
}

} // namespace engine
