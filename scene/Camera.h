#pragma once

#include "math/Matrix.h"
#include "math/Vector.h"

namespace Quorvane {

// The eye. Only position ever changes; the zero rotation makes the view matrix
// a pure translation, so the eye always looks down -z with y up.
struct Camera {
    Vector3 position;
    Quaternion rotation;
};

} // namespace Quorvane
