#pragma once

#include <gdiplus/flat_types.h>

namespace engine::text {

// StringFormatFlags bits the layout reads.
enum FormatFlag : INT {
    DirectionRightToLeft = 0x0001,
    DirectionVertical = 0x0002,
    NoFitBlackBox = 0x0004,
    DisplayFormatControl = 0x0020,
    NoFontFallback = 0x0400,
    MeasureTrailingSpaces = 0x0800,
    NoWrap = 0x1000,
    LineLimit = 0x2000,
    NoClip = 0x4000,
};

// StringAlignment values.
enum Alignment : StringAlignment {
    AlignNear = 0,
    AlignCenter = 1,
    AlignFar = 2,
};

// What a string format tells the layout.
struct LayoutFormat {
    INT flags = 0;
    StringAlignment alignment = AlignNear;     // along a line
    StringAlignment lineAlignment = AlignNear; // of the block of lines
    // A typographic format has no leading and trailing margins; the default
    // one leaves a sixth of an em on each side of every line.
    bool typographic = false;

    bool has(INT flag) const { return (flags & flag) != 0; }
};

} // namespace engine::text
