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

Matrix4::Matrix4(const Quaternion& rotation, const Vector3& translation)
{
    const float x2 = rotation.x + rotation.x;
    const float y2 = rotation.y + rotation.y;
    const float z2 = rotation.z + rotation.z;
    const float xx = rotation.x * x2;
    const float xy = x2 * rotation.y;
    const float xz = x2 * rotation.z;
    const float xw = x2 * rotation.w;
    const float yy = y2 * rotation.y;
    const float yz = y2 * rotation.z;
    const float yw = y2 * rotation.w;
    const float zz = z2 * rotation.z;
    const float zw = z2 * rotation.w;

    rows[0] = {(1 - yy) - zz, xy - zw, xz + yw, translation.x};
    rows[1] = {xy + zw, (1 - xx) - zz, yz - xw, translation.y};
    rows[2] = {xz - yw, yz + xw, (1 - xx) - yy, translation.z};
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
