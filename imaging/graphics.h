#pragma once

// A platform drawing context: the surface every drawing operation of the
// library paints on.

#include "imaging_object.h"

#include <cstdint>
#include <string>

namespace quillory {

class Font;
class Image;
class SolidBrush;
class StringFormat;

// Owns its platform context; ClassHandle is the graphics handle every
// operation passes. Object arguments are passed as their native handles; an
// empty object passes null and the platform's refusal is the answer.
// Operations store their status in LastStatus and return true for status 0.
class Graphics : public ImagingObject {
public:
    Graphics() = default;
    // Deletes the context.
    ~Graphics() override;

    void SetClassHandle(Handle handle) override;
    // Nothing here.
    virtual void SetSubclassHandle(Handle handle);

    // Releases the context; the object is empty afterwards whatever the
    // platform answered. False without any call on an empty object
    // (LastStatus untouched).
    virtual bool Delete();

    // Opens a context on `image`. The handle the platform wrote, if any, is
    // taken whatever the status; a context already held is not released.
    virtual bool GetImageContext(const Image& image);

    // Fills the rectangle (world units) with `brush`, any imaging object
    // holding a platform brush.
    virtual bool FillRectangle(const ImagingObject& brush, float x, float y, float width, float height);

    // Draws `text` (UTF-8, up to its first NUL) inside `layout` with `font`
    // and `brush`; a format left out passes null.
    virtual bool DrawString(const std::string& text, const Font& font, const SolidBrush& brush, const RectF& layout,
        const StringFormat* format = nullptr);

    // Draws the whole of `image` scaled into the rectangle. Asks the image
    // for its width and height first (each a call of its own); the draw's
    // status is the answer. `sourceUnit` 2 is pixels.
    virtual bool DrawImageRect(const Image& image, float x, float y, float width, float height, GpUnit sourceUnit = 2);
};

} // namespace quillory
