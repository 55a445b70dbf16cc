#pragma once

#include "graphics/coverage.h"
#include "image/canvas.h"
#include "image/pixel_format.h"
#include "memory/pixel_block.h"

#include <gdiplus/flat_types.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace engine {

// The pixels of a bitmap, in the bitmap's own pixel format, and the place
// drawing on it goes. Shared by the bitmap and every drawing context open on
// it, so a context outliving its bitmap's handle still draws into memory
// that exists.
//
// Drawing goes straight into the pixels when they are 32 bits per pixel
// (ARGB, PARGB or RGB, aligned for 32-bit access): the compositor works in
// each of those alpha models directly. Any other format is drawn through a
// working copy in straight 32-bit ARGB, made on the first drawing and
// converted back before anyone reads the pixels (`settle`).
//
// A new 32-bit surface of its own starts as a description rather than
// memory: every row is the same run of column spans, at first one span of
// zeros. Opaque fills over whole columns only edit that description, and
// each row is written when something first needs it, just before it is
// used. So a new bitmap whose memory is reused needs no separate clearing
// pass, a background of columns filled one after the other is written in
// one sequential pass, and the rows an encoder or a glyph reads are still
// in the cache when it reads them.
class PixelSurface {
public:
    // A surface with its own zero pixels (transparent black), rows padded to
    // 4 bytes. OutOfMemory when the pixels would exceed the engine's block
    // limit (refused before allocating) or memory is exhausted.
    static GpStatus allocate(
        int width, int height, const PixelFormatDescriptor& format, std::shared_ptr<PixelSurface>& result);

    // A surface over the caller's pixels: row y starts at scan0 + y * stride.
    // The caller keeps the memory alive for the surface's whole life.
    static std::shared_ptr<PixelSurface> wrap(
        int width, int height, std::ptrdiff_t stride, const PixelFormatDescriptor& format, std::uint8_t* scan0);

    PixelSurface(const PixelSurface&) = delete;
    PixelSurface& operator=(const PixelSurface&) = delete;

    int width() const { return width_; }
    int height() const { return height_; }
    std::ptrdiff_t stride() const { return stride_; }
    const PixelFormatDescriptor& format() const { return *format_; }

    // Row y in the surface's own format, current: drawing done through a
    // working copy is converted back and deferred fills are written first.
    const std::uint8_t* row(int y);
    std::uint8_t* writableRow(int y);

    // Row y for reading only, in the surface's own format, valid until the
    // next call on this surface. A row still only described is read from one
    // row made from the description rather than from the surface's memory,
    // so an encoder reading a plain background never writes the image.
    const std::uint8_t* readRow(int y);

    // One pixel as straight ARGB; the coordinates must be inside.
    ARGB pixel(int x, int y);
    void setPixel(int x, int y, ARGB color);

    // Where drawing goes, valid for the rows of `rows` (all rows when
    // omitted) until the next call on this surface.
    Canvas canvas();
    Canvas canvas(const DeviceBox& rows);

    // Fills `box` (inside the surface) with the opaque `color` without
    // writing memory, when the surface is still a description and the box
    // spans every row; false, doing nothing, otherwise.
    bool deferOpaqueFill(const DeviceBox& box, ARGB color);

    // Converts a working copy back into the pixels and drops it.
    void settle();

private:
    // One run of equal pixels in every row: columns left <= x < right.
    struct ColumnSpan {
        int left;
        int right;
        std::uint32_t pixel;
    };

    // More spans than this stop being worth describing; the memory is
    // written and drawing continues there.
    static constexpr std::size_t ColumnSpanLimit = 64;

    PixelSurface() = default;

    bool drawsDirectly() const;
    // Writes the described rows top <= y < bottom not yet written; the
    // description ends when every row is written.
    void writeColumns(int top, int bottom);
    void writeAllColumns() { writeColumns(0, height_); }
    // One row as the description gives it.
    const std::uint32_t* describedRow();
    // The canvas as it stands, without writing described rows.
    Canvas currentCanvas();
    std::uint8_t* ownRow(int y) const { return scan0_ + y * stride_; }

    int width_ = 0;
    int height_ = 0;
    std::ptrdiff_t stride_ = 0;
    const PixelFormatDescriptor* format_ = nullptr;
    std::uint8_t* scan0_ = nullptr;
    PixelBlock block_;                        // empty for the caller's memory
    std::vector<ColumnSpan> columns_;         // non-empty while some rows are only described
    std::vector<bool> rowWritten_;            // which described rows are in memory already
    std::vector<std::uint32_t> describedRow_; // one row as described, made on demand
    bool describedRowCurrent_ = false;
    int rowsWritten_ = 0;
    bool memoryZero_ = false; // the memory holds zeros, so zero spans need no writing
    PixelBlock working_;      // straight ARGB copy while drawing in another format
};

} // namespace engine
