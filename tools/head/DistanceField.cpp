#include "tools/head/DistanceField.h"

#include <algorithm>
#include <cmath>

namespace Quorvane {

double length(const Vector3d& v)
{
    return std::sqrt(v.dot(v));
}

Vector3d normalize(const Vector3d& v)
{
    const double l = length(v);
    return {v.x / l, v.y / l, v.z / l};
}

Frame makeFrame(const Vector3d& first, const Vector3d& secondHint)
{
    Frame frame;
    frame.u = normalize(first);
    frame.w = normalize(frame.u.cross(secondHint));
    frame.v = frame.w.cross(frame.u);
    return frame;
}

Vector3d toFrame(const Frame& frame, const Vector3d& p)
{
    return {frame.u.dot(p), frame.v.dot(p), frame.w.dot(p)};
}

double ellipsoid(const Vector3d& p, const Vector3d& centre, const Vector3d& radii)
{
    const Vector3d q = p - centre;
    const Vector3d scaled{q.x / radii.x, q.y / radii.y, q.z / radii.z};
    const Vector3d scaledTwice{scaled.x / radii.x, scaled.y / radii.y, scaled.z / radii.z};
    const double k0 = length(scaled);
    const double k1 = length(scaledTwice);
    // At the centre both lengths are 0; any point there is deep inside.
    if (k1 == 0)
        return -std::min(radii.x, std::min(radii.y, radii.z));
    return k0 * (k0 - 1) / k1;
}

double ellipsoid(const Vector3d& p, const Vector3d& centre, const Frame& frame, const Vector3d& radii)
{
    return ellipsoid(toFrame(frame, p - centre), Vector3d{}, radii);
}

double capsule(const Vector3d& p, const Vector3d& a, const Vector3d& b, double radius)
{
    const Vector3d pa = p - a;
    const Vector3d ba = b - a;
    const double h = std::clamp(pa.dot(ba) / ba.dot(ba), 0.0, 1.0);
    return length(pa - ba * h) - radius;
}

double taperedCapsule(const Vector3d& p, const Vector3d& a, const Vector3d& b, double radiusA, double radiusB)
{
    const Vector3d pa = p - a;
    const Vector3d ba = b - a;
    const double h = std::clamp(pa.dot(ba) / ba.dot(ba), 0.0, 1.0);
    return length(pa - ba * h) - (radiusA + (radiusB - radiusA) * h);
}

double smoothUnion(double a, double b, double k)
{
    const double h = std::max(k - std::abs(a - b), 0.0) / k;
    return std::min(a, b) - h * h * k * 0.25;
}

double smoothSubtraction(double a, double b, double k)
{
    return -smoothUnion(-a, b, k);
}

double smoothIntersection(double a, double b, double k)
{
    return -smoothUnion(-a, -b, k);
}

} // namespace Quorvane
