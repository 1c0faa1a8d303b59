#include "render/CoveredDepth.h"

#include <cmath>

namespace Quorvane {

namespace {

// A convex polygon of at most the triangle's three corners and one more for
// each side of a box it is cut by.
struct Polygon {
    double x[7] = {}, y[7] = {};
    int corners = 0;
};

// The part of polygon where coordinate (x when alongX, else y) times sign is
// at most limit times sign: the corners on that side, and where an edge
// crosses the line, the crossing.
Polygon cutBy(const Polygon& polygon, bool alongX, double limit, double sign)
{
    Polygon kept;
    const auto inside = [&](int i) { return ((alongX ? polygon.x[i] : polygon.y[i]) - limit) * sign <= 0; };
    for (int i = 0; i < polygon.corners; ++i) {
        const int next = (i + 1) % polygon.corners;
        if (inside(i)) {
            kept.x[kept.corners] = polygon.x[i];
            kept.y[kept.corners] = polygon.y[i];
            ++kept.corners;
        }
        if (inside(i) != inside(next)) {
            const double from = alongX ? polygon.x[i] : polygon.y[i];
            const double to = alongX ? polygon.x[next] : polygon.y[next];
            const double t = (limit - from) / (to - from);
            kept.x[kept.corners] = polygon.x[i] + t * (polygon.x[next] - polygon.x[i]);
            kept.y[kept.corners] = polygon.y[i] + t * (polygon.y[next] - polygon.y[i]);
            ++kept.corners;
        }
    }
    return kept;
}

} // namespace

bool centroidInBox(const FaceEdges& face, const PixelBox& box, double& x, double& y)
{
    Polygon polygon;
    polygon.x[0] = face.a.x, polygon.y[0] = face.a.y;
    polygon.x[1] = face.b.x, polygon.y[1] = face.b.y;
    polygon.x[2] = face.c.x, polygon.y[2] = face.c.y;
    polygon.corners = 3;
    polygon = cutBy(polygon, true, box.xmin, -1);
    polygon = cutBy(polygon, true, box.xmax, 1);
    polygon = cutBy(polygon, false, box.ymin, -1);
    polygon = cutBy(polygon, false, box.ymax, 1);
    // The shoelace sums: twice the signed area, and the moments that divided
    // by three times it give the centroid, of either winding.
    double twiceArea = 0, momentX = 0, momentY = 0;
    for (int i = 0; i < polygon.corners; ++i) {
        const int next = (i + 1) % polygon.corners;
        const double cross = polygon.x[i] * polygon.y[next] - polygon.x[next] * polygon.y[i];
        twiceArea += cross;
        momentX += (polygon.x[i] + polygon.x[next]) * cross;
        momentY += (polygon.y[i] + polygon.y[next]) * cross;
    }
    if (!(twiceArea != 0 && std::isfinite(momentX) && std::isfinite(momentY)))
        return false;
    x = momentX / (3 * twiceArea);
    y = momentY / (3 * twiceArea);
    return std::isfinite(x) && std::isfinite(y);
}

float meanCoveredDepth(const FaceEdges& face, const FaceBounds& bounds, const PixelBox& box)
{
    double x = 0, y = 0;
    if (!centroidInBox(face, box, x, y)) {
        x = (box.xmin + box.xmax) / 2.0;
        y = (box.ymin + box.ymax) / 2.0;
    }
    return static_cast<float>(bounds.depthAtOrigin + bounds.depthPerColumn * x + bounds.depthPerRow * y);
}

} // namespace Quorvane
