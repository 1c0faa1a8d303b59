#include "math/Vector.h"

#include <cmath>

namespace Quorvane {

float length(const Vector3& v)
{
    return std::sqrt((v.x * v.x + v.y * v.y) + v.z * v.z);
}

Vector3 normalize(const Vector3& v)
{
    const float len = length(v);
    return {v.x / len, v.y / len, v.z / len};
}

Vector4& Vector4::operator/=(float s)
{
    // s arrives by value, so v /= v.w divides all four by the old w.
    x /= s;
    y /= s;
    z /= s;
    w /= s;
    return *this;
}

} // namespace Quorvane
