#include "render/KeySort.h"

#include <array>
#include <cstddef>
#include <utility>

namespace Quorvane {

void sortByHighHalf(std::vector<std::uint64_t>& keys, std::vector<std::uint64_t>& scratch)
{
    constexpr int firstShift = 32, bytes = 4;
    // How many keys have each value of each byte, counted in one pass.
    std::array<std::array<std::size_t, 256>, bytes> counts{};
    for (const std::uint64_t key : keys)
        for (int byte = 0; byte < bytes; ++byte)
            ++counts[byte][key >> (firstShift + 8 * byte) & 0xff];
    scratch.resize(keys.size());
    for (int byte = 0; byte < bytes; ++byte) {
        std::array<std::size_t, 256>& place = counts[byte];
        // A byte all keys share leaves the order as it is.
        if (place[keys.empty() ? 0 : keys.front() >> (firstShift + 8 * byte) & 0xff] == keys.size())
            continue;
        std::size_t next = 0;
        for (std::size_t& count : place)
            next += std::exchange(count, next);
        for (const std::uint64_t key : keys)
            scratch[place[key >> (firstShift + 8 * byte) & 0xff]++] = key;
        keys.swap(scratch);
    }
}

} // namespace Quorvane
