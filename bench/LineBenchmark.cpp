// drawLine against walkLine on the same lines in one run: the edges of 1,000
// faces whose corners lie just in front of the eye plane (ends about a
// million pixels out, so drawLine steps about a million times per edge and
// walkLine at most 500), and short lines inside the surface as an ordinary
// model gives, where the two should cost the same.

#include "render/FrameSurface.h"
#include "render/LineWalker.h"
#include "render/Wireframe.h"

#include "bench/MedianOfFive.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

namespace {

using namespace Quorvane;

struct Line {
    Vector2 p0, p1;
};

// lineCount lines through random points of the surface in random directions,
// reaching out reach pixels on each side.
std::vector<Line> linesThroughSurface(int lineCount, double reach)
{
    std::mt19937_64 random(11);
    const auto uniform = [&random](double low, double high) {
        return low + (high - low) * static_cast<double>(random() >> 11) * 0x1p-53;
    };
    std::vector<Line> lines;
    for (int i = 0; i < lineCount; ++i) {
        const double angle = uniform(0, 6.2831853), x = uniform(0, 500), y = uniform(0, 500);
        const double before = uniform(0.5, 1) * reach, after = uniform(0.5, 1) * reach;
        lines.push_back({Vector2(static_cast<float>(x - before * std::cos(angle)),
                                 static_cast<float>(y - before * std::sin(angle))),
                         Vector2(static_cast<float>(x + after * std::cos(angle)),
                                 static_cast<float>(y + after * std::sin(angle)))});
    }
    return lines;
}

const std::vector<Line> hostileLines = linesThroughSurface(3000, 5e5);
const std::vector<Line> shortLines = linesThroughSurface(42000, 6);

void byDrawLine(benchmark::State& state, const std::vector<Line>* lines)
{
    for (auto _ : state) {
        FrameSurface surface;
        for (const Line& line : *lines)
            drawLine(line.p0, line.p1, Color(1, 1, 1, 1), surface);
        benchmark::DoNotOptimize(surface.pixels());
    }
}

void byWalkLine(benchmark::State& state, const std::vector<Line>* lines)
{
    for (auto _ : state) {
        FrameSurface surface;
        for (const Line& line : *lines)
            walkLine(line.p0, line.p1, 0x00FFFFFF, surface);
        benchmark::DoNotOptimize(surface.pixels());
    }
}

} // namespace

BENCHMARK_CAPTURE(byDrawLine, hostile3000, &hostileLines)->Apply(medianOfFive);
BENCHMARK_CAPTURE(byWalkLine, hostile3000, &hostileLines)->Apply(medianOfFive);
BENCHMARK_CAPTURE(byDrawLine, short42000, &shortLines)->Apply(medianOfFive);
BENCHMARK_CAPTURE(byWalkLine, short42000, &shortLines)->Apply(medianOfFive);
