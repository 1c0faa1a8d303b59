#pragma once

#include "math/Truncation.h"
#include "math/Vector.h"

#include <cstddef>

namespace Quorvane {

// One stored 1-based index as a 0-based one below listSize; see faceCorners.
inline bool cornerIndex(float stored, std::size_t listSize, int& index)
{
    const float zeroBased = stored - 1.0f;
    // Truncation gives 0 for anything above -1, the first index.
    if (!(truncatesToInt(zeroBased) && zeroBased > -1.0f))
        return false;
    index = static_cast<int>(zeroBased);
    return static_cast<std::size_t>(index) < listSize;
}

// Turns one face entry (three 1-based indices stored as floats, in x, y, z) into
// three 0-based indices: each stored value less 1, truncated toward zero.
// Returns false, leaving corners unspecified, when any index would fall outside
// a list of listSize elements, including NaN and values no int can hold; the
// check comes before the conversion, which would be undefined for them.
// Inline, as the fast path turns every face of every frame.
inline bool faceCorners(const Vector3& entry, std::size_t listSize, int (&corners)[3])
{
    return cornerIndex(entry.x, listSize, corners[0]) && cornerIndex(entry.y, listSize, corners[1])
        && cornerIndex(entry.z, listSize, corners[2]);
}

} // namespace Quorvane
