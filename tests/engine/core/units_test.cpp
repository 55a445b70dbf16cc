#include "core/units.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using engine::isFontUnit;
using engine::pixelsPerUnit;

struct UnitCase {
    const char* why;
    GpUnit unit;
    float size;
    float dpi;
    float pixels;
};

TEST(Units, ConvertSizesToPixelsAtTheTargetResolution)
{
    const UnitCase cases[] = {
        {"12 points at 96 dpi are 16 pixels", 3, 12, 96, 16},
        {"72 points are an inch", 3, 72, 150, 150},
        {"the renderer's preview size", 3, 14.907407f, 96, 19.876543f},
        {"pixels stay pixels whatever the resolution", 2, 20, 300, 20},
        {"an inch is the resolution", 4, 1.5f, 96, 144},
        {"a document unit is 1/300 inch", 5, 300, 96, 96},
        {"a millimetre is 1/25.4 inch", 6, 25.4f, 96, 96},
    };
    for (const UnitCase& row : cases) {
        SCOPED_TRACE(row.why);
        EXPECT_TRUE(isFontUnit(row.unit));
        EXPECT_NEAR(row.size * pixelsPerUnit(row.unit, row.dpi), row.pixels, 1e-3);
    }
}

TEST(Units, WorldAndDisplayAreNoFontUnits)
{
    for (GpUnit unit : {-1, 0, 1, 7, 100}) {
        SCOPED_TRACE(unit);
        EXPECT_FALSE(isFontUnit(unit));
    }
}

TEST(Units, WorldAndDisplayAreDevicePixelsOnABitmap)
{
    EXPECT_FLOAT_EQ(pixelsPerUnit(0, 96), 1);  // world
    EXPECT_FLOAT_EQ(pixelsPerUnit(1, 300), 1); // display
    EXPECT_FLOAT_EQ(pixelsPerUnit(2, 300), 1); // pixel
}

} // namespace
