#include "codecs/codec_table.h"

#include "codecs/bmp_codec.h"
#include "codecs/jpeg_codec.h"
#include "codecs/png_codec.h"
#include "image/image_format_ids.h"

#include <array>

namespace engine {

bool Codec::recognizes(std::span<const std::uint8_t> file) const
{
    if (file.size() < signatureSize)
        return false;
    for (DWORD signature = 0; signature < signatureCount; ++signature) {
        const std::uint8_t* pattern = signaturePatterns + signature * signatureSize;
        const std::uint8_t* mask = signatureMasks + signature * signatureSize;
        bool matches = true;
        for (DWORD index = 0; index < signatureSize && matches; ++index)
            matches = (file[index] & mask[index]) == pattern[index];
        if (matches)
            return true;
    }
    return false;
}

namespace {

// The built-in codecs share one class-id pattern, differing in Data1.
constexpr CLSID codecClassId(std::uint32_t data1)
{
    return CLSID{data1, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
}

constexpr DWORD BothWays = CodecEncoder | CodecDecoder | CodecSupportBitmap | CodecBuiltin;
constexpr DWORD DecodeOnly = CodecDecoder | CodecSupportBitmap | CodecBuiltin;

constexpr std::uint8_t bmpPattern[] = {'B', 'M'};
constexpr std::uint8_t bmpMask[] = {0xFF, 0xFF};
constexpr std::uint8_t jpegPattern[] = {0xFF, 0xD8};
constexpr std::uint8_t jpegMask[] = {0xFF, 0xFF};
constexpr std::uint8_t gifPattern[] = {'G', 'I', 'F', '8', '9', 'a', 'G', 'I', 'F', '8', '7', 'a'};
constexpr std::uint8_t gifMask[] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
constexpr std::uint8_t tiffPattern[] = {'I', 'I', '*', 0, 'M', 'M', 0, '*'};
constexpr std::uint8_t tiffMask[] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
constexpr std::uint8_t pngPattern[] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
constexpr std::uint8_t pngMask[] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
// An enhanced metafile carries " EMF" at offset 40 of its header record.
constexpr std::array<std::uint8_t, 44> emfSignature(bool mask)
{
    std::array<std::uint8_t, 44> bytes{};
    constexpr std::uint8_t tag[] = {' ', 'E', 'M', 'F'};
    for (std::size_t index = 0; index < 4; ++index)
        bytes[40 + index] = mask ? 0xFF : tag[index];
    return bytes;
}
constexpr auto emfPattern = emfSignature(false);
constexpr auto emfMask = emfSignature(true);
// The key of a placeable metafile header.
constexpr std::uint8_t wmfPattern[] = {0xD7, 0xCD, 0xC6, 0x9A};
constexpr std::uint8_t wmfMask[] = {0xFF, 0xFF, 0xFF, 0xFF};
constexpr std::uint8_t icoPattern[] = {0x00, 0x00, 0x01, 0x00};
constexpr std::uint8_t icoMask[] = {0xFF, 0xFF, 0xFF, 0xFF};

const Codec codecs[] = {
    {codecClassId(0x557CF400), image_format::BMP, u"Built-in BMP Codec", u"BMP", u"*.BMP;*.DIB;*.RLE", u"image/bmp",
        BothWays, 1, 2, bmpPattern, bmpMask, decodeBmp, encodeBmp},
    {codecClassId(0x557CF401), image_format::JPEG, u"Built-in JPEG Codec", u"JPEG", u"*.JPG;*.JPEG;*.JPE;*.JFIF",
        u"image/jpeg", BothWays, 1, 2, jpegPattern, jpegMask, decodeJpeg, nullptr},
    {codecClassId(0x557CF402), image_format::GIF, u"Built-in GIF Codec", u"GIF", u"*.GIF", u"image/gif", BothWays, 2, 6,
        gifPattern, gifMask, nullptr, nullptr},
    {codecClassId(0x557CF403), image_format::EMF, u"Built-in EMF Codec", u"EMF", u"*.EMF", u"image/x-emf", DecodeOnly,
        1, 44, emfPattern.data(), emfMask.data(), nullptr, nullptr},
    {codecClassId(0x557CF404), image_format::WMF, u"Built-in WMF Codec", u"WMF", u"*.WMF", u"image/x-wmf", DecodeOnly,
        1, 4, wmfPattern, wmfMask, nullptr, nullptr},
    {codecClassId(0x557CF405), image_format::TIFF, u"Built-in TIFF Codec", u"TIFF", u"*.TIF;*.TIFF", u"image/tiff",
        BothWays, 2, 4, tiffPattern, tiffMask, nullptr, nullptr},
    {codecClassId(0x557CF406), image_format::PNG, u"Built-in PNG Codec", u"PNG", u"*.PNG", u"image/png", BothWays, 1, 8,
        pngPattern, pngMask, decodePng, encodePng},
    {codecClassId(0x557CF407), image_format::Icon, u"Built-in ICO Codec", u"ICO", u"*.ICO", u"image/x-icon", DecodeOnly,
        1, 4, icoPattern, icoMask, nullptr, nullptr},
};

} // namespace

std::span<const Codec> builtinCodecs()
{
    return codecs;
}

std::vector<const Codec*> encoders()
{
    std::vector<const Codec*> result;
    for (const Codec& codec : codecs) {
        if (codec.flags & CodecEncoder)
            result.push_back(&codec);
    }
    return result;
}

const Codec* findEncoder(const CLSID& clsid)
{
    for (const Codec& codec : codecs) {
        if ((codec.flags & CodecEncoder) && sameGuid(codec.clsid, clsid))
            return &codec;
    }
    return nullptr;
}

const Codec* findDecoder(std::span<const std::uint8_t> file)
{
    for (const Codec& codec : codecs) {
        if ((codec.flags & CodecDecoder) && codec.recognizes(file))
            return &codec;
    }
    return nullptr;
}

} // namespace engine
