#pragma once

#include "math/Vector.h"

namespace Quorvane {

// A rotation as (x, y, z) vector part and w scalar part. The default is the zero
// quaternion, not the identity rotation; the matrix built from it is the identity.
struct Quaternion {
    float x = 0, y = 0, z = 0, w = 0;

    Quaternion() = default;
    Quaternion(float x, float y, float z, float w) : x(x), y(y), z(z), w(w) {}

    // 0, 1 and 2 pick x, y and z; any other index picks w.
    float& operator[](int i) { return i == 0 ? x : i == 1 ? y : i == 2 ? z : w; }
};

// Four rows; element (i, j) is component j of rows[i]. A vector is combined with
// the columns (a row vector multiplied from the left), so the pipeline's
// matrices keep their translation in row 3.
struct Matrix4 {
    Vector4 rows[4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};

    Matrix4() = default;
    // clang-format off
    Matrix4(float m00, float m01, float m02, float m03,
            float m10, float m11, float m12, float m13,
            float m20, float m21, float m22, float m23,
            float m30, float m31, float m32, float m33);
    // clang-format on
    // Rotation block from the quaternion, unnormalised, and the translation in
    // column 3 of rows 0 to 2: the one layout that rigidInverse reads.
    Matrix4(const Quaternion& rotation, const Vector3& translation);

    Vector4& operator[](int i) { return rows[i]; } // i in 0..3, unchecked
    Vector4 row(int i) const { return rows[i]; }

    // Component j is ((v.x*m(0,j) + v.y*m(1,j)) + v.z*m(2,j)) + v.w*m(3,j).
    Vector4 transform(const Vector4& v) const;
    Vector4 operator*(const Vector4& v) const { return transform(v); }
};

} // namespace Quorvane
