#include "math/FifthPower.h"

#include "math/Geometry.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

using namespace Quorvane;

namespace {

std::uint32_t bits(float value)
{
    return std::bit_cast<std::uint32_t>(value);
}

// Where the result leaves the normal floats: fifth powers near the smallest
// subnormal and its half (b near 2^-30 and 2^-29.8), near the smallest normal
// (2^-25.2) and near the largest float (2^25.6), each with its neighbours;
// signed zeros, 1 and its neighbours, the extremes, infinities and NaN.
std::vector<float> edgeValues()
{
    // clang-format off
    const float centres[] = {0x1p-30f, 0x1.1p-30f, 0x1.2p-30f, 0x1.2p-26f, 0x1.bp-26f,
                             std::pow(std::numeric_limits<float>::max(), 0.2f), 1.0f, 0.5f};
    std::vector<float> values = {0.0f, -0.0f, std::numeric_limits<float>::denorm_min(),
                                 std::numeric_limits<float>::min(), std::numeric_limits<float>::max(),
                                 std::numeric_limits<float>::infinity(), -std::numeric_limits<float>::infinity(),
                                 std::numeric_limits<float>::quiet_NaN()};
    // clang-format on
    for (const float centre : centres) {
        float below = centre, above = centre;
        for (int step = 0; step < 64; ++step) {
            values.push_back(below);
            values.push_back(above);
            below = std::nextafter(below, 0.0f);
            above = std::nextafter(above, 2.0f * above);
        }
    }
    return values;
}

} // namespace

// A sample of the exhaustive comparison that tools/FifthPowerCheck makes: every
// 4093rd bit pattern (both signs, NaNs among them) and the edge values.
TEST(FifthPower, EqualsTheDoublePrecisionPowerBitForBit)
{
    std::vector<float> values = edgeValues();
    for (std::uint64_t pattern = 0; pattern < (std::uint64_t(1) << 32); pattern += 4093)
        values.push_back(std::bit_cast<float>(static_cast<std::uint32_t>(pattern)));
    int differing = 0;
    for (const float base : values) {
        const float expected = static_cast<float>(power(base, 5));
        if (bits(fifthPower(base)) != bits(expected)
            && !(std::isnan(expected) && std::isnan(fifthPower(base))) && ++differing <= 10)
            ADD_FAILURE() << std::hexfloat << base << ": " << fifthPower(base) << " instead of " << expected;
    }
    EXPECT_EQ(differing, 0);
}
