#include "graphics/compositor.h"

#include "pixel_expectations.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

namespace engine {
namespace {

using raster_test::hex;

constexpr AlphaModel models[] = {AlphaModel::Straight, AlphaModel::Premultiplied, AlphaModel::Opaque};

const char* nameOf(AlphaModel model)
{
    switch (model) {
    case AlphaModel::Straight:
        return "straight";
    case AlphaModel::Premultiplied:
        return "premultiplied";
    case AlphaModel::Opaque:
        return "opaque";
    }
    return "?";
}

// A canvas over a vector, for calling the compositor directly.
struct TestCanvas {
    std::vector<std::uint32_t> pixels;
    Canvas canvas;
    TestCanvas(int width, int height, AlphaModel model, std::uint32_t fill)
        : pixels(static_cast<std::size_t>(width) * height, fill)
    {
        canvas.pixels = reinterpret_cast<std::uint8_t*>(pixels.data());
        canvas.stride = width * 4;
        canvas.width = width;
        canvas.height = height;
        canvas.model = model;
    }
};

struct RuleCase {
    const char* why;
    AlphaModel model;
    std::uint32_t destination;
    ARGB color;
    std::uint32_t alpha;
    std::uint32_t expected;
};

TEST(Compositor, StraightColourRules)
{
    const RuleCase cases[] = {
        {"opaque replaces", AlphaModel::Straight, 0x80123456, 0xFFABCDEF, 255, 0xFFABCDEF},
        {"alpha 0 changes nothing", AlphaModel::Straight, 0x80123456, 0xFFABCDEF, 0, 0x80123456},
        {"over transparent keeps the colour exactly", AlphaModel::Straight, 0x00FFFFFF, 0xFF010203, 1, 0x01010203},
        {"half over opaque", AlphaModel::Straight, 0xFF0000FF, 0xFFFF0000, 128, 0xFF80007F},
        {"half over half", AlphaModel::Straight, 0x800000FF, 0xFFFF0000, 128, 0xC0AA0055},
        {"premultiplied: half over transparent", AlphaModel::Premultiplied, 0x00000000, 0xFFFF0000, 128, 0x80800000},
        {"premultiplied: half over half blue", AlphaModel::Premultiplied, 0x80000080, 0xFFFF0000, 128, 0xC0800040},
        {"opaque model: half over black", AlphaModel::Opaque, 0x00000000, 0xFFFF0000, 128, 0xFF800000},
        {"opaque model: the fourth byte is no alpha", AlphaModel::Opaque, 0x000000FF, 0xFFFF0000, 128, 0xFF80007F},
    };
    for (const RuleCase& row : cases) {
        SCOPED_TRACE(row.why);
        EXPECT_EQ(hex(blendStraight(row.model, row.destination, row.color, row.alpha)), hex(row.expected));
    }
}

TEST(Compositor, StraightBlendMatchesExactArithmeticWithinOne)
{
    std::mt19937 random(20240611);
    std::uniform_int_distribution<std::uint32_t> byte(0, 255);
    for (int sample = 0; sample < 20000; ++sample) {
        const ARGB destination = byte(random) << 24 | byte(random) << 16 | byte(random) << 8 | byte(random);
        const ARGB color = 0xFF000000u | byte(random) << 16 | byte(random) << 8 | byte(random);
        const std::uint32_t alpha = byte(random);
        const std::uint32_t actual = blendStraight(AlphaModel::Straight, destination, color, alpha);
        const double a = alpha / 255.0;
        const double below = (destination >> 24) / 255.0;
        const double resultAlpha = a + below * (1 - a);
        if (resultAlpha == 0) {
            EXPECT_EQ(actual, destination);
            continue;
        }
        EXPECT_NEAR(static_cast<double>(actual >> 24), resultAlpha * 255, 0.5 + 1e-9) << hex(destination);
        for (int shift : {16, 8, 0}) {
            const double source = (color >> shift) & 0xFF;
            const double under = (destination >> shift) & 0xFF;
            const double exact = (source * a + under * below * (1 - a)) / resultAlpha;
            EXPECT_NEAR(static_cast<double>((actual >> shift) & 0xFF), exact, 0.5 + 1e-9)
                << hex(destination) << " under " << hex(color) << " at alpha " << alpha;
        }
    }
}

TEST(Compositor, PremultiplicationKeepsOpaqueAndStraightResultsExact)
{
    for (AlphaModel model : models) {
        SCOPED_TRACE(nameOf(model));
        EXPECT_EQ(hex(blendPremultiplied(model, 0x80123456, 0xFF445566)), hex(0xFF445566));
        EXPECT_EQ(hex(blendPremultiplied(model, 0x80123456, 0x00000000)), hex(0x80123456));
    }
    // Onto a transparent straight pixel the result is the source un-premultiplied.
    EXPECT_EQ(hex(blendPremultiplied(AlphaModel::Straight, 0x00000000, 0x80800000)), hex(0x80FF0000));
    EXPECT_EQ(hex(blendPremultiplied(AlphaModel::Straight, 0xFF0000FF, 0x80800000)), hex(0xFF80007F));
    EXPECT_EQ(hex(blendPremultiplied(AlphaModel::Premultiplied, 0xFF0000FF, 0x80800000)), hex(0xFF80007F));
}

// The fast paths of the span routines must give what the per-pixel rules
// give, pixel for pixel.
TEST(Compositor, SpanRoutinesAgreeWithThePerPixelRules)
{
    std::mt19937 random(7);
    std::uniform_int_distribution<std::uint32_t> word;
    std::uniform_int_distribution<std::uint32_t> byte(0, 255);
    const int width = 9;
    const int height = 4;
    const DeviceBox box{2, 1, 8, 3};
    for (AlphaModel model : models) {
        SCOPED_TRACE(nameOf(model));
        for (const ARGB color : {0xFF336699u, 0x80336699u, 0x01FFFFFFu, 0x00336699u}) {
            SCOPED_TRACE(hex(color));
            // Runs of equal pixels and random ones, since the fill caches by run.
            TestCanvas canvas(width, height, model, 0);
            for (std::size_t index = 0; index < canvas.pixels.size(); ++index)
                canvas.pixels[index] = index % 3 == 0 ? word(random) : 0x40102030;
            const std::vector<std::uint32_t> before = canvas.pixels;

            fillSolid(canvas.canvas, box, color);
            for (int y = 0; y < height; ++y) {
                for (int x = 0; x < width; ++x) {
                    const std::uint32_t original = before[y * width + x];
                    const bool inside = x >= box.left && x < box.right && y >= box.top && y < box.bottom;
                    const std::uint32_t expected =
                        inside ? blendStraight(model, original, color, color >> 24) : original;
                    EXPECT_EQ(hex(canvas.pixels[y * width + x]), hex(expected)) << "fill at x " << x << ", y " << y;
                }
            }

            std::vector<std::uint8_t> coverage(static_cast<std::size_t>(width) * height);
            for (auto& value : coverage)
                value = static_cast<std::uint8_t>(byte(random) % 3 == 0 ? 255 : byte(random));
            canvas.pixels = before;
            const CoverageMask mask{coverage.data(), width, width, height};
            blendMask(canvas.canvas, mask, 0, 0, color, box);
            for (int y = 0; y < height; ++y) {
                for (int x = 0; x < width; ++x) {
                    const std::uint32_t original = before[y * width + x];
                    const bool inside = x >= box.left && x < box.right && y >= box.top && y < box.bottom;
                    const std::uint32_t covered = coverage[y * width + x];
                    const std::uint32_t alpha = ((color >> 24) * covered + 127) / 255;
                    const std::uint32_t expected = inside ? blendStraight(model, original, color, alpha) : original;
                    EXPECT_EQ(hex(canvas.pixels[y * width + x]), hex(expected)) << "mask at x " << x << ", y " << y;
                }
            }
        }
    }
}

} // namespace
} // namespace engine
