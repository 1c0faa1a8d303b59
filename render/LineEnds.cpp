#include "render/LineEnds.h"

#include <algorithm>
#include <cmath>

namespace Quorvane {

namespace {

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
        return false; // one point, and far outside: only long lines get here
    const double ux = (x1 - x0) / length;
    const double uy = (y1 - y0) / length;
    const double nearest = (centre - x0) * ux + (centre - y0) * uy;
    const double cx = x0 + nearest * ux;
    const double cy = y0 + nearest * uy;
    double t0 = -nearest;
    double t1 = length - nearest;
    const auto clipEdge = [&](double p, double q) { // keeps the t with p * t <= q
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

bool clippedLineEnds(Vector2 p0, Vector2 p1, LineEnds& ends)
{
    if (!(std::isfinite(p0.x) && std::isfinite(p0.y) && std::isfinite(p1.x) && std::isfinite(p1.y)))
        return false;
    double x0 = p0.x, y0 = p0.y, x1 = p1.x, y1 = p1.y;
    if (!clipToSurface(x0, y0, x1, y1))
        return false;
    ends = {static_cast<std::int64_t>(x0), static_cast<std::int64_t>(y0), static_cast<std::int64_t>(x1),
            static_cast<std::int64_t>(y1)};
    return true;
}

} // namespace Quorvane
