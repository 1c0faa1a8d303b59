// Compiled for AVX2 alone (see render/CMakeLists.txt) and called only after
// processorHasAvx2(): it calls no inline function of another header, whose
// AVX2 copy the linker could otherwise choose for the rest of the program.
#include "render/ScreenTransform.h"

#include "render/LanesAvx2.h"
#include "render/Transform.h"

namespace Quorvane {

namespace {

using namespace LanesAvx2;

struct Lanes4 {
    __m256 x, y, z, w;
};

// Component j of row, read by name: Vector4's operator[] is an inline function.
float component(const Vector4& row, int j)
{
    return j == 0 ? row.x : j == 1 ? row.y : j == 2 ? row.z : row.w;
}

// Matrix4::transform of eight vectors, lane by lane in its order:
// ((x m0j + y m1j) + z m2j) + w m3j for each component j.
Lanes4 transformLanes(const Matrix4& matrix, const Lanes4& v)
{
    __m256 result[4];
    for (int j = 0; j < 4; ++j) {
        __m256 sum = _mm256_mul_ps(v.x, _mm256_set1_ps(component(matrix.rows[0], j)));
        sum = _mm256_add_ps(sum, _mm256_mul_ps(v.y, _mm256_set1_ps(component(matrix.rows[1], j))));
        sum = _mm256_add_ps(sum, _mm256_mul_ps(v.z, _mm256_set1_ps(component(matrix.rows[2], j))));
        result[j] = _mm256_add_ps(sum, _mm256_mul_ps(v.w, _mm256_set1_ps(component(matrix.rows[3], j))));
    }
    return {result[0], result[1], result[2], result[3]};
}

} // namespace

// transformVertex lane by lane: each intrinsic is one IEEE single-precision
// operation, in its order, and -y is a sign flip as in C++.
void transformVerticesAvx2(const Vector3* positions, std::size_t count, const RenderContext& context,
                           Vector3* screen)
{
    const __m256 one = _mm256_set1_ps(1.0f);
    const __m256 half = _mm256_set1_ps(250.0f);
    const __m256 sign = _mm256_set1_ps(-0.0f);
    std::size_t i = 0;
    for (; i + lanes <= count; i += lanes) {
        const Lanes3 position = loadEight(positions + i);
        const Lanes4 model{position.x, position.y, position.z, one};
        const Lanes4 projected = transformLanes(context.projection, transformLanes(context.view, model));
        const __m256 px = _mm256_div_ps(projected.x, projected.w);
        const __m256 py = _mm256_div_ps(projected.y, projected.w);
        const __m256 pz = _mm256_div_ps(projected.z, projected.w);
        alignas(32) float x[lanes], y[lanes], z[lanes];
        _mm256_store_ps(x, _mm256_mul_ps(_mm256_add_ps(px, one), half));
        _mm256_store_ps(y, _mm256_mul_ps(_mm256_add_ps(_mm256_xor_ps(py, sign), one), half));
        _mm256_store_ps(z, _mm256_mul_ps(_mm256_add_ps(pz, one), half));
        for (int k = 0; k < lanes; ++k) {
            screen[i + k].x = x[k];
            screen[i + k].y = y[k];
            screen[i + k].z = z[k];
        }
    }
    for (; i < count; ++i) {
        const Vector3 vertex = transformVertex(positions[i], context);
        screen[i].x = vertex.x;
        screen[i].y = vertex.y;
        screen[i].z = vertex.z;
    }
}

} // namespace Quorvane
