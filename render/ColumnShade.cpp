#include "render/ColumnShade.h"

#include "render/FastFill.h"
#include "render/Shaders.h"

#include <algorithm>
#include <bit>
#include <cstddef>

namespace Quorvane {

void shadeColumnPortable(const ColumnCells& cells, const PassedRows& stored, int x,
                         const ShadingInputs& inputs, std::uint32_t* values)
{
    std::fill(values, values + FrameSurface::height, 0u);
    GouraudShader gouraud;
    PhongShader phong;
    const Color white(1, 1, 1, 1);
    int shaderFace = -1; // the face whose corners the shaders hold
    for (int y = stored.first; y <= stored.last; ++y) {
        const int faceIndex = cells.face[y];
        if (faceIndex < 0)
            continue;
        const FaceShading& face = inputs.faces[faceIndex];
        if (inputs.shadingMode == shadingModeFlat) {
            values[y] = face.flatValue;
            continue;
        }
        if (faceIndex != shaderFace) {
            shaderFace = faceIndex;
            for (int j = 0; j < 3; ++j) {
                const int normal = face.normals[j];
                gouraud.vertexColors[j] =
                    inputs.shadingMode == shadingModeGouraud ? inputs.cornerColors[normal] : white;
                phong.vertexNormals[j] = inputs.normals[normal];
                phong.vertexPositions[j] = inputs.positions[face.positions[j]];
            }
        }
        const Vector3 weights =
            pixelWeights(inputs.edges[faceIndex], static_cast<float>(x), static_cast<float>(y));
        values[y] = inputs.shadingMode == shadingModeGouraud
                      ? gouraud.shadePixel(weights, *inputs.context)
                      : phong.shadePixelWithFifthPower(weights, white, *inputs.context);
    }
}

bool grayChannels(ShadingMode shadingMode, const Light& light)
{
    const auto gray = [](const Color& color) {
        const auto bits = [](float channel) { return std::bit_cast<std::uint32_t>(channel); };
        return bits(color.r) == bits(color.g) && bits(color.g) == bits(color.b);
    };
    return gray(light.diffuse.color) && (shadingMode != shadingModePhong || gray(light.specular.color));
}

ColumnShade columnShade(PixelKernels kernels)
{
    return kernels == PixelKernels::avx2 ? shadeColumnAvx2 : shadeColumnPortable;
}

} // namespace Quorvane
