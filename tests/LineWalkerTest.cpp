#include "render/LineWalker.h"

#include "render/Wireframe.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

using namespace Quorvane;

namespace {

struct Line {
    Vector2 p0, p1;
};

constexpr std::uint32_t white = 0x00FFFFFF;

// Long lines through the surface whose ends lie far outside it, as corners
// just in front of the eye plane give: every direction, and directions near
// the axes and the diagonals.
void addHostileLines(std::vector<Line>& lines)
{
    std::mt19937_64 random(3);
    const auto uniform = [&random](double low, double high) {
        return low + (high - low) * static_cast<double>(random() >> 11) * 0x1p-53;
    };
    for (int i = 0; i < 40; ++i) {
        const double angles[] = {uniform(0, 6.3), uniform(-1e-4, 1e-4), 0.7853981 + uniform(-1e-3, 1e-3),
                                 1.5707963 + uniform(-1e-4, 1e-4), -0.7853981 + uniform(-1e-5, 1e-5)};
        const double angle = angles[i % 5];
        const double x = uniform(-50, 550), y = uniform(-50, 550);
        const double before = uniform(1e3, 5.2e5), after = uniform(1e3, 5.2e5);
        lines.push_back({Vector2(static_cast<float>(x - before * std::cos(angle)),
                                 static_cast<float>(y - before * std::sin(angle))),
                         Vector2(static_cast<float>(x + after * std::cos(angle)),
                                 static_cast<float>(y + after * std::sin(angle)))});
    }
}

// Slopes of an odd number of half units in the last place of the running
// value, where rounding to even decides: a power-of-two major length and a
// minor change of an odd multiple of a power of two, through rows 0 to 499
// and across zero.
void addTieLines(std::vector<Line>& lines)
{
    for (int lengthExponent = 12; lengthExponent <= 20; lengthExponent += 4)
        for (const float rise : {3.0f, 48.0f, 80.0f, 400.0f, -48.0f, -600.0f})
            for (const float start : {-0.5f, 137.0f, 256.0f, 499.0f}) {
                const float x0 = -std::ldexp(1.0f, lengthExponent) + 300;
                lines.push_back(
                    {Vector2(x0, start), Vector2(x0 + std::ldexp(1.0f, lengthExponent), start + rise)});
                lines.push_back(
                    {Vector2(start, x0), Vector2(start + rise, x0 + std::ldexp(1.0f, lengthExponent))});
            }
}

// Lines inside the surface, at its border, of 2^20 steps and just over (the
// clipped path), beyond the int range, and with non-finite ends.
void addBorderLines(std::vector<Line>& lines)
{
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    // clang-format off
    const Line border[] = {
        {{0, 0}, {10, 5}}, {{0, 0}, {9, 3}}, {{0, 10}, {10, 9}}, {{100, 100}, {100.7f, 100.2f}},
        {{-4, 0}, {5, 3}}, {{0, -0.5f}, {4, 0}}, {{499.9f, -3}, {-1, 600}}, {{-1048000, 7}, {576, 7}},
        {{-1048000, 7}, {577, 300}}, {{-1048000, 7}, {578, 300}}, {{7, -1048000}, {300, 577}},
        {{-3e6f, 250}, {3e6f, 251}}, {{-1e9f, -1e9f}, {1e9f, 1e9f}}, {{-1e30f, 3}, {1e30f, 400}},
        {{2.2e9f, 10}, {-5, 10}}, {{nan, 10}, {100, 100}}, {{-inf, -inf}, {inf, inf}}, {{600, 600}, {900, -5e5f}},
    };
    // clang-format on
    lines.insert(lines.end(), std::begin(border), std::end(border));
}

std::vector<Line> testLines()
{
    std::vector<Line> lines;
    addHostileLines(lines);
    addTieLines(lines);
    addBorderLines(lines);
    return lines;
}

// The columns [begin, end) of surface equal those of reference, and every
// other pixel of surface is black.
void expectBand(const FrameSurface& surface, const FrameSurface& reference, int begin, int end)
{
    int differing = 0;
    for (int i = 0; i < FrameSurface::width * FrameSurface::height; ++i) {
        const int x = i % FrameSurface::width;
        const std::uint32_t expected = (x >= begin && x < end) ? reference.pixels()[i] : 0;
        if (surface.pixels()[i] != expected && ++differing <= 3)
            ADD_FAILURE() << "pixel (" << x << ", " << i / FrameSurface::width << ") in band [" << begin
                          << ", " << end << ")";
    }
}

} // namespace

TEST(LineWalker, SetsExactlyTheLinePixelsOfEachColumnBand)
{
    const int bands[][2] = {{0, FrameSurface::width}, {0, 1}, {1, 137}, {137, 499}, {499, 500}, {-20, 700}};
    for (const Line& line : testLines()) {
        SCOPED_TRACE(::testing::Message() << std::hexfloat << "(" << line.p0.x << ", " << line.p0.y
                                          << ") to (" << line.p1.x << ", " << line.p1.y << ")");
        FrameSurface reference;
        drawLine(line.p0, line.p1, Color(1, 1, 1, 1), reference);
        for (const auto& band : bands) {
            FrameSurface surface;
            walkLine(line.p0, line.p1, white, surface, band[0], band[1]);
            expectBand(surface, reference, band[0], band[1]);
        }
    }
}
