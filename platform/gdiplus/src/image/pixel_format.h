#pragma once

// Pixel formats as data: one descriptor per format code, read by the generic
// conversions below. The properties a code states about itself (bits per
// pixel, indexed, alpha, premultiplied, extended) are taken from the code;
// the descriptor adds where each channel sits in a pixel.

#include <gdiplus/flat_types.h>

#include <cstdint>

namespace engine {

// A channel's place in a pixel read as a little-endian integer of
// bitsPerPixel bits. `bits` 0 means the format has no such channel.
struct ChannelField {
    std::uint8_t shift = 0;
    std::uint8_t bits = 0;
};

struct PixelFormatDescriptor {
    PixelFormat code = PixelFormatUndefined;
    const char* name = "";
    ChannelField red;
    ChannelField green;
    ChannelField blue;
    ChannelField alpha;
    bool gray = false; // one channel, in `red`, standing for all three

    unsigned bitsPerPixel() const { return (static_cast<std::uint32_t>(code) >> 8) & 0xFF; }
    unsigned bytesPerPixel() const { return bitsPerPixel() / 8; }
    // Bytes the pixels of a row of `width` take, without the row's padding
    // (a width below 2^32 cannot overflow).
    std::uint64_t pixelBytes(std::uint64_t width) const { return (width * bitsPerPixel() + 7) / 8; }
    bool indexed() const { return code & 0x00010000; }
    bool hasAlpha() const { return code & 0x00040000; }
    bool premultiplied() const { return code & 0x00080000; }
    bool extended() const { return code & 0x00100000; }

    // Whether the engine keeps bitmaps in this format: every format whose
    // channels the descriptor states (all but the indexed ones and CMYK).
    bool stored() const { return red.bits != 0; }
};

// The descriptor of `code`, or null for a value that is not a format.
const PixelFormatDescriptor* findPixelFormat(PixelFormat code);

// The descriptor of a code that is known to be a format (the engine's own
// constants); asserts otherwise.
const PixelFormatDescriptor& pixelFormat(PixelFormat code);

// One pixel of a stored format to straight ARGB and back. Channels wider
// than 8 bits are rounded to 8; a format without alpha reads as opaque and
// drops alpha on writing; a gray format writes the colour's luminance.
ARGB loadPixel(const PixelFormatDescriptor& format, const std::uint8_t* pixel);
void storePixel(const PixelFormatDescriptor& format, std::uint8_t* pixel, ARGB color);

// `count` pixels of a row at once, with direct paths for the 24- and 32-bit
// formats; the result equals converting pixel by pixel.
void loadRow(const PixelFormatDescriptor& format, const std::uint8_t* source, ARGB* target, int count);
void storeRow(const PixelFormatDescriptor& format, const ARGB* source, std::uint8_t* target, int count);

} // namespace engine
