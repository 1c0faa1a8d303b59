#include "tools/head/Decimation.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <iterator>
#include <queue>
#include <tuple>
#include <vector>

namespace Quorvane {

namespace {

// A symmetric 4x4 matrix in its ten distinct entries: the sum of squared
// distances to a set of planes, as a function of the point.
struct Quadric {
    std::array<double, 10> q{};

    void addPlane(const Vector3d& n, double d, double weight)
    {
        const double a = n.x, b = n.y, c = n.z;
        const std::array<double, 10> terms{a * a, a * b, a * c, a * d, b * b,
                                           b * c, b * d, c * c, c * d, d * d};
        for (std::size_t i = 0; i < q.size(); ++i)
            q[i] += terms[i] * weight;
    }
    Quadric operator+(const Quadric& other) const
    {
        Quadric sum;
        for (std::size_t i = 0; i < q.size(); ++i)
            sum.q[i] = q[i] + other.q[i];
        return sum;
    }
    double error(const Vector3d& p) const
    {
        const double x = p.x, y = p.y, z = p.z;
        return ((((((((q[0] * x * x + 2 * q[1] * x * y) + 2 * q[2] * x * z) + 2 * q[3] * x) + q[4] * y * y)
                   + 2 * q[5] * y * z)
                  + 2 * q[6] * y)
                 + q[7] * z * z)
                + 2 * q[8] * z)
             + q[9];
    }
};

using Triangle = std::array<int, 3>;

Vector3d faceCross(const std::vector<Vector3d>& positions, const Triangle& t)
{
    const Vector3d& a = positions[t[0]];
    return (a - positions[t[1]]).cross(a - positions[t[2]]);
}

Vector3d projectOnto(DistanceFunction field, Vector3d p)
{
    for (int step = 0; step < 2; ++step) {
        const Vector3d n = fieldNormal(field, p);
        if (!(n.dot(n) > 0))
            break;
        p = p - n * field(p);
    }
    return p;
}

class Decimator {
public:
    Decimator(TriangleMesh& mesh, DistanceFunction field) : mesh_(mesh), field_(field)
    {
        alive_.assign(mesh.triangles.size(), true);
        facesOf_.resize(mesh.positions.size());
        version_.assign(mesh.positions.size(), 0);
        quadrics_.resize(mesh.positions.size());
        for (std::size_t f = 0; f < mesh.triangles.size(); ++f) {
            const Triangle& t = mesh.triangles[f];
            const Vector3d c = faceCross(mesh.positions, t);
            const double area2 = length(c);
            if (area2 > 0) {
                const Vector3d n = c * (1 / area2);
                for (const int v : t)
                    quadrics_[v].addPlane(n, -n.dot(mesh.positions[t[0]]), area2);
            }
            for (const int v : t)
                facesOf_[v].push_back(static_cast<int>(f));
        }
        // Each edge runs forward in one face and backward in the other:
        // queue it from the face where it runs upward.
        for (const Triangle& t : mesh.triangles)
            for (int i = 0; i < 3; ++i)
                if (t[i] < t[(i + 1) % 3])
                    pushEdge(t[i], t[(i + 1) % 3]);
        liveTriangles_ = mesh.triangles.size();
    }

    void run(std::size_t target)
    {
        while (liveTriangles_ > target && !queue_.empty()) {
            const auto [cost, a, b, versionA, versionB] = queue_.top();
            queue_.pop();
            if (versionA != version_[a] || versionB != version_[b])
                continue;
            collapse(a, b);
        }
        compact();
    }

private:
    // Lowest cost first; equal costs by vertex numbers, so the order, and
    // with it the output, never depends on the queue's implementation.
    using Entry = std::tuple<double, int, int, int, int>;

    void pushEdge(int a, int b)
    {
        if (a > b)
            std::swap(a, b);
        // Priced at the plain midpoint: moving it onto the surface first
        // would cost field evaluations for every edge ever queued.
        const Vector3d target = (mesh_.positions[a] + mesh_.positions[b]) * 0.5;
        const double cost = (quadrics_[a] + quadrics_[b]).error(target);
        queue_.push({cost, a, b, version_[a], version_[b]});
    }

    std::vector<int> neighbours(int v) const
    {
        std::vector<int> result;
        for (const int f : facesOf_[v])
            for (const int w : mesh_.triangles[f])
                if (w != v)
                    result.push_back(w);
        std::sort(result.begin(), result.end());
        result.erase(std::unique(result.begin(), result.end()), result.end());
        return result;
    }

    // Would the faces around a and b, with both moved to p, still be sound?
    bool acceptable(int a, int b, const Vector3d& p, const Vector3d& normal) const
    {
        for (const int v : {a, b})
            for (const int f : facesOf_[v]) {
                Triangle t = mesh_.triangles[f];
                const bool hasA = std::find(t.begin(), t.end(), a) != t.end();
                const bool hasB = std::find(t.begin(), t.end(), b) != t.end();
                if (hasA && hasB)
                    continue; // removed by the collapse
                const Vector3d before = faceCross(mesh_.positions, t);
                for (int& w : t)
                    if (w == v)
                        w = -1;
                Vector3d corners[3];
                for (int i = 0; i < 3; ++i)
                    corners[i] = t[i] < 0 ? p : mesh_.positions[t[i]];
                const Vector3d after = (corners[0] - corners[1]).cross(corners[0] - corners[2]);
                const double afterLength = length(after);
                if (!(afterLength > 0))
                    return false;
                // A face may turn by at most about 45 degrees in one collapse.
                const Vector3d unit = after * (1 / afterLength);
                if (unit.dot(before * (1 / length(before))) < 0.7)
                    return false;
                // Sliver faces shade badly: keep every face reasonably shaped.
                const double edges = (corners[0] - corners[1]).dot(corners[0] - corners[1])
                                   + (corners[1] - corners[2]).dot(corners[1] - corners[2])
                                   + (corners[2] - corners[0]).dot(corners[2] - corners[0]);
                if (2 * std::sqrt(3.0) * afterLength / edges < 0.2)
                    return false;
                // Within about 72 degrees of each vertex normal, so smooth
                // shading still agrees with the face.
                for (int i = 0; i < 3; ++i) {
                    const Vector3d& n = t[i] < 0 ? normal : mesh_.normals[t[i]];
                    if (unit.dot(n) < 0.3)
                        return false;
                }
            }
        return true;
    }

    void collapse(int a, int b)
    {
        // Link condition: a and b may share only the two vertices opposite
        // their edge, or the surface would pinch.
        const std::vector<int> na = neighbours(a), nb = neighbours(b);
        std::vector<int> common;
        std::set_intersection(na.begin(), na.end(), nb.begin(), nb.end(), std::back_inserter(common));
        if (common.size() != 2)
            return;
        const Vector3d p = projectOnto(field_, (mesh_.positions[a] + mesh_.positions[b]) * 0.5);
        const Vector3d normal = fieldNormal(field_, p);
        if (!acceptable(a, b, p, normal))
            return;

        mesh_.positions[a] = p;
        mesh_.normals[a] = normal;
        quadrics_[a] = quadrics_[a] + quadrics_[b];
        std::vector<int> faces;
        for (const int f : facesOf_[a])
            if (alive_[f])
                faces.push_back(f);
        for (const int f : facesOf_[b]) {
            Triangle& t = mesh_.triangles[f];
            if (std::find(t.begin(), t.end(), a) != t.end()) {
                alive_[f] = false;
                --liveTriangles_;
                continue;
            }
            for (int& w : t)
                if (w == b)
                    w = a;
            faces.push_back(f);
        }
        std::vector<int> kept;
        for (const int f : faces)
            if (alive_[f])
                kept.push_back(f);
        std::sort(kept.begin(), kept.end());
        facesOf_[a] = kept;
        facesOf_[b].clear();
        for (const int c : common)
            facesOf_[c].erase(
                std::remove_if(facesOf_[c].begin(), facesOf_[c].end(), [this](int f) { return !alive_[f]; }),
                facesOf_[c].end());
        // Only the edges at a change cost; those at b are gone.
        ++version_[a];
        ++version_[b];
        for (const int w : neighbours(a))
            pushEdge(a, w);
    }

    void compact()
    {
        std::vector<int> newIndex(mesh_.positions.size(), -1);
        TriangleMesh result;
        for (std::size_t f = 0; f < mesh_.triangles.size(); ++f) {
            if (!alive_[f])
                continue;
            Triangle t = mesh_.triangles[f];
            for (int& v : t) {
                if (newIndex[v] < 0) {
                    newIndex[v] = static_cast<int>(result.positions.size());
                    result.positions.push_back(mesh_.positions[v]);
                    result.normals.push_back(mesh_.normals[v]);
                }
                v = newIndex[v];
            }
            result.triangles.push_back(t);
        }
        mesh_ = std::move(result);
    }

    TriangleMesh& mesh_;
    DistanceFunction field_;
    std::vector<bool> alive_;
    std::vector<std::vector<int>> facesOf_;
    std::vector<int> version_;
    std::vector<Quadric> quadrics_;
    std::priority_queue<Entry, std::vector<Entry>, std::greater<Entry>> queue_;
    std::size_t liveTriangles_ = 0;
};

} // namespace

void decimate(TriangleMesh& mesh, DistanceFunction field, std::size_t targetTriangles)
{
    if (mesh.triangles.size() <= targetTriangles)
        return;
    Decimator decimator(mesh, field);
    decimator.run(targetTriangles);
}

} // namespace Quorvane
