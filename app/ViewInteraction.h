#pragma once

#include "scene/Camera.h"
#include "scene/DragTracker.h"

namespace Quorvane {

// The mouse moves the eye; the model never turns. Positions are client-area
// pixels (x to the right, y downward), signed because a drag may leave the
// window. Each handler returns true when camera.position changed: the shell
// must then render exactly one frame before the handler returns.

// A left-button press starts a drag at (x, y). Never repaints.
bool onLeftButtonDown(DragTracker& dragTracker, int x, int y);

// A left-button release ends the drag. Never repaints.
bool onLeftButtonUp(DragTracker& dragTracker);

// While a drag runs, pans the eye by the movement since the last position:
// 500 pixels are one world unit, and y is flipped because the pointer's y
// grows downward and the world's upward. Without a drag nothing happens.
bool onMouseMove(DragTracker& dragTracker, Camera& camera, int x, int y);

// One wheel event is one step of 0.1 whatever the size of delta: a negative
// delta (wheel turned toward the user) moves the eye to larger z, zero or
// positive to smaller z. Always repaints.
bool onMouseWheel(Camera& camera, int delta);

} // namespace Quorvane
