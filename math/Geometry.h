#pragma once

#include "math/Matrix.h"
#include "math/Vector.h"

// The geometry of the pipeline: camera matrices, per-pixel triangle geometry and
// the lighting helpers. Single precision in the order written, except power.

namespace Quorvane {

// The single-precision tangent.
float tangent(float angle);

// Projection for a vertical field of view in radians; maps camera-space
// z = -nearPlane to depth -1 and z = -farPlane to +1, with w = -z.
// (Not near and far: <windows.h> defines both as macros.)
Matrix4 perspective(float fov, float aspect, float nearPlane, float farPlane);

// Reads a rotation block in rows 0..2 and a translation in column 3 and returns
// the inverse motion in the pipeline's row-3-translation layout.
Matrix4 rigidInverse(const Matrix4& m);

// The inverse of the camera's placement: the world as the eye sees it.
Matrix4 viewMatrix(const Quaternion& rotation, const Vector3& position);

// dot(a, b) / (length(a) * length(b)); neither vector needs unit length.
float cosAngle(const Vector3& a, const Vector3& b);

// Weights of a, b and c for p, from x and y alone (no perspective correction).
// Inline, like interpolateDepth, because the rasteriser calls both for every
// covered pixel and the compiler can then compute the parts that depend only
// on the corners once per face, with the same float operations.
inline Vector3 barycentric(const Vector3& a, const Vector3& b, const Vector3& c, const Vector2& p)
{
    const float u = ((p.y - a.y) * (c.x - a.x) - (p.x - a.x) * (c.y - a.y))
                  / ((b.y - a.y) * (c.x - a.x) - (b.x - a.x) * (c.y - a.y));
    const float v = ((p.y - a.y) * (b.x - a.x) - (p.x - a.x) * (b.y - a.y))
                  / ((c.y - a.y) * (b.x - a.x) - (c.x - a.x) * (b.y - a.y));
    return {(1 - u) - v, u, v};
}

// True when p lies inside the triangle a, b, c or on its edges, for either
// winding: the three 2D cross products of the corners seen from p agree in sign
// (a zero agrees with everything). NaN is never inside.
bool insideTriangle(Vector2 p, Vector2 a, Vector2 b, Vector2 c);

// (a.z * w.x + b.z * w.y) + c.z * w.z.
inline float interpolateDepth(const Vector3& a, const Vector3& b, const Vector3& c, const Vector3& weights)
{
    return (a.z * weights.x + b.z * weights.y) + c.z * weights.z;
}

// Unit normal of the side from which a, b, c run counter-clockwise.
Vector3 triangleNormal(const Vector3& a, const Vector3& b, const Vector3& c);

// v mirrored at the plane through the origin orthogonal to n (any length).
Vector3 reflect(const Vector3& v, const Vector3& n);

// base to the power exponent, computed in double precision.
double power(float base, int exponent);

} // namespace Quorvane
