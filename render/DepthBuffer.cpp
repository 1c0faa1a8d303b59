#include "render/DepthBuffer.h"

#include <algorithm>
#include <cstddef>

namespace Quorvane {

DepthBuffer depthBuffer;

void createDepthBuffer(int columns, int rows)
{
    for (int x = 0; x < columns; ++x)
        depthBuffer.emplace_back(static_cast<std::size_t>(std::max(rows, 0)), emptyDepth);
}

void resetDepthBuffer(int columns, int rows)
{
    const std::size_t columnCount =
        std::min(depthBuffer.size(), static_cast<std::size_t>(std::max(columns, 0)));
    for (std::size_t x = 0; x < columnCount; ++x) {
        std::vector<float>& column = depthBuffer[x];
        const std::size_t rowCount = std::min(column.size(), static_cast<std::size_t>(std::max(rows, 0)));
        std::fill(column.begin(), column.begin() + static_cast<std::ptrdiff_t>(rowCount), emptyDepth);
    }
}

} // namespace Quorvane
