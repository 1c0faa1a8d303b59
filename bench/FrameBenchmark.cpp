// Whole frames, one per view, on generated spheres of 200,000 and 1,000
// triangles and on data/head.obj when the source tree has it (and, with the
// fast path alone, on layered models of 1,000 large faces): the
// straightforward renderFrame ("frame/") beside the fast path with one thread
// and the portable kernels ("portable1/"), with one thread ("fast1/") and with
// every hardware thread ("fastN/") and the fastest kernels, in the same run so
// that ratios hold on a busy machine.

#include "app/FrameDriver.h"
#include "app/StartUp.h"
#include "bench/LayeredModel.h"
#include "bench/SphereModel.h"
#include "render/DepthBuffer.h"
#include "render/FrameRenderer.h"
#include "render/WorkerPool.h"
#include "scene/Views.h"

#include "bench/MedianOfFive.h"

#include <benchmark/benchmark.h>

#include <initializer_list>
#include <string>
#include <utility>

namespace {

using namespace Quorvane;

void renderFrames(benchmark::State& state, const Mesh* mesh, NamedView view)
{
    if (depthBuffer.empty())
        createDepthBuffer(500, 500);
    Camera camera;
    Light light;
    applyStartValues(camera, light);
    for (auto _ : state) {
        FrameSurface surface; // every frame starts from a new black surface
        renderFrame(surface, view.renderMode, view.shadingMode, camera, light, *mesh);
        benchmark::DoNotOptimize(surface.pixels());
    }
    state.counters["faces"] = static_cast<double>(mesh->faceVertexIndices.size());
}

void renderFastFrames(benchmark::State& state, const Mesh* mesh, NamedView view, FrameRenderer* renderer,
                      Vector3 eye)
{
    Camera camera;
    Light light;
    applyStartValues(camera, light);
    camera.position = eye;
    for (auto _ : state) {
        FrameSurface surface;
        renderFrame(*renderer, surface, view.renderMode, view.shadingMode, camera, light, *mesh);
        benchmark::DoNotOptimize(surface.pixels());
    }
    state.counters["threads"] = renderer->threadCount();
}

struct NamedRenderer {
    const char* name;
    FrameRenderer* renderer;
};

void registerModel(const std::string& label, const Mesh* mesh, std::initializer_list<NamedRenderer> renderers)
{
    Camera start;
    Light light;
    applyStartValues(start, light);
    for (const NamedView& view : namedViews) {
        benchmark::RegisterBenchmark(("frame/" + label + "/" + view.name).c_str(), renderFrames, mesh, view)
            ->Apply(medianOfFive);
        for (const NamedRenderer& renderer : renderers)
            benchmark::RegisterBenchmark((renderer.name + ("/" + label) + "/" + view.name).c_str(),
                                         renderFastFrames, mesh, view, renderer.renderer, start.position)
                ->Apply(medianOfFive);
    }
}

// Eyes through, at and behind the head, where faces cross the camera plane and
// project to boxes of the whole surface: one thread, shaded views.
void registerEyeSweep(const Mesh* head, std::initializer_list<NamedRenderer> renderers)
{
    struct NamedEye {
        const char* name;
        Vector3 eye;
    };
    const NamedEye eyes[] = {{"0,0,0.5", {0, 0, 0.5f}},
                             {"0,0,0.2", {0, 0, 0.2f}},
                             {"0,0,0", {0, 0, 0}},
                             {"0.3,0.1,0.6", {0.3f, 0.1f, 0.6f}},
                             {"0,0,-1.5", {0, 0, -1.5f}}};
    for (const NamedEye& eye : eyes)
        for (const NamedView& view : namedViews)
            for (const NamedRenderer& renderer : renderers)
                if (view.renderMode == renderModeShaded)
                    benchmark::RegisterBenchmark(
                        (renderer.name + std::string("/head@") + eye.name + "/" + view.name).c_str(),
                        renderFastFrames, head, view, renderer.renderer, eye.eye)
                        ->Apply(medianOfFive);
}

// Models of 1,000 faces that each cover much of the surface, dozens deep at
// every pixel, from the start eye: the fast path only, as the straightforward
// drawing takes about a second per frame. Compare with the head's frames.
void registerLayeredModels(const Mesh* nearPlane, const Mesh* crossing, const Mesh* straddling,
                           std::initializer_list<NamedRenderer> renderers)
{
    Camera start;
    Light light;
    applyStartValues(start, light);
    const std::pair<std::string, const Mesh*> models[] = {
        {"nearPlane1k", nearPlane}, {"crossing1k", crossing}, {"straddling1k", straddling}};
    for (const auto& [label, mesh] : models)
        for (const NamedView& view : namedViews)
            for (const NamedRenderer& renderer : renderers) {
                const std::string name = renderer.name + ("/" + label + "/") + view.name;
                benchmark::RegisterBenchmark(name.c_str(), renderFastFrames, mesh, view, renderer.renderer,
                                             start.position)
                    ->Apply(medianOfFive);
            }
}

} // namespace

int main(int argc, char** argv)
{
    Mesh sphere, smallSphere;
    loadMesh(writeSphereObj(250, 400).c_str(), sphere);
    loadMesh(writeSphereObj(20, 25).c_str(), smallSphere);
    FrameRenderer portable(1, PixelKernels::portable);
    FrameRenderer oneThread(1);
    FrameRenderer allThreads(hardwareThreadCount());
    const auto renderers = {NamedRenderer{"portable1", &portable}, NamedRenderer{"fast1", &oneThread},
                            NamedRenderer{"fastN", &allThreads}};
    registerModel("sphere200k", &sphere, renderers);
    registerModel("sphere1k", &smallSphere, renderers);
    const Mesh nearPlane = layeredModel(LayeredDepths::nearPlane, 1000, 7);
    const Mesh crossing = layeredModel(LayeredDepths::crossing, 1000, 7);
    const Mesh straddling = layeredModel(LayeredDepths::straddling, 1000, 7);
    registerLayeredModels(&nearPlane, &crossing, &straddling, renderers);
#ifdef QUORVANE_HEAD_MODEL
    Mesh head;
    if (loadMesh(QUORVANE_HEAD_MODEL, head) == MeshLoadStatus::loaded) {
        registerModel("head", &head, renderers);
        registerEyeSweep(&head, {NamedRenderer{"portable1", &portable}, NamedRenderer{"fast1", &oneThread}});
    }
#endif
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
