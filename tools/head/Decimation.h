#pragma once

#include "tools/head/SurfaceNets.h"

#include <cstddef>

namespace Quorvane {

// Collapses the edges whose removal changes the shape least, measured by
// the summed squared distances to the planes of the faces around them
// (Garland and Heckbert's quadrics), until at most targetTriangles remain
// or no edge may go. A collapsed edge's new vertex is its midpoint moved
// onto field's surface, with the field's normal there. Collapses that would
// pinch the surface, fold or flatten a face, or turn a face away from its
// vertex normals are refused, so a closed, consistently wound mesh stays
// so. Flat regions thin out first and the detail stays where the shape is.
void decimate(TriangleMesh& mesh, DistanceFunction field, std::size_t targetTriangles);

} // namespace Quorvane
