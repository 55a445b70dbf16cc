#include "graphics/compositor.h"

#include "image/color_math.h"
#include "image/pixel_span.h"

#include <algorithm>
#include <cstring>
#include <type_traits>

namespace engine {

namespace {

// The rules per alpha model, inlined into the span loops below so that the
// model is chosen once per call rather than once per pixel.
template <AlphaModel Model>
[[gnu::always_inline]] inline std::uint32_t blendStraightIn(std::uint32_t destination, ARGB color, std::uint32_t alpha)
{
    if (alpha == 0)
        return destination;
    const std::uint32_t inverse = 255 - alpha;
    if constexpr (Model == AlphaModel::Straight) {
        const std::uint32_t destinationAlpha = alphaOf(destination);
        if (alpha == 255 || destinationAlpha == 0)
            return (color & 0x00FFFFFFu) | (alpha << 24);
        if (destinationAlpha == 255) {
            return makeArgb(255, divide255(redOf(color) * alpha + redOf(destination) * inverse),
                divide255(greenOf(color) * alpha + greenOf(destination) * inverse),
                divide255(blueOf(color) * alpha + blueOf(destination) * inverse));
        }
        // Both translucent: result alpha and colour in units of 1/255², the
        // colour divided by the result alpha once, rounded.
        const std::uint32_t weight = destinationAlpha * inverse;
        const std::uint32_t total = alpha * 255 + weight;
        auto channel = [&](std::uint32_t source, std::uint32_t below) {
            return (source * alpha * 255 + below * weight + total / 2) / total;
        };
        return makeArgb(divide255(total), channel(redOf(color), redOf(destination)),
            channel(greenOf(color), greenOf(destination)), channel(blueOf(color), blueOf(destination)));
    } else if constexpr (Model == AlphaModel::Premultiplied) {
        return makeArgb(alpha + divide255(alphaOf(destination) * inverse),
            divide255(redOf(color) * alpha) + divide255(redOf(destination) * inverse),
            divide255(greenOf(color) * alpha) + divide255(greenOf(destination) * inverse),
            divide255(blueOf(color) * alpha) + divide255(blueOf(destination) * inverse));
    } else {
        return makeArgb(255, divide255(redOf(color) * alpha + redOf(destination) * inverse),
            divide255(greenOf(color) * alpha + greenOf(destination) * inverse),
            divide255(blueOf(color) * alpha + blueOf(destination) * inverse));
    }
}

template <AlphaModel Model>
[[gnu::always_inline]] inline std::uint32_t blendPremultipliedIn(std::uint32_t destination, std::uint32_t source)
{
    const std::uint32_t alpha = alphaOf(source);
    if (alpha == 0)
        return destination;
    if (alpha == 255)
        return Model == AlphaModel::Opaque ? source | 0xFF000000u : source;
    const std::uint32_t inverse = 255 - alpha;
    if constexpr (Model == AlphaModel::Straight) {
        const std::uint32_t destinationAlpha = alphaOf(destination);
        if (destinationAlpha == 0)
            return unpremultiply(source);
        const std::uint32_t weight = destinationAlpha * inverse;
        const std::uint32_t total = alpha * 255 + weight;
        auto channel = [&](std::uint32_t premultiplied, std::uint32_t below) {
            const std::uint32_t value = (premultiplied * 65025 + below * weight + total / 2) / total;
            return std::min(value, 255u);
        };
        return makeArgb(divide255(total), channel(redOf(source), redOf(destination)),
            channel(greenOf(source), greenOf(destination)), channel(blueOf(source), blueOf(destination)));
    } else if constexpr (Model == AlphaModel::Premultiplied) {
        return makeArgb(alpha + divide255(alphaOf(destination) * inverse),
            std::min(255u, redOf(source) + divide255(redOf(destination) * inverse)),
            std::min(255u, greenOf(source) + divide255(greenOf(destination) * inverse)),
            std::min(255u, blueOf(source) + divide255(blueOf(destination) * inverse)));
    } else {
        return makeArgb(255, std::min(255u, redOf(source) + divide255(redOf(destination) * inverse)),
            std::min(255u, greenOf(source) + divide255(greenOf(destination) * inverse)),
            std::min(255u, blueOf(source) + divide255(blueOf(destination) * inverse)));
    }
}

// Calls `body` with the canvas's model as a compile-time constant.
template <typename Body> inline void withModel(AlphaModel model, Body&& body)
{
    switch (model) {
    case AlphaModel::Straight:
        body(std::integral_constant<AlphaModel, AlphaModel::Straight>{});
        return;
    case AlphaModel::Premultiplied:
        body(std::integral_constant<AlphaModel, AlphaModel::Premultiplied>{});
        return;
    case AlphaModel::Opaque:
        body(std::integral_constant<AlphaModel, AlphaModel::Opaque>{});
        return;
    }
}

} // namespace

std::uint32_t blendStraight(AlphaModel model, std::uint32_t destination, ARGB color, std::uint32_t alpha)
{
    std::uint32_t result = destination;
    withModel(model, [&](auto constant) { result = blendStraightIn<constant.value>(destination, color, alpha); });
    return result;
}

std::uint32_t blendPremultiplied(AlphaModel model, std::uint32_t destination, std::uint32_t source)
{
    std::uint32_t result = destination;
    withModel(model, [&](auto constant) { result = blendPremultipliedIn<constant.value>(destination, source); });
    return result;
}

void fillSolid(const Canvas& canvas, const DeviceBox& box, ARGB color)
{
    const std::uint32_t alpha = alphaOf(color);
    if (alpha == 0 || box.left >= box.right || box.top >= box.bottom)
        return;
    const std::size_t count = static_cast<std::size_t>(box.right - box.left);
    if (alpha == 255) {
        // Opaque: the same 32-bit value in every alpha model.
        for (int y = box.top; y < box.bottom; ++y)
            storePixelSpan(canvas.row(y) + box.left, count, color);
        return;
    }
    withModel(canvas.model, [&](auto model) {
        for (int y = box.top; y < box.bottom; ++y) {
            std::uint32_t* pixels = canvas.row(y) + box.left;
            // Runs of equal destination pixels (a plain background) blend once.
            std::uint32_t lastDestination = pixels[0] + 1;
            std::uint32_t lastResult = 0;
            for (std::size_t x = 0; x < count; ++x) {
                if (pixels[x] != lastDestination) {
                    lastDestination = pixels[x];
                    lastResult = blendStraightIn<model.value>(lastDestination, color, alpha);
                }
                pixels[x] = lastResult;
            }
        }
    });
}

void blendMask(const Canvas& canvas, const CoverageMask& mask, int x, int y, ARGB color, const DeviceBox& box)
{
    const std::uint32_t colorAlpha = alphaOf(color);
    if (colorAlpha == 0)
        return;
    withModel(canvas.model, [&](auto model) {
        for (int row = box.top; row < box.bottom; ++row) {
            const std::uint8_t* coverage = mask.pixels + static_cast<std::ptrdiff_t>(row - y) * mask.stride;
            std::uint32_t* pixels = canvas.row(row);
            for (int column = box.left; column < box.right; ++column) {
                // Glyph masks are mostly empty: skip eight clear pixels at once.
                if (column + 8 <= box.right) {
                    std::uint64_t eight;
                    std::memcpy(&eight, coverage + (column - x), sizeof eight);
                    if (eight == 0) {
                        column += 7;
                        continue;
                    }
                }
                const std::uint32_t covered = coverage[column - x];
                if (covered == 0)
                    continue;
                const std::uint32_t alpha = covered == 255 ? colorAlpha : divide255(colorAlpha * covered);
                pixels[column] = blendStraightIn<model.value>(pixels[column], color, alpha);
            }
        }
    });
}

void blendPremultipliedPixels(
    const Canvas& canvas, const std::uint32_t* source, std::ptrdiff_t sourceStride, const DeviceBox& box)
{
    withModel(canvas.model, [&](auto model) {
        for (int row = box.top; row < box.bottom; ++row) {
            const std::uint32_t* from = source + static_cast<std::ptrdiff_t>(row - box.top) * sourceStride;
            std::uint32_t* pixels = canvas.row(row) + box.left;
            const int count = box.right - box.left;
            for (int column = 0; column < count; ++column)
                pixels[column] = blendPremultipliedIn<model.value>(pixels[column], from[column]);
        }
    });
}

} // namespace engine
