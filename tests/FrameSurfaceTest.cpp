#include "render/FrameSurface.h"

#include <gtest/gtest.h>

#include <algorithm>
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

// setColumns writes what setColumn writes column by column, for groups that
// start anywhere, run off either side, or fit no group of four.
TEST(FrameSurfacePixels, SetsColumnsAsOneColumnAtATime)
{
    constexpr int stride = 503;
    std::vector<std::uint32_t> values(9 * stride);
    for (std::size_t i = 0; i < values.size(); ++i)
        values[i] = static_cast<std::uint32_t>(i * 2654435761u);
    const struct {
        int x, count;
    } groups[] = {{1, 9}, {0, 4}, {3, 1}, {495, 5}, {497, 6}, {-2, 7}, {250, 0}};
    for (const auto& group : groups) {
        FrameSurface together, oneByOne;
        together.setColumns(group.x, group.count, values.data(), stride);
        for (int i = 0; i < group.count; ++i)
            oneByOne.setColumn(group.x + i, values.data() + i * stride);
        ASSERT_TRUE(std::equal(together.pixels(), together.pixels() + 500 * 500, oneByOne.pixels()))
            << "columns from " << group.x << ", " << group.count;
    }
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
