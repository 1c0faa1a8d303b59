#include "render/FrameRenderer.h"

#include "render/ProcessorFeatures.h"

#include "app/FrameDriver.h"
#include "app/StartUp.h"
#include "bench/SphereModel.h"
#include "tests/RenderTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace Quorvane {
namespace {

// Faces that stress the fill's corner cases: slivers, a face edge-on to the
// start eye, faces far larger and far smaller than a pixel, corners in and
// behind the eye's planes, a NaN and a huge corner, a zero normal, the same
// face twice (equal depths keep the first), and index entries outside the
// lists or not numbers at all.
Mesh hostileMesh()
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    Mesh mesh;
    mesh.vertices = {
        {-0.9f, -0.9f, 0},    {0.9f, 0.9f, 0},        {0.9f, 0.9001f, 0},     // 1-3 sliver
        {0, -0.5f, 0.3f},     {0, 0.5f, 0.3f},        {0, 0, -1},             // 4-6 edge-on
        {-100, -100, -2},     {100, -100, -2},        {0, 100, -2},           // 7-9 huge
        {0.01f, 0.01f, 0.2f}, {0.0101f, 0.01f, 0.2f}, {0.01f, 0.0101f, 0.2f}, // 10-12 tiny
        {-0.4f, -0.3f, 1.5f}, {0.5f, -0.2f, 0.4f},    {0.1f, 0.6f, 2.5f},     // 13-15 eye planes
        {nan, 0, 0},          {1e30f, 0, 0},          {-0.3f, 0.2f, -0.5f},   // 16-18
    };
    mesh.normals = {{0, 0, 1}, {1, 0.2f, 0.3f}, {0, 0, 0}, {-0.5f, 0.5f, 0.7f}};
    // clang-format off
    mesh.faceVertexIndices = {
        {1, 2, 3}, {4, 5, 6}, {7, 8, 9}, {10, 11, 12}, {13, 14, 15}, {15, 14, 18},
        {16, 1, 2}, {17, 2, 18}, {1, 17, 14}, {13, 14, 15}, {1, 2, 99}, {0, 1, 2},
        {nan, 1, 2}, {-1e10f, 1, 2}, {2, 14, 18}, {3, 14, 1},
    };
    mesh.faceUVIndices.assign(mesh.faceVertexIndices.size(), {1, 1, 1});
    mesh.faceNormalIndices = {
        {1, 2, 4}, {2, 2, 2}, {1, 1, 1}, {4, 3, 2}, {1, 2, 4}, {4, 1, 2},
        {1, 1, 1}, {2, 2, 2}, {1, 4, 2}, {2, 4, 1}, {1, 1, 1}, {1, 1, 1},
        {1, 1, 1}, {1, 1, 1}, {5, 1, 1}, {3, 3, 3},
    };
    // clang-format on
    return mesh;
}

Mesh loaded(const std::string& path)
{
    Mesh mesh;
    EXPECT_EQ(loadMesh(path.c_str(), mesh), MeshLoadStatus::loaded) << path;
    return mesh;
}

struct View {
    RenderMode renderMode;
    ShadingMode shadingMode;
};

// Every scene rendered by the straightforward code and by the fast path with
// 1, 2, 3 and 8 threads, each kernel choice with one thread and with several,
// must give the same bytes: eyes from the start view through, at and behind
// the model, every view, meshes from the head to the hostile one.
TEST(FrameRendererFrames, EqualTheStraightforwardFramesForEveryThreadCount)
{
    Testing::freshDepthBuffer();
    const Mesh meshes[] = {
        loaded(std::string(QUORVANE_SOURCE_DIR) + "/data/head.obj"),
        loaded(writeSphereObj(12, 16)),
        hostileMesh(),
    };
    const View views[] = {{renderModeWireframe, shadingModeFlat},
                          {renderModeShaded, shadingModeFlat},
                          {renderModeShaded, shadingModeGouraud},
                          {renderModeShaded, shadingModePhong}};
    const Vector3 eyes[] = {{0, 0, 1.5f}, {0, 0, 0.5f},       {0, 0, 0.2f},
                            {0, 0, 0},    {0.3f, 0.1f, 0.6f}, {0, 0, -1.5f}};
    struct NamedRenderer {
        std::unique_ptr<FrameRenderer> renderer;
        const char* kernels;
    };
    std::vector<NamedRenderer> renderers;
    const PixelKernels fastest = fastestPixelKernels();
    for (const auto& [threads, kernels] : {std::pair{1, fastest}, std::pair{2, PixelKernels::portable},
                                           std::pair{3, fastest}, std::pair{8, PixelKernels::portable}})
        renderers.push_back({std::make_unique<FrameRenderer>(threads, kernels),
                             kernels == PixelKernels::avx2 ? "AVX2" : "portable"});
    Camera camera;
    Light light;
    applyStartValues(camera, light);
    int litFrames = 0;
    for (std::size_t meshIndex = 0; meshIndex < std::size(meshes); ++meshIndex) {
        for (const View& view : views) {
            for (const Vector3& eye : eyes) {
                // Inside the head a straightforward frame costs seconds in the
                // sanitizer builds; Gouraud's fill is Phong's, so it is left out.
                if (meshIndex == 0 && view.shadingMode == shadingModeGouraud && eye.x == 0 && eye.z >= 0
                    && eye.z < 1)
                    continue;
                camera.position = eye;
                FrameSurface expected;
                renderFrame(expected, view.renderMode, view.shadingMode, camera, light, meshes[meshIndex]);
                litFrames += Testing::litPixels(expected).empty() ? 0 : 1;
                for (const auto& [renderer, kernels] : renderers) {
                    FrameSurface fast;
                    renderFrame(*renderer, fast, view.renderMode, view.shadingMode, camera, light,
                                meshes[meshIndex]);
                    const std::uint32_t* a = expected.pixels();
                    const std::uint32_t* b = fast.pixels();
                    const auto differing = std::mismatch(a, a + 500 * 500, b);
                    ASSERT_EQ(differing.first, a + 500 * 500)
                        << "mesh " << meshIndex << ", mode " << view.renderMode << '/' << view.shadingMode
                        << ", eye (" << eye.x << ", " << eye.y << ", " << eye.z << "), "
                        << renderer->threadCount() << " threads, " << kernels
                        << " kernels: first difference at pixel " << (differing.first - a);
                }
            }
        }
    }
    // Most scenes draw something; a fast path that drew nothing could not pass.
    EXPECT_GT(litFrames, 55);
}

#if defined(__GNUC__)
// The kernels are chosen by our own reading of the processor; the compiler's
// reading must agree, or AVX2 code could run where it faults.
TEST(FrameRendererKernels, Avx2IsChosenExactlyWhereTheProcessorHasIt)
{
    EXPECT_EQ(processorHasAvx2(), __builtin_cpu_supports("avx2") != 0);
    EXPECT_EQ(fastestPixelKernels() == PixelKernels::avx2, processorHasAvx2());
}
#endif

} // namespace
} // namespace Quorvane
