#pragma once

// The library's pixel image: an Image whose creating and releasing operations
// are the platform's bitmap routines.

#include "image.h"

#include <cstdint>

namespace quillory {

// The pixel format the library uses when none is given: 32 bits per pixel,
// straight alpha.
inline constexpr PixelFormat DefaultPixelFormat = 0x0026200A;

// Keeps a third copy of the handle, the one its bitmap operations pass; every
// SetNativeHandle keeps it equal to the other two. Owns its platform bitmap.
class Bitmap : public Image {
public:
    Bitmap() = default;
    // Disposes of the bitmap, then the stream goes.
    ~Bitmap() override;

    void SetSubclassHandle(Handle handle) override;

    // As Image::Dispose, on the bitmap handle.
    bool Dispose() override;

    // A new width x height bitmap in `format`, its pixels allocated and
    // zeroed by the platform (transparent black). The handle the platform
    // wrote, if any, is taken whatever the status; a bitmap already held is
    // not released: Dispose first.
    virtual bool Create(std::int32_t width, std::int32_t height, PixelFormat format = DefaultPixelFormat);

protected:
    Handle BitmapHandle = nullptr;
};

} // namespace quillory
