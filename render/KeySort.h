#pragma once

#include <cstdint>
#include <vector>

namespace Quorvane {

// Sorts keys by their high 32 bits, keeping the order of keys whose high
// halves are equal: a radix sort, a byte at a time, which orders the tens of
// thousands of faces of a frame in a fraction of a comparison sort's time.
// scratch is working space, kept between calls to spare its allocation.
void sortByHighHalf(std::vector<std::uint64_t>& keys, std::vector<std::uint64_t>& scratch);

} // namespace Quorvane
