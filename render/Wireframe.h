#pragma once

#include "math/Color.h"
#include "math/Vector.h"
#include "render/FrameSurface.h"
#include "scene/Mesh.h"

namespace Quorvane {

// Draws the edges corner 0 to 1, 1 to 2 and 2 to 0 of every face of mesh, in
// list order, placing the corners with flatShader and renderContext's matrices.
// No depth test; a face with a position index outside mesh.vertices is skipped.
void drawWireframe(const Mesh& mesh, Color color, FrameSurface& surface);

// Draws the line between the truncated ends, one pixel per step along the
// longer axis, the other coordinate a running float sum of the slope truncated
// at each step. Only pixels inside the surface are set. A line of more than
// 2^20 steps, or with an end that is not finite or does not fit an int, is
// first clipped to the surface (NaN and infinite ends draw nothing), so no line
// costs more than about 2^20 steps.
void drawLine(Vector2 p0, Vector2 p1, Color color, FrameSurface& surface);

} // namespace Quorvane
