#pragma once

// A platform brush that paints one ARGB colour.

#include "imaging_object.h"

#include <cstdint>

namespace quillory {

// Owns its platform brush and keeps it in three equal copies: NativeHandle,
// ClassHandle (the object seen as a brush: Delete passes it) and
// SolidFillHandle (seen as a solid fill: Create, SetColor and GetColor pass
// it). Colours are 0xAARRGGBB, straight alpha.
class SolidBrush : public ImagingObject {
public:
    SolidBrush() = default;
    // Deletes the brush.
    ~SolidBrush() override;

    void SetClassHandle(Handle handle) override;
    // Stores the solid-fill copy of the handle.
    virtual void SetSubclassHandle(Handle handle);

    // Releases the brush; the object is empty afterwards whatever the platform
    // answered. False without any call on an empty object (LastStatus untouched).
    virtual bool Delete();

    // A new brush of `color`. The handle the platform wrote, if any, is taken
    // whatever the status; a brush already held is not released.
    virtual bool Create(std::uint32_t color);

    virtual bool SetColor(std::uint32_t color);

    // The brush's colour; 0 on failure, told from transparent black only by
    // LastStatus.
    virtual std::uint32_t GetColor() const;

protected:
    Handle SolidFillHandle = nullptr;
};

} // namespace quillory
