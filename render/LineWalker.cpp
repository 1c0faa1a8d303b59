#include "render/LineWalker.h"

#include "math/RunningSum.h"
#include "render/LineEnds.h"

#include <algorithm>

namespace Quorvane {

void walkLine(Vector2 p0, Vector2 p1, std::uint32_t value, FrameSurface& surface, int columnBegin,
              int columnEnd)
{
    LineEnds ends;
    if (!lineEnds(p0, p1, ends))
        return;
    const bool steep = orientLine(ends);
    const std::int64_t x0 = ends.x0, y0 = ends.y0, x1 = ends.x1, y1 = ends.y1;
    // The steps along the major axis that can set a pixel: the surface's rows
    // for a steep line, the band's columns for a shallow one.
    const std::int64_t low = steep ? 0 : std::max(0, columnBegin);
    const std::int64_t high = steep ? FrameSurface::height - 1 : std::min(FrameSurface::width, columnEnd) - 1;
    const std::int64_t first = std::max(x0, low);
    const std::int64_t last = std::min(x1, high);
    if (first > last)
        return;
    // A single point leaves the slope 0 / 0, never added: no step is skipped.
    const float slope = static_cast<float>(y1 - y0) / static_cast<float>(x1 - x0);
    float y =
        first > x0 ? advanceRunningSum(static_cast<float>(y0), slope, first - x0) : static_cast<float>(y0);
    // As in drawLine: truncation toward zero puts (-1, 0) in the first row or
    // column; the test keeps the conversion defined.
    if (steep) {
        for (std::int64_t x = first; x <= last; ++x) {
            if (y > -1.0f && y < 500.0f) {
                const int column = static_cast<int>(y);
                if (column >= columnBegin && column < columnEnd)
                    surface.setPixel(column, static_cast<int>(x), value);
            }
            y = y + slope;
        }
    } else {
        for (std::int64_t x = first; x <= last; ++x) {
            if (y > -1.0f && y < 500.0f)
                surface.setPixel(static_cast<int>(x), static_cast<int>(y), value);
            y = y + slope;
        }
    }
}

} // namespace Quorvane
