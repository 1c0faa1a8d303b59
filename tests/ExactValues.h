#pragma once

#include "math/Color.h"
#include "math/Vector.h"

#include <gtest/gtest.h>

// Field-by-field exact comparisons: our floats are exact by design, so a
// difference in the last bit is a fault.
namespace Quorvane::Testing {

inline void expectVector(const Vector3& v, float x, float y, float z)
{
    EXPECT_EQ(v.x, x);
    EXPECT_EQ(v.y, y);
    EXPECT_EQ(v.z, z);
}

inline void expectVector(const Vector4& v, float x, float y, float z, float w)
{
    EXPECT_EQ(v.x, x);
    EXPECT_EQ(v.y, y);
    EXPECT_EQ(v.z, z);
    EXPECT_EQ(v.w, w);
}

inline void expectColor(const Color& c, float r, float g, float b, float a)
{
    EXPECT_EQ(c.r, r);
    EXPECT_EQ(c.g, g);
    EXPECT_EQ(c.b, b);
    EXPECT_EQ(c.a, a);
}

} // namespace Quorvane::Testing
