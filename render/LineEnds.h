#pragma once

#include "math/Truncation.h"
#include "math/Vector.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <utility>

namespace Quorvane {

// The integer ends between which a line is stepped, in pixels. 64 bits keep
// the differences of far-apart ends exact.
struct LineEnds {
    std::int64_t x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};

// Lines longer than this many steps are clipped to the surface first.
constexpr std::int64_t longestSteppedLine = std::int64_t(1) << 20;

// The ends of a line that lineEnds cannot simply truncate: clipped to the
// surface when all four coordinates are finite. False when it misses.
bool clippedLineEnds(Vector2 p0, Vector2 p1, LineEnds& ends);

// The ends drawLine steps between for the line from p0 to p1: the truncated
// ends; for a line of more than 2^20 steps, or with an end that does not fit
// an int, the truncated ends of its part on the surface. False when such a
// line draws nothing: an end is not finite, or it misses the surface.
// Inline, with the rare case out of line: wireframes ask it for every edge.
inline bool lineEnds(Vector2 p0, Vector2 p1, LineEnds& ends)
{
    if (truncatesToInt(p0.x) && truncatesToInt(p0.y) && truncatesToInt(p1.x) && truncatesToInt(p1.y)) {
        ends = {static_cast<int>(p0.x), static_cast<int>(p0.y), static_cast<int>(p1.x),
                static_cast<int>(p1.y)};
        if (std::max(std::llabs(ends.x0 - ends.x1), std::llabs(ends.y0 - ends.y1)) <= longestSteppedLine)
            return true;
    }
    return clippedLineEnds(p0, p1, ends);
}

// Turns ends so that x is the axis stepped along, one pixel per step, and
// grows from x0 to x1: for a steep line (rising more than it runs) x and y
// are swapped first. Returns whether they were, that is whether x counts rows.
// Either direction of a line gives the same ends.
inline bool orientLine(LineEnds& ends)
{
    const bool steep = std::llabs(ends.x0 - ends.x1) < std::llabs(ends.y0 - ends.y1);
    if (steep) {
        std::swap(ends.x0, ends.y0);
        std::swap(ends.x1, ends.y1);
    }
    if (ends.x0 > ends.x1) {
        std::swap(ends.x0, ends.x1);
        std::swap(ends.y0, ends.y1);
    }
    return steep;
}

} // namespace Quorvane
