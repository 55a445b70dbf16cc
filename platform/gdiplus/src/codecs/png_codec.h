#pragma once

#include "codecs/codec.h"

namespace engine {

// PNG files through libpng. Decoding gives 32bppARGB for files with alpha or
// a transparent colour and 24bppRGB otherwise, at 96 dpi; anything malformed
// answers OutOfMemory, the interface's status for data it cannot make an
// image from.
GpStatus decodePng(std::span<const std::uint8_t> file, std::unique_ptr<Bitmap>& result);

// Writes 8-bit RGBA for bitmaps with alpha and 8-bit RGB otherwise.
// GenericError when the library fails to encode.
GpStatus encodePng(Bitmap& bitmap, ByteSink& sink);

} // namespace engine
