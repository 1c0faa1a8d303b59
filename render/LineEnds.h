#pragma once

#include "math/Vector.h"

#include <cstdint>

namespace Quorvane {

// The integer ends between which a line is stepped, in pixels. 64 bits keep
// the differences of far-apart ends exact.
struct LineEnds {
    std::int64_t x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};

// The ends drawLine steps between for the line from p0 to p1: the truncated
// ends; for a line of more than 2^20 steps, or with an end that does not fit
// an int, the truncated ends of its part on the surface. False when such a
// line draws nothing: an end is not finite, or it misses the surface.
bool lineEnds(Vector2 p0, Vector2 p1, LineEnds& ends);

} // namespace Quorvane
