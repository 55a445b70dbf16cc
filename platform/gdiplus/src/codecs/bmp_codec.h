#pragma once

#include "codecs/codec.h"

namespace engine {

// BMP files. Decoding reads BITMAPCOREHEADER and BITMAPINFOHEADER to
// BITMAPV5HEADER files of 1, 4, 8, 16, 24 and 32 bits per pixel, rows
// bottom-up or top-down, BI_RGB or bit fields; the result is 24bppRGB for
// 24-bit files, 32bppRGB for 32-bit BI_RGB files (their fourth byte is kept
// but not alpha, as the platform reads them), 32bppARGB for 32-bit files
// whose bit fields give alpha, 16bppRGB555/565 for 16-bit files in those
// layouts, and 32bppRGB for palette files. RLE files answer NotImplemented;
// anything malformed or truncated answers OutOfMemory, the interface's
// status for data it cannot make an image from.
GpStatus decodeBmp(std::span<const std::uint8_t> file, std::unique_ptr<Bitmap>& result);

// Writes a BITMAPFILEHEADER and a BITMAPINFOHEADER (BI_RGB, positive height:
// rows bottom-up, each padded to 4 bytes), then the rows. 24bppRGB is written
// with 24 bits per pixel; every other format with 32, bytes B, G, R, A:
// ARGB and RGB bitmaps byte for byte (alpha kept in the fourth byte),
// premultiplied ones un-premultiplied, the rest converted to ARGB. The
// resolution is the bitmap's, in pixels per metre. ValueOverflow for a
// bitmap whose file would exceed 4 GiB.
GpStatus encodeBmp(Bitmap& bitmap, ByteSink& sink);

} // namespace engine
