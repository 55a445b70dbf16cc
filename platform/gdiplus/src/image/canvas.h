#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace engine {

// How the 32-bit pixels of a canvas hold alpha.
enum class AlphaModel {
    Straight,      // 32bppARGB: colour channels not multiplied by alpha
    Premultiplied, // 32bppPARGB
    Opaque,        // 32bppRGB: the fourth byte is not alpha; every pixel is opaque
};

// Where drawing lands: rows of 32-bit pixels (bytes B, G, R, A) that the
// compositor writes in place. Borrowed memory; valid while the surface that
// handed it out is alive and not settled.
struct Canvas {
    std::uint8_t* pixels = nullptr; // row 0
    std::ptrdiff_t stride = 0;      // bytes from one row to the next; negative for bottom-up memory
    int width = 0;
    int height = 0;
    AlphaModel model = AlphaModel::Straight;

    // Row y as 32-bit pixels. Canvases are only made over memory aligned
    // for 32-bit access.
    std::uint32_t* row(int y) const { return reinterpret_cast<std::uint32_t*>(pixels + y * stride); }
};

} // namespace engine
