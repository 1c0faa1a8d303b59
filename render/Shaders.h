#pragma once

#include "math/Color.h"
#include "math/Vector.h"
#include "render/RenderContext.h"

#include <cstdint>

namespace Quorvane {

// The three lighting models. shadeVertex is called for corners 0, 1 and 2 of a
// face and returns the corner's screen position; shadePixel returns the value
// of one pixel of that face. All light with the context's diffuse light and a
// fixed ambient 0.1; a colour with red, green or blue above 1 becomes white.

struct FlatShader {
    Vector3 shadeVertex(const Vector3& position, const RenderContext& context) const;
    // One colour for the whole face, from its model-space normal. objectColor
    // is not consulted: the face starts from white.
    std::uint32_t shadePixel(const Color& objectColor, const Vector3& faceNormal,
                             const RenderContext& context) const;
};

struct GouraudShader {
    Color vertexColors[3]; // lit colour of each corner of the current face, no ambient

    // Records the lit colour of corner (0 to 2; another value records nothing).
    Vector3 shadeVertex(const Vector3& position, const Vector3& normal, int corner, const Color& objectColor,
                        const RenderContext& context);
    // The corner colours blended by weights, plus the ambient term.
    std::uint32_t shadePixel(const Vector3& weights, const RenderContext& context) const;
};

struct PhongShader {
    Vector3 vertexNormals[3];   // as stored in the model, not transformed
    Vector3 vertexPositions[3]; // model space

    // Records the normal and position of corner (0 to 2; another value records nothing).
    Vector3 shadeVertex(const Vector3& position, const Vector3& normal, int corner, const Color& objectColor,
                        const RenderContext& context);
    // Diffuse light and a specular highlight (exponent 5) from the interpolated
    // normal and position, seen from the context camera's position.
    std::uint32_t shadePixel(const Vector3& weights, const Color& objectColor,
                             const RenderContext& context) const;
    // The same value, with the fifth power taken by fifthPower instead of the
    // double-precision power function, a tenth of a fast Phong frame.
    std::uint32_t shadePixelWithFifthPower(const Vector3& weights, const Color& objectColor,
                                           const RenderContext& context) const;
};

extern FlatShader flatShader;
extern GouraudShader gouraudShader;
extern PhongShader phongShader;

} // namespace Quorvane
