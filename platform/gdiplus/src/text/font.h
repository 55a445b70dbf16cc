#pragma once

#include "core/object.h"
#include "core/units.h"
#include "graphics/graphics.h"
#include "text/family_record.h"
#include "text/font_face.h"

#include <gdiplus/flat_types.h>

#include <memory>

namespace engine {

// A font: a family's face at a size, in a style and a unit. It holds its
// family's record and its face itself, so it outlives the family object it
// was made from.
class Font : public Object {
public:
    Font(std::shared_ptr<const text::FamilyRecord> family, std::shared_ptr<text::FontFace> face, REAL emSize, INT style,
        GpUnit unit)
        : Object(Kind::Font),
          family_(std::move(family)),
          face_(std::move(face)),
          emSize_(emSize),
          style_(style),
          unit_(unit)
    {
    }

    Font(const Font& other) : Font(other.family_, other.face_, other.emSize_, other.style_, other.unit_) { }

    const std::shared_ptr<const text::FamilyRecord>& family() const { return family_; }
    const std::shared_ptr<text::FontFace>& face() const { return face_; }
    REAL emSize() const { return emSize_; } // in unit()
    INT style() const { return style_; }
    GpUnit unit() const { return unit_; }

    // The em in `graphics`' page units, the world units text is laid out in
    // before the world transform: the font's size is physical, so whatever
    // the page unit only the world transform scales text.
    float emSizeOn(const Graphics& graphics) const
    {
        const float pixels = emSize_ * pixelsPerUnit(unit_, graphics.dpiY());
        const float perWorldUnit = graphics.pixelsPerPageUnitY();
        return perWorldUnit > 0 ? pixels / perWorldUnit : pixels;
    }

private:
    std::shared_ptr<const text::FamilyRecord> family_;
    std::shared_ptr<text::FontFace> face_;
    REAL emSize_;
    INT style_;
    GpUnit unit_;
};

} // namespace engine
