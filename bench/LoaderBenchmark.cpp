// The model reader's speed in bytes per second: the product's reader and the
// reference reader on the same text in the same run (compare their medians
// as a ratio), and a whole load of the same model from its file.

#include "bench/SphereModel.h"
#include "fuzz/ReferenceObjParser.h"
#include "scene/Mesh.h"
#include "scene/ObjParser.h"

#include "bench/MedianOfFive.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

namespace {

using namespace Quorvane;

// A 200,000-triangle sphere, about 19 MB of OBJ text.
const std::string& largeModelPath()
{
    static const std::string path = writeSphereObj(250, 400);
    return path;
}

const std::string& largeModelText()
{
    static const std::string text = [] {
        std::ifstream in(largeModelPath(), std::ios::binary);
        return std::string{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }();
    return text;
}

void readFromMemory(benchmark::State& state, MeshLoadStatus (*read)(std::string_view, Mesh&))
{
    const std::string& text = largeModelText();
    for (auto _ : state) {
        Mesh mesh;
        benchmark::DoNotOptimize(read(text, mesh));
        benchmark::DoNotOptimize(mesh.vertices.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK_CAPTURE(readFromMemory, reader, parseObjText)->Apply(medianOfFive);
BENCHMARK_CAPTURE(readFromMemory, reference, referenceParseObjText)->Apply(medianOfFive);

void loadLargeModel(benchmark::State& state)
{
    const std::size_t bytes = largeModelText().size();
    std::size_t faces = 0;
    for (auto _ : state) {
        const Mesh mesh(largeModelPath().c_str());
        faces = mesh.faceVertexIndices.size();
        benchmark::DoNotOptimize(mesh.vertices.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
    state.counters["faces"] = static_cast<double>(faces);
}
BENCHMARK(loadLargeModel)->Apply(medianOfFive);

} // namespace
