#include "engine_fixture.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace {

class CodecList : public EngineTest { };

std::u16string textOf(const WCHAR* text)
{
    std::u16string result;
    if (!text)
        return result;
    while (*text)
        result.push_back(static_cast<char16_t>(*text++));
    return result;
}

GUID guid(std::uint32_t data1, std::uint16_t data2, std::uint16_t data3, std::uint8_t d0, std::uint8_t d1)
{
    return GUID{data1, data2, data3, {d0, d1, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
}

bool same(const GUID& a, const GUID& b)
{
    return std::memcmp(&a, &b, sizeof(GUID)) == 0;
}

struct ExpectedEncoder {
    GUID clsid;
    GUID format;
    std::u16string name;
    std::u16string extensions;
    std::u16string mime;
    std::u16string description;
    std::vector<std::uint8_t> signatures;
};

TEST_F(CodecList, ListsTheFiveEncodersInOneBuffer)
{
    UINT count = 0;
    UINT size = 0;
    ASSERT_EQ(GdipGetImageEncodersSize(&count, &size), Ok);
    ASSERT_EQ(count, 5u);
    ASSERT_GE(size, count * sizeof(ImageCodecInfo));
    // One extra byte on each side shows any write outside the buffer.
    std::vector<std::uint8_t> memory(size + 2 * sizeof(ImageCodecInfo), 0xCD);
    auto* buffer = reinterpret_cast<std::uint8_t*>(memory.data()) + sizeof(ImageCodecInfo);
    auto* codecs = reinterpret_cast<ImageCodecInfo*>(buffer);
    ASSERT_EQ(GdipGetImageEncoders(count, size, codecs), Ok);
    EXPECT_EQ(memory[sizeof(ImageCodecInfo) - 1], 0xCD);
    EXPECT_EQ(memory[sizeof(ImageCodecInfo) + size], 0xCD);

    const ExpectedEncoder expected[] = {
        {guid(0x557CF400, 0x1A04, 0x11D3, 0x9A, 0x73), guid(0xB96B3CAB, 0x0728, 0x11D3, 0x9D, 0x7B),
            u"Built-in BMP Codec", u"*.BMP;*.DIB;*.RLE", u"image/bmp", u"BMP", {'B', 'M'}},
        {guid(0x557CF401, 0x1A04, 0x11D3, 0x9A, 0x73), guid(0xB96B3CAE, 0x0728, 0x11D3, 0x9D, 0x7B),
            u"Built-in JPEG Codec", u"*.JPG;*.JPEG;*.JPE;*.JFIF", u"image/jpeg", u"JPEG", {0xFF, 0xD8}},
        {guid(0x557CF402, 0x1A04, 0x11D3, 0x9A, 0x73), guid(0xB96B3CB0, 0x0728, 0x11D3, 0x9D, 0x7B),
            u"Built-in GIF Codec", u"*.GIF", u"image/gif", u"GIF",
            {'G', 'I', 'F', '8', '9', 'a', 'G', 'I', 'F', '8', '7', 'a'}},
        {guid(0x557CF405, 0x1A04, 0x11D3, 0x9A, 0x73), guid(0xB96B3CB1, 0x0728, 0x11D3, 0x9D, 0x7B),
            u"Built-in TIFF Codec", u"*.TIF;*.TIFF", u"image/tiff", u"TIFF", {'I', 'I', '*', 0, 'M', 'M', 0, '*'}},
        {guid(0x557CF406, 0x1A04, 0x11D3, 0x9A, 0x73), guid(0xB96B3CAF, 0x0728, 0x11D3, 0x9D, 0x7B),
            u"Built-in PNG Codec", u"*.PNG", u"image/png", u"PNG", {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A}},
    };
    auto inside = [&](const void* pointer) {
        const auto* byte = static_cast<const std::uint8_t*>(pointer);
        return byte >= buffer && byte < buffer + size;
    };
    for (UINT index = 0; index < count; ++index) {
        const ImageCodecInfo& codec = codecs[index];
        const ExpectedEncoder& want = expected[index];
        SCOPED_TRACE(std::string(want.name.begin(), want.name.end()));
        EXPECT_TRUE(same(codec.Clsid, want.clsid));
        EXPECT_TRUE(same(codec.FormatID, want.format));
        EXPECT_TRUE(textOf(codec.CodecName) == want.name);
        EXPECT_TRUE(textOf(codec.FilenameExtension) == want.extensions);
        EXPECT_TRUE(textOf(codec.MimeType) == want.mime);
        EXPECT_TRUE(textOf(codec.FormatDescription) == want.description);
        EXPECT_EQ(codec.DllName, nullptr);
        EXPECT_EQ(codec.Flags, 0x10007u) << "encoder, decoder, bitmaps, built in";
        EXPECT_EQ(codec.Version, 1u);
        ASSERT_EQ(codec.SigCount * codec.SigSize, want.signatures.size());
        EXPECT_EQ(
            std::vector<std::uint8_t>(codec.SigPattern, codec.SigPattern + want.signatures.size()), want.signatures);
        EXPECT_EQ(std::vector<std::uint8_t>(codec.SigMask, codec.SigMask + want.signatures.size()),
            std::vector<std::uint8_t>(want.signatures.size(), 0xFF));
        for (const void* pointer : {static_cast<const void*>(codec.CodecName), static_cast<const void*>(codec.MimeType),
                 static_cast<const void*>(codec.FilenameExtension), static_cast<const void*>(codec.FormatDescription),
                 static_cast<const void*>(codec.SigPattern), static_cast<const void*>(codec.SigMask)})
            EXPECT_TRUE(inside(pointer)) << "every pointer aims into the caller's buffer";
    }
}

TEST_F(CodecList, RefusesAnythingButTheReportedSizes)
{
    UINT count = 0;
    UINT size = 0;
    ASSERT_EQ(GdipGetImageEncodersSize(&count, &size), Ok);
    std::vector<std::uint8_t> memory(size + 64, 0xCD);
    auto* codecs = reinterpret_cast<ImageCodecInfo*>(memory.data());
    EXPECT_EQ(GdipGetImageEncoders(count, size, nullptr), InvalidParameter);
    EXPECT_EQ(GdipGetImageEncoders(count - 1, size, codecs), GenericError);
    EXPECT_EQ(GdipGetImageEncoders(count, size - 1, codecs), GenericError);
    EXPECT_EQ(GdipGetImageEncoders(count, size + 64, codecs), GenericError);
    EXPECT_EQ(memory, std::vector<std::uint8_t>(size + 64, 0xCD)) << "a refusal writes nothing";
    EXPECT_EQ(GdipGetImageEncodersSize(nullptr, &size), InvalidParameter);
    EXPECT_EQ(GdipGetImageEncodersSize(&count, nullptr), InvalidParameter);
}

} // namespace
