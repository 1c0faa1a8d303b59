#pragma once

#include "scene/Camera.h"
#include "scene/DragTracker.h"
#include "scene/Light.h"
#include "scene/Mesh.h"
#include "scene/Modes.h"

namespace Quorvane {

// The scene values a newly opened model resets.
struct SceneState {
    Mesh& mesh;
    RenderMode& renderMode;
    ShadingMode& shadingMode;
    Camera& camera;
    Light& light;
    DragTracker& dragTracker;
};

// Shows opened in place of the current model, from the start: the eye and
// the light take their start values, the view is shaded with flat shading as
// at start-up, and a drag in progress ends. Returns the toggle button's text
// for that view. The shell then renders one frame.
const char* showOpenedModel(Mesh&& opened, const SceneState& scene);

} // namespace Quorvane
