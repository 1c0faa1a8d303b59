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

// setColumns writes what setPixel writes pixel by pixel, for groups that
// start anywhere, run off either side, or fit no group of four, and rows that
// start and end anywhere, beyond the surface or none.
TEST(FrameSurfacePixels, SetsColumnsAsOnePixelAtATime)
{
    constexpr int stride = 503;
    std::vector<std::uint32_t> values(9 * stride);
    for (std::size_t i = 0; i < values.size(); ++i)
        values[i] = static_cast<std::uint32_t>(i * 2654435761u);
    const struct {
        int x, count, firstRow, lastRow;
    } groups[] = {{1, 9, 0, 499},  {0, 4, 0, 499},   {3, 1, 0, 499},  {495, 5, 0, 499},  {497, 6, 0, 499},
                  {-2, 7, 0, 499}, {250, 0, 0, 499}, {1, 9, 5, 6},    {4, 4, 3, 497},    {4, 4, 4, 495},
                  {8, 5, 1, 2},    {8, 4, 9, 8},     {8, 4, -3, 600}, {496, 4, 498, 499}};
    for (const auto& group : groups) {
        FrameSurface together, oneByOne;
        together.setColumns(group.x, group.count, values.data(), stride, group.firstRow, group.lastRow);
        for (int i = 0; i < group.count; ++i)
            for (int y = group.firstRow; y <= group.lastRow; ++y)
                if (y >= 0 && y < 500)
                    oneByOne.setPixel(group.x + i, y, values[static_cast<std::size_t>(i * stride + y)]);
        ASSERT_TRUE(std::equal(together.pixels(), together.pixels() + 500 * 500, oneByOne.pixels()))
            << "columns from " << group.x << ", " << group.count << ", rows " << group.firstRow << ".."
            << group.lastRow;
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
