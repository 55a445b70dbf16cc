#pragma once

#include "text/face_descriptor.h"

#include <gdiplus/flat_types.h>

#include <string>
#include <vector>

namespace engine::text {

// The interface's FontStyle bits. Bold and italic choose a family's face;
// underline and strikeout are strokes drawn with the text.
enum FontStyleFlag : INT {
    StyleBold = 1,
    StyleItalic = 2,
    StyleUnderline = 4,
    StyleStrikeout = 8,
};

// An installed family: its name as installed and its faces. Immutable once
// built and shared (font family and font objects hold it), so a font keeps
// its family's data after the family object is deleted.
class FamilyRecord {
public:
    FamilyRecord(std::string name, std::vector<FaceDescriptor> faces);

    const std::string& name() const { return name_; } // UTF-8
    const std::u16string& nameUtf16() const { return nameUtf16_; }
    const std::vector<FaceDescriptor>& faces() const { return faces_; }

    // The face that draws `style` (FontStyle bits; underline and strikeout
    // change no face). Regular always has one: the face closest to a normal
    // roman, whatever the family holds. Null for bold or italic when no face
    // of the family is.
    const FaceDescriptor* faceFor(int style) const;

private:
    std::string name_;
    std::u16string nameUtf16_;
    std::vector<FaceDescriptor> faces_;
};

} // namespace engine::text
