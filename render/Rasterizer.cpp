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
bool litFaceCorners(int faceIndex, const RenderContext& context, int (&k)[3], int (&m)[3])
{
    return hasFace(faceIndex, context.faceVertexIndices) && hasFace(faceIndex, context.faceNormalIndices)
        && faceCorners(context.faceVertexIndices[static_cast<std::size_t>(faceIndex)],
                       context.vertices.size(), k)
        && faceCorners(context.faceNormalIndices[static_cast<std::size_t>(faceIndex)],
                       context.normals.size(), m);
}

// The Gouraud and Phong fills: the shader records each corner's data in slot
// j, in corner order, before shadePixel(weights, color, context) colours the
// face's pixels. The object colour is a white of the fill's own.
template <typename Shader, typename ShadePixel>
void drawLitFace(int faceIndex, FrameSurface& surface, Shader& shader, const ShadePixel& shadePixel)
{
    const RenderContext& context = renderContext;
    const Color color(1, 1, 1, 1);
    int k[3], m[3];
    if (!litFaceCorners(faceIndex, context, k, m))
        return;
    Vector3 i_vtx[3];
    for (int j = 0; j < 3; ++j)
        i_vtx[j] = shader.shadeVertex(context.vertices[static_cast<std::size_t>(k[j])],
                                      context.normals[static_cast<std::size_t>(m[j])], j, color, context);
    fillTriangle(i_vtx[0], i_vtx[1], i_vtx[2], surface,
                 [&](const Vector3& vec) { return shadePixel(vec, color, context); });
}

} // namespace

void drawFaceFlat(int faceIndex, Color color, FrameSurface& surface)
{
    const RenderContext& context = renderContext;
    int k[3];
    if (!hasFace(faceIndex, context.faceVertexIndices)
        || !faceCorners(context.faceVertexIndices[static_cast<std::size_t>(faceIndex)],
                        context.vertices.size(), k))
        return;
    const Vector3& p0 = context.vertices[static_cast<std::size_t>(k[0])];
    const Vector3& p1 = context.vertices[static_cast<std::size_t>(k[1])];
    const Vector3& p2 = context.vertices[static_cast<std::size_t>(k[2])];
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
                [](const Vector3& vec, const Color&, const RenderContext& context) {
                    return gouraudShader.shadePixel(vec, context);
                });
}

void drawFacePhong(int faceIndex, FrameSurface& surface)
{
    drawLitFace(faceIndex, surface, phongShader,
                [](const Vector3& vec, const Color& color, const RenderContext& context) {
                    return phongShader.shadePixel(vec, color, context);
                });
}

} // namespace Quorvane
