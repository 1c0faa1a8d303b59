#include "tools/head/SurfaceNets.h"

#include "tests/head/SurfaceTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <utility>

using namespace Quorvane;
using Testing::closedAndConsistent;
using Testing::gridAround;

namespace {

double sphere(const Vector3d& p)
{
    return length(p) - 0.5;
}

// Two balls centred on diagonally opposite corners of one grid square, each
// smaller than a cell: the square's corners alternate in sign.
double diagonalPair(const Vector3d& p)
{
    return std::min(length(p - Vector3d{0, 0, 0}), length(p - Vector3d{0.1, 0.1, 0})) - 0.03;
}

std::size_t edgeCount(const TriangleMesh& mesh)
{
    std::set<std::pair<int, int>> edges;
    for (const auto& t : mesh.triangles)
        for (int i = 0; i < 3; ++i)
            edges.insert({std::min(t[i], t[(i + 1) % 3]), std::max(t[i], t[(i + 1) % 3])});
    return edges.size();
}

} // namespace

TEST(SurfaceNetsSphere, IsAClosedSurfaceOfGenusZero)
{
    const TriangleMesh mesh = meshSurface(sphere, gridAround(0.7, 0.1));
    ASSERT_FALSE(mesh.triangles.empty());
    EXPECT_TRUE(closedAndConsistent(mesh));
    const long long euler = static_cast<long long>(mesh.positions.size())
                          - static_cast<long long>(edgeCount(mesh))
                          + static_cast<long long>(mesh.triangles.size());
    EXPECT_EQ(euler, 2);
}

// Vertices are moved onto the surface by Newton steps on the field, which
// for a sphere's exact distance land within rounding; a vertex kept inside
// its cell by the inset of 2% of the spacing per axis may stay off by up to
// 0.02 * 0.1 * sqrt(3).
TEST(SurfaceNetsSphere, PutsVerticesOnTheSurfaceWithOutwardNormals)
{
    const TriangleMesh mesh = meshSurface(sphere, gridAround(0.7, 0.1));
    ASSERT_EQ(mesh.normals.size(), mesh.positions.size());
    std::size_t exact = 0;
    for (std::size_t i = 0; i < mesh.positions.size(); ++i) {
        const Vector3d& p = mesh.positions[i];
        EXPECT_NEAR(length(p), 0.5, 0.0035);
        if (std::abs(length(p) - 0.5) < 1e-12)
            ++exact;
        // Central differences of a distance field: the gradient is exact to
        // about the square of the step.
        EXPECT_NEAR(mesh.normals[i].dot(p * (1 / length(p))), 1.0, 1e-9);
    }
    EXPECT_GT(exact, mesh.positions.size() * 3 / 4);
}

TEST(SurfaceNetsSphere, WindsTrianglesCounterClockwiseSeenFromOutside)
{
    const TriangleMesh mesh = meshSurface(sphere, gridAround(0.7, 0.1));
    for (const auto& t : mesh.triangles) {
        const Vector3d& a = mesh.positions[t[0]];
        const Vector3d normal = (a - mesh.positions[t[1]]).cross(a - mesh.positions[t[2]]);
        EXPECT_GT(normal.dot(a), 0);
    }
}

TEST(SurfaceNetsRelaxation, KeepsTheTrianglesAndPutsEveryVertexOnTheSurface)
{
    TriangleMesh mesh = meshSurface(sphere, gridAround(0.7, 0.1));
    const auto triangles = mesh.triangles;
    relaxAlongSurface(mesh, sphere, 2);
    EXPECT_EQ(mesh.triangles, triangles);
    for (std::size_t i = 0; i < mesh.positions.size(); ++i) {
        // Unlike meshSurface, nothing holds a vertex back: two Newton
        // steps on an exact distance leave only rounding.
        EXPECT_NEAR(length(mesh.positions[i]), 0.5, 1e-12);
        EXPECT_NEAR(mesh.normals[i].dot(mesh.positions[i] * 2), 1.0, 1e-9);
    }
}

TEST(SurfaceNetsRelaxation, ImprovesTheWorstTriangle)
{
    const auto worstQuality = [](const TriangleMesh& mesh) {
        double worst = 1;
        for (const auto& t : mesh.triangles) {
            const Vector3d& a = mesh.positions[t[0]];
            const Vector3d& b = mesh.positions[t[1]];
            const Vector3d& c = mesh.positions[t[2]];
            const double squares = ((b - a).dot(b - a) + (c - b).dot(c - b)) + (a - c).dot(a - c);
            worst = std::min(worst, 2 * std::sqrt(3.0) * length((b - a).cross(c - a)) / squares);
        }
        return worst;
    };
    TriangleMesh mesh = meshSurface(sphere, gridAround(0.7, 0.1));
    const double before = worstQuality(mesh);
    relaxAlongSurface(mesh, sphere, 2);
    EXPECT_GT(worstQuality(mesh), before);
}

TEST(SurfaceNetsAmbiguousFace, StillGivesEveryEdgeExactlyTwoTriangles)
{
    const TriangleMesh mesh = meshSurface(diagonalPair, gridAround(0.3, 0.1));
    ASSERT_FALSE(mesh.triangles.empty());
    EXPECT_TRUE(closedAndConsistent(mesh));
}

TEST(SurfaceNetsEmptyField, GivesNoTriangles)
{
    const TriangleMesh mesh = meshSurface([](const Vector3d&) { return 1.0; }, gridAround(0.3, 0.1));
    EXPECT_TRUE(mesh.positions.empty());
    EXPECT_TRUE(mesh.triangles.empty());
}
