#include "scene/DragTracker.h"

namespace Quorvane {

void DragTracker::press(int x, int y)
{
    pressed = true;
    lastPosition = Vector2(static_cast<float>(x), static_cast<float>(y));
}

Vector2 DragTracker::moveTo(int x, int y)
{
    const Vector2 position(static_cast<float>(x), static_cast<float>(y));
    const Vector2 movement = position - lastPosition;
    lastPosition = position;
    return movement;
}

} // namespace Quorvane
