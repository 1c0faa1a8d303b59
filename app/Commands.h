#pragma once

#include "scene/Modes.h"

namespace Quorvane {

// The commands that the buttons, the menu and the accelerators send.
constexpr int commandAbout = 104;
constexpr int commandExit = 105;
constexpr int commandToggle = 3301;
constexpr int commandFlatShading = 3302;
constexpr int commandGouraudShading = 3303;
constexpr int commandPhongShading = 3304;

// The toggle button names the view its next click switches to: "Mesh" while
// the shaded picture shows (as at start-up), "Color" while the wireframe does.
constexpr const char* meshButtonText = "Mesh";
constexpr const char* colorButtonText = "Color";

// What the shell does after a command.
enum class CommandAction {
    showAbout,         // open the About box modally
    exit,              // close the main window; the program ends with code 0
    repaint,           // render one frame before returning
    defaultProcessing, // not ours: pass it on to the window system
};

struct CommandResult {
    CommandAction action = CommandAction::defaultProcessing;
    const char* toggleText = nullptr; // the toggle button's new text; null keeps it
};

// Applies command id to the two modes. The toggle switches 102 (shaded) and
// 101 (wireframe) and leaves any other render mode as it is; the shading
// commands store their model even while the wireframe shows. Both always ask
// for a repaint, so choosing the active model still renders a frame.
CommandResult applyCommand(int id, RenderMode& renderMode, ShadingMode& shadingMode);

} // namespace Quorvane
