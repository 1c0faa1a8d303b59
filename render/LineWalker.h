#pragma once

#include "math/Vector.h"
#include "render/FrameSurface.h"

#include <cstdint>

namespace Quorvane {

// Sets exactly the pixels that drawLine(p0, p1, color, surface) sets with
// value = toPixel(color), but only those whose column lies in [columnBegin,
// columnEnd), and no others. Steps that fall off the surface or the band are
// not walked: their effect on the float running value is computed in closed
// form (advanceRunningSum), so a line costs at most one step per visible row
// or column, however long it is. Threads may walk lines into disjoint column
// bands of one surface at the same time.
void walkLine(Vector2 p0, Vector2 p1, std::uint32_t value, FrameSurface& surface, int columnBegin = 0,
              int columnEnd = FrameSurface::width);

// walkLine over all columns, setting each pixel with setPixelShared: threads
// may walk any lines of one surface at the same time, each setting the same
// value, and the surface is then the same whatever the order.
void walkLineShared(Vector2 p0, Vector2 p1, std::uint32_t value, FrameSurface& surface);

} // namespace Quorvane
