#include "scene/Camera.h"
#include "scene/DragTracker.h"
#include "scene/Light.h"

#include "tests/ExactValues.h"

#include <gtest/gtest.h>

using namespace Quorvane;
using Testing::expectColor;

TEST(SceneConstruction, CameraStartsAtTheOriginWithTheZeroRotation)
{
    const Camera camera;
    EXPECT_EQ(camera.position.z, 0.0f);
    EXPECT_EQ(camera.rotation.w, 0.0f);
}

TEST(SceneConstruction, LightHasNoDirectionWhiteColoursAndUnitIntensities)
{
    const Light light;
    EXPECT_EQ(light.diffuse.direction.x, 0.0f);
    EXPECT_EQ(light.specular.direction.z, 0.0f);
    expectColor(light.diffuse.color, 1, 1, 1, 1);
    expectColor(light.ambient.color, 1, 1, 1, 1);
    expectColor(light.specular.color, 1, 1, 1, 1);
    EXPECT_EQ(light.diffuse.intensity, 1.0f);
    EXPECT_EQ(light.ambient.intensity, 1.0f);
    EXPECT_EQ(light.specular.intensity, 1.0f);
}

TEST(SceneDragTracker, StartsReleasedAtTheOrigin)
{
    const DragTracker tracker;
    EXPECT_FALSE(tracker.pressed);
    EXPECT_EQ(tracker.lastPosition.x, 0.0f);
    EXPECT_EQ(tracker.lastPosition.y, 0.0f);
}

TEST(SceneDragTracker, MeasuresEachMoveFromTheLastPosition)
{
    DragTracker tracker;
    tracker.press(10, 20);
    EXPECT_TRUE(tracker.pressed);
    const Vector2 first = tracker.moveTo(110, -30);
    EXPECT_EQ(first.x, 100.0f);
    EXPECT_EQ(first.y, -50.0f);
    const Vector2 second = tracker.moveTo(105, -30);
    EXPECT_EQ(second.x, -5.0f);
    EXPECT_EQ(second.y, 0.0f);
    EXPECT_EQ(tracker.lastPosition.x, 105.0f);
    EXPECT_EQ(tracker.lastPosition.y, -30.0f);
}
