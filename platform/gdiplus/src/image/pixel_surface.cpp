#include "image/pixel_surface.h"

#include "core/checked_size.h"
#include "image/pixel_span.h"

#include <algorithm>
#include <cassert>
#include <cstring>
#include <new>

namespace engine {

GpStatus PixelSurface::allocate(int width, int height, const PixelFormatDescriptor& format,
                                std::shared_ptr<PixelSurface>& result)
{
    assert(width > 0 && height > 0 && format.stored());
    const auto stride = paddedStride(static_cast<std::uint64_t>(width), format.bitsPerPixel());
    const auto bytes = stride ? checkedMultiply(*stride, static_cast<std::uint64_t>(height)) : std::nullopt;
    if (!bytes || *bytes > MaximumBlockBytes)
        return OutOfMemory;

    std::shared_ptr<PixelSurface> surface(new PixelSurface);
    surface->width_ = width;
    surface->height_ = height;
    surface->stride_ = static_cast<std::ptrdiff_t>(*stride);
    surface->format_ = &format;
    surface->block_ = PixelBlock::allocate(static_cast<std::size_t>(*bytes));
    if (!surface->block_)
        return OutOfMemory;
    surface->scan0_ = surface->block_.data();
    surface->memoryZero_ = surface->block_.isZeroed();
    if (surface->drawsDirectly()) {
        surface->columns_.push_back(ColumnSpan{0, width, 0});
    } else if (!surface->memoryZero_) {
        // Other formats are converted from memory on their first drawing,
        // so their zeros are written now.
        std::memset(surface->scan0_, 0, surface->block_.size());
        surface->memoryZero_ = true;
    }
    result = std::move(surface);
    return Ok;
}

std::shared_ptr<PixelSurface> PixelSurface::wrap(int width, int height, std::ptrdiff_t stride,
                                                 const PixelFormatDescriptor& format, std::uint8_t* scan0)
{
    std::shared_ptr<PixelSurface> surface(new PixelSurface);
    surface->width_ = width;
    surface->height_ = height;
    surface->stride_ = stride;
    surface->format_ = &format;
    surface->scan0_ = scan0;
    return surface;
}

bool PixelSurface::drawsDirectly() const
{
    const PixelFormat code = format_->code;
    const bool thirtyTwoBit =
        code == PixelFormat32bppARGB || code == PixelFormat32bppPARGB || code == PixelFormat32bppRGB;
    // A caller's memory need not be aligned for 32-bit access; then it is
    // drawn through a working copy like any other format.
    return thirtyTwoBit && reinterpret_cast<std::uintptr_t>(scan0_) % 4 == 0;
}

void PixelSurface::writeColumns()
{
    if (columns_.empty())
        return;
    // Row by row, each row left to right: one sequential pass.
    for (int y = 0; y < height_; ++y) {
        auto* pixels = reinterpret_cast<std::uint32_t*>(ownRow(y));
        for (const ColumnSpan& span : columns_) {
            if (span.pixel == 0 && memoryZero_)
                continue;
            storePixelSpan(pixels + span.left, static_cast<std::size_t>(span.right - span.left), span.pixel);
        }
    }
    columns_.clear();
    memoryZero_ = false;
}

const std::uint8_t* PixelSurface::row(int y)
{
    settle();
    writeColumns();
    return ownRow(y);
}

std::uint8_t* PixelSurface::writableRow(int y)
{
    settle();
    writeColumns();
    return ownRow(y);
}

ARGB PixelSurface::pixel(int x, int y)
{
    const std::uint8_t* pixels = row(y);
    return loadPixel(*format_, pixels + static_cast<std::size_t>(x) * format_->bytesPerPixel());
}

void PixelSurface::setPixel(int x, int y, ARGB color)
{
    std::uint8_t* pixels = writableRow(y);
    storePixel(*format_, pixels + static_cast<std::size_t>(x) * format_->bytesPerPixel(), color);
}

Canvas PixelSurface::canvas()
{
    writeColumns();
    return currentCanvas();
}

Canvas PixelSurface::currentCanvas()
{
    Canvas canvas;
    canvas.width = width_;
    canvas.height = height_;
    if (drawsDirectly()) {
        canvas.pixels = scan0_;
        canvas.stride = stride_;
        switch (format_->code) {
        case PixelFormat32bppPARGB:
            canvas.model = AlphaModel::Premultiplied;
            break;
        case PixelFormat32bppRGB:
            canvas.model = AlphaModel::Opaque;
            break;
        default:
            canvas.model = AlphaModel::Straight;
            break;
        }
        return canvas;
    }
    const std::size_t rowBytes = static_cast<std::size_t>(width_) * 4;
    if (!working_) {
        // The size is below the own pixels' (at most 4 bytes per pixel of a
        // 16-bit format: twice) and was checked when they were made.
        working_ = PixelBlock::allocate(rowBytes * static_cast<std::size_t>(height_));
        if (!working_)
            throw std::bad_alloc();
        for (int y = 0; y < height_; ++y)
            loadRow(*format_, ownRow(y), reinterpret_cast<ARGB*>(working_.data() + y * rowBytes), width_);
    }
    canvas.pixels = working_.data();
    canvas.stride = static_cast<std::ptrdiff_t>(rowBytes);
    canvas.model = AlphaModel::Straight;
    return canvas;
}

bool PixelSurface::deferOpaqueFill(const DeviceBox& box, ARGB color)
{
    if (columns_.empty() || box.top > 0 || box.bottom < height_ || box.left >= box.right)
        return false;
    if (columns_.size() + 2 > ColumnSpanLimit) {
        writeColumns();
        return false;
    }
    // An opaque colour is the same 32-bit pixel in every direct model.
    std::vector<ColumnSpan> edited;
    edited.reserve(columns_.size() + 2);
    for (const ColumnSpan& span : columns_) {
        if (span.right <= box.left || span.left >= box.right) {
            edited.push_back(span);
            continue;
        }
        if (span.left < box.left)
            edited.push_back(ColumnSpan{span.left, box.left, span.pixel});
        if (span.right > box.right)
            edited.push_back(ColumnSpan{box.right, span.right, span.pixel});
    }
    edited.push_back(ColumnSpan{box.left, box.right, color});
    std::sort(edited.begin(), edited.end(),
              [](const ColumnSpan& a, const ColumnSpan& b) { return a.left < b.left; });
    columns_ = std::move(edited);
    return true;
}

void PixelSurface::settle()
{
    if (!working_)
        return;
    const std::size_t rowBytes = static_cast<std::size_t>(width_) * 4;
    for (int y = 0; y < height_; ++y)
        storeRow(*format_, reinterpret_cast<const ARGB*>(working_.data() + y * rowBytes), ownRow(y), width_);
    working_ = PixelBlock{};
}

}  // namespace engine
