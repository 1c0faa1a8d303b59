// Compiled for AVX2 alone and called only after processorHasAvx2(); like
// ColumnFillAvx2.cpp it calls no inline function of another header.
#include "render/FaceLighting.h"

#include "render/LanesAvx2.h"

#include <cstdint>

namespace Quorvane {

namespace {

using namespace LanesAvx2;

// -direction, the way to the light.
Lanes3 towardLight(const DiffuseLight& diffuse)
{
    return {_mm256_set1_ps(-diffuse.direction.x), _mm256_set1_ps(-diffuse.direction.y),
            _mm256_set1_ps(-diffuse.direction.z)};
}

// Color(1, 1, 1, 1) * diffuse.color, channel by channel.
Lanes3 whiteTimes(const Color& color)
{
    return {_mm256_set1_ps(1.0f * color.r), _mm256_set1_ps(1.0f * color.g), _mm256_set1_ps(1.0f * color.b)};
}

// Vertex corner of each of the eight faces from faces.
Lanes3 faceCorner(const Vector3* vertices, const FaceShading* faces, int corner)
{
    alignas(32) float x[lanes], y[lanes], z[lanes];
    for (int k = 0; k < lanes; ++k) {
        const Vector3& vertex = vertices[faces[k].positions[corner]];
        x[k] = vertex.x;
        y[k] = vertex.y;
        z[k] = vertex.z;
    }
    return {_mm256_load_ps(x), _mm256_load_ps(y), _mm256_load_ps(z)};
}

} // namespace

// triangleNormal and FlatShader::shadePixel lane by lane, in their order.
void flatValuesAvx2(const Vector3* vertices, FaceShading* faces, std::size_t count,
                    const RenderContext& context)
{
    const Lanes3 toLight = towardLight(context.light.diffuse);
    const Lanes3 white = whiteTimes(context.light.diffuse.color);
    const __m256 ambient = _mm256_set1_ps(0.1f);
    std::size_t i = 0;
    for (; i + lanes <= count; i += lanes) {
        const Lanes3 a = faceCorner(vertices, faces + i, 0);
        const Lanes3 b = faceCorner(vertices, faces + i, 1);
        const Lanes3 c = faceCorner(vertices, faces + i, 2);
        const Lanes3 normal = normalize(cross(minus(a, b), minus(a, c)));
        const __m256 intensity = notNegative(cosAngle(normal, toLight));
        const Lanes3 color = plus(times(white, intensity), Lanes3{ambient, ambient, ambient});
        alignas(32) std::uint32_t values[lanes];
        _mm256_store_si256(reinterpret_cast<__m256i*>(values), toPixel(color));
        for (int k = 0; k < lanes; ++k)
            faces[i + k].flatValue = values[k];
    }
    flatValuesPortable(vertices, faces + i, count - i, context);
}

// gouraudCornerColor lane by lane, in its order; the alpha stays 1.
void cornerColorsAvx2(const Vector3* normals, std::size_t count, const DiffuseLight& diffuse, Color* colors)
{
    const Lanes3 toLight = towardLight(diffuse);
    const Lanes3 white = whiteTimes(diffuse.color);
    std::size_t i = 0;
    for (; i + lanes <= count; i += lanes) {
        const Lanes3 color = times(white, notNegative(cosAngle(loadEight(normals + i), toLight)));
        alignas(32) float x[lanes], y[lanes], z[lanes];
        _mm256_store_ps(x, color.x);
        _mm256_store_ps(y, color.y);
        _mm256_store_ps(z, color.z);
        for (int k = 0; k < lanes; ++k) {
            colors[i + k].r = x[k];
            colors[i + k].g = y[k];
            colors[i + k].b = z[k];
            colors[i + k].a = 1.0f;
        }
    }
    cornerColorsPortable(normals + i, count - i, diffuse, colors + i);
}

} // namespace Quorvane
