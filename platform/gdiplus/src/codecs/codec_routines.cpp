// The flat routines of codecs: the encoder list, saving and loading.

#include "codecs/codec_list.h"
#include "codecs/codec_table.h"
#include "codecs/file_path.h"
#include "codecs/file_sink.h"
#include "codecs/stream_sink.h"
#include "codecs/whole_file_reader.h"
#include "core/boundary.h"
#include "image/bitmap.h"

#include <gdiplus/flat_api.h>

#include <vector>

using engine::Bitmap;
using engine::Codec;
using engine::guarded;
using engine::Image;
using engine::lookup;

namespace {

// The encoder `clsid` names and the bitmap `image` holds, or the status
// refusing them: InvalidParameter for a missing or unknown argument,
// NotImplemented for an encoder or image kind not written yet.
GpStatus findEncoding(GpImage* image, const CLSID* clsid, Bitmap*& bitmap, const Codec*& encoder)
{
    Image* found = lookup<Image>(image);
    if (!found || !clsid)
        return InvalidParameter;
    encoder = engine::findEncoder(*clsid);
    if (!encoder)
        return InvalidParameter;
    bitmap = dynamic_cast<Bitmap*>(found);
    if (!bitmap || !encoder->encode)
        return NotImplemented;
    return Ok;
}

// Decodes a whole file into a bitmap and hands it out. Data no decoder
// recognises, empty data included, answers OutOfMemory as the interface does
// for data it cannot make an image from.
GpStatus handOutDecoded(const std::vector<std::uint8_t>& file, GpImage** image)
{
    const Codec* decoder = engine::findDecoder(file);
    if (!decoder)
        return OutOfMemory;
    if (!decoder->decode)
        return NotImplemented;
    std::unique_ptr<Bitmap> bitmap;
    const GpStatus status = decoder->decode(file, bitmap);
    if (status != Ok)
        return status;
    return engine::handOut(std::move(bitmap), image);
}

GpStatus loadFromStream(IStream* stream, GpImage** image)
{
    if (!stream || !image)
        return InvalidParameter;
    // The image is decoded at once, so it never reads the stream again and
    // stays valid whatever the caller does with the stream afterwards.
    std::vector<std::uint8_t> file;
    const GpStatus status = engine::readWholeStream(stream, file);
    if (status != Ok)
        return status;
    return handOutDecoded(file, image);
}

GpStatus loadFromFile(const WCHAR* filename, GpImage** image)
{
    if (!filename || !image)
        return InvalidParameter;
    std::string path;
    GpStatus status = engine::pathFromWide(filename, path);
    if (status != Ok)
        return status;
    std::vector<std::uint8_t> file;
    status = engine::readWholeFile(path, file);
    if (status != Ok)
        return status;
    return handOutDecoded(file, image);
}

} // namespace

GpStatus GdipGetImageEncodersSize(UINT* numEncoders, UINT* size)
{
    return guarded([&]() -> GpStatus {
        if (!numEncoders || !size)
            return InvalidParameter;
        const std::vector<const Codec*> list = engine::encoders();
        *numEncoders = static_cast<UINT>(list.size());
        *size = static_cast<UINT>(engine::codecListBytes(list));
        return Ok;
    });
}

GpStatus GdipGetImageEncoders(UINT numEncoders, UINT size, ImageCodecInfo* encoders)
{
    return guarded([&]() -> GpStatus {
        if (!encoders)
            return InvalidParameter;
        const std::vector<const Codec*> list = engine::encoders();
        // The caller must pass exactly what the size routine reported.
        if (numEncoders != list.size() || size != engine::codecListBytes(list))
            return GenericError;
        engine::writeCodecList(list, encoders);
        return Ok;
    });
}

GpStatus GdipSaveImageToStream(
    GpImage* image, IStream* stream, const CLSID* clsidEncoder, const EncoderParameters* encoderParams)
{
    // The built-in encoders written so far take no parameters; any given are
    // ignored, as for an encoder that lists none.
    (void)encoderParams;
    return guarded([&]() -> GpStatus {
        Bitmap* bitmap = nullptr;
        const Codec* encoder = nullptr;
        if (!stream)
            return InvalidParameter;
        const GpStatus status = findEncoding(image, clsidEncoder, bitmap, encoder);
        if (status != Ok)
            return status;
        engine::StreamSink sink(stream);
        return encoder->encode(*bitmap, sink);
    });
}

GpStatus GdipSaveImageToFile(
    GpImage* image, const WCHAR* filename, const CLSID* clsidEncoder, const EncoderParameters* encoderParams)
{
    (void)encoderParams;
    return guarded([&]() -> GpStatus {
        Bitmap* bitmap = nullptr;
        const Codec* encoder = nullptr;
        GpStatus status = findEncoding(image, clsidEncoder, bitmap, encoder);
        if (status != Ok)
            return status;
        std::string path;
        status = engine::pathFromWide(filename, path);
        if (status != Ok)
            return status;
        std::unique_ptr<engine::FileSink> sink;
        status = engine::FileSink::open(path, sink);
        if (status != Ok)
            return status;
        status = encoder->encode(*bitmap, *sink);
        const GpStatus finished = sink->finish();
        return status != Ok ? status : finished;
    });
}

GpStatus GdipLoadImageFromStream(IStream* stream, GpImage** image)
{
    return guarded([&] { return loadFromStream(stream, image); });
}

// Colour management changes nothing for the formats decoded so far: none of
// them carries a profile the decoders read.
GpStatus GdipLoadImageFromStreamICM(IStream* stream, GpImage** image)
{
    return guarded([&] { return loadFromStream(stream, image); });
}

GpStatus GdipLoadImageFromFile(const WCHAR* filename, GpImage** image)
{
    return guarded([&] { return loadFromFile(filename, image); });
}

GpStatus GdipLoadImageFromFileICM(const WCHAR* filename, GpImage** image)
{
    return guarded([&] { return loadFromFile(filename, image); });
}

// Every decoder gives a bitmap, so the bitmap routines are the image ones.
GpStatus GdipCreateBitmapFromStream(IStream* stream, GpBitmap** bitmap)
{
    return guarded([&] { return loadFromStream(stream, bitmap); });
}

GpStatus GdipCreateBitmapFromStreamICM(IStream* stream, GpBitmap** bitmap)
{
    return guarded([&] { return loadFromStream(stream, bitmap); });
}

GpStatus GdipCreateBitmapFromFile(const WCHAR* filename, GpBitmap** bitmap)
{
    return guarded([&] { return loadFromFile(filename, bitmap); });
}

GpStatus GdipCreateBitmapFromFileICM(const WCHAR* filename, GpBitmap** bitmap)
{
    return guarded([&] { return loadFromFile(filename, bitmap); });
}
