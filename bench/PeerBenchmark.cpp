// Our frames side by side with Mesa's llvmpipe (through OSMesa) on the same
// scene, per mesh and view, and the ratio of the medians, ours / llvmpipe.
// llvmpipe takes its thread count from LP_NUM_THREADS when its context is
// made: run once with LP_NUM_THREADS=1 and once without it (all cores). Our
// fast path takes the same count: LP_NUM_THREADS when set, else every
// hardware thread.
// --png-dir=DIR also writes both pictures of every case there.

#include "app/FrameDriver.h"
#include "app/StartUp.h"
#include "bench/LlvmpipeRenderer.h"
#include "bench/SphereModel.h"
#include "render/FrameRenderer.h"
#include "render/FrameSurface.h"
#include "render/WorkerPool.h"
#include "scene/Views.h"
#include "tools/ImageFile.h"

#include "bench/MedianOfFive.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace Quorvane;

struct Model {
    std::string name;
    Mesh mesh;
};

struct Scene {
    Camera camera;
    Light light;
};

Scene startScene()
{
    Scene scene;
    applyStartValues(scene.camera, scene.light);
    return scene;
}

// What the programs themselves call for a frame: the fast path, with as many
// threads as llvmpipe.
void renderOurs(FrameRenderer& renderer, const Mesh& mesh, ShadingMode mode, FrameSurface& surface)
{
    const Scene scene = startScene();
    renderFrame(renderer, surface, renderModeShaded, mode, scene.camera, scene.light, mesh);
}

int ourThreadCount()
{
    const char* llvmpipeThreads = std::getenv("LP_NUM_THREADS");
    return llvmpipeThreads ? std::max(1, std::atoi(llvmpipeThreads)) : hardwareThreadCount();
}

void timeOurs(benchmark::State& state, FrameRenderer* renderer, const Mesh* mesh, ShadingMode mode)
{
    for (auto _ : state) {
        FrameSurface surface; // every frame starts from a new black surface, as in the program
        renderOurs(*renderer, *mesh, mode, surface);
        benchmark::DoNotOptimize(surface.pixels());
    }
}

void timeLlvmpipe(benchmark::State& state, LlvmpipeRenderer* peer, const Mesh* mesh, ShadingMode mode)
{
    peer->setMesh(*mesh); // uploaded before the timing, like our mesh loaded before it
    std::vector<std::uint32_t> pixels;
    for (auto _ : state) {
        peer->renderFrame(mode, pixels);
        benchmark::DoNotOptimize(pixels.data());
    }
}

// GL's picture as one of ours: rows turned top first, RGBA bytes to 0x00BBGGRR.
FrameSurface asSurface(const std::vector<std::uint32_t>& pixels)
{
    FrameSurface surface;
    for (int y = 0; y < FrameSurface::height; ++y)
        for (int x = 0; x < FrameSurface::width; ++x)
            surface.setPixel(
                x, y,
                pixels[static_cast<std::size_t>((FrameSurface::height - 1 - y) * FrameSurface::width + x)]
                    & 0x00FFFFFFu);
    return surface;
}

// Share of pixels whose channels differ by more than 2: GL rounds where we
// truncate (1 apart) and samples edges its own way, so only a large share
// would mean a different scene.
double differingShare(const FrameSurface& ours, const FrameSurface& peer)
{
    int differing = 0;
    for (int y = 0; y < FrameSurface::height; ++y)
        for (int x = 0; x < FrameSurface::width; ++x)
            for (int shift = 0; shift < 24; shift += 8) {
                const int a = static_cast<int>((ours.pixel(x, y) >> shift) & 0xFF);
                const int b = static_cast<int>((peer.pixel(x, y) >> shift) & 0xFF);
                if (std::abs(a - b) > 2) {
                    ++differing;
                    break;
                }
            }
    return double(differing) / (FrameSurface::width * FrameSurface::height);
}

void writePicture(const std::string& path, const FrameSurface& surface)
{
    std::ofstream out(path, std::ios::binary);
    writePng(surface, out);
}

// Keeps the median of every benchmark, by name, for the table at the end.
class MedianReporter : public benchmark::ConsoleReporter {
public:
    struct Times {
        double real = 0;
        double processCpu = 0;
    };
    std::map<std::string, Times> medians;

    MedianReporter() : ConsoleReporter(OO_None) {} // plain text: the output is usually kept in a file

    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            if (run.aggregate_name == "median")
                medians[run.run_name.function_name] = {run.GetAdjustedRealTime(), run.GetAdjustedCPUTime()};
    }
};

std::string caseName(const Model& model, const NamedView& view)
{
    return model.name + "/" + view.name;
}

} // namespace

int main(int argc, char** argv)
{
    std::string pngDirectory;
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], "--png-dir=", 10) == 0) {
            pngDirectory = argv[i] + 10;
            std::copy(argv + i + 1, argv + argc, argv + i);
            --argc;
            --i;
        }

    LlvmpipeRenderer peer;
    if (!peer.error().empty()) {
        std::fprintf(stderr, "PeerBenchmark: %s\n", peer.error().c_str());
        return 1;
    }
    const Scene scene = startScene();
    peer.setScene(scene.camera, scene.light);

    std::vector<Model> models(4);
#ifdef QUORVANE_HEAD_MODEL
    models[0].name = "head";
    loadMesh(QUORVANE_HEAD_MODEL, models[0].mesh);
#endif
    models[1].name = "sphere200k";
    loadMesh(writeSphereObj(250, 400).c_str(), models[1].mesh);
    models[2].name = "sphere4k";
    loadMesh(writeSphereObj(40, 50).c_str(), models[2].mesh);
    models[3].name = "sphere1k";
    loadMesh(writeSphereObj(20, 25).c_str(), models[3].mesh);
    std::erase_if(models, [](const Model& model) { return model.mesh.faceVertexIndices.empty(); });

    FrameRenderer renderer(ourThreadCount());
    std::map<std::string, double> differing;
    for (const Model& model : models)
        for (const NamedView& view : namedViews) {
            if (view.renderMode != renderModeShaded)
                continue; // llvmpipe draws only the shaded views here
            FrameSurface ours;
            renderOurs(renderer, model.mesh, view.shadingMode, ours);
            std::vector<std::uint32_t> pixels;
            peer.setMesh(model.mesh);
            peer.renderFrame(view.shadingMode, pixels);
            const FrameSurface theirs = asSurface(pixels);
            differing[caseName(model, view)] = differingShare(ours, theirs);
            if (!pngDirectory.empty()) {
                writePicture(pngDirectory + "/" + model.name + "-" + view.name + "-ours.png", ours);
                writePicture(pngDirectory + "/" + model.name + "-" + view.name + "-llvmpipe.png", theirs);
            }
            // Ours and the peer's of one case run back to back, so drifting
            // load on a shared machine hits both alike.
            benchmark::RegisterBenchmark((caseName(model, view) + "/ours").c_str(), timeOurs, &renderer,
                                         &model.mesh, view.shadingMode)
                ->Apply(medianOfFive)
                ->UseRealTime()
                ->MeasureProcessCPUTime();
            benchmark::RegisterBenchmark((caseName(model, view) + "/llvmpipe").c_str(), timeLlvmpipe, &peer,
                                         &model.mesh, view.shadingMode)
                ->Apply(medianOfFive)
                ->UseRealTime()
                ->MeasureProcessCPUTime();
        }

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    const char* llvmpipeThreads = std::getenv("LP_NUM_THREADS");
    std::printf("peer: %s, LP_NUM_THREADS=%s, %u hardware threads; ours: %d threads\n",
                peer.rendererName().c_str(),
                llvmpipeThreads ? llvmpipeThreads : "(unset: llvmpipe's default)",
                std::thread::hardware_concurrency(), renderer.threadCount());
    MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    // Wall time is what a frame costs; the CPU time of all the process's
    // threads is steadier where other work shares the cores.
    std::printf("\nmedians in ms, wall time and process CPU time; ratio = ours / llvmpipe;\n"
                "differing = share of pixels more than 2 apart in a channel\n");
    std::printf("%-20s %9s %9s %7s %9s %9s %7s %9s\n", "mesh/view", "ours", "llvmpipe", "ratio", "ours cpu",
                "llvm cpu", "ratio", "differing");
    for (const auto& [name, share] : differing) {
        const auto ours = reporter.medians.find(name + "/ours");
        const auto theirs = reporter.medians.find(name + "/llvmpipe");
        if (ours == reporter.medians.end() || theirs == reporter.medians.end())
            continue; // filtered out by --benchmark_filter
        const MedianReporter::Times& a = ours->second;
        const MedianReporter::Times& b = theirs->second;
        std::printf("%-20s %9.2f %9.2f %7.2f %9.2f %9.2f %7.2f %8.2f%%\n", name.c_str(), a.real, b.real,
                    a.real / b.real, a.processCpu, b.processCpu, a.processCpu / b.processCpu, 100.0 * share);
    }
    return 0;
}
