#pragma once

// Channel arithmetic shared by pixel conversion and compositing. ARGB values
// are 0xAARRGGBB; "straight" means the colour channels are not multiplied by
// alpha (the interface's ARGB), "premultiplied" means they are.

#include <gdiplus/flat_types.h>

#include <cstdint>

namespace engine {

// value / 255 rounded to nearest, exact for every value up to 255 * 255 + 127.
constexpr std::uint32_t divide255(std::uint32_t value)
{
    value += 128;
    return (value + (value >> 8)) >> 8;
}

constexpr std::uint32_t alphaOf(ARGB color)
{
    return color >> 24;
}
constexpr std::uint32_t redOf(ARGB color)
{
    return (color >> 16) & 0xFF;
}
constexpr std::uint32_t greenOf(ARGB color)
{
    return (color >> 8) & 0xFF;
}
constexpr std::uint32_t blueOf(ARGB color)
{
    return color & 0xFF;
}

constexpr ARGB makeArgb(std::uint32_t alpha, std::uint32_t red, std::uint32_t green, std::uint32_t blue)
{
    return (alpha << 24) | (red << 16) | (green << 8) | blue;
}

// Straight to premultiplied. Opaque and fully transparent colours map to
// themselves and to 0 respectively.
constexpr ARGB premultiply(ARGB color)
{
    const std::uint32_t alpha = alphaOf(color);
    if (alpha == 255)
        return color;
    if (alpha == 0)
        return 0;
    return makeArgb(
        alpha, divide255(redOf(color) * alpha), divide255(greenOf(color) * alpha), divide255(blueOf(color) * alpha));
}

// Premultiplied to straight, rounding to nearest. Channels larger than
// alpha (not a valid premultiplied pixel) saturate at 255.
constexpr ARGB unpremultiply(ARGB color)
{
    const std::uint32_t alpha = alphaOf(color);
    if (alpha == 255)
        return color;
    if (alpha == 0)
        return 0;
    auto channel = [alpha](std::uint32_t value) {
        const std::uint32_t result = (value * 255 + alpha / 2) / alpha;
        return result > 255 ? 255u : result;
    };
    return makeArgb(alpha, channel(redOf(color)), channel(greenOf(color)), channel(blueOf(color)));
}

} // namespace engine
