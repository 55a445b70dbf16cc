#include "image/pixel_surface.h"

#include "core/checked_size.h"
#include "image/pixel_span.h"

#include <algorithm>
#include <cassert>
#include <cstring>
#include <new>

namespace engine {

GpStatus PixelSurface::allocate(
    int width, int height, const PixelFormatDescriptor& format, std::shared_ptr<PixelSurface>& result)
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
        surface->rowWritten_.assign(static_cast<std::size_t>(height), false);
    } else if (!surface->memoryZero_) {
        // Other formats are converted from memory on their first drawing,
        // so their zeros are written now.
        std::memset(surface->scan0_, 0, surface->block_.size());
        surface->memoryZero_ = true;
    }
    result = std::move(surface);
    return Ok;
}

std::shared_ptr<PixelSurface> PixelSurface::wrap(
    int width, int height, std::ptrdiff_t stride, const PixelFormatDescriptor& format, std::uint8_t* scan0)
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

void PixelSurface::writeColumns(int top, int bottom)
{
    if (columns_.empty())
        return;
    const bool allZero = columns_.size() == 1 && columns_[0].pixel == 0;
    const std::uint32_t* described = (allZero && memoryZero_) ? nullptr : describedRow();
    const std::size_t rowBytes = static_cast<std::size_t>(width_) * 4;
    for (int y = top; y < bottom; ++y) {
        if (rowWritten_[y])
            continue;
        if (described)
            std::memcpy(ownRow(y), described, rowBytes);
        rowWritten_[y] = true;
        ++rowsWritten_;
    }
    if (rowsWritten_ == height_) {
        columns_.clear();
        rowWritten_.clear();
        rowWritten_.shrink_to_fit();
        describedRow_.clear();
        describedRow_.shrink_to_fit();
        describedRowCurrent_ = false;
        rowsWritten_ = 0;
        memoryZero_ = false;
    }
}

const std::uint8_t* PixelSurface::row(int y)
{
    settle();
    writeColumns(y, y + 1);
    return ownRow(y);
}

std::uint8_t* PixelSurface::writableRow(int y)
{
    settle();
    writeColumns(y, y + 1);
    return ownRow(y);
}

const std::uint8_t* PixelSurface::readRow(int y)
{
    settle();
    if (columns_.empty() || rowWritten_[y])
        return ownRow(y);
    return reinterpret_cast<const std::uint8_t*>(describedRow());
}

const std::uint32_t* PixelSurface::describedRow()
{
    if (!describedRowCurrent_) {
        describedRow_.resize(static_cast<std::size_t>(width_));
        for (const ColumnSpan& span : columns_)
            storePixelSpan(
                describedRow_.data() + span.left, static_cast<std::size_t>(span.right - span.left), span.pixel);
        describedRowCurrent_ = true;
    }
    return describedRow_.data();
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
    writeAllColumns();
    return currentCanvas();
}

Canvas PixelSurface::canvas(const DeviceBox& rows)
{
    writeColumns(std::max(rows.top, 0), std::min(rows.bottom, height_));
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
    // The description must still hold for every row to be edited.
    if (columns_.empty() || rowsWritten_ > 0 || box.top > 0 || box.bottom < height_ || box.left >= box.right)
        return false;
    if (columns_.size() + 2 > ColumnSpanLimit) {
        writeAllColumns();
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
    std::sort(edited.begin(), edited.end(), [](const ColumnSpan& a, const ColumnSpan& b) { return a.left < b.left; });
    columns_ = std::move(edited);
    describedRowCurrent_ = false;
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

} // namespace engine
