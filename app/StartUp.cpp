#include "app/StartUp.h"

#include "render/DepthBuffer.h"
#include "render/FrameSurface.h"

namespace Quorvane {

void applyStartValues(Camera& camera, Light& light)
{
    camera.position = Vector3(0, 0, 1.5f);
    light.diffuse.direction = Vector3(-1, -1, -1);
    light.diffuse.color = Color(1, 1, 1, 1);
    light.specular.direction = Vector3(-1, -1, -1);
    light.specular.color = Color(1, 1, 1, 1);
}

void startUp(Camera& camera, Light& light)
{
    createDepthBuffer(FrameSurface::width, FrameSurface::height);
    applyStartValues(camera, light);
}

} // namespace Quorvane
