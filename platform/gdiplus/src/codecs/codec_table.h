#pragma once

#include "codecs/codec.h"

#include <span>
#include <vector>

namespace engine {

// The one table of built-in codecs, in the order the decoder list reports
// them. Every lookup of a codec goes through here.
std::span<const Codec> builtinCodecs();

// The codecs that encode, in the order the encoder list reports them.
std::vector<const Codec*> encoders();

// The encoder with class id `clsid`, or null.
const Codec* findEncoder(const CLSID& clsid);

// The decoder whose signature `file` carries, or null.
const Codec* findDecoder(std::span<const std::uint8_t> file);

} // namespace engine
