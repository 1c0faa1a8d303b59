#include "render/FrameSurface.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

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

TEST(FrameSurfacePixels, SetsAWholeColumnAndNothingElse)
{
    FrameSurface surface;
    std::vector<std::uint32_t> column(500);
    for (int y = 0; y < 500; ++y)
        column[static_cast<std::size_t>(y)] = static_cast<std::uint32_t>(y + 1);
    surface.setColumn(7, column.data());
    for (int y = 0; y < 500; ++y)
        for (int x = 0; x < 500; ++x)
            ASSERT_EQ(surface.pixel(x, y), x == 7 ? static_cast<std::uint32_t>(y + 1) : 0u) << x << "," << y;
}

TEST(FrameSurfacePixels, IgnoresWritesOutsideTheSurface)
{
    FrameSurface surface;
    surface.setPixel(-1, 0, 1);
    surface.setPixel(0, -1, 1);
    surface.setPixel(500, 0, 1);
    surface.setPixel(0, 500, 1);
    surface.setPixel(-2147483647 - 1, 2147483647, 1);
    const std::vector<std::uint32_t> ones(500, 1);
    surface.setColumn(-1, ones.data());
    surface.setColumn(500, ones.data());
    for (int i = 0; i < 500 * 500; ++i)
        ASSERT_EQ(surface.pixels()[i], 0u);
}

} // namespace
} // namespace Quorvane
