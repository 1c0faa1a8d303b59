#pragma once

#include "scene/Camera.h"
#include "scene/Light.h"
#include "scene/Mesh.h"
#include "scene/Modes.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace Quorvane {

// Our benchmark scene drawn by Mesa's llvmpipe through OSMesa, the peer our
// frame times are measured against: 500 x 500 RGBA and depth, the frame
// driver's camera, the start light, and per view the same lighting as our
// shaders (flat per face, Gouraud per corner, Phong per pixel, overflow to
// white), interpolated without perspective correction as ours is.
class LlvmpipeRenderer {
public:
    LlvmpipeRenderer();
    ~LlvmpipeRenderer();
    LlvmpipeRenderer(const LlvmpipeRenderer&) = delete;
    LlvmpipeRenderer& operator=(const LlvmpipeRenderer&) = delete;

    // Empty when the context and the three shader programs are ready; else
    // what went wrong, and nothing else may be called.
    const std::string& error() const;

    // GL_RENDERER of the context, e.g. "llvmpipe (LLVM 15.0.6, 256 bits)".
    std::string rendererName() const;

    // Uploads the faces of mesh (three corners each, positions, corner
    // normals and the face's triangleNormal) once; faces with an index
    // outside the lists are left out.
    void setMesh(const Mesh& mesh);

    // Sets the eye and the light for the following frames.
    void setScene(const Camera& camera, const Light& light);

    // One timed frame: clear, draw, glFinish, and glReadPixels of the RGBA
    // frame into pixels (500 * 500 values, bottom row first, as GL reads).
    void renderFrame(ShadingMode mode, std::vector<std::uint32_t>& pixels);

private:
    struct State;
    std::unique_ptr<State> state_;
};

} // namespace Quorvane
