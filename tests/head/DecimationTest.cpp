#include "tools/head/Decimation.h"

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

// Long in x: its ends curve far more tightly than its middle.
double cigar(const Vector3d& p)
{
    return ellipsoid(p, {}, {0.6, 0.2, 0.2});
}

TriangleMesh surface(DistanceFunction field, double spacing)
{
    TriangleMesh mesh = meshSurface(field, gridAround(0.8, spacing));
    relaxAlongSurface(mesh, field, 2);
    return mesh;
}

double meanEdgeLength(const TriangleMesh& mesh, bool (*where)(const Vector3d&))
{
    double sum = 0;
    int count = 0;
    for (const auto& t : mesh.triangles)
        for (int i = 0; i < 3; ++i) {
            const Vector3d& a = mesh.positions[t[i]];
            const Vector3d& b = mesh.positions[t[(i + 1) % 3]];
            if (where(a) && where(b)) {
                sum += length(b - a);
                ++count;
            }
        }
    return sum / count;
}

} // namespace

TEST(DecimationSphere, ReachesTheTargetAndStaysClosedOfGenusZero)
{
    TriangleMesh mesh = surface(sphere, 0.05);
    ASSERT_GT(mesh.triangles.size(), 2000u);
    decimate(mesh, sphere, 500);
    EXPECT_EQ(mesh.triangles.size(), 500u);
    EXPECT_TRUE(closedAndConsistent(mesh));
    std::set<std::pair<int, int>> edges;
    for (const auto& t : mesh.triangles)
        for (int i = 0; i < 3; ++i)
            edges.insert({std::min(t[i], t[(i + 1) % 3]), std::max(t[i], t[(i + 1) % 3])});
    const long long euler = static_cast<long long>(mesh.positions.size())
                          - static_cast<long long>(edges.size())
                          + static_cast<long long>(mesh.triangles.size());
    EXPECT_EQ(euler, 2);
}

// Every vertex, moved or not, lies on the sphere: two Newton steps on an
// exact distance leave only rounding.
TEST(DecimationSphere, KeepsVerticesOnTheSurfaceAndFacesAlongTheirNormals)
{
    TriangleMesh mesh = surface(sphere, 0.05);
    decimate(mesh, sphere, 500);
    ASSERT_EQ(mesh.normals.size(), mesh.positions.size());
    for (const Vector3d& p : mesh.positions)
        EXPECT_NEAR(length(p), 0.5, 1e-12);
    for (const auto& t : mesh.triangles) {
        const Vector3d& a = mesh.positions[t[0]];
        const Vector3d normal = normalize((a - mesh.positions[t[1]]).cross(a - mesh.positions[t[2]]));
        for (const int corner : t)
            EXPECT_GT(normal.dot(mesh.normals[corner]), 0.3);
    }
}

TEST(DecimationCurvature, KeepsSmallerTrianglesWhereTheSurfaceBends)
{
    TriangleMesh mesh = surface(cigar, 0.04);
    decimate(mesh, cigar, 600);
    const double atTheEnds = meanEdgeLength(mesh, [](const Vector3d& p) { return std::abs(p.x) > 0.5; });
    const double inTheMiddle = meanEdgeLength(mesh, [](const Vector3d& p) { return std::abs(p.x) < 0.2; });
    EXPECT_LT(atTheEnds, inTheMiddle);
}

TEST(DecimationTarget, LeavesASmallerMeshAlone)
{
    TriangleMesh mesh = surface(sphere, 0.1);
    const TriangleMesh before = mesh;
    decimate(mesh, sphere, before.triangles.size());
    EXPECT_EQ(mesh.triangles, before.triangles);
    EXPECT_EQ(mesh.positions.size(), before.positions.size());
}
