#pragma once

#include "codecs/codec.h"

namespace engine {

// JPEG files through libjpeg. Colour and gray files decode to 24bppRGB with
// the file's resolution (96 dpi when it has none); CMYK files answer
// NotImplemented; anything malformed or truncated answers OutOfMemory, the
// interface's status for data it cannot make an image from.
GpStatus decodeJpeg(std::span<const std::uint8_t> file, std::unique_ptr<Bitmap>& result);

} // namespace engine
