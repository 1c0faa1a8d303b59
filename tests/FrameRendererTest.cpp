#include "render/FrameRenderer.h"

#include "render/FaceSetup.h"
#include "render/ProcessorFeatures.h"

#include "app/FrameDriver.h"
#include "app/StartUp.h"
#include "bench/LayeredModel.h"
#include "bench/SphereModel.h"
#include "tests/RenderTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
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
// face twice (equal depths keep the first, also where the first is turned
// away from the eye and the second to it), a tall face just in front of
// another, a face in the surface's last rows and column, smaller faces on the
// tall front one and just in front of it, and index entries outside the lists
// or not numbers at all.
Mesh hostileMesh()
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    Mesh mesh;
    // clang-format off
    mesh.vertices = {
        {-0.9f, -0.9f, 0},    {0.9f, 0.9f, 0},        {0.9f, 0.9001f, 0},     // 1-3 sliver
        {0, -0.5f, 0.3f},     {0, 0.5f, 0.3f},        {0, 0, -1},             // 4-6 edge-on
        {-100, -100, -2},     {100, -100, -2},        {0, 100, -2},           // 7-9 huge
        {0.01f, 0.01f, 0.2f}, {0.0101f, 0.01f, 0.2f}, {0.01f, 0.0101f, 0.2f}, // 10-12 tiny
        {-0.4f, -0.3f, 1.5f}, {0.5f, -0.2f, 0.4f},    {0.1f, 0.6f, 2.5f},     // 13-15 eye planes
        {nan, 0, 0},          {1e30f, 0, 0},          {-0.3f, 0.2f, -0.5f},   // 16-18
        {-0.7f, -0.6f, 0.1f}, {0.6f, -0.7f, 0.1f},    {0.1f, 0.7f, 0.1f},     // 19-21 tall
        {-0.7f, -0.6f, 0.100001f}, {0.6f, -0.7f, 0.100001f}, {0.1f, 0.7f, 0.100001f}, // 22-24 in front
        {1.47f, -1.47f, 0},   {1.6f, -1.47f, 0},      {1.6f, -1.6f, 0},       // 25-27 last rows and column
        {-0.1f, -0.1f, 0.100001f}, {0.1f, -0.08f, 0.100001f}, {0, 0.1f, 0.100001f},     // 28-30 on 22-24
        {-0.05f, -0.12f, 0.100002f}, {0.12f, -0.1f, 0.100002f}, {0.02f, 0.08f, 0.100002f}, // 31-33 just in front
        {-1.2f, -1.2f, -0.3f}, {-0.75f, -1.2f, -0.3f}, {-1.2f, -0.75f, -0.3f},        // 34-36 both ways
    };
    // clang-format on
    mesh.normals = {{0, 0, 1}, {1, 0.2f, 0.3f}, {0, 0, 0}, {-0.5f, 0.5f, 0.7f}};
    // clang-format off
    mesh.faceVertexIndices = {
        {1, 2, 3}, {4, 5, 6}, {7, 8, 9}, {10, 11, 12}, {13, 14, 15}, {15, 14, 18},
        {16, 1, 2}, {17, 2, 18}, {1, 17, 14}, {13, 14, 15}, {1, 2, 99}, {0, 1, 2},
        {nan, 1, 2}, {-1e10f, 1, 2}, {2, 14, 18}, {3, 14, 1}, {19, 20, 21}, {22, 23, 24}, {25, 26, 27},
        {28, 29, 30}, {31, 32, 33}, {34, 36, 35}, {34, 35, 36},
    };
    mesh.faceUVIndices.assign(mesh.faceVertexIndices.size(), {1, 1, 1});
    mesh.faceNormalIndices = {
        {1, 2, 4}, {2, 2, 2}, {1, 1, 1}, {4, 3, 2}, {1, 2, 4}, {4, 1, 2},
        {1, 1, 1}, {2, 2, 2}, {1, 4, 2}, {2, 4, 1}, {1, 1, 1}, {1, 1, 1},
        {1, 1, 1}, {1, 1, 1}, {5, 1, 1}, {3, 3, 3}, {1, 1, 1}, {4, 4, 4}, {2, 2, 2},
        {1, 2, 4}, {4, 4, 4}, {1, 1, 1}, {2, 2, 2},
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
// the model, every view, meshes from the head to the hostile one and to
// layered ones.
TEST(FrameRendererFrames, EqualTheStraightforwardFramesForEveryThreadCount)
{
    Testing::freshDepthBuffer();
    const Mesh meshes[] = {
        loaded(std::string(QUORVANE_SOURCE_DIR) + "/data/head.obj"),
        loaded(writeSphereObj(12, 16)),
        hostileMesh(),
        // Large faces many deep, filled nearest first: from the start eye only.
        layeredModel(LayeredDepths::nearPlane, 30, 3),
        layeredModel(LayeredDepths::crossing, 30, 3),
        layeredModel(LayeredDepths::straddling, 30, 3),
    };
    constexpr std::size_t firstLayered = 3;
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
                if (meshIndex >= firstLayered && eye.z != eyes[0].z)
                    continue;
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

// Lights of colours other than the start light's white: a lit pixel's three
// channels differ (or, under a gray light, are the same operations on the
// same floats, which the kernels may compute once), Phong's also with only
// the specular light coloured; and a diffuse light from another direction
// than the specular one, of another length.
TEST(FrameRendererFrames, EqualTheStraightforwardFramesInEveryLight)
{
    Testing::freshDepthBuffer();
    const Mesh meshes[] = {loaded(writeSphereObj(12, 16)), hostileMesh()};
    const struct {
        Color diffuse, specular;
        Vector3 diffuseDirection;
    } lights[] = {{{0.9f, 0.9f, 0.2f, 1}, {1, 1, 1, 1}, {-1, -1, -1}},
                  {{1, 1, 1, 1}, {0.4f, 0.9f, 0.4f, 1}, {-1, -1, -1}},
                  {{0.7f, 0.7f, 0.7f, 1}, {0.5f, 0.5f, 0.5f, 1}, {-1, -1, -1}},
                  {{1, 1, 1, 1}, {1, 1, 1, 1}, {0.5f, -2, -0.3f}}};
    Camera camera;
    Light light;
    applyStartValues(camera, light);
    camera.position = Vector3(0.3f, 0.1f, 1.2f);
    for (const auto& colors : lights) {
        light.diffuse.color = colors.diffuse;
        light.specular.color = colors.specular;
        light.diffuse.direction = colors.diffuseDirection;
        for (const Mesh& mesh : meshes) {
            for (const ShadingMode shading : {shadingModeGouraud, shadingModePhong}) {
                FrameSurface expected;
                renderFrame(expected, renderModeShaded, shading, camera, light, mesh);
                for (const PixelKernels kernels : {PixelKernels::portable, fastestPixelKernels()}) {
                    FrameRenderer renderer(1, kernels);
                    FrameSurface fast;
                    renderFrame(renderer, fast, renderModeShaded, shading, camera, light, mesh);
                    EXPECT_TRUE(std::equal(fast.pixels(), fast.pixels() + 500 * 500, expected.pixels()))
                        << "diffuse " << colors.diffuse.r << ", specular " << colors.specular.b << ", mesh "
                        << (&mesh - meshes) << ", shading " << shading << ", kernels "
                        << static_cast<int>(kernels);
                }
            }
        }
    }
}

// A renderer keeps its buffers from frame to frame and empties only what the
// last frame wrote: each frame of a sequence where every frame writes rows
// that the one before wrote otherwise (a wall behind the sphere over the whole
// surface, then the sphere with a strip just short of the last row) must
// still be the straightforward one.
TEST(FrameRendererFrames, KeepNothingOfThePreviousFrame)
{
    Testing::freshDepthBuffer();
    const Mesh sphere = loaded(writeSphereObj(12, 16));
    Mesh wall;
    wall.vertices = {{-10, -10, -2}, {10, -10, -2}, {10, 10, -2}, {-10, 10, -2}};
    wall.normals = {{0, 0, 1}};
    wall.faceVertexIndices = {{1, 2, 3}, {1, 3, 4}};
    wall.faceUVIndices.assign(2, {1, 1, 1});
    wall.faceNormalIndices.assign(2, {1, 1, 1});
    Mesh sphereAndStrip = sphere; // the strip covers rows 497 and 498 from the start eye
    const float stripFirst = static_cast<float>(sphere.vertices.size()) + 1;
    sphereAndStrip.vertices.insert(sphereAndStrip.vertices.end(),
                                   {{-1.4f, -1.481f, 0}, {1.4f, -1.481f, 0}, {0, -1.4905f, 0}});
    sphereAndStrip.faceVertexIndices.push_back({stripFirst, stripFirst + 1, stripFirst + 2});
    sphereAndStrip.faceUVIndices.push_back({1, 1, 1});
    sphereAndStrip.faceNormalIndices.push_back({1, 1, 1});
    const Mesh* sequence[] = {&sphere, &wall, &sphereAndStrip};
    Camera camera;
    Light light;
    applyStartValues(camera, light);
    for (const ShadingMode shading : {shadingModeFlat, shadingModeGouraud}) {
        for (const PixelKernels kernels : {PixelKernels::portable, fastestPixelKernels()}) {
            FrameRenderer renderer(2, kernels);
            for (std::size_t frame = 0; frame < std::size(sequence); ++frame) {
                FrameSurface expected, fast;
                renderFrame(expected, renderModeShaded, shading, camera, light, *sequence[frame]);
                renderFrame(renderer, fast, renderModeShaded, shading, camera, light, *sequence[frame]);
                EXPECT_TRUE(std::equal(fast.pixels(), fast.pixels() + 500 * 500, expected.pixels()))
                    << "frame " << frame << ", shading " << shading << ", kernels "
                    << static_cast<int>(kernels);
                if (frame == 1) { // the wall covers every pixel that is filled
                    EXPECT_EQ(Testing::litPixels(expected).size(), 499u * 499u);
                }
            }
        }
    }
}

// The eight-at-a-time set-up against the face-by-face one, on index entries
// at every edge of cornerIndex (fractions, 0, below -1, NaN, the infinities,
// 2^31 and beyond, one past the list) and screen corners that are NaN, beyond
// the int range, off the surface or tall enough for bounds; lit with fewer
// normal entries than faces, so that the last faces go face by face.
TEST(FrameRendererKernels, SetUpFacesTheSameEightAtATime)
{
    if (!processorHasAvx2()) {
        GTEST_SKIP() << "no AVX2";
    }
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const std::vector<Vector3> screen = {
        {10, 10, 0.5f},           {300, 40, 0.2f},  {120, 480, 0.9f},  {12.5f, 13, 0.1f}, {nan, 50, 0.5f},
        {2147483648.0f, 5, 0.5f}, {-40, 600, 0.3f}, {499.9f, 1, 0.4f}, {250, 200, -2.0f}, {700, 300, 0.5f}};
    // clang-format off
    const float entries[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 0, 0.5f, 1.5f, 10.9f, 0.001f, -0.5f, -1, nan,
                             inf, -inf, 2147483648.0f, 2147483520.0f, 1e10f, -1e10f};
    // clang-format on
    const int entryCount = static_cast<int>(std::size(entries));
    std::vector<Vector3> vertexIndices, normalIndices;
    // Each entry in each corner of a face whose other corners are entries (and
    // in every other face's normals).
    for (int k = 0; k < 6 * entryCount; ++k) {
        const int corner = k % 3;
        float vertex[3] = {entries[k % 10], entries[(k * 7 + 1) % 10], entries[(k * 3 + 2) % 10]};
        float normal[3] = {entries[k % 3], entries[(k + 1) % 3], entries[(k + 2) % 3]};
        vertex[corner] = entries[k / 3 % entryCount];
        if (k % 2 == 0)
            normal[corner] = entries[(k / 3 * 7 + 3) % entryCount];
        vertexIndices.push_back({vertex[0], vertex[1], vertex[2]});
        normalIndices.push_back({normal[0], normal[1], normal[2]});
    }
    const std::size_t faceCount = vertexIndices.size();
    for (const bool lit : {false, true}) {
        FaceSetupInputs inputs;
        inputs.vertexIndices = vertexIndices.data();
        inputs.normalIndices = normalIndices.data();
        inputs.normalFaceCount = faceCount / 2;
        inputs.vertexCount = screen.size();
        inputs.normalCount = 3;
        inputs.screen = screen.data();
        inputs.lit = lit;
        struct Outputs {
            std::vector<FaceSetup> faces;
            std::vector<FaceShading> shading;
            std::vector<FaceEdges> edges;
            std::vector<FaceBounds> bounds;
        } portable{}, avx2{};
        for (Outputs* out : {&portable, &avx2}) {
            out->faces.resize(faceCount);
            out->shading.resize(faceCount);
            out->edges.resize(faceCount);
            out->bounds.resize(faceCount);
        }
        const auto run = [&](FaceSetUp setUp, Outputs& out, std::size_t first) {
            return setUp(inputs, first, faceCount,
                         {out.faces.data(), out.shading.data(), out.edges.data(), out.bounds.data()});
        };
        // From 3, so that the eights start away from the list's start.
        const std::int64_t portableTallPixels = run(setUpFacesPortable, portable, 3);
        EXPECT_EQ(run(setUpFacesAvx2, avx2, 3), portableTallPixels);
        int drawn = 0, tall = 0;
        std::int64_t tallPixels = 0;
        for (std::size_t i = 3; i < faceCount; ++i) {
            const FaceSetup& a = portable.faces[i];
            const FaceSetup& b = avx2.faces[i];
            SCOPED_TRACE(testing::Message() << "face " << i << (lit ? ", lit" : ""));
            ASSERT_EQ(a.drawn, b.drawn);
            EXPECT_EQ(std::memcmp(portable.shading[i].positions, avx2.shading[i].positions, 3 * sizeof(int)),
                      0);
            if (!a.drawn)
                continue;
            ++drawn;
            EXPECT_TRUE(a.box.xmin == b.box.xmin && a.box.xmax == b.box.xmax && a.box.ymin == b.box.ymin
                        && a.box.ymax == b.box.ymax);
            EXPECT_TRUE(!lit
                        || std::memcmp(portable.shading[i].normals, avx2.shading[i].normals, 3 * sizeof(int))
                               == 0);
            EXPECT_EQ(std::memcmp(&portable.edges[i], &avx2.edges[i], sizeof(FaceEdges)), 0);
            if (a.box.ymax - a.box.ymin + 1 >= shortestNarrowedColumn) {
                ++tall;
                tallPixels +=
                    static_cast<std::int64_t>(a.box.xmax - a.box.xmin + 1) * (a.box.ymax - a.box.ymin + 1);
                const FaceBounds& pb = portable.bounds[i];
                const FaceBounds& ab = avx2.bounds[i];
                EXPECT_TRUE(std::memcmp(pb.alphaAtZero, ab.alphaAtZero, sizeof pb.alphaAtZero) == 0
                            && std::memcmp(&pb.depthAtOrigin, &ab.depthAtOrigin, sizeof(double)) == 0
                            && pb.depthBounded == ab.depthBounded);
            }
        }
        // Enough faces of each kind that a kernel drawing none could not pass.
        EXPECT_GT(drawn, 10);
        EXPECT_GT(tall, 8);
        EXPECT_EQ(portableTallPixels, tallPixels);
    }
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
