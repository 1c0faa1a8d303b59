#pragma once

#include "tools/head/DistanceField.h"

namespace Quorvane {

// The signed distance field of a human head and neck: +y up, the face looking
// toward +z, about 1.85 units tall and centred near the origin. Negative
// inside. Symmetric in x.
double headDistance(const Vector3d& p);

} // namespace Quorvane
