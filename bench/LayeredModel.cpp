#include "bench/LayeredModel.h"

#include <random>

namespace Quorvane {

Mesh layeredModel(LayeredDepths depths, int faceCount, std::uint64_t seed)
{
    // The engine's output is fixed by the standard; the distributions' are not.
    std::mt19937_64 random(seed);
    const auto uniform = [&random](double low, double high) {
        return static_cast<float>(low + (high - low) * static_cast<double>(random() >> 11) * 0x1p-53);
    };
    constexpr float eyeZ = 1.5f; // the start eye's
    Mesh mesh;
    mesh.normals = {{0, 0, 1}};
    for (int face = 0; face < faceCount; ++face) {
        for (int corner = 0; corner < 3; ++corner) {
            const float x = uniform(-1, 1), y = uniform(-1, 1);
            const float z = depths == LayeredDepths::nearPlane ? eyeZ - uniform(1e-4, 1e-2)
                          : depths == LayeredDepths::crossing  ? uniform(1.3, 1.7)
                          : corner < 2                         ? eyeZ - uniform(0.05, 0.5)
                                                               : eyeZ + uniform(0.05, 0.5);
            mesh.vertices.emplace_back(x, y, z);
        }
        const float first = static_cast<float>(3 * face + 1); // 1-based
        mesh.faceVertexIndices.emplace_back(first, first + 1, first + 2);
        mesh.faceUVIndices.emplace_back(1, 1, 1);
        mesh.faceNormalIndices.emplace_back(1, 1, 1);
    }
    return mesh;
}

} // namespace Quorvane
