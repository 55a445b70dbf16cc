#include "renderer.h"

#include "bitmap.h"
#include "font.h"
#include "graphics.h"
#include "image.h"
#include "solid_brush.h"
#include "string_format.h"

namespace quillory {
namespace {

// The reference width: at 1080 pixels the text is 70 points.
constexpr double ReferenceWidth = 1080.0;
constexpr double ReferenceEmSize = 70.0;

constexpr PixelFormat Argb32 = 0x0026200A;
constexpr std::int32_t MeasureTrailingSpaces = 0x800;
constexpr std::int32_t AlignCenter = 1;
constexpr std::int32_t AlignNear = 0;
constexpr std::int32_t FontStyleRegular = 0;
constexpr GpUnit UnitPoint = 3;
constexpr GpUnit UnitPixel = 2;
const char* const BmpFormat = "{B96B3CAB-0728-11D3-9D7B-0000F81EF32E}";

// The picture drawn at the centre of the background, scaled with the text.
// The program ships none: decoding nothing fails, so nothing is drawn and the
// picture stays exactly the two columns and their texts.
Bytes CenterDecoration()
{
    return {};
}

void DrawCenterDecoration(Graphics& context, int half, int height, float scale)
{
    Image decoration;
    decoration.LoadFromBytes(CenterDecoration());
    auto width = static_cast<std::int32_t>(decoration.GetWidth() * scale);
    auto tall = static_cast<std::int32_t>(decoration.GetHeight() * scale);
    context.DrawImageRect(decoration, static_cast<float>(half - width / 2.0),
        static_cast<float>(0.4 * height - tall / 2.0), static_cast<float>(width), static_cast<float>(tall), UnitPixel);
    decoration.Dispose();
}

} // namespace

std::uint32_t ColorRefToArgb(ColorRef color, int alpha)
{
    std::uint32_t red = color & 0xFF;
    std::uint32_t green = (color >> 8) & 0xFF;
    std::uint32_t blue = (color >> 16) & 0xFF;
    return (static_cast<std::uint32_t>(alpha & 0xFF) << 24) | (red << 16) | (green << 8) | blue;
}

Bytes RenderBackground(int width, int height, const std::string& leftFontName, const std::string& rightFontName,
    const std::string& leftText, const std::string& rightText, ColorRef leftTextColor, ColorRef rightTextColor,
    ColorRef leftBackgroundColor, ColorRef rightBackgroundColor)
{
    const auto half = static_cast<int>(width / 2.0);
    const auto scale = static_cast<float>(width / ReferenceWidth);
    const auto emSize = static_cast<float>(scale * ReferenceEmSize);
    const auto columnWidth = static_cast<float>(half);
    const auto pictureHeight = static_cast<float>(height);
    const auto textTop = static_cast<float>(height * 0.1);

    // Every step runs whatever the one before it answered: a failed step
    // leaves its part of the picture plain, and only the encoded bytes count.
    Bitmap picture;
    picture.Create(width, height, Argb32);
    Graphics context;
    context.GetImageContext(picture);

    SolidBrush brush;
    brush.Create(ColorRefToArgb(leftBackgroundColor));
    context.FillRectangle(brush, 0, 0, columnWidth, pictureHeight);
    brush.SetColor(ColorRefToArgb(rightBackgroundColor));
    context.FillRectangle(brush, columnWidth, 0, columnWidth, pictureHeight);

    Font leftFont;
    leftFont.CreateFromFamilyName(leftFontName, emSize, FontStyleRegular, UnitPoint);
    Font rightFont;
    rightFont.CreateFromFamilyName(rightFontName, emSize, FontStyleRegular, UnitPoint);

    StringFormat format;
    format.Create(MeasureTrailingSpaces, 0);
    format.SetAlign(AlignCenter);
    format.SetLineAlign(AlignNear);

    brush.SetColor(ColorRefToArgb(leftTextColor));
    context.DrawString(leftText, leftFont, brush, RectF{0, textTop, columnWidth, pictureHeight}, &format);
    brush.SetColor(ColorRefToArgb(rightTextColor));
    context.DrawString(rightText, rightFont, brush, RectF{columnWidth, textTop, columnWidth, pictureHeight}, &format);

    format.Delete();
    leftFont.Delete();
    rightFont.Delete();
    brush.Delete();

    DrawCenterDecoration(context, half, height, scale);

    context.Delete();
    Bytes encoded = picture.SaveToBytes(BmpFormat);
    picture.Dispose();
    return encoded;
}

} // namespace quillory
