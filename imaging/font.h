#pragma once

// A platform font: a family at a size, in a style and a unit.

#include "imaging_object.h"

#include <cstdint>
#include <string>

namespace quillory {

// Owns its platform font, which stays usable after the family it was made
// from is deleted.
class Font : public ImagingObject {
public:
    Font() = default;
    // Deletes the font.
    ~Font() override;

    // Releases the font; the object is empty afterwards whatever the platform
    // answered. False without any call on an empty object (LastStatus untouched).
    virtual bool Delete();

    // A font of the installed family `familyName` (UTF-8) at `emSize` in
    // `unit` (0 world, 3 points, ...) and `style` (0 regular). The family is
    // looked up, used and deleted again; a name no family has passes a null
    // family and the platform's refusal is the answer. LastStatus ends with
    // the font creation's status. A font already held is not released.
    virtual bool CreateFromFamilyName(
        const std::string& familyName, float emSize, std::int32_t style = 0, std::int32_t unit = 0);
};

} // namespace quillory
