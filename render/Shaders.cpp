#include "render/Shaders.h"

#include "math/FifthPower.h"
#include "math/Geometry.h"
#include "render/Transform.h"

namespace Quorvane {

FlatShader flatShader;
GouraudShader gouraudShader;
PhongShader phongShader;

namespace {

// The fixed ambient term; 0.1f is the float nearest 0.1, 0.10000000149011612.
Color ambient()
{
    return Color(0.1f, 0.1f, 0.1f, 1.0f);
}

constexpr int specularExponent = 5;

// A negative cosine means the light falls on the back: no light. NaN stays NaN
// and reaches toPixel, which makes it 0.
float notNegative(float value)
{
    return value < 0.0f ? 0.0f : value;
}

// The whole colour becomes white when one channel overflows, so a bright face
// does not change hue; a channel of exactly 1 is no overflow.
Color overflowToWhite(const Color& color)
{
    if (color.r > 1.0f || color.g > 1.0f || color.b > 1.0f)
        return Color(1, 1, 1, 1);
    return color;
}

} // namespace

Vector3 FlatShader::shadeVertex(const Vector3& position, const RenderContext& context) const
{
    return transformVertex(position, context);
}

std::uint32_t FlatShader::shadePixel(const Color& /*objectColor*/, const Vector3& faceNormal,
                                     const RenderContext& context) const
{
    const DiffuseLight& diffuse = context.light.diffuse;
    const float intensity = notNegative(cosAngle(faceNormal, -diffuse.direction));
    Color color = Color(1, 1, 1, 1) * diffuse.color;
    color = color * intensity + ambient();
    return toPixel(overflowToWhite(color));
}

Vector3 GouraudShader::shadeVertex(const Vector3& position, const Vector3& normal, int corner,
                                   const Color& objectColor, const RenderContext& context)
{
    const Vector3 screen = transformVertex(position, context);
    const DiffuseLight& diffuse = context.light.diffuse;
    const float intensity = notNegative(cosAngle(normal, -diffuse.direction));
    Color color = objectColor * diffuse.color;
    color = color * intensity;
    if (corner >= 0 && corner < 3)
        vertexColors[corner] = color;
    return screen;
}

std::uint32_t GouraudShader::shadePixel(const Vector3& weights, const RenderContext& /*context*/) const
{
    const Color color0 = vertexColors[0] * weights.x;
    const Color color1 = vertexColors[1] * weights.y;
    const Color color2 = vertexColors[2] * weights.z;
    const Color color = ((color0 + color1) + color2) + ambient();
    return toPixel(overflowToWhite(color));
}

Vector3 PhongShader::shadeVertex(const Vector3& position, const Vector3& normal, int corner,
                                 const Color& /*objectColor*/, const RenderContext& context)
{
    if (corner >= 0 && corner < 3) {
        vertexNormals[corner] = normal;
        vertexPositions[corner] = position;
    }
    return transformVertex(position, context);
}

namespace {

// The Phong pixel, with the specular factor's power as a parameter: the
// power function itself, or fifthPower, its fast equal.
template <typename SpecularPower>
std::uint32_t phongPixel(const PhongShader& shader, const Vector3& weights, const Color& objectColor,
                         const RenderContext& context, SpecularPower specularPower)
{
    const DiffuseLight& diffuse = context.light.diffuse;
    const SpecularLight& specular = context.light.specular;

    // The interpolated normal is not renormalised: cosAngle ignores lengths.
    const Vector3 normal0 = shader.vertexNormals[0] * weights.x;
    const Vector3 normal1 = shader.vertexNormals[1] * weights.y;
    const Vector3 normal2 = shader.vertexNormals[2] * weights.z;
    const Vector3 normal = (normal0 + normal1) + normal2;
    const Vector3 position0 = shader.vertexPositions[0] * weights.x;
    const Vector3 position1 = shader.vertexPositions[1] * weights.y;
    const Vector3 position2 = shader.vertexPositions[2] * weights.z;
    const Vector3 position = (position0 + position1) + position2;

    const float diffuseIntensity = notNegative(-cosAngle(normal, diffuse.direction));
    const Color diffuseColor = objectColor * diffuse.color;

    const Vector3 reflectLight = reflect(specular.direction, normal);
    const Vector3 toEye = context.camera.position - position;
    const float specularFactor = specularPower(notNegative(cosAngle(reflectLight, toEye)));

    const Color color = (diffuseColor * diffuseIntensity + specular.color * specularFactor) + ambient();
    return toPixel(overflowToWhite(color));
}

} // namespace

std::uint32_t PhongShader::shadePixel(const Vector3& weights, const Color& objectColor,
                                      const RenderContext& context) const
{
    return phongPixel(*this, weights, objectColor, context,
                      [](float cosine) { return static_cast<float>(power(cosine, specularExponent)); });
}

std::uint32_t PhongShader::shadePixelWithFifthPower(const Vector3& weights, const Color& objectColor,
                                                    const RenderContext& context) const
{
    static_assert(specularExponent == 5);
    return phongPixel(*this, weights, objectColor, context, fifthPower);
}

} // namespace Quorvane
