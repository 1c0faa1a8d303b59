#include "math/Vector.h"

#include "tests/ExactValues.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace Quorvane;
using Testing::expectVector;

TEST(VectorDefaults, AreAllZero)
{
    const Vector2 v2;
    const Vector3 v3;
    const Vector4 v4;
    EXPECT_EQ(v2.x, 0.0f);
    EXPECT_EQ(v2.y, 0.0f);
    expectVector(v3, 0, 0, 0);
    EXPECT_EQ(v4.x, 0.0f);
    EXPECT_EQ(v4.y, 0.0f);
    EXPECT_EQ(v4.z, 0.0f);
    EXPECT_EQ(v4.w, 0.0f);
}

TEST(VectorLayout, HoldsOnlyItsFloatsInOrder)
{
    static_assert(sizeof(Vector2) == 2 * sizeof(float));
    static_assert(sizeof(Vector3) == 3 * sizeof(float));
    static_assert(sizeof(Vector4) == 4 * sizeof(float));
    Vector3 v(1, 2, 3);
    const float* fields = &v.x;
    EXPECT_EQ(fields[2], 3.0f);
}

TEST(VectorIndex, OutOfRangeVector3IndexPicksX)
{
    Vector3 v(1, 2, 3);
    EXPECT_EQ(&v[0], &v.x);
    EXPECT_EQ(&v[1], &v.y);
    EXPECT_EQ(&v[2], &v.z);
    EXPECT_EQ(&v[3], &v.x);
    EXPECT_EQ(&v[-1], &v.x);
    EXPECT_EQ(&v[100], &v.x);
}

TEST(VectorIndex, OutOfRangeVector4IndexPicksW)
{
    Vector4 v(1, 2, 3, 4);
    EXPECT_EQ(&v[0], &v.x);
    EXPECT_EQ(&v[2], &v.z);
    EXPECT_EQ(&v[3], &v.w);
    EXPECT_EQ(&v[4], &v.w);
    EXPECT_EQ(&v[-1], &v.w);
    v[4] = 9;
    EXPECT_EQ(v.w, 9.0f);
}

TEST(VectorCross, FollowsTheRightHandRule)
{
    expectVector(Vector3(1, 0, 0).cross(Vector3(0, 1, 0)), 0, 0, 1);
    expectVector(Vector3(0, 1, 0).cross(Vector3(1, 0, 0)), 0, 0, -1);
    EXPECT_EQ(cross(Vector2(1, 0), Vector2(0, 1)), 1.0f);
    EXPECT_EQ(cross(Vector2(0, 1), Vector2(1, 0)), -1.0f);
    EXPECT_EQ(cross(Vector2(2, 3), Vector2(4, 6)), 0.0f);
}

TEST(VectorLength, IsTheEuclideanNorm)
{
    EXPECT_EQ(length(Vector3(3, 4, 0)), 5.0f);
    EXPECT_EQ(length(Vector3(0, 0, 0)), 0.0f);
}

TEST(VectorNormalize, DividesEachComponentByTheLength)
{
    expectVector(normalize(Vector3(0, 3, 4)), 0, 0.6f, 0.8f);
    // 1/3 by division differs from multiplying by the rounded reciprocal of 3.
    const Vector3 n = normalize(Vector3(1, 2, 2));
    EXPECT_EQ(n.x, 1.0f / 3.0f);
    EXPECT_EQ(n.y, 2.0f / 3.0f);
}

TEST(VectorNormalize, ZeroVectorGivesNaN)
{
    const Vector3 n = normalize(Vector3(0, 0, 0));
    EXPECT_TRUE(std::isnan(n.x));
    EXPECT_TRUE(std::isnan(n.y));
    EXPECT_TRUE(std::isnan(n.z));
}

TEST(VectorArithmetic, SumsDotProductsLeftToRight)
{
    // (1e8 * 1 + -1e8 * 1) + 1 * 1 = 1; summing the last two first would give 0.
    EXPECT_EQ(Vector3(1e8f, -1e8f, 1).dot(Vector3(1, 1, 1)), 1.0f);
    expectVector(Vector3(1, 2, 3) + Vector3(4, 5, 6), 5, 7, 9);
    expectVector(Vector3(1, 2, 3) - Vector3(4, 5, 6), -3, -3, -3);
    expectVector(Vector3(1, 2, 3) * 2, 2, 4, 6);
    const Vector2 d = (Vector2(3, 5) - Vector2(1, 1)) / 2;
    EXPECT_EQ(d.x, 1.0f);
    EXPECT_EQ(d.y, 2.0f);
}

TEST(VectorPerspectiveDivide, DividesByTheOldW)
{
    Vector4 v(2, 4, 6, 2);
    v /= v.w;
    EXPECT_EQ(v.x, 1.0f);
    EXPECT_EQ(v.y, 2.0f);
    EXPECT_EQ(v.z, 3.0f);
    EXPECT_EQ(v.w, 1.0f);
}

TEST(VectorPerspectiveDivide, ZeroWGivesInfinityAndNaN)
{
    Vector4 v(1, 1, 1, 0);
    v /= v.w;
    EXPECT_EQ(v.x, std::numeric_limits<float>::infinity());
    EXPECT_EQ(v.z, std::numeric_limits<float>::infinity());
    EXPECT_TRUE(std::isnan(v.w));
}

TEST(VectorConversion, Vector2FromVector3DropsZ)
{
    const Vector2 v(Vector3(5, 7, 9));
    EXPECT_EQ(v.x, 5.0f);
    EXPECT_EQ(v.y, 7.0f);
    const Vector4 h(Vector3(1, 2, 3), 1);
    EXPECT_EQ(h.z, 3.0f);
    EXPECT_EQ(h.w, 1.0f);
}
