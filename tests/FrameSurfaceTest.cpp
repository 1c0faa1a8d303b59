#include "render/FrameSurface.h"

#include <gtest/gtest.h>

namespace Quorvane {
namespace {

TEST(FrameSurfacePixels, StartsBlack)
{
    const FrameSurface surface;
    for (int i = 0; i < 500 * 500; ++i)
        ASSERT_EQ(surface.pixels()[i], 0u);
}

TEST(FrameSurfacePixels, StoresRowByRow)
{
    FrameSurface surface;
    surface.setPixel(3, 2, 0x00123456);
    surface.setPixel(499, 499, 0x00abcdef);
    EXPECT_EQ(surface.pixels()[2 * 500 + 3], 0x00123456u);
    EXPECT_EQ(surface.pixels()[500 * 500 - 1], 0x00abcdefu);
    EXPECT_EQ(surface.pixel(3, 2), 0x00123456u);
}

TEST(FrameSurfacePixels, IgnoresWritesOutsideTheSurface)
{
    FrameSurface surface;
    surface.setPixel(-1, 0, 1);
    surface.setPixel(0, -1, 1);
    surface.setPixel(500, 0, 1);
    surface.setPixel(0, 500, 1);
    surface.setPixel(-2147483647 - 1, 2147483647, 1);
    for (int i = 0; i < 500 * 500; ++i)
        ASSERT_EQ(surface.pixels()[i], 0u);
}

} // namespace
} // namespace Quorvane
