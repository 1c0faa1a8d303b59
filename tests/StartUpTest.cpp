#include "app/StartUp.h"

#include "render/DepthBuffer.h"
#include "tests/ExactValues.h"

#include <gtest/gtest.h>

using namespace Quorvane;
using Testing::expectColor;

TEST(StartValues, PlaceTheEyeAndAimBothLights)
{
    Camera camera;
    Light light;
    light.diffuse.color = Color(0, 0, 0, 0);
    applyStartValues(camera, light);
    EXPECT_EQ(camera.position.x, 0.0f);
    EXPECT_EQ(camera.position.y, 0.0f);
    EXPECT_EQ(camera.position.z, 1.5f);
    EXPECT_EQ(camera.rotation.w, 0.0f);
    EXPECT_EQ(light.diffuse.direction.x, -1.0f);
    EXPECT_EQ(light.diffuse.direction.y, -1.0f);
    EXPECT_EQ(light.diffuse.direction.z, -1.0f);
    EXPECT_EQ(light.specular.direction.y, -1.0f);
    expectColor(light.diffuse.color, 1, 1, 1, 1);
    expectColor(light.specular.color, 1, 1, 1, 1);
}

// One test: the depth buffer is a global that startUp appends to, once per
// process, as the program does.
TEST(StartUp, CreatesTheDepthBufferThenGivesCameraAndLightTheirStartValues)
{
    ASSERT_TRUE(depthBuffer.empty());
    Camera camera;
    Light light;
    startUp(camera, light);

    ASSERT_EQ(depthBuffer.size(), 500u);
    EXPECT_EQ(depthBuffer[0].size(), 500u);
    EXPECT_EQ(depthBuffer[499].size(), 500u);
    EXPECT_EQ(depthBuffer[499][499], emptyDepth);

    EXPECT_EQ(camera.position.z, 1.5f);
    EXPECT_EQ(light.specular.direction.z, -1.0f);
}
