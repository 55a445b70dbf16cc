#pragma once

#include "renderer.h"

#include <QColor>

namespace quillory {

// Windows colour values (0x00BBGGRR, red in the low byte) are what the
// colour pickers hold and the renderer takes; the toolkit speaks QColor.
// Conversions drop alpha: a colour value has none.
QColor ColorRefToQColor(ColorRef color);
ColorRef QColorToColorRef(const QColor& color);

} // namespace quillory
