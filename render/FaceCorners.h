#pragma once

#include "math/Vector.h"

#include <cstddef>

namespace Quorvane {

// Turns one face entry (three 1-based indices stored as floats, in x, y, z) into
// three 0-based indices: each stored value less 1, truncated toward zero.
// Returns false, leaving corners unspecified, when any index would fall outside
// a list of listSize elements, including NaN and values no int can hold; the
// check comes before the conversion, which would be undefined for them.
bool faceCorners(const Vector3& entry, std::size_t listSize, int (&corners)[3]);

} // namespace Quorvane
