#pragma once

// A platform string format: the layout settings text drawing applies inside
// a layout rectangle.

#include "imaging_object.h"

#include <cstdint>

namespace quillory {

// Owns its platform format. Settings live in the platform object; the wrapper
// keeps no copy of them.
class StringFormat : public ImagingObject {
public:
    StringFormat() = default;
    // Deletes the format.
    ~StringFormat() override;

    // Releases the format; the object is empty afterwards whatever the
    // platform answered. False without any call on an empty object
    // (LastStatus untouched).
    virtual bool Delete();

    // A new format with the platform's format flags (0x800 measures trailing
    // spaces) and language identifier (16 bits reach the platform). The
    // handle the platform wrote, if any, is taken whatever the status; a
    // format already held is not released.
    virtual bool Create(std::int32_t flags = 0, std::int32_t language = 0);

    // Horizontal alignment: 0 near, 1 centre, 2 far.
    virtual bool SetAlign(std::int32_t alignment);

    // Vertical alignment of the lines: 0 near (top), 1 centre, 2 far.
    virtual bool SetLineAlign(std::int32_t alignment);
};

} // namespace quillory
