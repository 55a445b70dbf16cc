#pragma once

// The image file format identifiers as GUID constants, expanded from the one
// table (`engine::image_format::BMP`, `...::MemoryBMP`, ...).

#include <gdiplus/flat_types.h>

#include <cstring>

namespace engine {

namespace image_format {
#define QUILLORY_IMAGE_FORMAT(name, data1, data2, data3, b0, b1, b2, b3, b4, b5, b6, b7)                               \
    inline constexpr GUID name{data1, data2, data3, {b0, b1, b2, b3, b4, b5, b6, b7}};
#include <gdiplus/image_formats.def>
#undef QUILLORY_IMAGE_FORMAT
} // namespace image_format

inline bool sameGuid(const GUID& a, const GUID& b)
{
    return std::memcmp(&a, &b, sizeof(GUID)) == 0;
}

} // namespace engine
