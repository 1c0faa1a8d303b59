#pragma once

#include "scene/Camera.h"
#include "scene/Light.h"

namespace Quorvane {

// The entry point's first step, before any window exists: creates the 500 x 500
// depth buffer, then gives camera and light their start values.
void startUp(Camera& camera, Light& light);

} // namespace Quorvane
