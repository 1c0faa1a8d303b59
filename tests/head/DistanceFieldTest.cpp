#include "tools/head/DistanceField.h"

#include <gtest/gtest.h>

using namespace Quorvane;

TEST(DistanceFieldEllipsoid, IsTheExactDistanceAlongItsAxes)
{
    const Vector3d centre{1, 2, 3};
    const Vector3d radii{0.5, 0.25, 2};
    EXPECT_EQ(ellipsoid(centre + Vector3d{1, 0, 0}, centre, radii), 0.5);
    EXPECT_EQ(ellipsoid(centre + Vector3d{0, -0.5, 0}, centre, radii), 0.25);
    EXPECT_EQ(ellipsoid(centre + Vector3d{0, 0, 2}, centre, radii), 0.0);
    EXPECT_LT(ellipsoid(centre, centre, radii), 0.0);
}

TEST(DistanceFieldEllipsoid, TurnsWithItsFrame)
{
    // The first axis along y: the long radius now lies along y.
    const Frame frame = makeFrame({0, 3, 0}, {0, 0, 1});
    EXPECT_EQ(ellipsoid({0, 2, 0}, {}, frame, {1, 0.5, 0.5}), 1.0);
    EXPECT_EQ(ellipsoid({2, 0, 0}, {}, frame, {1, 0.5, 0.5}), 1.5);
}

TEST(DistanceFieldCapsule, MeasuresFromTheSegmentAndItsEnds)
{
    EXPECT_EQ(capsule({0.5, 2, 0}, {0, 0, 0}, {1, 0, 0}, 0.5), 1.5);
    EXPECT_EQ(capsule({4, 4, 0}, {0, 0, 0}, {1, 0, 0}, 0.5), 4.5);
    EXPECT_EQ(taperedCapsule({1, 2, 0}, {0, 0, 0}, {1, 0, 0}, 0.5, 1), 1.0);
}

TEST(DistanceFieldBlend, EqualsThePlainOperationBeyondTheBlendWidth)
{
    EXPECT_EQ(smoothUnion(1, 3, 0.5), 1.0);
    EXPECT_EQ(smoothIntersection(1, 3, 0.5), 3.0);
    EXPECT_EQ(smoothSubtraction(1, -3, 0.5), 3.0);
}

TEST(DistanceFieldBlend, RoundsTheSeamWhereBothAreClose)
{
    // Equal inputs: the seam is pushed out by a quarter of the width.
    EXPECT_EQ(smoothUnion(1, 1, 0.4), 0.9);
    EXPECT_EQ(smoothIntersection(1, 1, 0.4), 1.1);
}
