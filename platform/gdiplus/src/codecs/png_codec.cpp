#include "codecs/png_codec.h"

#include "image/bitmap.h"
#include "image/image_format_ids.h"

#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace engine {

namespace {

constexpr GpStatus Undecodable = OutOfMemory;

// Frees what the simplified reader or writer holds, on every path.
struct PngImage {
    png_image image{};
    PngImage() { image.version = PNG_IMAGE_VERSION; }
    ~PngImage() { png_image_free(&image); }
    PngImage(const PngImage&) = delete;
    PngImage& operator=(const PngImage&) = delete;
};

// A memory buffer behind a FILE, so libpng compresses once, straight into it.
struct MemoryFile {
    char* data = nullptr;
    std::size_t size = 0;
    FILE* file = nullptr;
    MemoryFile() { file = open_memstream(&data, &size); }
    ~MemoryFile()
    {
        if (file)
            std::fclose(file);
        std::free(data);
    }
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;
    bool close()
    {
        const bool closed = std::fclose(file) == 0;
        file = nullptr;
        return closed;
    }
};

} // namespace

GpStatus decodePng(std::span<const std::uint8_t> file, std::unique_ptr<Bitmap>& result)
{
    PngImage png;
    if (!png_image_begin_read_from_memory(&png.image, file.data(), file.size()))
        return Undecodable;
    if (png.image.width < 1 || png.image.height < 1 || png.image.width > INT32_MAX || png.image.height > INT32_MAX)
        return Undecodable;
    const bool alpha = png.image.format & PNG_FORMAT_FLAG_ALPHA;
    png.image.format = alpha ? PNG_FORMAT_BGRA : PNG_FORMAT_BGR;
    const PixelFormatDescriptor& format = pixelFormat(alpha ? PixelFormat32bppARGB : PixelFormat24bppRGB);

    std::shared_ptr<PixelSurface> surface;
    const GpStatus status =
        PixelSurface::allocate(static_cast<int>(png.image.width), static_cast<int>(png.image.height), format, surface);
    if (status != Ok)
        return status;
    // The stride is in components, which are bytes for 8-bit output.
    if (!png_image_finish_read(
            &png.image, nullptr, surface->writableRow(0), static_cast<png_int_32>(surface->stride()), nullptr))
        return Undecodable;
    result = std::make_unique<Bitmap>(
        std::move(surface), image_format::PNG, Bitmap::DefaultResolution, Bitmap::DefaultResolution);
    return Ok;
}

GpStatus encodePng(Bitmap& bitmap, ByteSink& sink)
{
    PixelSurface& surface = bitmap.surface();
    const PixelFormatDescriptor& format = surface.format();
    const int width = surface.width();
    const int height = surface.height();
    const bool alpha = format.hasAlpha();
    const std::size_t channels = alpha ? 4 : 3;

    // libpng reads straight BGRA or BGR rows; gather them once.
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width) * height * channels);
    std::vector<ARGB> row(static_cast<std::size_t>(width));
    for (int y = 0; y < height; ++y) {
        loadRow(format, surface.readRow(y), row.data(), width);
        std::uint8_t* target = pixels.data() + static_cast<std::size_t>(y) * width * channels;
        if (alpha) {
            std::memcpy(target, row.data(), static_cast<std::size_t>(width) * 4);
        } else {
            for (int x = 0; x < width; ++x) {
                std::memcpy(target + 3 * x, &row[x], 3);
            }
        }
    }

    PngImage png;
    png.image.width = static_cast<png_uint_32>(width);
    png.image.height = static_cast<png_uint_32>(height);
    png.image.format = alpha ? PNG_FORMAT_BGRA : PNG_FORMAT_BGR;
    MemoryFile memory;
    if (!memory.file)
        return OutOfMemory;
    if (!png_image_write_to_stdio(&png.image, memory.file, 0, pixels.data(), 0, nullptr))
        return GenericError;
    if (!memory.close())
        return OutOfMemory;
    return sink.write(memory.data, memory.size);
}

} // namespace engine
