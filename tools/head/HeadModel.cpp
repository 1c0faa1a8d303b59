#include "tools/head/HeadModel.h"

#include "tools/head/Decimation.h"
#include "tools/head/HeadShape.h"
#include "tools/head/SurfaceNets.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <initializer_list>
#include <limits>
#include <string_view>

namespace Quorvane {

namespace {

constexpr double pi = 3.14159265358979323846;

// atan(x) from arithmetic and sqrt only, so texture coordinates do not
// depend on a platform's libm: halve the angle twice (|x| <= tan(pi/16)
// for |x| <= 1), then sum the series, good to about 1e-12.
double arcTangent(double x)
{
    if (std::abs(x) > 1)
        return (x > 0 ? pi / 2 : -pi / 2) - arcTangent(1 / x);
    for (int i = 0; i < 2; ++i)
        x = x / (1 + std::sqrt(1 + x * x));
    const double x2 = x * x;
    double term = x;
    double sum = 0;
    for (int n = 1; n <= 19; n += 2) {
        sum += term / n;
        term = -term * x2;
    }
    return 4 * sum;
}

// The angle of (y, x) as std::atan2 defines it, in [-pi, pi].
double arcTangent2(double y, double x)
{
    if (x == 0 && y == 0)
        return 0;
    if (std::abs(y) <= std::abs(x)) {
        const double angle = arcTangent(y / x);
        if (x > 0)
            return angle;
        return y >= 0 ? angle + pi : angle - pi;
    }
    const double angle = arcTangent(x / y);
    return (y > 0 ? pi / 2 : -pi / 2) - angle;
}

// Fixed six decimals, always with a '.', never "-0.000000".
void appendNumber(std::string& out, double value)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6);
    std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
    if (text == "-0.000000")
        text = "0.000000";
    out += text;
}

void appendLine(std::string& out, const char* keyword, std::initializer_list<double> values)
{
    out += keyword;
    for (const double value : values) {
        out += ' ';
        appendNumber(out, value);
    }
    out += '\n';
}

} // namespace

std::string headObjText()
{
    // Sampled every 0.018 units, fine enough for lids, lips and ears, which
    // gives about 60,000 triangles; thinned to 14,000 where the head is
    // flattest, so the wireframe view stays readable. The grid spans
    // [-1, 1] in y and a little more than the head in x and z.
    SampleGrid grid;
    grid.spacing = 0.018;
    grid.origin = {-0.81, -1.008, -0.9};
    grid.points = {91, 113, 101};
    TriangleMesh mesh = meshSurface(headDistance, grid);
    relaxAlongSurface(mesh, headDistance, 2);
    decimate(mesh, headDistance, 14000);

    // Centre the bounding box on the origin.
    Vector3d low{std::numeric_limits<double>::max(), std::numeric_limits<double>::max(),
                 std::numeric_limits<double>::max()};
    Vector3d high = low * -1;
    for (const Vector3d& p : mesh.positions) {
        low = {std::min(low.x, p.x), std::min(low.y, p.y), std::min(low.z, p.z)};
        high = {std::max(high.x, p.x), std::max(high.y, p.y), std::max(high.z, p.z)};
    }
    const Vector3d centre = (low + high) * 0.5;

    std::string out;
    out += "# Human head and neck, written by quorvane-generate-head (tools/head/HeadGenerator.cpp).\n";
    out += "# " + std::to_string(mesh.positions.size()) + " vertices, "
         + std::to_string(mesh.triangles.size())
         + " triangles; counter-clockwise seen from outside, outward unit normals.\n";
    for (const Vector3d& p : mesh.positions) {
        const Vector3d q = p - centre;
        appendLine(out, "v", {q.x, q.y, q.z});
    }
    // Cylindrical mapping round the vertical axis: u from the angle, 0.5 at
    // the front of the face; v from the height.
    for (const Vector3d& p : mesh.positions) {
        const Vector3d q = p - centre;
        const double u = 0.5 + arcTangent2(q.x, q.z) / (2 * pi);
        const double v = (p.y - low.y) / (high.y - low.y);
        appendLine(out, "vt", {u, v});
    }
    for (const Vector3d& n : mesh.normals)
        appendLine(out, "vn", {n.x, n.y, n.z});
    for (const auto& triangle : mesh.triangles) {
        out += 'f';
        for (const int corner : triangle) {
            const std::string index = std::to_string(corner + 1);
            out += ' ' + index + '/' + index + '/' + index;
        }
        out += '\n';
    }
    return out;
}

} // namespace Quorvane
