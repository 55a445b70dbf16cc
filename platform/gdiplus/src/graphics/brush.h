#pragma once

#include "core/object.h"

#include <gdiplus/flat_types.h>

namespace engine {

// A brush. The raster area owns this file and adds the other brush kinds.
class Brush : public Object {
public:
    Brush() : Object(Kind::Brush) { }
};

class SolidBrush : public Brush {
public:
    explicit SolidBrush(ARGB color) : color_(color) { }
    ARGB color() const { return color_; }
    void setColor(ARGB color) { color_ = color; }

private:
    ARGB color_;
};

} // namespace engine
