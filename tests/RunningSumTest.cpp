#include "math/RunningSum.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

using namespace Quorvane;

namespace {

struct Sum {
    float value;
    float step;
    std::int64_t count;
};

float stepped(Sum sum)
{
    float value = sum.value;
    for (std::int64_t i = 0; i < sum.count; ++i)
        value = value + sum.step;
    return value;
}

// Steps of line slopes (integer over integer, as a line's slope is) from
// integer starts, as a long line's running value starts.
void addLineSums(std::vector<Sum>& sums)
{
    std::mt19937_64 random(9);
    for (int i = 0; i < 120; ++i) {
        const std::int64_t dx = 1 + static_cast<std::int64_t>(random() % (1 << 20));
        std::int64_t dy = static_cast<std::int64_t>(random() % static_cast<std::uint64_t>(2 * dx + 1)) - dx;
        if (i % 4 == 1)
            dy = static_cast<std::int64_t>(random() % 5) - 2; // slopes near 0
        if (i % 4 == 2)
            dy = (i % 8 == 2 ? 1 : -1) * (dx - static_cast<std::int64_t>(random() % 3)); // near +-1
        const std::int64_t start = static_cast<std::int64_t>(random() % 4000001) - 2000000;
        sums.push_back({static_cast<float>(start), static_cast<float>(dy) / static_cast<float>(dx),
                        static_cast<std::int64_t>(random() % static_cast<std::uint64_t>(dx + 1))});
    }
}

// Steps that are an odd number of half units of the last place of the value,
// where rounding to even alternates, from even and odd values of both signs,
// and values that cross binades and zero.
void addTiesAndCrossings(std::vector<Sum>& sums)
{
    for (int exponent = -12; exponent <= 4; exponent += 4)
        for (const float odd : {1.0f, 3.0f, 5.0f})
            for (const float sign : {1.0f, -1.0f}) {
                // odd * 2^exponent is a tie for values of ulp 2^(exponent + 1):
                // those in [2^(exponent + 24), 2^(exponent + 25)).
                const float step = sign * odd * std::ldexp(1.0f, exponent);
                const float bottom = std::ldexp(1.0f, exponent + 24);
                const float oddValue = bottom + std::ldexp(1.0f, exponent + 1);
                const float evenValue = bottom + std::ldexp(1.0f, exponent + 2);
                for (const float value : {oddValue, evenValue, -oddValue})
                    sums.push_back({value, step, 70000});
            }
    sums.push_back({-500.0f, 1.0f / 3.0f, 3000}); // through zero upwards
    sums.push_back({700.0f, -0.7f, 2000});        // through zero downwards
    sums.push_back({0x1p24f - 4, 0.75f, 100});    // into the next binade
    sums.push_back({0x1p23f + 3, -0.375f, 100});  // into the one below
    sums.push_back({2147483520.0f, 1.0f, 1000});  // below half an ulp: fixed
}

void addSpecialValues(std::vector<Sum>& sums)
{
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    for (const Sum sum : {Sum{inf, 1, 5}, Sum{nan, 1, 5}, Sum{1, inf, 5}, Sum{-inf, inf, 5}, Sum{1, nan, 5},
                          Sum{5, 0, 5}, Sum{-0.0f, -0.0f, 3}, Sum{-0.0f, 0.0f, 3}, Sum{0, 0.25f, 9},
                          Sum{3, 0.5f, 0}, Sum{3, 0.5f, -4}, Sum{0x1p-140f, 0x1p-149f, 50}})
        sums.push_back(sum);
}

} // namespace

TEST(RunningSum, EqualsStepByStepAdditionBitForBit)
{
    std::vector<Sum> sums;
    addLineSums(sums);
    addTiesAndCrossings(sums);
    addSpecialValues(sums);
    for (const Sum& sum : sums) {
        const float expected = stepped(sum);
        const float advanced = advanceRunningSum(sum.value, sum.step, sum.count);
        EXPECT_TRUE(std::bit_cast<std::uint32_t>(advanced) == std::bit_cast<std::uint32_t>(expected)
                    || (std::isnan(advanced) && std::isnan(expected)))
            << std::hexfloat << sum.value << " + " << sum.step << " x " << sum.count << ": " << advanced
            << " instead of " << expected;
    }
}
