#pragma once

#include <limits>
#include <vector>

namespace Quorvane {

// A list of columns: cell [x][y] is the depth of column x (0 at the left) and
// row y (0 at the top). Smaller is nearer.
using DepthBuffer = std::vector<std::vector<float>>;

// What every cell holds before a frame draws: the largest finite float,
// bit pattern 0x7f7fffff.
constexpr float emptyDepth = std::numeric_limits<float>::max();

extern DepthBuffer depthBuffer;

// Appends columns new columns of rows empty cells each to depthBuffer.
void createDepthBuffer(int columns, int rows);

// Stores the empty value in the cells with x below columns and y below rows,
// column by column, in place; cells the buffer does not have are not touched.
void resetDepthBuffer(int columns, int rows);

} // namespace Quorvane
