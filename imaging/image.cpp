#include "image.h"

#include "gdiplus_binding.h"

namespace quillory {

Image::~Image()
{
    Dispose();
}

void Image::SetClassHandle(Handle handle)
{
    ClassHandle = handle;
    SetSubclassHandle(ClassHandle);
}

void Image::SetSubclassHandle(Handle)
{
}

bool Image::Dispose()
{
    if (!ClassHandle)
        return false;
    LoadStream.Close();
    const GpStatus status = StoreStatus(Flat().GdipDisposeImage(static_cast<GpImage*>(ClassHandle)));
    SetNativeHandle(nullptr);
    return status == Ok;
}

bool Image::LoadFromBytes(const Bytes& data, bool useIcm)
{
    // The bytes are copied into the stream's own block, which the platform
    // goes on reading while the image lives.
    LoadStream.CreateFromBytes(data);
    auto* image = static_cast<GpImage*>(ClassHandle);
    const auto load = useIcm ? Flat().GdipLoadImageFromStreamICM : Flat().GdipLoadImageFromStream;
    const GpStatus status = StoreStatus(load(LoadStream.GetStream(), &image));
    ClassHandle = image;
    SetNativeHandle(ClassHandle);
    return status == Ok;
}

Bytes Image::SaveToBytes(std::optional<std::string> format, const EncoderParameterSet* set)
{
    std::optional<NativeEncoderParameters> parameters;
    if (set) {
        parameters.emplace(*set);
        if (!parameters->Valid()) {
            RefuseArgument();
            return {};
        }
    }

    MemoryStream encoded;
    if (!format)
        format = GetRawFormat();
    const GUID clsid = GuidFromBytes(TextToGuid(FindEncoderClsid(*format)));
    encoded.CreateFromBytes();
    const GpStatus status = StoreStatus(Flat().GdipSaveImageToStream(
        static_cast<GpImage*>(ClassHandle), encoded.GetStream(), &clsid, parameters ? parameters->Get() : nullptr));
    // Whatever a failed save left in the stream is not a picture.
    if (status != Ok)
        return {};
    return encoded.ToBytes();
}

std::uint32_t Image::GetWidth() const
{
    UINT width = 0;
    if (StoreStatus(Flat().GdipGetImageWidth(static_cast<GpImage*>(ClassHandle), &width)) != Ok)
        return 0;
    return width;
}

std::uint32_t Image::GetHeight() const
{
    UINT height = 0;
    if (StoreStatus(Flat().GdipGetImageHeight(static_cast<GpImage*>(ClassHandle), &height)) != Ok)
        return 0;
    return height;
}

std::string Image::GetRawFormat() const
{
    GUID format = {};
    if (StoreStatus(Flat().GdipGetImageRawFormat(static_cast<GpImage*>(ClassHandle), &format)) != Ok)
        format = {};
    return GuidToText(GuidBytes(format));
}

} // namespace quillory
