#include "codecs/jpeg_codec.h"

#include "image/bitmap.h"
#include "image/image_format_ids.h"

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace engine {

namespace {

constexpr GpStatus Undecodable = OutOfMemory;

// libjpeg reports errors by calling error_exit, which must not return: it
// jumps back to the setjmp of the step running. The steps below hold only
// plain data between their setjmp and the library calls, so the jump skips
// no destructor.
struct ErrorManager {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

[[noreturn]] void jumpOut(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}

// Warnings (a corrupt but readable stream) are not errors; stay silent.
void ignoreMessage(j_common_ptr, int)
{
}

struct Decompressor {
    jpeg_decompress_struct info{};
    ErrorManager errors{};
    Decompressor()
    {
        info.err = jpeg_std_error(&errors.manager);
        errors.manager.error_exit = jumpOut;
        errors.manager.emit_message = ignoreMessage;
        jpeg_create_decompress(&info);
    }
    ~Decompressor() { jpeg_destroy_decompress(&info); }
    Decompressor(const Decompressor&) = delete;
    Decompressor& operator=(const Decompressor&) = delete;
};

bool readHeader(Decompressor& jpeg, const std::uint8_t* data, unsigned long size)
{
    if (setjmp(jpeg.errors.jump))
        return false;
    jpeg_mem_src(&jpeg.info, data, size);
    return jpeg_read_header(&jpeg.info, TRUE) == JPEG_HEADER_OK;
}

// Decompresses into rows of 24-bit B, G, R pixels starting at `first`.
bool readRows(Decompressor& jpeg, std::uint8_t* first, std::ptrdiff_t stride)
{
    if (setjmp(jpeg.errors.jump))
        return false;
    jpeg.info.out_color_space = JCS_EXT_BGR;
    jpeg_start_decompress(&jpeg.info);
    while (jpeg.info.output_scanline < jpeg.info.output_height) {
        JSAMPROW row = first + static_cast<std::ptrdiff_t>(jpeg.info.output_scanline) * stride;
        jpeg_read_scanlines(&jpeg.info, &row, 1);
    }
    jpeg_finish_decompress(&jpeg.info);
    return true;
}

float resolutionOf(const jpeg_decompress_struct& info, UINT16 density)
{
    if (density == 0)
        return Bitmap::DefaultResolution;
    switch (info.density_unit) {
    case 1: // dots per inch
        return density;
    case 2: // dots per centimetre
        return density * 2.54f;
    default: // an aspect ratio only
        return Bitmap::DefaultResolution;
    }
}

} // namespace

GpStatus decodeJpeg(std::span<const std::uint8_t> file, std::unique_ptr<Bitmap>& result)
{
    Decompressor jpeg;
    if (!readHeader(jpeg, file.data(), static_cast<unsigned long>(file.size())))
        return Undecodable;
    if (jpeg.info.jpeg_color_space == JCS_CMYK || jpeg.info.jpeg_color_space == JCS_YCCK)
        return NotImplemented;
    if (jpeg.info.image_width < 1 || jpeg.info.image_height < 1)
        return Undecodable;

    std::shared_ptr<PixelSurface> surface;
    const GpStatus status = PixelSurface::allocate(static_cast<int>(jpeg.info.image_width),
        static_cast<int>(jpeg.info.image_height), pixelFormat(PixelFormat24bppRGB), surface);
    if (status != Ok)
        return status;
    if (!readRows(jpeg, surface->writableRow(0), surface->stride()))
        return Undecodable;
    result = std::make_unique<Bitmap>(std::move(surface), image_format::JPEG,
        resolutionOf(jpeg.info, jpeg.info.X_density), resolutionOf(jpeg.info, jpeg.info.Y_density));
    return Ok;
}

} // namespace engine
