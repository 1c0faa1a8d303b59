#include "render/DepthBuffer.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>

namespace Quorvane {
namespace {

TEST(DepthBufferCreate, CountsColumnsFirstAndFillsTheEmptyValue)
{
    depthBuffer.clear();
    createDepthBuffer(2, 3);
    ASSERT_EQ(depthBuffer.size(), 2u);
    for (const std::vector<float>& column : depthBuffer) {
        ASSERT_EQ(column.size(), 3u);
        for (const float cell : column)
            EXPECT_EQ(std::bit_cast<std::uint32_t>(cell), 0x7f7fffffu);
    }
}

TEST(DepthBufferReset, StoresEmptyValueOnlyInsideTheGivenRectangle)
{
    depthBuffer.clear();
    createDepthBuffer(5, 4);
    for (std::vector<float>& column : depthBuffer)
        for (float& cell : column)
            cell = 7;
    resetDepthBuffer(3, 2);
    for (int x = 0; x < 5; ++x)
        for (int y = 0; y < 4; ++y)
            EXPECT_EQ(depthBuffer[x][y], x < 3 && y < 2 ? emptyDepth : 7.0f) << x << ',' << y;
}

TEST(DepthBufferReset, KeepsTheBufferSizeAndIgnoresCellsItDoesNotHave)
{
    depthBuffer.clear();
    createDepthBuffer(3, 3);
    resetDepthBuffer(500, 500);
    EXPECT_EQ(depthBuffer.size(), 3u);
    EXPECT_EQ(depthBuffer[2].size(), 3u);
}

} // namespace
} // namespace Quorvane
