#include "math/Matrix.h"

namespace Quorvane {

// clang-format off
Matrix4::Matrix4(float m00, float m01, float m02, float m03,
                 float m10, float m11, float m12, float m13,
                 float m20, float m21, float m22, float m23,
                 float m30, float m31, float m32, float m33)
    // clang-format on
    : rows{{m00, m01, m02, m03}, {m10, m11, m12, m13}, {m20, m21, m22, m23}, {m30, m31, m32, m33}}
{
}

Matrix4::Matrix4(const Quaternion& q, const Vector3& t)
{
    const float x2 = q.x + q.x;
    const float y2 = q.y + q.y;
    const float z2 = q.z + q.z;
    const float xx = q.x * x2;
    const float xy = x2 * q.y;
    const float xz = x2 * q.z;
    const float xw = x2 * q.w;
    const float yy = y2 * q.y;
    const float yz = y2 * q.z;
    const float yw = y2 * q.w;
    const float zz = z2 * q.z;
    const float zw = z2 * q.w;

    rows[0] = {(1 - yy) - zz, xy - zw, xz + yw, t.x};
    rows[1] = {xy + zw, (1 - xx) - zz, yz - xw, t.y};
    rows[2] = {xz - yw, yz + xw, (1 - xx) - yy, t.z};
    rows[3] = {0, 0, 0, 1};
}

Vector4 Matrix4::transform(const Vector4& v) const
{
    Vector4 result;
    for (int j = 0; j < 4; ++j) {
        float s = v.x * rows[0][j];
        s = s + v.y * rows[1][j];
        s = s + v.z * rows[2][j];
        result[j] = s + v.w * rows[3][j];
    }
    return result;
}

} // namespace Quorvane
