#include "render/RenderContext.h"

namespace Quorvane {

RenderContext renderContext;

void setTransforms(const Camera& camera, const Matrix4& view, const Matrix4& projection, const Matrix4& model)
{
    renderContext.camera = camera;
    renderContext.view = view;
    renderContext.projection = projection;
    renderContext.model = model;
}

void setScene(const Light& light, const Mesh& mesh)
{
    renderContext.light = light;
    renderContext.vertices = mesh.vertices;
    renderContext.uvs = mesh.uvs;
    renderContext.normals = mesh.normals;
    renderContext.faceVertexIndices = mesh.faceVertexIndices;
    renderContext.faceUVIndices = mesh.faceUVIndices;
    renderContext.faceNormalIndices = mesh.faceNormalIndices;
}

} // namespace Quorvane
