#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quillory {

using Bytes = std::vector<std::uint8_t>;

// A Windows colour value, 0x00BBGGRR: red in the low byte.
using ColorRef = std::uint32_t;

// Converts a Windows colour value to the platform's 0xAARRGGBB, replacing the
// top byte with `alpha`.
std::uint32_t ColorRefToArgb(ColorRef color, int alpha = 255);

// Renders the two-column chat background at width x height pixels and returns
// the bytes of a BMP file (32-bit ARGB, as the platform's BMP encoder writes it).
// Never fails outright: when no picture can be made (a size below 1, imaging
// not started, encoding failed) the result is empty. Needs imaging started.
Bytes RenderBackground(int width, int height, const std::string& leftFontName, const std::string& rightFontName,
    const std::string& leftText, const std::string& rightText, ColorRef leftTextColor, ColorRef rightTextColor,
    ColorRef leftBackgroundColor, ColorRef rightBackgroundColor);

} // namespace quillory
