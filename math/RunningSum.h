#pragma once

#include <cstdint>

namespace Quorvane {

// The value of `value = value + step` (single precision, round to nearest even)
// after count additions, bit for bit, in a few operations per binade that the
// running value passes through instead of one per addition. Where the sum
// stays within one binade every addition adds the same rounded increment; ties
// and binade crossings are stepped one addition at a time. count <= 0 returns
// value unchanged.
float advanceRunningSum(float value, float step, std::int64_t count);

} // namespace Quorvane
