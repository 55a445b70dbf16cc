#include "codecs/codec_list.h"

#include <cstring>
#include <string_view>

namespace engine {

namespace {

std::size_t textBytes(const char16_t* text)
{
    return (std::u16string_view(text).size() + 1) * sizeof(WCHAR);
}

std::size_t textBytesOf(const Codec& codec)
{
    return textBytes(codec.codecName) + textBytes(codec.formatDescription) + textBytes(codec.filenameExtension) +
        textBytes(codec.mimeType);
}

std::size_t signatureBytesOf(const Codec& codec)
{
    return 2 * static_cast<std::size_t>(codec.signatureCount) * codec.signatureSize;
}

// Copies a text to `cursor` and advances it; the copy's address.
const WCHAR* placeText(std::uint8_t*& cursor, const char16_t* text)
{
    const std::size_t bytes = textBytes(text);
    std::memcpy(cursor, text, bytes);
    const auto* placed = reinterpret_cast<const WCHAR*>(cursor);
    cursor += bytes;
    return placed;
}

const BYTE* placeBytes(std::uint8_t*& cursor, const std::uint8_t* bytes, std::size_t count)
{
    std::memcpy(cursor, bytes, count);
    const BYTE* placed = cursor;
    cursor += count;
    return placed;
}

} // namespace

std::size_t codecListBytes(std::span<const Codec* const> codecs)
{
    std::size_t bytes = codecs.size() * sizeof(ImageCodecInfo);
    for (const Codec* codec : codecs)
        bytes += textBytesOf(*codec) + signatureBytesOf(*codec);
    return bytes;
}

void writeCodecList(std::span<const Codec* const> codecs, ImageCodecInfo* buffer)
{
    // Texts before signatures: every text starts at an even offset, which
    // UTF-16 needs, whatever lengths the signatures have.
    auto* texts = reinterpret_cast<std::uint8_t*>(buffer + codecs.size());
    std::size_t allTextBytes = 0;
    for (const Codec* codec : codecs)
        allTextBytes += textBytesOf(*codec);
    std::uint8_t* signatures = texts + allTextBytes;

    for (std::size_t index = 0; index < codecs.size(); ++index) {
        const Codec& codec = *codecs[index];
        ImageCodecInfo& record = buffer[index];
        record.Clsid = codec.clsid;
        record.FormatID = codec.formatId;
        record.CodecName = placeText(texts, codec.codecName);
        record.DllName = nullptr; // built into the engine
        record.FormatDescription = placeText(texts, codec.formatDescription);
        record.FilenameExtension = placeText(texts, codec.filenameExtension);
        record.MimeType = placeText(texts, codec.mimeType);
        record.Flags = codec.flags;
        record.Version = 1;
        record.SigCount = codec.signatureCount;
        record.SigSize = codec.signatureSize;
        const std::size_t patternBytes = static_cast<std::size_t>(codec.signatureCount) * codec.signatureSize;
        record.SigPattern = placeBytes(signatures, codec.signaturePatterns, patternBytes);
        record.SigMask = placeBytes(signatures, codec.signatureMasks, patternBytes);
    }
}

} // namespace engine
