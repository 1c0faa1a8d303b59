// Whole frames through renderFrame, one per view, on the generated 200,000
// triangle sphere and on data/head.obj when the source tree has it.

#include "app/FrameDriver.h"
#include "app/StartUp.h"
#include "bench/SphereModel.h"
#include "render/DepthBuffer.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

using namespace Quorvane;

struct View {
    const char* name;
    RenderMode renderMode;
    ShadingMode shadingMode;
};

constexpr View views[] = {
    {"wireframe", renderModeWireframe, shadingModeFlat},
    {"flat", renderModeShaded, shadingModeFlat},
    {"gouraud", renderModeShaded, shadingModeGouraud},
    {"phong", renderModeShaded, shadingModePhong},
};

void renderFrames(benchmark::State& state, const Mesh* mesh, View view)
{
    if (depthBuffer.empty())
        createDepthBuffer(500, 500);
    Camera camera;
    Light light;
    applyStartValues(camera, light);
    for (auto _ : state) {
        FrameSurface surface;   // every frame starts from a new black surface
        renderFrame(surface, view.renderMode, view.shadingMode, camera, light, *mesh);
        benchmark::DoNotOptimize(surface.pixels());
    }
    state.counters["faces"] = static_cast<double>(mesh->faceVertexIndices.size());
}

void registerModel(const std::string& label, const Mesh* mesh)
{
    for (const View& view : views)
        benchmark::RegisterBenchmark(("frame/" + label + "/" + view.name).c_str(), renderFrames, mesh, view)
            ->Unit(benchmark::kMillisecond)
            ->Repetitions(5)
            ->ReportAggregatesOnly(true);
}

} // namespace

int main(int argc, char** argv)
{
    Mesh sphere;
    loadMesh(writeSphereObj(250, 400).c_str(), sphere);
    registerModel("sphere200k", &sphere);
#ifdef QUORVANE_HEAD_MODEL
    Mesh head;
    if (loadMesh(QUORVANE_HEAD_MODEL, head) == MeshLoadStatus::loaded)
        registerModel("head", &head);
#endif
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
