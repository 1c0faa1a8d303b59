#include "app/FrameDriver.h"

#include "math/Geometry.h"
#include "math/Matrix.h"
#include "render/DepthBuffer.h"
#include "render/Rasterizer.h"
#include "render/RenderContext.h"
#include "render/Wireframe.h"

#include <cstddef>

namespace Quorvane {

namespace {

constexpr int surfaceSize = 500;
constexpr float fieldOfView = 1.5708f; // radians, vertical
constexpr float aspectRatio = 1.0f;
constexpr float nearPlane = 1.0f;
constexpr float farPlane = 10.0f;

// The frame's camera, matrices and light; the model matrix is the identity,
// stored for completeness and applied by no stage.
RenderContext frameTransforms(const Camera& camera, const Light& light)
{
    RenderContext context;
    context.camera = camera;
    context.view = viewMatrix(camera.rotation, camera.position);
    context.projection = perspective(fieldOfView, aspectRatio, nearPlane, farPlane);
    context.model = Matrix4(Quaternion(0, 0, 0, 0), Vector3(0, 0, 0));
    context.light = light;
    return context;
}

} // namespace

// 1. Reset the depth buffer.
// 2. Build the model (identity), projection and view matrices.
// 3. Load copies of the camera, matrices, light and mesh into renderContext.
// 4. Draw the edges or fill the faces into the surface.
void renderFrame(FrameSurface& surface, RenderMode renderMode, ShadingMode shadingMode, const Camera& camera,
                 const Light& light, const Mesh& mesh)
{
    resetDepthBuffer(surfaceSize, surfaceSize);
    // The zero quaternion's rotation block is the identity, so the model
    // matrix is too; it is stored for completeness and applied by no stage.
    const Matrix4 model(Quaternion(0, 0, 0, 0), Vector3(0, 0, 0));
    const Matrix4 projection = perspective(fieldOfView, aspectRatio, nearPlane, farPlane);
    const Matrix4 view = viewMatrix(camera.rotation, camera.position);
    setTransforms(camera, view, projection, model);
    setScene(light, mesh);

    const Color baseColor(1, 1, 1, 1);
    if (renderMode == renderModeWireframe)
        drawWireframe(mesh, baseColor, surface);
    else if (renderMode == renderModeShaded)
        drawShadedFaces(baseColor, shadingMode, surface);
}

void renderFrame(FrameRenderer& renderer, FrameSurface& surface, RenderMode renderMode,
                 ShadingMode shadingMode, const Camera& camera, const Light& light, const Mesh& mesh)
{
    renderer.render(surface, renderMode, shadingMode, frameTransforms(camera, light), mesh);
}

void drawShadedFaces(Color baseColor, ShadingMode mode, FrameSurface& surface)
{
    // The mode is the same for every face, so it is examined once; the faces
    // are still filled strictly in list order.
    const int faceCount = static_cast<int>(renderContext.faceVertexIndices.size());
    switch (mode) {
    case shadingModeFlat:
        for (int i = 0; i < faceCount; ++i)
            drawFaceFlat(i, baseColor, surface);
        break;
    case shadingModeGouraud:
        for (int i = 0; i < faceCount; ++i)
            drawFaceGouraud(i, surface);
        break;
    case shadingModePhong:
        for (int i = 0; i < faceCount; ++i)
            drawFacePhong(i, surface);
        break;
    default:
        break;
    }
}

} // namespace Quorvane
