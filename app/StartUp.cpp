#include "app/StartUp.h"

#include "app/StartValues.h"
#include "render/DepthBuffer.h"
#include "render/FrameSurface.h"

namespace Quorvane {

void startUp(Camera& camera, Light& light)
{
    createDepthBuffer(FrameSurface::width, FrameSurface::height);
    applyStartValues(camera, light);
}

} // namespace Quorvane
