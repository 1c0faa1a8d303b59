#include "app/ModelSwitch.h"

#include "app/Commands.h"
#include "app/StartUp.h"

#include <utility>

namespace Quorvane {

const char* showOpenedModel(Mesh&& opened, const SceneState& scene)
{
    scene.mesh = std::move(opened);
    scene.renderMode = renderModeShaded;
    scene.shadingMode = shadingModeFlat;
    applyStartValues(scene.camera, scene.light);
    scene.dragTracker.pressed = false;
    return meshButtonText;
}

} // namespace Quorvane
