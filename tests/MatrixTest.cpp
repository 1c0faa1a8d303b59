#include "math/Matrix.h"

#include "tests/ExactValues.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace Quorvane;
using Testing::expectVector;

namespace {

// clang-format off
const Matrix4 counting(1, 2, 3, 4,
                       5, 6, 7, 8,
                       9, 10, 11, 12,
                       13, 14, 15, 16);
// clang-format on

} // namespace

TEST(MatrixConstruction, DefaultIsTheIdentity)
{
    const Matrix4 m;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            EXPECT_EQ(m.row(i)[j], i == j ? 1.0f : 0.0f) << i << "," << j;
    expectVector(m * Vector4(1, 2, 3, 1), 1, 2, 3, 1);
}

TEST(MatrixConstruction, SixteenFloatsFillRowByRow)
{
    EXPECT_EQ(counting.row(0).y, 2.0f); // m01
    EXPECT_EQ(counting.row(1).x, 5.0f); // m10
    EXPECT_EQ(counting.row(3).w, 16.0f);
}

TEST(MatrixConstruction, ZeroQuaternionGivesTheIdentityBlock)
{
    const Matrix4 m(Quaternion(), Vector3(1, 2, 3));
    expectVector(m.row(0), 1, 0, 0, 1);
    expectVector(m.row(1), 0, 1, 0, 2);
    expectVector(m.row(2), 0, 0, 1, 3);
    expectVector(m.row(3), 0, 0, 0, 1);
    // The translation sits in column 3, so transform does not move points by it.
    expectVector(m * Vector4(0, 0, 0, 1), 0, 0, 0, 1);
    expectVector(m * Vector4(1, 0, 0, 1), 1, 0, 0, 2);
}

TEST(MatrixConstruction, QuarterTurnAboutZ)
{
    const float s = std::sqrt(0.5f);
    const Matrix4 m(Quaternion(0, 0, s, s), Vector3());
    // (1 - 2s^2) is not exactly 0 for the float nearest sqrt(1/2).
    EXPECT_NEAR(m.row(0).x, 0.0f, 1e-6f);
    EXPECT_NEAR(m.row(0).y, -1.0f, 1e-6f);
    EXPECT_NEAR(m.row(1).x, 1.0f, 1e-6f);
    EXPECT_NEAR(m.row(1).y, 0.0f, 1e-6f);
    EXPECT_EQ(m.row(2).z, 1.0f);
}

TEST(MatrixTransform, CombinesTheVectorWithColumns)
{
    expectVector(counting * Vector4(1, 0, 0, 0), 1, 2, 3, 4);
    expectVector(counting * Vector4(0, 1, 0, 0), 5, 6, 7, 8);
    expectVector(counting * Vector4(1, 1, 1, 1), 28, 32, 36, 40);
}

TEST(MatrixTransform, AccumulatesInRowOrder)
{
    // ((1e8 + 1) - 1e8) + 1 = 1 in float; any other order gives 2 or 0.
    // clang-format off
    const Matrix4 m(1e8f, 0, 0, 0,
                    1, 0, 0, 0,
                    -1e8f, 0, 0, 0,
                    1, 0, 0, 0);
    // clang-format on
    EXPECT_EQ(m.transform(Vector4(1, 1, 1, 1)).x, 1.0f);
}

TEST(QuaternionIndex, OutOfRangePicksW)
{
    Quaternion q(1, 2, 3, 4);
    EXPECT_EQ(q[0], 1.0f);
    EXPECT_EQ(q[2], 3.0f);
    EXPECT_EQ(&q[7], &q.w);
    EXPECT_EQ(&q[-1], &q.w);
    const Quaternion zero;
    EXPECT_EQ(zero.w, 0.0f);
}
