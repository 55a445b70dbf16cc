#pragma once

#include "codecs/byte_sink.h"

#include <gdiplus/flat_types.h>

#include <cstdint>
#include <memory>
#include <span>

namespace engine {

class Bitmap;

// Decodes a whole file. The result is a bitmap with its pixels, raw format
// and resolution; on failure `result` is left as it was.
using DecodeFunction = GpStatus (*)(std::span<const std::uint8_t> file, std::unique_ptr<Bitmap>& result);

// Encodes `bitmap` as a whole file into `sink`.
using EncodeFunction = GpStatus (*)(Bitmap& bitmap, ByteSink& sink);

// ImageCodecInfo.Flags bits.
enum CodecFlag : DWORD {
    CodecEncoder = 0x1,
    CodecDecoder = 0x2,
    CodecSupportBitmap = 0x4,
    CodecBuiltin = 0x10000,
};

// One built-in codec: what the codec lists report and the functions doing
// the work. Texts are NUL-terminated UTF-16.
struct Codec {
    CLSID clsid;
    GUID formatId;
    const char16_t* codecName;
    const char16_t* formatDescription;
    const char16_t* filenameExtension;
    const char16_t* mimeType;
    DWORD flags;
    DWORD signatureCount;
    DWORD signatureSize;
    const std::uint8_t* signaturePatterns; // signatureCount × signatureSize bytes
    const std::uint8_t* signatureMasks;    // the same size
    DecodeFunction decode;                 // null while this format's decoder is not written
    EncodeFunction encode;                 // null for decode-only codecs and while the encoder is not written

    // Whether `file` starts with one of the signatures.
    bool recognizes(std::span<const std::uint8_t> file) const;
};

} // namespace engine
