#pragma once

#include "tools/head/DistanceField.h"

#include <array>
#include <vector>

namespace Quorvane {

using DistanceFunction = double (*)(const Vector3d&);

// Sample points origin + spacing * (i, j, k) for i < points[0] and so on. The
// field must be positive on the outer layer of points, so the surface is
// closed inside the grid.
struct SampleGrid {
    Vector3d origin;
    double spacing = 0;
    std::array<int, 3> points{};
};

// Triangles index positions and normals alike (one normal per position); each
// runs counter-clockwise seen from outside.
struct TriangleMesh {
    std::vector<Vector3d> positions;
    std::vector<Vector3d> normals;
    std::vector<std::array<int, 3>> triangles;
};

// The outward unit normal: the field's gradient by central differences.
Vector3d fieldNormal(DistanceFunction field, const Vector3d& p);

// The zero surface of field as a closed mesh: one vertex per grid cell the
// surface passes through, placed on the surface, and two triangles for every
// grid edge it crosses. Every mesh edge belongs to exactly two triangles:
// a cell face whose corners alternate in sign (which would give four) is
// first closed by moving its outside corner nearest the surface inside.
TriangleMesh meshSurface(DistanceFunction field, const SampleGrid& grid);

// Evens out the triangles: rounds times, every vertex moves to the mean of
// its neighbours and back onto field's surface, and takes the normal there.
// Vertices kept inside their cells by meshSurface end up on the surface
// too, and slivers along cell boundaries open up. Connectivity is unchanged.
void relaxAlongSurface(TriangleMesh& mesh, DistanceFunction field, int rounds);

} // namespace Quorvane
