#pragma once

#include "codecs/codec.h"

#include <cstddef>
#include <span>

namespace engine {

// The one caller buffer a codec list occupies: the ImageCodecInfo records
// first, then every text they point to, then their signature bytes, each
// pointer aiming inside the same buffer so the caller frees one block.
std::size_t codecListBytes(std::span<const Codec* const> codecs);

// Writes the list into `buffer`, which holds codecListBytes(codecs) bytes and
// is aligned for ImageCodecInfo.
void writeCodecList(std::span<const Codec* const> codecs, ImageCodecInfo* buffer);

} // namespace engine
