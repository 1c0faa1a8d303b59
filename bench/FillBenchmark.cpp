// The fill loop alone: one large and many small triangles, and long lines.

#include "render/DepthBuffer.h"
#include "render/TriangleFill.h"
#include "render/Wireframe.h"

#include <benchmark/benchmark.h>

#include <cstdint>

namespace {

using namespace Quorvane;

void prepareDepthBuffer()
{
    if (depthBuffer.empty())
        createDepthBuffer(500, 500);
}

// Half the surface: 125,000 pixels inside, 250,000 tested.
void fillLargeTriangle(benchmark::State& state)
{
    prepareDepthBuffer();
    FrameSurface surface;
    for (auto _ : state) {
        resetDepthBuffer(500, 500);
        fillTriangle({0, 0, 10}, {500, 0, 10}, {0, 500, 10}, surface,
                     [](const Vector3&) { return std::uint32_t(0x00ffffff); });
        benchmark::DoNotOptimize(surface.pixels());
    }
}
BENCHMARK(fillLargeTriangle)->Unit(benchmark::kMicrosecond);

// 10,000 triangles of about 12 pixels, as a dense model gives.
void fillSmallTriangles(benchmark::State& state)
{
    prepareDepthBuffer();
    FrameSurface surface;
    for (auto _ : state) {
        resetDepthBuffer(500, 500);
        for (int i = 0; i < 10000; ++i) {
            const float x = static_cast<float>(10 + (i % 100) * 4.7);
            const float y = static_cast<float>(10 + (i / 100) * 4.7);
            fillTriangle({x, y, 10}, {x + 5.3f, y + 0.4f, 10}, {x + 0.6f, y + 4.9f, 10}, surface,
                         [](const Vector3&) { return std::uint32_t(0x00ffffff); });
        }
        benchmark::DoNotOptimize(surface.pixels());
    }
}
BENCHMARK(fillSmallTriangles)->Unit(benchmark::kMicrosecond);

// A line of just under 2^20 steps that crosses the surface.
void drawLongLine(benchmark::State& state)
{
    FrameSurface surface;
    for (auto _ : state) {
        drawLine({-1000000, 10}, {48000, 400}, Color(1, 1, 1, 1), surface);
        benchmark::DoNotOptimize(surface.pixels());
    }
}
BENCHMARK(drawLongLine)->Unit(benchmark::kMicrosecond);

} // namespace
