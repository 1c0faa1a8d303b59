#include "render/LineWalker.h"

#include "math/RunningSum.h"
#include "render/LineEnds.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace Quorvane {

void walkLine(Vector2 p0, Vector2 p1, std::uint32_t value, FrameSurface& surface, int columnBegin, int columnEnd)
{
    LineEnds ends;
    if (!lineEnds(p0, p1, ends))
        return;
    std::int64_t x0 = ends.x0, y0 = ends.y0, x1 = ends.x1, y1 = ends.y1;
    const bool steep = std::llabs(x0 - x1) < std::llabs(y0 - y1);
    if (steep) {
        std::swap(x0, y0);
        std::swap(x1, y1);
    }
    if (x0 > x1) {
        std::swap(x0, x1);
        std::swap(y0, y1);
    }
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
    float y = advanceRunningSum(static_cast<float>(y0), slope, first - x0);
    for (std::int64_t x = first; x <= last; ++x) {
        // As in drawLine: truncation toward zero puts (-1, 0) in the first
        // row or column; the test keeps the conversion defined.
        if (y > -1.0f && y < 500.0f) {
            const int minor = static_cast<int>(y);
            if (!steep)
                surface.setPixel(static_cast<int>(x), minor, value);
            else if (minor >= columnBegin && minor < columnEnd)
                surface.setPixel(minor, static_cast<int>(x), value);
        }
        y = y + slope;
    }
}

} // namespace Quorvane
