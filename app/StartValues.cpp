#include "app/StartValues.h"

namespace Quorvane {

void applyStartValues(Camera& camera, Light& light)
{
    camera.position = Vector3(0, 0, 1.5f);
    light.diffuse.direction = Vector3(-1, -1, -1);
    light.diffuse.color = Color(1, 1, 1, 1);
    light.specular.direction = Vector3(-1, -1, -1);
    light.specular.color = Color(1, 1, 1, 1);
}

} // namespace Quorvane
