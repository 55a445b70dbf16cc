#pragma once

#include <cstdint>

namespace engine {

// An 8-bit coverage mask (0 = untouched, 255 = fully covered), rows top-down.
// The memory belongs to whoever made the mask.
struct CoverageMask {
    const std::uint8_t* pixels = nullptr;
    int stride = 0;
    int width = 0;
    int height = 0;
};

// A box of device pixels, half-open: left <= x < right, top <= y < bottom.
struct DeviceBox {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

} // namespace engine
