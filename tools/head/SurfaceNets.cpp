#include "tools/head/SurfaceNets.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <vector>

namespace Quorvane {

namespace {

// The field sampled at every grid point; a cell shares the index of its
// lowest corner.
class Samples {
public:
    explicit Samples(const SampleGrid& grid)
        : grid_(grid), values_(static_cast<std::size_t>(grid.points[0]) * grid.points[1] * grid.points[2])
    {
    }

    std::size_t index(int i, int j, int k) const
    {
        return (static_cast<std::size_t>(k) * grid_.points[1] + j) * grid_.points[0] + i;
    }
    double& operator()(int i, int j, int k) { return values_[index(i, j, k)]; }
    double operator()(int i, int j, int k) const { return values_[index(i, j, k)]; }
    Vector3d position(int i, int j, int k) const
    {
        return grid_.origin + Vector3d{double(i), double(j), double(k)} * grid_.spacing;
    }
    std::size_t size() const { return values_.size(); }

private:
    SampleGrid grid_;
    std::vector<double> values_;
};

bool inside(double value)
{
    return value < 0;
}

void sample(DistanceFunction field, const SampleGrid& grid, Samples& samples)
{
    for (int k = 0; k < grid.points[2]; ++k)
        for (int j = 0; j < grid.points[1]; ++j)
            for (int i = 0; i < grid.points[0]; ++i) {
                const double value = field(samples.position(i, j, k));
                // A sample exactly on the surface would put a crossing on a
                // grid point, shared by several edges; count it as outside.
                samples(i, j, k) = value == 0 ? 1e-12 : value;
            }
}

// Offsets of the two axes spanning a face normal to axis, in cyclic order.
constexpr std::array<std::array<int, 3>, 3> axisUnit{{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};

// On each face with alternating corner signs, moves the outside corner
// nearest the surface inside, until no such face is left. That only fills
// gaps narrower than a cell, and since every flip goes the same way the
// loop ends.
void resolveAmbiguousFaces(const SampleGrid& grid, Samples& samples)
{
    for (bool changed = true; changed;) {
        changed = false;
        for (int axis = 0; axis < 3; ++axis) {
            const auto& b = axisUnit[(axis + 1) % 3];
            const auto& c = axisUnit[(axis + 2) % 3];
            for (int k = 0; k + c[2] + b[2] < grid.points[2]; ++k)
                for (int j = 0; j + c[1] + b[1] < grid.points[1]; ++j)
                    for (int i = 0; i + c[0] + b[0] < grid.points[0]; ++i) {
                        double* corners[4] = {
                            &samples(i, j, k),
                            &samples(i + b[0], j + b[1], k + b[2]),
                            &samples(i + b[0] + c[0], j + b[1] + c[1], k + b[2] + c[2]),
                            &samples(i + c[0], j + c[1], k + c[2]),
                        };
                        const bool s0 = inside(*corners[0]), s1 = inside(*corners[1]);
                        const bool s2 = inside(*corners[2]), s3 = inside(*corners[3]);
                        if (!(s0 == s2 && s1 == s3 && s0 != s1))
                            continue;
                        double* nearest = nullptr;
                        for (double* corner : corners)
                            if (!inside(*corner) && (nearest == nullptr || *corner < *nearest))
                                nearest = corner;
                        *nearest = -*nearest;
                        changed = true;
                    }
        }
    }
}

Vector3d gradient(DistanceFunction field, const Vector3d& p)
{
    constexpr double e = 1e-5;
    return Vector3d{field(p + Vector3d{e, 0, 0}) - field(p - Vector3d{e, 0, 0}),
                    field(p + Vector3d{0, e, 0}) - field(p - Vector3d{0, e, 0}),
                    field(p + Vector3d{0, 0, e}) - field(p - Vector3d{0, 0, e})}
         * (1 / (2 * e));
}

// Newton steps toward the zero surface along the gradient; near the surface
// of a distance field each step squares the error, so two are plenty.
Vector3d towardSurface(DistanceFunction field, Vector3d p)
{
    for (int step = 0; step < 2; ++step) {
        const Vector3d g = gradient(field, p);
        const double gg = g.dot(g);
        if (!(gg > 0))
            break;
        p = p - g * (field(p) / gg);
    }
    return p;
}

// The cell's vertex: the mean of its edge crossings, then moved onto the
// surface along the gradient, but never out of its cell.
Vector3d cellVertex(DistanceFunction field, const SampleGrid& grid, const Samples& samples, int i, int j,
                    int k)
{
    constexpr int edges[12][2][3] = {
        {{0, 0, 0}, {1, 0, 0}}, {{0, 1, 0}, {1, 1, 0}}, {{0, 0, 1}, {1, 0, 1}}, {{0, 1, 1}, {1, 1, 1}},
        {{0, 0, 0}, {0, 1, 0}}, {{1, 0, 0}, {1, 1, 0}}, {{0, 0, 1}, {0, 1, 1}}, {{1, 0, 1}, {1, 1, 1}},
        {{0, 0, 0}, {0, 0, 1}}, {{1, 0, 0}, {1, 0, 1}}, {{0, 1, 0}, {0, 1, 1}}, {{1, 1, 0}, {1, 1, 1}},
    };
    Vector3d sum;
    int count = 0;
    for (const auto& edge : edges) {
        const auto& p = edge[0];
        const auto& q = edge[1];
        const double f0 = samples(i + p[0], j + p[1], k + p[2]);
        const double f1 = samples(i + q[0], j + q[1], k + q[2]);
        if (inside(f0) == inside(f1))
            continue;
        const double t = f0 / (f0 - f1);
        const Vector3d a = samples.position(i + p[0], j + p[1], k + p[2]);
        const Vector3d b = samples.position(i + q[0], j + q[1], k + q[2]);
        sum = sum + (a + (b - a) * t);
        ++count;
    }
    Vector3d v = sum * (1.0 / count);
    // Kept a hair inside the cell, so vertices of neighbouring cells never
    // coincide and no triangle collapses to zero area.
    const Vector3d inset = Vector3d{1, 1, 1} * (grid.spacing * 0.02);
    const Vector3d low = samples.position(i, j, k) + inset;
    const Vector3d high = samples.position(i + 1, j + 1, k + 1) - inset;
    v = towardSurface(field, v);
    return {std::clamp(v.x, low.x, high.x), std::clamp(v.y, low.y, high.y), std::clamp(v.z, low.z, high.z)};
}

double triangleQuality(const TriangleMesh& mesh, int a, int b, int c)
{
    const Vector3d n = (mesh.positions[b] - mesh.positions[a]).cross(mesh.positions[c] - mesh.positions[a]);
    const double l = length(n);
    if (!(l > 0))
        return -2;
    const Vector3d unit = n * (1 / l);
    return std::min({unit.dot(mesh.normals[a]), unit.dot(mesh.normals[b]), unit.dot(mesh.normals[c])});
}

// Splits the quad a-b-c-d along the diagonal whose two triangles agree
// better with the vertex normals; a tie takes the shorter diagonal.
void addQuad(TriangleMesh& mesh, int a, int b, int c, int d)
{
    const double acQuality = std::min(triangleQuality(mesh, a, b, c), triangleQuality(mesh, a, c, d));
    const double bdQuality = std::min(triangleQuality(mesh, a, b, d), triangleQuality(mesh, b, c, d));
    bool splitAc = acQuality > bdQuality;
    if (acQuality == bdQuality)
        splitAc =
            length(mesh.positions[c] - mesh.positions[a]) <= length(mesh.positions[d] - mesh.positions[b]);
    if (splitAc) {
        mesh.triangles.push_back({a, b, c});
        mesh.triangles.push_back({a, c, d});
    } else {
        mesh.triangles.push_back({a, b, d});
        mesh.triangles.push_back({b, c, d});
    }
}

} // namespace

Vector3d fieldNormal(DistanceFunction field, const Vector3d& p)
{
    return normalize(gradient(field, p));
}

TriangleMesh meshSurface(DistanceFunction field, const SampleGrid& grid)
{
    Samples samples(grid);
    sample(field, grid, samples);
    resolveAmbiguousFaces(grid, samples);

    TriangleMesh mesh;
    std::vector<int> cellVertexIndex(samples.size(), -1);
    for (int k = 0; k + 1 < grid.points[2]; ++k)
        for (int j = 0; j + 1 < grid.points[1]; ++j)
            for (int i = 0; i + 1 < grid.points[0]; ++i) {
                const bool first = inside(samples(i, j, k));
                bool crossed = false;
                for (int corner = 1; corner < 8 && !crossed; ++corner)
                    crossed = inside(samples(i + (corner & 1), j + ((corner >> 1) & 1), k + (corner >> 2)))
                           != first;
                if (!crossed)
                    continue;
                cellVertexIndex[samples.index(i, j, k)] = static_cast<int>(mesh.positions.size());
                const Vector3d v = cellVertex(field, grid, samples, i, j, k);
                mesh.positions.push_back(v);
                mesh.normals.push_back(fieldNormal(field, v));
            }

    // Every crossed edge away from the grid's border has four cells around
    // it; going round them counter-clockwise seen from the edge's outside end
    // gives an outward quad.
    for (int axis = 0; axis < 3; ++axis) {
        const auto& a = axisUnit[axis];
        const auto& b = axisUnit[(axis + 1) % 3];
        const auto& c = axisUnit[(axis + 2) % 3];
        for (int k = 1; k + 1 < grid.points[2]; ++k)
            for (int j = 1; j + 1 < grid.points[1]; ++j)
                for (int i = 1; i + 1 < grid.points[0]; ++i) {
                    const bool startInside = inside(samples(i, j, k));
                    if (startInside == inside(samples(i + a[0], j + a[1], k + a[2])))
                        continue;
                    const auto cell = [&](int db, int dc) {
                        return cellVertexIndex[samples.index(
                            i + db * b[0] + dc * c[0], j + db * b[1] + dc * c[1], k + db * b[2] + dc * c[2])];
                    };
                    const int q0 = cell(-1, -1), q1 = cell(0, -1), q2 = cell(0, 0), q3 = cell(-1, 0);
                    if (startInside)
                        addQuad(mesh, q0, q1, q2, q3);
                    else
                        addQuad(mesh, q0, q3, q2, q1);
                }
    }
    return mesh;
}

void relaxAlongSurface(TriangleMesh& mesh, DistanceFunction field, int rounds)
{
    std::vector<std::vector<int>> neighbours(mesh.positions.size());
    for (const auto& triangle : mesh.triangles)
        for (int corner = 0; corner < 3; ++corner) {
            neighbours[triangle[corner]].push_back(triangle[(corner + 1) % 3]);
            neighbours[triangle[corner]].push_back(triangle[(corner + 2) % 3]);
        }
    for (auto& list : neighbours) {
        std::sort(list.begin(), list.end());
        list.erase(std::unique(list.begin(), list.end()), list.end());
    }
    for (int round = 0; round < rounds; ++round) {
        // All vertices move from the previous round's positions, so the
        // result does not depend on the order they are visited in.
        std::vector<Vector3d> moved(mesh.positions.size());
        for (std::size_t v = 0; v < mesh.positions.size(); ++v) {
            Vector3d mean;
            for (const int w : neighbours[v])
                mean = mean + mesh.positions[w];
            moved[v] = towardSurface(field, mean * (1.0 / static_cast<double>(neighbours[v].size())));
        }
        mesh.positions = std::move(moved);
    }
    for (std::size_t v = 0; v < mesh.positions.size(); ++v)
        mesh.normals[v] = fieldNormal(field, mesh.positions[v]);
}

} // namespace Quorvane
