#pragma once

#include "math/Color.h"
#include "render/FrameRenderer.h"
#include "render/FrameSurface.h"
#include "scene/Camera.h"
#include "scene/Light.h"
#include "scene/Mesh.h"
#include "scene/Modes.h"

namespace Quorvane {

// Renders one whole frame of the given scene into surface, which the caller
// has just created (all black). Uses and overwrites the renderer's globals:
// depthBuffer (which must already hold 500 x 500 cells), renderContext and the
// shaders. The shells call it with the program's globals; tools and tests with
// scenes of their own.
void renderFrame(FrameSurface& surface, RenderMode renderMode, ShadingMode shadingMode, const Camera& camera,
                 const Light& light, const Mesh& mesh);

// The same frame as renderFrame above, computed by renderer's fast path on
// its threads; touches none of the renderer's globals. The shells and tools
// draw with this one.
void renderFrame(FrameRenderer& renderer, FrameSurface& surface, RenderMode renderMode,
                 ShadingMode shadingMode, const Camera& camera, const Light& light, const Mesh& mesh);

// Fills every face of renderContext's mesh copy, in list order, with the fill
// that belongs to mode; any other mode draws nothing.
void drawShadedFaces(Color baseColor, ShadingMode mode, FrameSurface& surface);

} // namespace Quorvane
