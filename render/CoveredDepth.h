#pragma once

#include "render/FaceBounds.h"
#include "render/FastFill.h"
#include "render/TriangleFill.h"

namespace Quorvane {

// The centroid, in x and y, of the part of face's screen triangle that lies
// within box (taken as the rectangle from its first to its last pixel
// centre). False where that part has no area or a coordinate is not finite.
bool centroidInBox(const FaceEdges& face, const PixelBox& box, double& x, double& y);

// The mean depth of a tall face (its bounds' depth plane, which must be
// depthBounded) over the part of its triangle within its box: the plane at
// centroidInBox, or at the box's middle where that has none. The fast path
// sorts faces nearest first by it where they lie many deep: faces that cross
// the camera plane can have corners of any depth and triangles far larger
// than the surface, whose box's middle may lie far from what they cover.
float meanCoveredDepth(const FaceEdges& face, const FaceBounds& bounds, const PixelBox& box);

} // namespace Quorvane
