#pragma once

#include "scene/Camera.h"
#include "scene/Light.h"

namespace Quorvane {

// The scene every run starts from: the eye at (0, 0, 1.5) and both light
// directions (-1, -1, -1) with white colours. Also what tests and tools reset
// a camera and light to.
void applyStartValues(Camera& camera, Light& light);

// The first step of every program that renders, before any window exists:
// creates the 500 x 500 depth buffer, then applies the start values.
void startUp(Camera& camera, Light& light);

} // namespace Quorvane
