#pragma once

// A platform font family, looked up by name.

#include "imaging_object.h"

#include <string>

namespace quillory {

// Holds a platform family but does not release it when destroyed: the family
// lives until Delete is called, so whoever makes one deletes it.
class FontFamily : public ImagingObject {
public:
    FontFamily() = default;
    ~FontFamily() override = default;

    // Releases the family; the object is empty afterwards whatever the
    // platform answered. False without any call on an empty object
    // (LastStatus untouched).
    virtual bool Delete();

    // Looks `name` (UTF-8) up in `collection`, any imaging object holding a
    // platform font collection; left out or empty, the installed fonts. The
    // handle the platform wrote, if any, is taken whatever the status; a
    // family already held is not released.
    virtual bool CreateFromName(const std::string& name, const ImagingObject* collection = nullptr);
};

} // namespace quillory
