#include "render/FaceCorners.h"

#include "math/Truncation.h"

namespace Quorvane {

namespace {

bool cornerIndex(float stored, std::size_t listSize, int& index)
{
    const float zeroBased = stored - 1.0f;
    // Truncation gives 0 for anything above -1, the first index.
    if (!(truncatesToInt(zeroBased) && zeroBased > -1.0f))
        return false;
    index = static_cast<int>(zeroBased);
    return static_cast<std::size_t>(index) < listSize;
}

} // namespace

bool faceCorners(const Vector3& entry, std::size_t listSize, int (&corners)[3])
{
    return cornerIndex(entry.x, listSize, corners[0]) && cornerIndex(entry.y, listSize, corners[1])
        && cornerIndex(entry.z, listSize, corners[2]);
}

} // namespace Quorvane
