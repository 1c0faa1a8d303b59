#include "app/ViewInteraction.h"

#include <gtest/gtest.h>

using namespace Quorvane;

namespace {

Camera startCamera()
{
    Camera camera;
    camera.position = Vector3(0, 0, 1.5f);
    return camera;
}

} // namespace

TEST(ViewDrag, RightAndDownMoveTheEyeRightAndDown)
{
    DragTracker tracker;
    Camera camera = startCamera();
    EXPECT_FALSE(onLeftButtonDown(tracker, 200, 200));
    EXPECT_TRUE(onMouseMove(tracker, camera, 300, 250));
    EXPECT_EQ(camera.position.x, 0.2f);
    EXPECT_EQ(camera.position.y, -0.1f);
    EXPECT_EQ(camera.position.z, 1.5f);
}

TEST(ViewDrag, MeasuresEachMoveFromTheLastPosition)
{
    DragTracker tracker;
    Camera camera = startCamera();
    onLeftButtonDown(tracker, 10, 10);
    onMouseMove(tracker, camera, 20, 5);
    onMouseMove(tracker, camera, 30, 0);
    // Two steps of 10 / 500 summed in float, and two of -5 / 500 flipped.
    EXPECT_EQ(camera.position.x, 0.02f + 0.02f);
    EXPECT_EQ(camera.position.y, 0.01f + 0.01f);
    EXPECT_EQ(tracker.lastPosition.x, 30.0f);
    EXPECT_EQ(tracker.lastPosition.y, 0.0f);
}

TEST(ViewDrag, FollowsThePointerOutsideTheWindow)
{
    DragTracker tracker;
    Camera camera = startCamera();
    onLeftButtonDown(tracker, 0, 0);
    EXPECT_TRUE(onMouseMove(tracker, camera, -250, 750));
    EXPECT_EQ(camera.position.x, -0.5f);
    EXPECT_EQ(camera.position.y, -1.5f);
}

TEST(ViewDrag, MoveWithoutPressChangesNothing)
{
    DragTracker tracker;
    Camera camera = startCamera();
    EXPECT_FALSE(onMouseMove(tracker, camera, 100, 100));
    EXPECT_EQ(camera.position.x, 0.0f);
    EXPECT_EQ(camera.position.y, 0.0f);
    EXPECT_EQ(tracker.lastPosition.x, 0.0f);
    EXPECT_EQ(tracker.lastPosition.y, 0.0f);
}

TEST(ViewDrag, PressAndReleaseWithoutMovingAskForNoFrame)
{
    DragTracker tracker;
    Camera camera = startCamera();
    EXPECT_FALSE(onLeftButtonDown(tracker, 40, 60));
    EXPECT_TRUE(tracker.pressed);
    EXPECT_FALSE(onLeftButtonUp(tracker));
    EXPECT_FALSE(tracker.pressed);
    EXPECT_EQ(camera.position.x, 0.0f);
    EXPECT_EQ(camera.position.y, 0.0f);
}

TEST(ViewDrag, ReleaseEndsTheDragAndKeepsTheLastPosition)
{
    DragTracker tracker;
    Camera camera = startCamera();
    onLeftButtonDown(tracker, 0, 0);
    onMouseMove(tracker, camera, 50, 0);
    onLeftButtonUp(tracker);
    EXPECT_FALSE(onMouseMove(tracker, camera, 400, 400));
    EXPECT_EQ(camera.position.x, 0.1f);
    EXPECT_EQ(tracker.lastPosition.x, 50.0f);
}

TEST(ViewDrag, NewPressStartsFromItsOwnPosition)
{
    DragTracker tracker;
    Camera camera = startCamera();
    onLeftButtonDown(tracker, 0, 0);
    onMouseMove(tracker, camera, 100, 0);
    onLeftButtonUp(tracker);
    onLeftButtonDown(tracker, 400, 0);
    onMouseMove(tracker, camera, 300, 0);
    EXPECT_EQ(camera.position.x, 0.2f - 0.2f);
}

TEST(ViewWheel, StepsFartherRoundThroughDouble)
{
    Camera camera = startCamera();
    EXPECT_TRUE(onMouseWheel(camera, -120));
    EXPECT_EQ(camera.position.z, 1.60000002f);
    onMouseWheel(camera, -120);
    EXPECT_EQ(camera.position.z, 1.70000005f);
    onMouseWheel(camera, -120);
    EXPECT_EQ(camera.position.z, 1.80000007f);
}

TEST(ViewWheel, StepsNearerRoundThroughDouble)
{
    Camera camera = startCamera();
    EXPECT_TRUE(onMouseWheel(camera, 120));
    EXPECT_EQ(camera.position.z, 1.39999998f);
    onMouseWheel(camera, 120);
    EXPECT_EQ(camera.position.z, 1.29999995f);
    onMouseWheel(camera, 120);
    EXPECT_EQ(camera.position.z, 1.19999993f);
}

TEST(ViewWheel, FifteenStepsNearerMissZero)
{
    Camera camera = startCamera();
    for (int i = 0; i < 15; ++i)
        onMouseWheel(camera, 120);
    // About -1.9e-7: each step rounds to float, and the errors add up.
    EXPECT_EQ(camera.position.z, -0x1.9cccccp-23f);
}

TEST(ViewWheel, OneEventIsOneStepWhateverTheDelta)
{
    for (const int delta : {1, 120, 240, 32767}) {
        Camera camera = startCamera();
        onMouseWheel(camera, delta);
        EXPECT_EQ(camera.position.z, 1.39999998f) << delta;
    }
    for (const int delta : {-1, -120, -32768}) {
        Camera camera = startCamera();
        onMouseWheel(camera, delta);
        EXPECT_EQ(camera.position.z, 1.60000002f) << delta;
    }
}

TEST(ViewWheel, ZeroDeltaMovesNearer)
{
    Camera camera = startCamera();
    EXPECT_TRUE(onMouseWheel(camera, 0));
    EXPECT_EQ(camera.position.z, 1.39999998f);
}

TEST(ViewWheel, LeavesXAndYAndTheDrag)
{
    Camera camera = startCamera();
    camera.position.x = 0.25f;
    camera.position.y = -0.5f;
    onMouseWheel(camera, 120);
    EXPECT_EQ(camera.position.x, 0.25f);
    EXPECT_EQ(camera.position.y, -0.5f);
}
