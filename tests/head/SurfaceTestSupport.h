#pragma once

#include "tools/head/SurfaceNets.h"

#include <cmath>
#include <map>
#include <utility>

// What the tests of the head's mesher and thinning share.
namespace Quorvane::Testing {

// A cube of sample points from -halfWidth to +halfWidth in every axis.
inline SampleGrid gridAround(double halfWidth, double spacing)
{
    SampleGrid grid;
    grid.spacing = spacing;
    grid.origin = Vector3d{-halfWidth, -halfWidth, -halfWidth};
    const int points = static_cast<int>(std::lround(2 * halfWidth / spacing)) + 1;
    grid.points = {points, points, points};
    return grid;
}

// Every directed edge once, and its reverse present: closed and
// consistently wound.
inline bool closedAndConsistent(const TriangleMesh& mesh)
{
    std::map<std::pair<int, int>, int> edges;
    for (const auto& t : mesh.triangles)
        for (int i = 0; i < 3; ++i)
            ++edges[{t[i], t[(i + 1) % 3]}];
    for (const auto& [edge, count] : edges)
        if (count != 1 || !edges.contains({edge.second, edge.first}))
            return false;
    return true;
}

} // namespace Quorvane::Testing
