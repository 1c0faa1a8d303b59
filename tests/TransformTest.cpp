#include "render/Transform.h"

#include "math/Geometry.h"

#include <gtest/gtest.h>

namespace Quorvane {
namespace {

// The frame's projection with the view the identity: the eye at the origin.
RenderContext frameContext(const Vector3& eye = Vector3(0, 0, 0))
{
    RenderContext context;
    context.projection = perspective(1.5708f, 1, 1, 10);
    context.view = viewMatrix(Quaternion(), eye);
    return context;
}

// The "about" values below come from the tangent of 1.5708 / 2 being 1.0000037
// rather than 1 and from the rounded depth entries; the tolerances are far
// below a pixel and far above those errors.
TEST(TransformVertexScreen, PutsTheNearAndFarPlanesAtDepthZeroAndFiveHundred)
{
    const RenderContext context = frameContext();
    const Vector3 nearPoint = transformVertex({0, 0, -1}, context);
    EXPECT_EQ(nearPoint.x, 250.0f);
    EXPECT_EQ(nearPoint.y, 250.0f);
    EXPECT_NEAR(nearPoint.z, 0.0f, 1e-4f);
    EXPECT_LT(nearPoint.z, 0.0f);
    const Vector3 farPoint = transformVertex({0, 0, -10}, context);
    EXPECT_NEAR(farPoint.z, 500.0f, 1e-3f);
    EXPECT_NEAR(transformVertex({0, 0, -2}, context).z, 277.78f, 1e-2f);
}

TEST(TransformVertexScreen, SendsUpToTheTopAndRightToTheRight)
{
    const Vector3 v = transformVertex({0.5f, 0.5f, -1}, frameContext());
    EXPECT_NEAR(v.x, 375.0f, 1e-2f);
    EXPECT_NEAR(v.y, 125.0f, 1e-2f);
}

TEST(TransformVertexScreen, KeepsPointsInFrontOfTheNearPlaneAndBehindTheEye)
{
    const RenderContext context = frameContext();
    EXPECT_NEAR(transformVertex({0, 0, -0.5f}, context).z, -555.56f, 1e-2f);
    const Vector3 behind = transformVertex({0.5f, 0.5f, 1}, context);
    EXPECT_NEAR(behind.x, 125.0f, 1e-2f);
    EXPECT_NEAR(behind.y, 375.0f, 1e-2f);
    EXPECT_NEAR(behind.z, 1111.11f, 1e-1f);
}

TEST(TransformVertexScreen, MovesTheWorldByMinusTheEye)
{
    const RenderContext context = frameContext({0, 0, 1.5f});
    const Vector3 origin = transformVertex({0, 0, 0}, context);
    EXPECT_EQ(origin.x, 250.0f);
    EXPECT_EQ(origin.y, 250.0f);
    EXPECT_NEAR(origin.z, 185.19f, 1e-2f);
    const Vector3 corner = transformVertex({0.5f, 0.5f, 0}, context);
    EXPECT_NEAR(corner.x, 333.33f, 1e-2f);
    EXPECT_NEAR(corner.y, 166.67f, 1e-2f);
}

TEST(TransformVertexScreen, IgnoresTheModelMatrix)
{
    RenderContext context = frameContext({0.3f, -0.2f, 2});
    const Vector3 before = transformVertex({0.1f, 0.7f, -0.4f}, context);
    context.model = Matrix4(Quaternion(0.5f, 0.5f, 0.5f, 0.5f), Vector3(3, 4, 5));
    const Vector3 after = transformVertex({0.1f, 0.7f, -0.4f}, context);
    EXPECT_EQ(after.x, before.x);
    EXPECT_EQ(after.y, before.y);
    EXPECT_EQ(after.z, before.z);
}

TEST(TransformVertexScreen, MapsTheIdentityPipelineLinearly)
{
    // With both matrices the identity, w stays 1 and only the mapping remains.
    const RenderContext context;
    const Vector3 v = transformVertex({-0.5f, 0.5f, 0}, context);
    EXPECT_EQ(v.x, 125.0f);
    EXPECT_EQ(v.y, 125.0f);
    EXPECT_EQ(v.z, 250.0f);
}

} // namespace
} // namespace Quorvane
