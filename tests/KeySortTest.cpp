#include "render/KeySort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace Quorvane {
namespace {

// Against a stable comparison sort by the high half: keys differing in any
// byte of it (or only in the low half, whose order must be kept), all equal,
// one key and none.
TEST(KeySort, SortsByTheHighHalfKeepingTheOrderOfEqualOnes)
{
    std::mt19937_64 random(5);
    std::vector<std::vector<std::uint64_t>> cases = {{}, {42}, std::vector<std::uint64_t>(9, 7ull << 32)};
    for (const int highBits : {2, 8, 16, 32}) {
        std::vector<std::uint64_t> keys(300);
        for (std::size_t i = 0; i < keys.size(); ++i)
            keys[i] = (random() >> (64 - highBits)) << 32 | (random() & 0xffffffffu);
        cases.push_back(keys);
    }
    std::vector<std::uint64_t> scratch;
    for (std::vector<std::uint64_t>& keys : cases) {
        SCOPED_TRACE(testing::Message() << keys.size() << " keys");
        std::vector<std::uint64_t> expected = keys;
        std::stable_sort(expected.begin(), expected.end(),
                         [](std::uint64_t a, std::uint64_t b) { return a >> 32 < b >> 32; });
        sortByHighHalf(keys, scratch);
        EXPECT_EQ(keys, expected);
    }
}

} // namespace
} // namespace Quorvane
