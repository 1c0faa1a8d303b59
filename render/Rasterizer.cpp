#include "render/Rasterizer.h"

#include "math/Geometry.h"
#include "render/DepthBuffer.h"
#include "render/FaceCorners.h"
#include "render/RenderContext.h"
#include "render/Shaders.h"
#include "render/TriangleFill.h"

#include <cstddef>

namespace Quorvane {

namespace {

bool hasFace(int faceIndex, const std::vector<Vector3>& faceList)
{
    return faceIndex >= 0 && static_cast<std::size_t>(faceIndex) < faceList.size();
}

// Position and normal indices of a face for the Gouraud and Phong fills.
bool litFaceCorners(int faceIndex, const RenderContext& context, int (&positionIndices)[3],
                    int (&normalIndices)[3])
{
    return hasFace(faceIndex, context.faceVertexIndices) && hasFace(faceIndex, context.faceNormalIndices)
        && faceCorners(context.faceVertexIndices[static_cast<std::size_t>(faceIndex)],
                       context.vertices.size(), positionIndices)
        && faceCorners(context.faceNormalIndices[static_cast<std::size_t>(faceIndex)], context.normals.size(),
                       normalIndices);
}

// The Gouraud and Phong fills: the shader records each corner's data in slot
// j, in corner order, before shadePixel(weights, color, context) colours the
// face's pixels. The object colour is a white of the fill's own.
template <typename Shader, typename ShadePixel>
void drawLitFace(int faceIndex, FrameSurface& surface, Shader& shader, const ShadePixel& shadePixel)
{
    const RenderContext& context = renderContext;
    const Color color(1, 1, 1, 1);
    int positionIndices[3], normalIndices[3];
    if (!litFaceCorners(faceIndex, context, positionIndices, normalIndices))
        return;
    Vector3 i_vtx[3];
    for (int j = 0; j < 3; ++j)
        i_vtx[j] = shader.shadeVertex(context.vertices[static_cast<std::size_t>(positionIndices[j])],
                                      context.normals[static_cast<std::size_t>(normalIndices[j])], j, color,
                                      context);
    fillTriangle(i_vtx[0], i_vtx[1], i_vtx[2], surface,
                 [&](const Vector3& weights) { return shadePixel(weights, color, context); });
}

} // namespace

void drawFaceFlat(int faceIndex, Color color, FrameSurface& surface)
{
    const RenderContext& context = renderContext;
    int positionIndices[3];
    if (!hasFace(faceIndex, context.faceVertexIndices)
        || !faceCorners(context.faceVertexIndices[static_cast<std::size_t>(faceIndex)],
                        context.vertices.size(), positionIndices))
        return;
    const Vector3& p0 = context.vertices[static_cast<std::size_t>(positionIndices[0])];
    const Vector3& p1 = context.vertices[static_cast<std::size_t>(positionIndices[1])];
    const Vector3& p2 = context.vertices[static_cast<std::size_t>(positionIndices[2])];
    const Vector3 normal = triangleNormal(p0, p1, p2);
    const Vector3 i_vtx0 = flatShader.shadeVertex(p0, context);
    const Vector3 i_vtx1 = flatShader.shadeVertex(p1, context);
    const Vector3 i_vtx2 = flatShader.shadeVertex(p2, context);
    fillTriangle(i_vtx0, i_vtx1, i_vtx2, surface,
                 [&](const Vector3&) { return flatShader.shadePixel(color, normal, context); });
}

void drawFaceGouraud(int faceIndex, FrameSurface& surface)
{
    drawLitFace(faceIndex, surface, gouraudShader,
                [](const Vector3& weights, const Color&, const RenderContext& context) {
                    return gouraudShader.shadePixel(weights, context);
                });
}

void drawFacePhong(int faceIndex, FrameSurface& surface)
{
    drawLitFace(faceIndex, surface, phongShader,
                [](const Vector3& weights, const Color& color, const RenderContext& context) {
                    return phongShader.shadePixel(weights, color, context);
                });
}

} // namespace Quorvane
