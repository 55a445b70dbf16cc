#include "graphics.h"

#include "font.h"
#include "gdiplus_binding.h"
#include "image.h"
#include "solid_brush.h"
#include "string_format.h"

namespace quillory {
namespace {

GpGraphics* AsGraphics(Handle handle)
{
    return static_cast<GpGraphics*>(handle);
}

} // namespace

Graphics::~Graphics()
{
    Delete();
}

void Graphics::SetClassHandle(Handle handle)
{
    ClassHandle = handle;
    SetSubclassHandle(ClassHandle);
}

void Graphics::SetSubclassHandle(Handle)
{
}

bool Graphics::Delete()
{
    if (!ClassHandle)
        return false;
    const GpStatus status = StoreStatus(Flat().GdipDeleteGraphics(AsGraphics(ClassHandle)));
    SetNativeHandle(nullptr);
    return status == Ok;
}

bool Graphics::GetImageContext(const Image& image)
{
    auto* graphics = AsGraphics(ClassHandle);
    const GpStatus status =
        StoreStatus(Flat().GdipGetImageGraphicsContext(static_cast<GpImage*>(image.GetNativeHandle()), &graphics));
    ClassHandle = graphics;
    SetNativeHandle(ClassHandle);
    return status == Ok;
}

bool Graphics::FillRectangle(const ImagingObject& brush, float x, float y, float width, float height)
{
    return StoreStatus(Flat().GdipFillRectangle(
               AsGraphics(ClassHandle), static_cast<GpBrush*>(brush.GetNativeHandle()), x, y, width, height)) == Ok;
}

bool Graphics::DrawString(
    const std::string& text, const Font& font, const SolidBrush& brush, const RectF& layout, const StringFormat* format)
{
    // The converted text lives only for the call.
    const Bytes wide = AnsiToWide(text);
    return StoreStatus(Flat().GdipDrawString(AsGraphics(ClassHandle), WideText(wide), WideLength(wide),
               static_cast<const GpFont*>(font.GetNativeHandle()), &layout,
               static_cast<const GpStringFormat*>(format ? format->GetNativeHandle() : nullptr),
               static_cast<const GpBrush*>(brush.GetNativeHandle()))) == Ok;
}

bool Graphics::DrawImageRect(const Image& image, float x, float y, float width, float height, GpUnit sourceUnit)
{
    // A failure to read the size is not reported by itself: the source
    // rectangle is then empty and the draw call's status decides.
    auto* handle = static_cast<GpImage*>(image.GetNativeHandle());
    const std::uint32_t imageWidth = image.GetWidth();
    const std::uint32_t imageHeight = image.GetHeight();
    return StoreStatus(Flat().GdipDrawImageRectRect(AsGraphics(ClassHandle), handle, x, y, width, height, 0, 0,
               static_cast<REAL>(imageWidth), static_cast<REAL>(imageHeight), sourceUnit, nullptr, nullptr, nullptr)) ==
        Ok;
}

} // namespace quillory
