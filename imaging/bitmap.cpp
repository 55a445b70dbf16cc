#include "bitmap.h"

#include "gdiplus_binding.h"

namespace quillory {

Bitmap::~Bitmap()
{
    Dispose();
}

void Bitmap::SetSubclassHandle(Handle handle)
{
    BitmapHandle = handle;
}

bool Bitmap::Dispose()
{
    if (!BitmapHandle)
        return false;
    LoadStream.Close();
    const GpStatus status = StoreStatus(Flat().GdipDisposeImage(static_cast<GpBitmap*>(BitmapHandle)));
    SetNativeHandle(nullptr);
    return status == Ok;
}

bool Bitmap::Create(std::int32_t width, std::int32_t height, PixelFormat format)
{
    // Stride 0 and no memory: the platform allocates the pixels itself.
    auto* bitmap = static_cast<GpBitmap*>(BitmapHandle);
    const GpStatus status = StoreStatus(Flat().GdipCreateBitmapFromScan0(width, height, 0, format, nullptr, &bitmap));
    BitmapHandle = bitmap;
    SetNativeHandle(BitmapHandle);
    return status == Ok;
}

} // namespace quillory
