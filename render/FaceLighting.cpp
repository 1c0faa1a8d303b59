#include "render/FaceLighting.h"

#include "math/Geometry.h"
#include "render/Shaders.h"

namespace Quorvane {

Color gouraudCornerColor(const Vector3& normal, const Vector3& diffuseDirection, const Color& diffuseColor)
{
    const float cosine = cosAngle(normal, -diffuseDirection);
    const float intensity = cosine < 0.0f ? 0.0f : cosine;
    Color color = Color(1, 1, 1, 1) * diffuseColor;
    color = color * intensity;
    return color;
}

void flatValuesPortable(const Vector3* vertices, FaceShading* faces, std::size_t count,
                        const RenderContext& context)
{
    const FlatShader flat;
    for (std::size_t i = 0; i < count; ++i) {
        const int* corners = faces[i].positions;
        const Vector3 normal =
            triangleNormal(vertices[corners[0]], vertices[corners[1]], vertices[corners[2]]);
        faces[i].flatValue = flat.shadePixel(Color(1, 1, 1, 1), normal, context);
    }
}

void cornerColorsPortable(const Vector3* normals, std::size_t count, const DiffuseLight& diffuse,
                          Color* colors)
{
    for (std::size_t i = 0; i < count; ++i)
        colors[i] = gouraudCornerColor(normals[i], diffuse.direction, diffuse.color);
}

FlatValues flatValues(PixelKernels kernels)
{
    return kernels == PixelKernels::avx2 ? flatValuesAvx2 : flatValuesPortable;
}

CornerColors cornerColors(PixelKernels kernels)
{
    return kernels == PixelKernels::avx2 ? cornerColorsAvx2 : cornerColorsPortable;
}

} // namespace Quorvane
