#include "bench/SphereModel.h"
#include "scene/Mesh.h"

#include <benchmark/benchmark.h>

namespace {

void loadLargeModel(benchmark::State& state)
{
    const std::string path = Quorvane::writeSphereObj(250, 400);
    std::size_t faces = 0;
    for (auto _ : state) {
        Quorvane::Mesh mesh(path.c_str());
        faces = mesh.faceVertexIndices.size();
        benchmark::DoNotOptimize(mesh.vertices.data());
    }
    state.counters["faces"] = static_cast<double>(faces);
}
BENCHMARK(loadLargeModel)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace
