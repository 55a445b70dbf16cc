#pragma once

#include "core/object.h"

#include <gdiplus/flat_types.h>

#include <memory>

namespace engine {

// Base of everything behind an image handle: bitmaps now, metafiles later.
// Sizes are in pixels, resolutions in dots per inch.
class Image : public Object {
public:
    Image() : Object(Kind::Image) { }

    virtual GpImageType type() const = 0;
    virtual int width() const = 0;
    virtual int height() const = 0;
    virtual PixelFormat pixelFormat() const = 0;
    // The format the image was decoded from; MemoryBMP for one made in memory.
    virtual GUID rawFormat() const = 0;
    virtual float horizontalResolution() const = 0;
    virtual float verticalResolution() const = 0;

    // An independent copy with its own pixels; OutOfMemory when they cannot
    // be allocated, leaving `result` as it was.
    virtual GpStatus clone(std::unique_ptr<Image>& result) const = 0;
};

} // namespace engine
