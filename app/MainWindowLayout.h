#pragma once

#include "app/Commands.h"

namespace Quorvane {

// The main window's outer size, frame and caption included.
constexpr int mainWindowWidth = 630;
constexpr int mainWindowHeight = 550;

// One push button of the main window: its text at start, the command it
// sends, and its place in client coordinates.
struct ButtonLayout {
    const char* text;
    int commandId;
    int x, y, width, height;
};

// The four buttons, in one column right of the 500 x 500 picture; the toggle
// stands alone, 20 pixels above the three shading buttons, which touch. Both
// shells create them from this table, in this order.
constexpr ButtonLayout mainWindowButtons[] = {
    {meshButtonText, commandToggle, 500, 0, 115, 30},
    {"Flat Shading", commandFlatShading, 500, 50, 115, 30},
    {"Gouraud Shading", commandGouraudShading, 500, 80, 115, 30},
    {"Phong Shading", commandPhongShading, 500, 110, 115, 30},
};

} // namespace Quorvane
