#include "math/Geometry.h"

#include "tests/ExactValues.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace Quorvane;
using Testing::expectVector;

namespace {

float depthAfterDivide(const Matrix4& projection, float z)
{
    Vector4 clip = projection * Vector4(0, 0, z, 1);
    clip /= clip.w;
    return clip.z;
}

} // namespace

TEST(GeometryPerspective, MatchesTheFrameProjection)
{
    const Matrix4 p = perspective(1.5708f, 1, 1, 10);
    EXPECT_EQ(p.row(0).x, p.row(1).y);
    EXPECT_FLOAT_EQ(p.row(1).y, 0.9999964f); // the tangent's last bit is the library's
    EXPECT_EQ(p.row(2).z, -1.2222222f);
    EXPECT_EQ(p.row(3).z, -2.2222223f);
    EXPECT_EQ(p.row(2).w, -1.0f);
    EXPECT_EQ(p.row(3).w, 0.0f);
    // Near and far land at -1 and +1, up to one unit in the last place.
    EXPECT_FLOAT_EQ(depthAfterDivide(p, -1), -1.0f);
    EXPECT_FLOAT_EQ(depthAfterDivide(p, -10), 1.0f);
}

TEST(GeometryPerspective, DegenerateInputsGiveNonFiniteElements)
{
    EXPECT_FALSE(std::isfinite(perspective(1.5708f, 1, 5, 5).row(2).z));
    EXPECT_FALSE(std::isfinite(perspective(0, 1, 1, 10).row(1).y));
}

TEST(GeometryRigidInverse, UndoesATranslation)
{
    const Matrix4 identity = rigidInverse(Matrix4());
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            EXPECT_EQ(identity.row(i)[j], i == j ? 1.0f : 0.0f);

    const Matrix4 inverse = rigidInverse(Matrix4(Quaternion(), Vector3(1, 2, 3)));
    EXPECT_EQ(inverse.row(3).x, -1.0f);
    EXPECT_EQ(inverse.row(3).y, -2.0f);
    EXPECT_EQ(inverse.row(3).z, -3.0f);
    EXPECT_EQ(inverse.row(3).w, 1.0f);
    EXPECT_EQ(inverse.row(0).w, 0.0f);
    const Vector4 origin = inverse * Vector4(1, 2, 3, 1);
    EXPECT_EQ(origin.x, 0.0f);
    EXPECT_EQ(origin.y, 0.0f);
    EXPECT_EQ(origin.z, 0.0f);
    EXPECT_EQ(origin.w, 1.0f);
}

TEST(GeometryRigidInverse, CopiesTheRotationBlockUntransposed)
{
    // clang-format off
    const Matrix4 m(1, 2, 3, 0,
                    4, 5, 6, 0,
                    7, 8, 9, 0,
                    99, 99, 99, 99);
    // clang-format on
    const Matrix4 inverse = rigidInverse(m);
    EXPECT_EQ(inverse.row(0).y, 2.0f);
    EXPECT_EQ(inverse.row(1).x, 4.0f);
    EXPECT_EQ(inverse.row(3).x, 0.0f); // row 3 of the input is not read
}

TEST(GeometryViewMatrix, MovesTheWorldByMinusTheEye)
{
    const Matrix4 view = viewMatrix(Quaternion(), Vector3(0, 0, 1.5f));
    EXPECT_EQ(view.row(3).x, 0.0f);
    EXPECT_EQ(view.row(3).y, 0.0f);
    EXPECT_EQ(view.row(3).z, -1.5f);
    EXPECT_EQ(view.row(3).w, 1.0f);
    EXPECT_EQ(view.row(2).z, 1.0f);
}

TEST(GeometryBarycentric, CornersGetTheirOwnWeight)
{
    const Vector3 a(3, 1, 0), b(17, 5, 0), c(6, 12, 0);
    expectVector(barycentric(a, b, c, Vector2(3, 1)), 1, 0, 0);
    expectVector(barycentric(a, b, c, Vector2(17, 5)), 0, 1, 0);
    expectVector(barycentric(a, b, c, Vector2(6, 12)), 0, 0, 1);
    expectVector(barycentric(Vector3(0, 0, 0), Vector3(10, 0, 0), Vector3(0, 10, 0), Vector2(10, 0)), 0, 1,
                 0);
}

TEST(GeometryBarycentric, OutsidePointsHaveANegativeWeight)
{
    const Vector3 w = barycentric(Vector3(0, 0, 0), Vector3(10, 0, 0), Vector3(0, 10, 0), Vector2(8, 8));
    EXPECT_LT(std::fmin(w.x, std::fmin(w.y, w.z)), 0.0f);
}

TEST(GeometryBarycentric, CollinearCornersGiveNonFiniteWeights)
{
    const Vector3 w = barycentric(Vector3(0, 0, 0), Vector3(5, 5, 0), Vector3(10, 10, 0), Vector2(2, 2));
    EXPECT_FALSE(std::isfinite(w.y));
    EXPECT_FALSE(std::isfinite(w.z));
}

TEST(GeometryInsideTriangle, CountsEdgesAndCornersAsInside)
{
    const Vector2 a(10, 10), b(20, 10), c(10, 20);
    EXPECT_TRUE(insideTriangle({10, 10}, a, b, c));
    EXPECT_TRUE(insideTriangle({15, 10}, a, b, c));
    EXPECT_TRUE(insideTriangle({15, 15}, a, b, c));
    EXPECT_TRUE(insideTriangle({12, 12}, a, b, c));
    EXPECT_FALSE(insideTriangle({16, 15}, a, b, c));
    EXPECT_FALSE(insideTriangle({9, 12}, a, b, c));
}

TEST(GeometryInsideTriangle, RejectsPointsOnAnEdgeLineBeyondTheTriangle)
{
    EXPECT_FALSE(insideTriangle({8, 8}, {5, 8}, {20, 20}, {30, 30}));
    EXPECT_FALSE(insideTriangle({40, 40}, {5, 8}, {20, 20}, {30, 30}));
    EXPECT_TRUE(insideTriangle({25, 25}, {5, 8}, {20, 20}, {30, 30}));
}

TEST(GeometryInsideTriangle, RejectsNaN)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_FALSE(insideTriangle({nan, 12}, {10, 10}, {20, 10}, {10, 20}));
    EXPECT_FALSE(insideTriangle({12, 12}, {10, 10}, {20, nan}, {10, 20}));
}

TEST(GeometryInterpolateDepth, WeighsTheCornerDepths)
{
    const Vector3 a(0, 0, 10), b(0, 0, 20), c(0, 0, 40);
    EXPECT_EQ(interpolateDepth(a, b, c, Vector3(1, 0, 0)), 10.0f);
    EXPECT_EQ(interpolateDepth(a, b, c, Vector3(0.5f, 0.25f, 0.25f)), 20.0f);
}

TEST(GeometryTriangleNormal, PointsToTheCounterClockwiseSide)
{
    expectVector(triangleNormal(Vector3(0, 0, 0), Vector3(1, 0, 0), Vector3(0, 1, 0)), 0, 0, 1);
    expectVector(triangleNormal(Vector3(0, 0, 0), Vector3(0, 1, 0), Vector3(1, 0, 0)), 0, 0, -1);
    const Vector3 degenerate = triangleNormal(Vector3(1, 1, 1), Vector3(1, 1, 1), Vector3(2, 2, 2));
    EXPECT_TRUE(std::isnan(degenerate.x));
}

TEST(GeometryCosAngle, IgnoresTheLengths)
{
    EXPECT_FLOAT_EQ(cosAngle(Vector3(1, 1, 1), Vector3(3, 3, 3)), 1.0f);
    EXPECT_EQ(cosAngle(Vector3(2, 0, 0), Vector3(0, 5, 0)), 0.0f);
    EXPECT_FLOAT_EQ(cosAngle(Vector3(1, 2, 3), Vector3(-2, -4, -6)), -1.0f);
    EXPECT_EQ(cosAngle(Vector3(0, 0, 2), Vector3(0, 0, 7)), 1.0f);
    EXPECT_TRUE(std::isnan(cosAngle(Vector3(), Vector3(1, 0, 0))));
}

TEST(GeometryReflect, FlipsTheComponentAlongTheNormal)
{
    expectVector(reflect(Vector3(1, -1, 0), Vector3(0, 1, 0)), 1, 1, 0);
    expectVector(reflect(Vector3(1, -1, 0), Vector3(0, 5, 0)), 1, 1, 0);
    expectVector(reflect(Vector3(1, 1, 0), Vector3(0, 1, 0)), 1, -1, 0);
    expectVector(reflect(Vector3(-1, -1, -1), Vector3(0, 0, 1)), -1, -1, 1);
    expectVector(reflect(Vector3(3, 0, 4), Vector3(0, 2, 0)), 3, 0, 4);
}

TEST(GeometryPower, WorksInDoublePrecision)
{
    EXPECT_EQ(power(0.5f, 5), 0.03125);
    EXPECT_EQ(power(0, 5), 0.0);
    EXPECT_EQ(power(0.1f, 2), static_cast<double>(0.1f) * static_cast<double>(0.1f));
}
