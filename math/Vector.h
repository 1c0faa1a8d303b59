#pragma once

// Single-precision vectors. Every operation rounds each step to float and sums
// left to right in the order written; brackets show that order even where they
// are redundant. Nothing is guarded: a zero divisor gives the IEEE result.

namespace Quorvane {

struct Vector3;

struct Vector2 {
    float x = 0, y = 0;

    Vector2() = default;
    Vector2(float x, float y) : x(x), y(y) {}
    explicit Vector2(const Vector3& v); // drops z

    float& operator[](int i) { return i == 1 ? y : x; } // any index but 1 picks x
    Vector2 operator-(const Vector2& b) const { return {x - b.x, y - b.y}; }
    Vector2 operator/(float s) const { return {x / s, y / s}; }
};

// The z component of the 3D cross product of (a, 0) and (b, 0).
inline float cross(const Vector2& a, const Vector2& b)
{
    return a.x * b.y - b.x * a.y;
}

struct Vector3 {
    float x = 0, y = 0, z = 0;

    Vector3() = default;
    Vector3(float x, float y, float z) : x(x), y(y), z(z) {}

    // 1 and 2 pick y and z; any other index picks x. The loader relies on this:
    // a fourth face corner lands in x before the line is rejected.
    float& operator[](int i) { return i == 1 ? y : i == 2 ? z : x; }
    float operator[](int i) const { return i == 1 ? y : i == 2 ? z : x; }

    Vector3 operator*(float s) const { return {x * s, y * s, z * s}; }
    Vector3 operator+(const Vector3& b) const { return {x + b.x, y + b.y, z + b.z}; }
    Vector3 operator-(const Vector3& b) const { return {x - b.x, y - b.y, z - b.z}; }
    Vector3 operator-() const { return {-x, -y, -z}; }
    float dot(const Vector3& b) const { return (x * b.x + y * b.y) + z * b.z; }
    // a x b with this vector on the left.
    Vector3 cross(const Vector3& b) const
    {
        return {y * b.z - z * b.y, z * b.x - x * b.z, x * b.y - y * b.x};
    }
};

inline Vector2::Vector2(const Vector3& v) : x(v.x), y(v.y)
{
}

// Square root of ((x*x + y*y) + z*z), in single precision.
float length(const Vector3& v);
// Each component divided by the length (not multiplied by its reciprocal, which
// rounds differently). The zero vector gives NaN components.
Vector3 normalize(const Vector3& v);

struct Vector4 {
    float x = 0, y = 0, z = 0, w = 0;

    Vector4() = default;
    Vector4(float x, float y, float z, float w) : x(x), y(y), z(z), w(w) {}
    Vector4(const Vector3& v, float w) : x(v.x), y(v.y), z(v.z), w(w) {}

    // 0, 1 and 2 pick x, y and z; any other index picks w.
    float& operator[](int i) { return i == 0 ? x : i == 1 ? y : i == 2 ? z : w; }
    float operator[](int i) const { return i == 0 ? x : i == 1 ? y : i == 2 ? z : w; }

    Vector4 operator/(float s) const { return {x / s, y / s, z / s, w / s}; }
    // Divides x, y, z and then w; with s = w itself, w becomes w / w.
    Vector4& operator/=(float s);
};

} // namespace Quorvane
