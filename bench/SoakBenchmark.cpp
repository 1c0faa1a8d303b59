// A long run: 10,000 whole frames in each view, as a user who keeps dragging
// would make them, with the resident memory before the first frame of a view
// and after its last. Memory that grows from start to end is a leak in the
// frame path; the frame time is reported alongside.

#include "app/FrameDriver.h"
#include "app/StartUp.h"
#include "bench/SphereModel.h"
#include "render/DepthBuffer.h"
#include "scene/Views.h"

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <fstream>
#include <string>

namespace {

using namespace Quorvane;

constexpr int framesPerView = 10000;

// The resident set in KiB, from the second field of /proc/self/statm.
double residentKilobytes()
{
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return static_cast<double>(resident) * static_cast<double>(::sysconf(_SC_PAGESIZE)) / 1024.0;
}

void soak(benchmark::State& state, const Mesh* mesh, NamedView view)
{
    if (depthBuffer.empty())
        createDepthBuffer(500, 500);
    Camera camera;
    Light light;
    applyStartValues(camera, light);
    const double start = residentKilobytes();
    int frame = 0;
    for (auto _ : state) {
        // The eye wanders a little, as under a drag, so the frames differ.
        camera.position.x = static_cast<float>(frame % 100 - 50) * 0.002f;
        ++frame;
        FrameSurface surface;
        renderFrame(surface, view.renderMode, view.shadingMode, camera, light, *mesh);
        benchmark::DoNotOptimize(surface.pixels());
    }
    state.counters["rss_start_KiB"] = start;
    state.counters["rss_end_KiB"] = residentKilobytes();
}

} // namespace

int main(int argc, char** argv)
{
    Mesh sphere;
    loadMesh(writeSphereObj(40, 50), sphere); // 4,000 triangles, about the head's size
    for (const NamedView& view : namedViews)
        benchmark::RegisterBenchmark((std::string("soak/") + view.name).c_str(), soak, &sphere, view)
            ->Iterations(framesPerView)
            ->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
