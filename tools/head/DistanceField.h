#pragma once

// Building blocks of signed distance fields in double precision: negative
// inside, positive outside. Only +, -, *, / and sqrt are used, which IEEE
// rounds exactly, so a field gives the same bits on every build and platform.

namespace Quorvane {

struct Vector3d {
    double x = 0, y = 0, z = 0;

    Vector3d() = default;
    Vector3d(double x, double y, double z) : x(x), y(y), z(z) {}

    Vector3d operator+(const Vector3d& b) const { return {x + b.x, y + b.y, z + b.z}; }
    Vector3d operator-(const Vector3d& b) const { return {x - b.x, y - b.y, z - b.z}; }
    Vector3d operator*(double s) const { return {x * s, y * s, z * s}; }
    double dot(const Vector3d& b) const { return (x * b.x + y * b.y) + z * b.z; }
    Vector3d cross(const Vector3d& b) const
    {
        return {y * b.z - z * b.y, z * b.x - x * b.z, x * b.y - y * b.x};
    }
};

double length(const Vector3d& v);
Vector3d normalize(const Vector3d& v); // the zero vector gives NaN

// A frame of three orthonormal axes, for primitives that are turned. Built
// from a first axis and a hint for the second, both of any length.
struct Frame {
    Vector3d u{1, 0, 0}, v{0, 1, 0}, w{0, 0, 1};
};
Frame makeFrame(const Vector3d& first, const Vector3d& secondHint);
// p expressed in the frame's axes.
Vector3d toFrame(const Frame& frame, const Vector3d& p);

// Approximate distance to an axis-aligned ellipsoid: exact on the surface and
// close to it, which is all a mesher needs.
double ellipsoid(const Vector3d& p, const Vector3d& centre, const Vector3d& radii);
// Same, for an ellipsoid whose radii lie along the axes of frame.
double ellipsoid(const Vector3d& p, const Vector3d& centre, const Frame& frame, const Vector3d& radii);
// Exact distance to the segment a-b thickened to radius.
double capsule(const Vector3d& p, const Vector3d& a, const Vector3d& b, double radius);
// A capsule whose radius runs linearly from radiusA at a to radiusB at b
// (a good approximation while the radii differ little against the length).
double taperedCapsule(const Vector3d& p, const Vector3d& a, const Vector3d& b, double radiusA,
                      double radiusB);

// Union, subtraction and intersection with a rounded seam of width about k
// (polynomial blend: no exp or log, so exact on every platform).
double smoothUnion(double a, double b, double k);
double smoothSubtraction(double a, double b, double k); // a with b carved out
double smoothIntersection(double a, double b, double k);

} // namespace Quorvane
