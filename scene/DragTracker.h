#pragma once

#include "math/Vector.h"

namespace Quorvane {

// The state of a left-button drag, in client-area pixels. Release is a plain
// write of pressed = false; lastPosition then keeps its value.
struct DragTracker {
    bool pressed = false;
    Vector2 lastPosition;

    // Starts a drag at (x, y).
    void press(int x, int y);
    // The movement since the last position, which becomes (x, y).
    Vector2 moveTo(int x, int y);
};

} // namespace Quorvane
