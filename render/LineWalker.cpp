#include "render/LineWalker.h"

#include "math/RunningSum.h"
#include "render/LineEnds.h"

#include <algorithm>

namespace Quorvane {

namespace {

// The pixels of the line in columns [columnBegin, columnEnd), each given to
// set(x, y) once.
template <typename SetPixel>
void walkPixels(Vector2 p0, Vector2 p1, int columnBegin, int columnEnd, const SetPixel& set)
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
                    set(column, static_cast<int>(x));
            }
            y = y + slope;
        }
    } else {
        for (std::int64_t x = first; x <= last; ++x) {
            if (y > -1.0f && y < 500.0f)
                set(static_cast<int>(x), static_cast<int>(y));
            y = y + slope;
        }
    }
}

} // namespace

void walkLine(Vector2 p0, Vector2 p1, std::uint32_t value, FrameSurface& surface, int columnBegin,
              int columnEnd)
{
    walkPixels(p0, p1, columnBegin, columnEnd, [&](int x, int y) { surface.setPixel(x, y, value); });
}

void walkLineShared(Vector2 p0, Vector2 p1, std::uint32_t value, FrameSurface& surface)
{
    walkPixels(p0, p1, 0, FrameSurface::width, [&](int x, int y) { surface.setPixelShared(x, y, value); });
}

} // namespace Quorvane
