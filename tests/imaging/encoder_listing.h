#pragma once

// A scripted encoder list for the fake: the platform's codec records laid out
// as the platform lays them out, records first and every text and signature
// they point to after them in the same caller buffer.

#include "recording_fake.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace quillory::testing {

struct ScriptedEncoder {
    GUID clsid;
    GUID format;
    std::u16string codecName;
    std::u16string dllName;
    std::u16string formatDescription;
    std::u16string filenameExtension;
    std::u16string mimeType;
    DWORD flags = 0;
    DWORD version = 0;
    DWORD sigCount = 0;
    DWORD sigSize = 0;
    std::vector<BYTE> sigPattern; // sigCount * sigSize bytes
    std::vector<BYTE> sigMask;
};

inline constexpr GUID BmpFormatGuid = {0xB96B3CAB, 0x0728, 0x11D3, {0x9D, 0x7B, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
inline constexpr GUID PngFormatGuid = {0xB96B3CAF, 0x0728, 0x11D3, {0x9D, 0x7B, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
inline constexpr GUID MemoryBmpFormatGuid = {
    0xB96B3CAA, 0x0728, 0x11D3, {0x9D, 0x7B, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
inline constexpr GUID BmpEncoderClsid = {0x557CF400, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
inline constexpr GUID PngEncoderClsid = {0x557CF406, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
inline constexpr const char* BmpEncoderClsidText = "{557CF400-1A04-11D3-9A73-0000F81EF32E}";
inline constexpr const char* PngEncoderClsidText = "{557CF406-1A04-11D3-9A73-0000F81EF32E}";

inline ScriptedEncoder BmpEncoder()
{
    return {BmpEncoderClsid, BmpFormatGuid, u"Built-in BMP Codec", u"", u"BMP", u"*.BMP;*.DIB;*.RLE", u"image/bmp",
        0x10007, 1, 1, 2, {0x42, 0x4D}, {0xFF, 0xFF}};
}

inline ScriptedEncoder PngEncoder()
{
    return {PngEncoderClsid, PngFormatGuid, u"Built-in PNG Codec", u"", u"PNG", u"*.PNG", u"image/png", 0x10007, 1, 1,
        8, {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A}, std::vector<BYTE>(8, 0xFF)};
}

class EncoderListing {
public:
    explicit EncoderListing(std::vector<ScriptedEncoder> encoders) : encoders_(std::move(encoders)) { }

    UINT Count() const { return static_cast<UINT>(encoders_.size()); }

    UINT Size() const
    {
        std::size_t size = encoders_.size() * sizeof(ImageCodecInfo);
        for (const auto& encoder : encoders_) {
            for (const auto* text : Texts(encoder))
                size += (text->size() + 1) * sizeof(WCHAR);
            size += encoder.sigPattern.size() + encoder.sigMask.size();
        }
        return static_cast<UINT>(size);
    }

    // Fills a buffer of Size() bytes; every address points into it.
    void WriteInto(ImageCodecInfo* records) const
    {
        auto* tail = reinterpret_cast<BYTE*>(records + encoders_.size());
        for (std::size_t index = 0; index < encoders_.size(); ++index) {
            const auto& encoder = encoders_[index];
            ImageCodecInfo& record = records[index];
            record.Clsid = encoder.clsid;
            record.FormatID = encoder.format;
            const WCHAR** addresses[] = {&record.CodecName, &record.DllName, &record.FormatDescription,
                &record.FilenameExtension, &record.MimeType};
            const auto texts = Texts(encoder);
            for (std::size_t text = 0; text < texts.size(); ++text) {
                const std::size_t bytes = (texts[text]->size() + 1) * sizeof(WCHAR);
                std::memcpy(tail, texts[text]->c_str(), bytes);
                *addresses[text] = reinterpret_cast<const WCHAR*>(tail);
                tail += bytes;
            }
            record.Flags = encoder.flags;
            record.Version = encoder.version;
            record.SigCount = encoder.sigCount;
            record.SigSize = encoder.sigSize;
            record.SigPattern = Place(tail, encoder.sigPattern);
            record.SigMask = Place(tail, encoder.sigMask);
        }
    }

    // Scripts the size query and the list call to answer this listing.
    void Install(RecordingFake& fake) const
    {
        fake.on.GdipGetImageEncodersSize = [this](UINT* count, UINT* size) {
            *count = Count();
            *size = Size();
            return GpStatus{Ok};
        };
        fake.on.GdipGetImageEncoders = [this](UINT count, UINT size, ImageCodecInfo* records) {
            if (count != Count() || size != Size() || !records)
                return GpStatus{InvalidParameter};
            WriteInto(records);
            return GpStatus{Ok};
        };
    }

private:
    static std::vector<const std::u16string*> Texts(const ScriptedEncoder& encoder)
    {
        return {&encoder.codecName, &encoder.dllName, &encoder.formatDescription, &encoder.filenameExtension,
            &encoder.mimeType};
    }

    static const BYTE* Place(BYTE*& tail, const std::vector<BYTE>& bytes)
    {
        if (bytes.empty())
            return nullptr;
        std::memcpy(tail, bytes.data(), bytes.size());
        const BYTE* placed = tail;
        tail += bytes.size();
        return placed;
    }

    std::vector<ScriptedEncoder> encoders_;
};

} // namespace quillory::testing
