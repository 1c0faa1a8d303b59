// quorvane-check-fifth-power: compares fifthPower with the double-precision
// power it replaces for every one of the 2^32 floats, on all hardware threads,
// and prints how many differ and how long it took. Exit status 0 when none
// differs, 1 otherwise.

#include "math/FifthPower.h"
#include "math/Geometry.h"

#include <algorithm>
#include <bit>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <thread>
#include <vector>

namespace {

using namespace Quorvane;

struct Tally {
    std::uint64_t differing = 0; // not bit for bit equal, NaN payloads aside
    std::uint64_t otherNaN = 0;  // both NaN, with different payloads
    std::uint32_t firstDiffering = 0;
};

Tally compare(std::uint64_t begin, std::uint64_t end)
{
    Tally tally;
    for (std::uint64_t pattern = begin; pattern < end; ++pattern) {
        const float base = std::bit_cast<float>(static_cast<std::uint32_t>(pattern));
        const float fast = fifthPower(base);
        const float expected = static_cast<float>(power(base, 5));
        if (std::bit_cast<std::uint32_t>(fast) == std::bit_cast<std::uint32_t>(expected))
            continue;
        if (std::isnan(fast) && std::isnan(expected)) {
            ++tally.otherNaN;
        } else if (tally.differing++ == 0) {
            tally.firstDiffering = static_cast<std::uint32_t>(pattern);
        }
    }
    return tally;
}

} // namespace

int main()
{
    constexpr std::uint64_t all = std::uint64_t(1) << 32;
    const unsigned threadCount = std::max(1u, std::thread::hardware_concurrency());
    const auto start = std::chrono::steady_clock::now();
    std::vector<Tally> tallies(threadCount);
    std::vector<std::thread> threads;
    for (unsigned i = 0; i < threadCount; ++i)
        threads.emplace_back([&tallies, i, threadCount] {
            tallies[i] = compare(all * i / threadCount, all * (i + 1) / threadCount);
        });
    Tally total;
    for (unsigned i = 0; i < threadCount; ++i) {
        threads[i].join();
        if (tallies[i].differing > 0 && total.differing == 0)
            total.firstDiffering = tallies[i].firstDiffering;
        total.differing += tallies[i].differing;
        total.otherNaN += tallies[i].otherNaN;
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("fifthPower against (float)power(base, 5) for all %llu floats on %u threads, %.1f s:\n"
                "%llu differ, %llu more are NaN with another payload\n",
                static_cast<unsigned long long>(all), threadCount, seconds,
                static_cast<unsigned long long>(total.differing),
                static_cast<unsigned long long>(total.otherNaN));
    if (total.differing > 0)
        std::printf("first differing bit pattern: 0x%08x\n", static_cast<unsigned>(total.firstDiffering));
    return total.differing == 0 ? 0 : 1;
}
