#include "math/Geometry.h"

#include <cmath>

namespace Quorvane {

float tangent(float angle)
{
    return std::tan(angle);
}

Matrix4 perspective(float fov, float aspect, float nearPlane, float farPlane)
{
    const float t = tangent(fov * 0.5f);
    const float s = 1 / t;
    const float sx = s / aspect;
    const float inv = 1 / (nearPlane - farPlane);
    const float depthScale = (nearPlane + farPlane) * inv;
    const float depthOffset = ((2 * nearPlane) * farPlane) * inv;
    // clang-format off
    return {sx, 0, 0, 0,
            0, s, 0, 0,
            0, 0, depthScale, -1,
            0, 0, depthOffset, 0};
    // clang-format on
}

Matrix4 rigidInverse(const Matrix4& m)
{
    const Vector3 t(m.rows[0].w, m.rows[1].w, m.rows[2].w);
    Matrix4 result;
    for (int i = 0; i < 3; ++i)
        result.rows[i] = {m.rows[i].x, m.rows[i].y, m.rows[i].z, 0};
    for (int j = 0; j < 3; ++j)
        result.rows[3][j] = ((-(t.x * m.rows[0][j])) - t.y * m.rows[1][j]) - t.z * m.rows[2][j];
    result.rows[3].w = 1;
    return result;
}

Matrix4 viewMatrix(const Quaternion& rotation, const Vector3& position)
{
    return rigidInverse(Matrix4(rotation, position));
}

float cosAngle(const Vector3& a, const Vector3& b)
{
    const float d = a.dot(b);
    return d / (length(a) * length(b));
}

bool insideTriangle(Vector2 p, Vector2 a, Vector2 b, Vector2 c)
{
    const Vector2 PA = a - p;
    const Vector2 PB = b - p;
    const Vector2 PC = c - p;
    const float c1 = cross(PA, PB);
    const float c2 = cross(PB, PC);
    const float c3 = cross(PC, PA);
    // All three pairs: with only two, a zero c2 would accept every point on the
    // line through b and c, far beyond the triangle's edge.
    return c1 * c2 >= 0.0f && c2 * c3 >= 0.0f && c3 * c1 >= 0.0f;
}

Vector3 triangleNormal(const Vector3& a, const Vector3& b, const Vector3& c)
{
    const Vector3 vec0 = a - b;
    const Vector3 vec1 = a - c;
    const Vector3 cross = vec0.cross(vec1);
    return normalize(cross);
}

Vector3 reflect(const Vector3& v, const Vector3& n)
{
    const Vector3 unitNormal = normalize(n);
    const float d = v.dot(unitNormal);
    const Vector3 projectOnNormal = unitNormal * d;
    const Vector3 outcome = v - projectOnNormal * 2;
    return outcome;
}

double power(float base, int exponent)
{
    return std::pow(static_cast<double>(base), static_cast<double>(exponent));
}

} // namespace Quorvane
