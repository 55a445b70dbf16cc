#include "colour_value.h"

namespace quillory {

QColor ColorRefToQColor(ColorRef color)
{
    return QColor(static_cast<int>(color & 0xFFu), static_cast<int>((color >> 8) & 0xFFu),
        static_cast<int>((color >> 16) & 0xFFu));
}

ColorRef QColorToColorRef(const QColor& color)
{
    const QColor rgb = color.toRgb();
    return static_cast<ColorRef>(rgb.red()) | (static_cast<ColorRef>(rgb.green()) << 8) |
        (static_cast<ColorRef>(rgb.blue()) << 16);
}

} // namespace quillory
