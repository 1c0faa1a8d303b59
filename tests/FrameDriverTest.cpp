#include "app/FrameDriver.h"

#include "app/StartUp.h"
#include "bench/SphereModel.h"
#include "render/DepthBuffer.h"
#include "tests/RenderTestSupport.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <string>

namespace Quorvane {
namespace {

using Testing::litPixels;
using Testing::Pixel;

// A unit square in the plane z = 0 around the origin, as two faces. Seen from
// the start eye at (0, 0, 1.5) its edges land at 166.67 and 333.33, so it
// covers columns and rows 167 to 333: 167 * 167 sample points.
constexpr std::size_t squarePixels = 167 * 167;

Mesh square(bool facingEye)
{
    Mesh mesh;
    mesh.vertices = {{-0.5f, -0.5f, 0}, {0.5f, -0.5f, 0}, {0.5f, 0.5f, 0}, {-0.5f, 0.5f, 0}};
    mesh.normals = {{0, 0, facingEye ? 1.0f : -1.0f}};
    if (facingEye)
        mesh.faceVertexIndices = {{1, 2, 3}, {1, 3, 4}};
    else
        mesh.faceVertexIndices = {{1, 3, 2}, {1, 4, 3}};
    mesh.faceUVIndices = {{1, 1, 1}, {1, 1, 1}};
    mesh.faceNormalIndices = {{1, 1, 1}, {1, 1, 1}};
    return mesh;
}

class FrameDriverFrames : public ::testing::Test {
protected:
    void SetUp() override
    {
        Testing::freshDepthBuffer();
        applyStartValues(camera, light);
    }

    FrameSurface render(const Mesh& mesh, RenderMode renderMode, ShadingMode shadingMode)
    {
        FrameSurface surface;
        renderFrame(surface, renderMode, shadingMode, camera, light, mesh);
        return surface;
    }

    std::map<std::uint32_t, std::size_t> histogram(const FrameSurface& surface)
    {
        std::map<std::uint32_t, std::size_t> counts;
        for (const Pixel& p : litPixels(surface))
            ++counts[surface.pixel(p.first, p.second)];
        return counts;
    }

    Camera camera;
    Light light;
};

TEST_F(FrameDriverFrames, FlatSquareFacingTheLightFillsItsPixelsInOneGrey)
{
    const FrameSurface surface = render(square(true), renderModeShaded, shadingModeFlat);
    // cos = 1 / sqrt(3) toward the light from (1, 1, 1); 0.677 * 255 = 172.7.
    const std::map<std::uint32_t, std::size_t> expected = {{0x00acacacu, squarePixels}};
    EXPECT_EQ(histogram(surface), expected);
    EXPECT_EQ(surface.pixel(167, 167), 0x00acacacu);
    EXPECT_EQ(surface.pixel(333, 333), 0x00acacacu);
    EXPECT_EQ(surface.pixel(166, 200), 0u);
    EXPECT_EQ(surface.pixel(334, 200), 0u);
}

TEST_F(FrameDriverFrames, FlatSquareTurnedAwayGetsOnlyTheAmbientGrey)
{
    const FrameSurface surface = render(square(false), renderModeShaded, shadingModeFlat);
    const std::map<std::uint32_t, std::size_t> expected = {{0x00191919u, squarePixels}};
    EXPECT_EQ(histogram(surface), expected);
}

TEST_F(FrameDriverFrames, GouraudAndPhongCoverTheSamePixels)
{
    const Mesh mesh = square(true);
    const std::set<Pixel> gouraud = litPixels(render(mesh, renderModeShaded, shadingModeGouraud));
    const FrameSurface phong = render(mesh, renderModeShaded, shadingModePhong);
    EXPECT_EQ(gouraud.size(), squarePixels);
    EXPECT_EQ(litPixels(phong), gouraud);
    // The highlight adds to the diffuse grey of the centre.
    EXPECT_GT(phong.pixel(250, 250) & 0xff, 172u);
}

TEST_F(FrameDriverFrames, WireframeDrawsOnlyWhiteEdgesAndNoDepths)
{
    const FrameSurface surface = render(square(true), renderModeWireframe, shadingModeFlat);
    const std::map<std::uint32_t, std::size_t> counts = histogram(surface);
    ASSERT_EQ(counts.size(), 1u);
    EXPECT_EQ(counts.begin()->first, 0x00ffffffu);
    EXPECT_EQ(surface.pixel(166, 166), 0x00ffffffu); // a corner, truncated
    EXPECT_EQ(surface.pixel(166, 250), 0x00ffffffu); // the left edge
    EXPECT_EQ(surface.pixel(200, 250), 0u);
    for (int x = 0; x < 500; ++x)
        for (int y = 0; y < 500; ++y)
            ASSERT_EQ(depthBuffer[x][y], emptyDepth);
}

TEST_F(FrameDriverFrames, OtherModesAndEmptyMeshesDrawNothing)
{
    EXPECT_TRUE(litPixels(render(square(true), 103, shadingModeFlat)).empty());
    EXPECT_TRUE(litPixels(render(square(true), renderModeShaded, 1004)).empty());
    EXPECT_TRUE(litPixels(render(Mesh(), renderModeShaded, shadingModeFlat)).empty());
}

TEST_F(FrameDriverFrames, ResetsTheDepthBufferEveryFrame)
{
    const Mesh mesh = square(true);
    const FrameSurface first = render(mesh, renderModeShaded, shadingModeFlat);
    const FrameSurface second = render(mesh, renderModeShaded, shadingModeFlat);
    EXPECT_EQ(litPixels(second).size(), squarePixels);
}

TEST_F(FrameDriverFrames, MovingTheEyeShiftsTheSquare)
{
    // Half a unit right: the square's edges land at 83.33 and 250.
    camera.position = Vector3(0.5f, 0, 1.5f);
    const std::set<Pixel> pixels = litPixels(render(square(true), renderModeShaded, shadingModeFlat));
    EXPECT_EQ(pixels.size(), squarePixels);
    EXPECT_EQ(pixels.begin()->first, 84);
    EXPECT_EQ(pixels.rbegin()->first, 250);
}

// Eyes through, beside and behind a sphere: corners in the camera plane, behind
// the eye and far off screen. Every frame must stay within the surface's
// rules; the sanitizer build checks the memory and the conversions.
TEST(FrameDriverEyeSweep, RendersEveryEyePositionWithinTheSurfaceRules)
{
    Testing::freshDepthBuffer();
    Mesh mesh;
    ASSERT_EQ(loadMesh(writeSphereObj(4, 6).c_str(), mesh), MeshLoadStatus::loaded);
    mesh.faceVertexIndices.push_back({1, 2, 1e30f}); // skipped everywhere
    Camera camera;
    Light light;
    applyStartValues(camera, light);
    const Vector2 sideways[] = {{0, 0}, {-3, 2}, {1e6f, 0}};
    // 1 and 0 put corners in the eye's plane (w = 0), 0.5 puts them nearer
    // than the near plane, the negative values put the sphere behind the eye.
    // Flat and Phong take turns: the fills share one pixel loop.
    const float depths[] = {3, 1, 0.5f, 0, -1, -3};
    int drawnFrames = 0;
    for (int step = 0; step < 6; ++step) {
        const float z = depths[step];
        const ShadingMode shading = step % 2 == 0 ? shadingModeFlat : shadingModePhong;
        for (const Vector2& offset : sideways) {
            camera.position = Vector3(offset.x, offset.y, z);
            FrameSurface surface;
            renderFrame(surface, renderModeShaded, shading, camera, light, mesh);
            for (int i = 0; i < 500; ++i) {
                ASSERT_EQ(surface.pixel(0, i), 0u) << offset.x << ' ' << offset.y << ' ' << z;
                ASSERT_EQ(surface.pixel(i, 0), 0u) << offset.x << ' ' << offset.y << ' ' << z;
            }
            drawnFrames += litPixels(surface).empty() ? 0 : 1;
            FrameSurface wireframe;
            renderFrame(wireframe, renderModeWireframe, shadingModeFlat, camera, light, mesh);
        }
    }
    EXPECT_GT(drawnFrames, 0);
}

} // namespace
} // namespace Quorvane
