#include "render/Shaders.h"

#include "math/Geometry.h"
#include "render/Transform.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <utility>

namespace Quorvane {
namespace {

// The start-up light: both directions (-1, -1, -1), both colours white.
RenderContext litContext()
{
    RenderContext context;
    context.light.diffuse.direction = Vector3(-1, -1, -1);
    context.light.specular.direction = Vector3(-1, -1, -1);
    return context;
}

std::uint32_t grey(std::uint32_t level)
{
    return (level << 16) | (level << 8) | level;
}

const Color white(1, 1, 1, 1);

TEST(FlatShaderColor, FacingTheLightOverflowsToWhite)
{
    EXPECT_EQ(flatShader.shadePixel(white, {1, 1, 1}, litContext()), 0x00ffffffu);
}

TEST(FlatShaderColor, TurnedAwayGetsTheAmbientTermAlone)
{
    const RenderContext context = litContext();
    EXPECT_EQ(flatShader.shadePixel(white, {-1, -1, -1}, context), grey(25));
    EXPECT_EQ(flatShader.shadePixel(white, {1, -1, 0}, context), grey(25)); // cosine 0
}

TEST(FlatShaderColor, OverflowInOneChannelTurnsTheWholeColourWhite)
{
    RenderContext context = litContext();
    context.light.diffuse.color = Color(1, 0.5f, 0, 1);
    EXPECT_EQ(flatShader.shadePixel(white, {1, 1, 1}, context), 0x00ffffffu);
    // One channel reaches exactly 1 (0.9f + 0.1f rounds to 1.0f): no
    // overflow, so the others keep their own values, 0.6 and 0.3.
    context.light.diffuse.direction = Vector3(0, 0, -1);
    const std::pair<Color, std::uint32_t> exactlyOne[] = {
        {Color(0.9f, 0.5f, 0.2f, 1), (76u << 16) | (153u << 8) | 255u},
        {Color(0.2f, 0.9f, 0.5f, 1), (153u << 16) | (255u << 8) | 76u},
        {Color(0.5f, 0.2f, 0.9f, 1), (255u << 16) | (76u << 8) | 153u},
    };
    for (const auto& [light, pixel] : exactlyOne) {
        context.light.diffuse.color = light;
        EXPECT_EQ(flatShader.shadePixel(white, {0, 0, 1}, context), pixel) << std::hex << pixel;
    }
}

TEST(FlatShaderColor, ScalesTheLightColourByTheCosine)
{
    // Light straight down -z onto a face whose normal is +z: cosine 1. A
    // colour of (0.25, 0.75, 0) plus ambient is (0.35, 0.85, 0.1): 89, 216, 25.
    RenderContext context;
    context.light.diffuse.direction = Vector3(0, 0, -1);
    context.light.diffuse.color = Color(0.25f, 0.75f, 0, 1);
    EXPECT_EQ(flatShader.shadePixel(white, {0, 0, 1}, context), (25u << 16) | (216u << 8) | 89u);
    // The normal's length does not matter.
    EXPECT_EQ(flatShader.shadePixel(white, {0, 0, 7}, context), (25u << 16) | (216u << 8) | 89u);
}

TEST(FlatShaderColor, PlacesCornersWithTheVertexTransformation)
{
    RenderContext context = litContext();
    context.view = viewMatrix(Quaternion(), {0.2f, 0.1f, 2});
    context.projection = perspective(1.5708f, 1, 1, 10);
    const Vector3 expected = transformVertex({0.3f, -0.4f, 0.5f}, context);
    const Vector3 flat = flatShader.shadeVertex({0.3f, -0.4f, 0.5f}, context);
    GouraudShader gouraud;
    PhongShader phong;
    const Vector3 lit = gouraud.shadeVertex({0.3f, -0.4f, 0.5f}, {0, 0, 1}, 0, white, context);
    const Vector3 specular = phong.shadeVertex({0.3f, -0.4f, 0.5f}, {0, 0, 1}, 0, white, context);
    for (const Vector3& v : {flat, lit, specular}) {
        EXPECT_EQ(v.x, expected.x);
        EXPECT_EQ(v.y, expected.y);
        EXPECT_EQ(v.z, expected.z);
    }
}

TEST(GouraudShaderColor, RecordsTheLitCornerColourWithoutAmbient)
{
    RenderContext context;
    context.light.diffuse.direction = Vector3(0, 0, -1);
    context.light.diffuse.color = Color(0.25f, 0.75f, 0, 1);
    GouraudShader shader;
    shader.shadeVertex({0, 0, 0}, {0, 0, 1}, 1, white, context);
    shader.shadeVertex({0, 0, 0}, {0, 0, -1}, 2, white, context);
    EXPECT_EQ(shader.vertexColors[1].r, 0.25f);
    EXPECT_EQ(shader.vertexColors[1].g, 0.75f);
    EXPECT_EQ(shader.vertexColors[1].b, 0.0f);
    EXPECT_EQ(shader.vertexColors[2].r, 0.0f); // turned away: no diffuse light
    EXPECT_EQ(shader.vertexColors[0].r, 1.0f); // slot 0 untouched: still white
}

TEST(GouraudShaderColor, BlendsTheCornersAndAddsAmbient)
{
    GouraudShader shader;
    shader.vertexColors[0] = Color(0.25f, 0.75f, 0, 1);
    shader.vertexColors[1] = Color(0, 0, 0, 1);
    shader.vertexColors[2] = Color(0.75f, 0.75f, 0.75f, 1);
    const RenderContext context;
    EXPECT_EQ(shader.shadePixel({1, 0, 0}, context), (25u << 16) | (216u << 8) | 89u);
    EXPECT_EQ(shader.shadePixel({0, 1, 0}, context), grey(25));
    // 0.5 * 0.25 + 0.5 * 0.75 = 0.5, plus 0.1: 153 would need exactly 0.6, so
    // red and blue land on 152 or 153; the blend must not be the first corner.
    const std::uint32_t mixed = shader.shadePixel({0.5f, 0, 0.5f}, context);
    EXPECT_EQ((mixed >> 8) & 0xff, 216u); // 0.75 either way
    EXPECT_GE(mixed & 0xff, 152u);
    EXPECT_LE(mixed & 0xff, 153u);
}

TEST(PhongShaderColor, IsWhiteWhereTheHighlightPointsAtTheEye)
{
    // The specular light travels down -z onto a +z normal and is reflected
    // straight back to the eye on the +z axis.
    RenderContext context;
    context.camera.position = Vector3(0, 0, 1.5f);
    context.light.diffuse.direction = Vector3(0, 0, 1); // from behind: no diffuse
    context.light.specular.direction = Vector3(0, 0, -1);
    PhongShader shader;
    for (int corner = 0; corner < 3; ++corner)
        shader.shadeVertex({0, 0, 0}, {0, 0, 1}, corner, white, context);
    EXPECT_EQ(shader.shadePixel({1, 0, 0}, white, context), 0x00ffffffu);
    // The specular colour is not multiplied by the object colour.
    context.light.specular.color = Color(0.4f, 0.25f, 0, 1);
    EXPECT_EQ(shader.shadePixel({1, 0, 0}, Color(0, 0, 0, 1), context), (25u << 16) | (89u << 8) | 127u);
}

TEST(PhongShaderColor, RaisesTheHighlightCosineToTheFifthPower)
{
    // Light along (0.8, 0, -0.6) onto a +z normal is reflected along
    // (0.8, 0, 0.6): cosine 0.6 to the eye above. 0.6^5 + 0.1 = 0.17776
    // gives 45; the fourth power would give 58, the sixth 37.
    RenderContext context;
    context.camera.position = Vector3(0, 0, 1.5f);
    context.light.diffuse.direction = Vector3(0, 0, 1); // from behind: no diffuse
    context.light.specular.direction = Vector3(0.8f, 0, -0.6f);
    PhongShader shader;
    for (int corner = 0; corner < 3; ++corner)
        shader.shadeVertex({0, 0, 0}, {0, 0, 1}, corner, white, context);
    EXPECT_EQ(shader.shadePixel({1, 0, 0}, white, context), grey(45));
}

TEST(PhongShaderColor, AddsNoHighlightAtANegativeCosine)
{
    RenderContext context;
    context.camera.position = Vector3(0, 0, 1.5f);
    context.light.diffuse.direction = Vector3(0, 0, 1);
    context.light.specular.direction = Vector3(0, 0, 1); // reflected away from the eye
    PhongShader shader;
    for (int corner = 0; corner < 3; ++corner)
        shader.shadeVertex({0, 0, 0}, {0, 0, 1}, corner, white, context);
    EXPECT_EQ(shader.shadePixel({1, 0, 0}, white, context), grey(25));
}

TEST(PhongShaderColor, MatchesTheFlatDiffuseForEqualNormals)
{
    // The specular light is turned so that its reflection leaves the eye behind.
    RenderContext context = litContext();
    context.camera.position = Vector3(0, 0, 1.5f);
    context.light.specular.direction = Vector3(0, 0, 1);
    const Vector3 normal(0.2f, 0.3f, 0.9f);
    PhongShader shader;
    for (int corner = 0; corner < 3; ++corner)
        shader.shadeVertex({0, 0, 0}, normal, corner, white, context);
    EXPECT_EQ(shader.shadePixel({0.25f, 0.5f, 0.25f}, white, context),
              flatShader.shadePixel(white, normal, context));
}

TEST(PhongShaderColor, RecordsNormalsAndPositionsUnchanged)
{
    PhongShader shader;
    const RenderContext context;
    shader.shadeVertex({1, 2, 3}, {0, 5, 0}, 2, white, context);
    EXPECT_EQ(shader.vertexPositions[2].y, 2.0f);
    EXPECT_EQ(shader.vertexNormals[2].y, 5.0f);
    EXPECT_EQ(shader.vertexNormals[0].y, 0.0f);
}

} // namespace
} // namespace Quorvane
