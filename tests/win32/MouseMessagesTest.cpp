// Dragging and the wheel as the window receives them.

#include "app/Globals.h"
#include "tests/win32/ShellTestSupport.h"

namespace {

using namespace Quorvane;
using namespace Quorvane::Testing;

using MainWindowMouse = MainWindowTest;

TEST_F(MainWindowMouse, DragOf100RightAnd50DownMovesTheEyeWithOneFrame)
{
    EXPECT_EQ(framesFor(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 100)), 0);
    EXPECT_EQ(framesFor(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(200, 150)), 1);
    EXPECT_EQ(camera.position.x, 0.2f);
    EXPECT_EQ(camera.position.y, -0.1f);
    EXPECT_EQ(camera.position.z, 1.5f);
}

TEST_F(MainWindowMouse, PressCapturesTheMouseAndReleaseFreesItAndEndsTheDrag)
{
    EXPECT_EQ(framesFor(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10)), 0);
    EXPECT_EQ(GetCapture(), window);
    EXPECT_EQ(framesFor(WM_LBUTTONUP, 0, MAKELPARAM(10, 10)), 0);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_FALSE(dragTracker.pressed);
    EXPECT_EQ(framesFor(WM_MOUSEMOVE, 0, MAKELPARAM(60, 60)), 0);
    EXPECT_EQ(camera.position.x, 0.0f);
    EXPECT_EQ(camera.position.y, 0.0f);
}

TEST_F(MainWindowMouse, PositionsOutsideTheWindowAreReadSigned)
{
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    EXPECT_EQ(framesFor(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(-40, -15)), 1);
    EXPECT_EQ(camera.position.x, -0.1f);
    EXPECT_EQ(camera.position.y, 0.05f);
}

TEST_F(MainWindowMouse, LosingTheCaptureEndsTheDrag)
{
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    SetCapture(toggleButton);
    EXPECT_FALSE(dragTracker.pressed);
    EXPECT_EQ(framesFor(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(60, 60)), 0);
    ReleaseCapture();
}

TEST_F(MainWindowMouse, MoveWithoutPressRendersNothing)
{
    EXPECT_EQ(framesFor(WM_MOUSEMOVE, 0, MAKELPARAM(300, 300)), 0);
    EXPECT_EQ(camera.position.x, 0.0f);
    EXPECT_EQ(camera.position.y, 0.0f);
}

TEST_F(MainWindowMouse, EachWheelMessageStepsZByATenthWithOneFrame)
{
    // Float z summed with the double 0.1: three steps nearer end at
    // 1.19999993f, not at the float nearest 1.2.
    EXPECT_EQ(framesFor(WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(50, 50)), 1);
    EXPECT_EQ(camera.position.z, 1.4f);
    EXPECT_EQ(framesFor(WM_MOUSEWHEEL, MAKEWPARAM(0, 3 * WHEEL_DELTA), 0), 1);
    EXPECT_EQ(camera.position.z, 1.3f);
    EXPECT_EQ(framesFor(WM_MOUSEWHEEL, MAKEWPARAM(0, 0), 0), 1);
    EXPECT_EQ(camera.position.z, 1.19999993f);
    EXPECT_EQ(framesFor(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-1)), 0), 1);
    EXPECT_EQ(camera.position.z, 1.29999995f);
    EXPECT_EQ(camera.position.x, 0.0f);
    EXPECT_EQ(camera.position.y, 0.0f);
}

TEST_F(MainWindowMouse, VerticalScrollGoesToDefaultProcessing)
{
    EXPECT_EQ(framesFor(WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 200), 0), 0);
    EXPECT_EQ(camera.position.z, 1.5f);
    EXPECT_FALSE(dragTracker.pressed);
}

} // namespace
