#pragma once

#include "scene/Camera.h"
#include "scene/Light.h"

namespace Quorvane {

// The scene every run starts from: the eye at (0, 0, 1.5) and both light
// directions (-1, -1, -1) with white colours. The entry point applies it right
// after creating the depth buffer.
void applyStartValues(Camera& camera, Light& light);

} // namespace Quorvane
