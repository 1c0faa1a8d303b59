#include "app/ViewInteraction.h"

namespace Quorvane {

namespace {

constexpr float dragDivisor = 500.0f;

// A double on purpose: the step is summed in double precision from the float z
// and only the result is rounded to float. 1.5 + 0.1 so gives 1.60000002f, and
// fifteen steps nearer from 1.5 end close to, but not at, zero.
constexpr double wheelStep = 0.1;

} // namespace

bool onLeftButtonDown(DragTracker& dragTracker, int x, int y)
{
    dragTracker.press(x, y);
    return false;
}

bool onLeftButtonUp(DragTracker& dragTracker)
{
    dragTracker.pressed = false;
    return false;
}

bool onMouseMove(DragTracker& dragTracker, Camera& camera, int x, int y)
{
    if (!dragTracker.pressed)
        return false;
    const Vector2 moveVec = dragTracker.moveTo(x, y) / dragDivisor;
    camera.position.x = camera.position.x + moveVec.x;
    camera.position.y = camera.position.y - moveVec.y;
    return true;
}

bool onMouseWheel(Camera& camera, int delta)
{
    const double z = camera.position.z;
    camera.position.z = static_cast<float>(delta < 0 ? z + wheelStep : z - wheelStep);
    return true;
}

} // namespace Quorvane
