#pragma once

#include "core/object.h"
#include "text/layout_format.h"

#include <gdiplus/flat_types.h>

namespace engine {

// A string format: the settings text drawing and measuring apply inside a
// layout rectangle.
class StringFormat : public Object {
public:
    StringFormat(INT flags, LANGID language) : Object(Kind::StringFormat), language_(language)
    {
        layout_.flags = flags;
    }

    // The generic default format: no flags, near alignment, margins.
    static StringFormat genericDefault() { return StringFormat(0, 0); }

    // The generic typographic format: whole lines only, no clipping, glyphs
    // may overhang, and no margins.
    static StringFormat genericTypographic()
    {
        StringFormat format(text::LineLimit | text::NoClip | text::NoFitBlackBox, 0);
        format.layout_.typographic = true;
        return format;
    }

    StringFormat(const StringFormat& other) : Object(Kind::StringFormat)
    {
        layout_ = other.layout_;
        language_ = other.language_;
    }

    const text::LayoutFormat& layout() const { return layout_; }
    void setFlags(INT flags) { layout_.flags = flags; }
    void setAlignment(StringAlignment alignment) { layout_.alignment = alignment; }
    void setLineAlignment(StringAlignment alignment) { layout_.lineAlignment = alignment; }
    LANGID language() const { return language_; }

private:
    text::LayoutFormat layout_;
    LANGID language_ = 0;
};

} // namespace engine
