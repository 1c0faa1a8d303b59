#include "render/Wireframe.h"

#include "math/Truncation.h"
#include "render/FaceCorners.h"
#include "render/RenderContext.h"
#include "render/Shaders.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

namespace Quorvane {

namespace {

constexpr std::int64_t longestSteppedLine = std::int64_t(1) << 20;

// The line algorithm on truncated ends. 64-bit positions keep the differences
// of far-apart ends exact; the running value is float as in every other line.
void stepLine(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1,
              std::uint32_t value, FrameSurface& surface)
{
    const bool steep = std::llabs(x0 - x1) < std::llabs(y0 - y1);
    if (steep) {
        std::swap(x0, y0);
        std::swap(x1, y1);
    }
    if (x0 > x1) {
        std::swap(x0, x1);
        std::swap(y0, y1);
    }
    // The step axis only grows, so a line that ends left of the surface or
    // starts right of it has no visible pixel.
    if (x1 < 0 || x0 >= FrameSurface::width)
        return;
    const float slope = static_cast<float>(y1 - y0) / static_cast<float>(x1 - x0);
    float y = static_cast<float>(y0);
    const std::int64_t last = std::min<std::int64_t>(x1, FrameSurface::width - 1);
    for (std::int64_t x = x0; x <= last; ++x) {
        // Truncation toward zero puts (-1, 0) in row 0 too; anything outside
        // (-1, 500) is off the surface and is never converted.
        if (x >= 0 && y > -1.0f && y < 500.0f) {
            const int minor = static_cast<int>(y);
            if (steep)
                surface.setPixel(minor, static_cast<int>(x), value);
            else
                surface.setPixel(static_cast<int>(x), minor, value);
        }
        y = y + slope;
    }
}

// Liang-Barsky in double against the surface, widened by half a pixel so that
// truncation still lands inside. The line is parametrised from its point
// nearest the surface centre: ends as far out as 1e30 would otherwise swamp
// the surface's small coordinates. False when the line misses the surface.
bool clipToSurface(double& x0, double& y0, double& x1, double& y1)
{
    constexpr double low = 0.0;
    constexpr double high = 499.5;
    constexpr double centre = 250.0;
    const double length = std::hypot(x1 - x0, y1 - y0);
    if (!(length > 0.0))
        return false;   // one point, and far outside: only long lines get here
    const double ux = (x1 - x0) / length;
    const double uy = (y1 - y0) / length;
    const double nearest = (centre - x0) * ux + (centre - y0) * uy;
    const double cx = x0 + nearest * ux;
    const double cy = y0 + nearest * uy;
    double t0 = -nearest;
    double t1 = length - nearest;
    const auto clipEdge = [&](double p, double q) {   // keeps the t with p * t <= q
        if (p == 0.0)
            return q >= 0.0;
        const double r = q / p;
        if (p < 0.0) {
            if (r > t1)
                return false;
            t0 = std::max(t0, r);
        } else {
            if (r < t0)
                return false;
            t1 = std::min(t1, r);
        }
        return true;
    };
    if (!(clipEdge(-ux, cx - low) && clipEdge(ux, high - cx) && clipEdge(-uy, cy - low)
          && clipEdge(uy, high - cy)))
        return false;
    x0 = std::clamp(cx + t0 * ux, low, high);
    y0 = std::clamp(cy + t0 * uy, low, high);
    x1 = std::clamp(cx + t1 * ux, low, high);
    y1 = std::clamp(cy + t1 * uy, low, high);
    return true;
}

} // namespace

void drawLine(Vector2 p0, Vector2 p1, Color color, FrameSurface& surface)
{
    const std::uint32_t value = toPixel(color);
    if (truncatesToInt(p0.x) && truncatesToInt(p0.y) && truncatesToInt(p1.x) && truncatesToInt(p1.y)) {
        const std::int64_t x0 = static_cast<int>(p0.x), y0 = static_cast<int>(p0.y);
        const std::int64_t x1 = static_cast<int>(p1.x), y1 = static_cast<int>(p1.y);
        if (std::max(std::llabs(x0 - x1), std::llabs(y0 - y1)) <= longestSteppedLine) {
            stepLine(x0, y0, x1, y1, value, surface);
            return;
        }
    }
    if (!(std::isfinite(p0.x) && std::isfinite(p0.y) && std::isfinite(p1.x) && std::isfinite(p1.y)))
        return;
    double x0 = p0.x, y0 = p0.y, x1 = p1.x, y1 = p1.y;
    if (!clipToSurface(x0, y0, x1, y1))
        return;
    stepLine(static_cast<std::int64_t>(x0), static_cast<std::int64_t>(y0),
             static_cast<std::int64_t>(x1), static_cast<std::int64_t>(y1), value, surface);
}

void drawWireframe(const Mesh& mesh, Color color, FrameSurface& surface)
{
    for (const Vector3& entry : mesh.faceVertexIndices) {
        int corners[3];
        if (!faceCorners(entry, mesh.vertices.size(), corners))
            continue;
        // transformVertex is a pure function, so each corner is placed once
        // and shared by its two edges.
        Vector3 screen[3];
        for (int j = 0; j < 3; ++j)
            screen[j] = flatShader.shadeVertex(mesh.vertices[static_cast<std::size_t>(corners[j])],
                                               renderContext);
        for (int j = 0; j < 3; ++j) {
            const Vector3& e0 = screen[j];
            const Vector3& e1 = screen[(j + 1) % 3];
            drawLine(Vector2(e0.x, e0.y), Vector2(e1.x, e1.y), color, surface);
        }
    }
}

} // namespace Quorvane
