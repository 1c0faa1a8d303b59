#pragma once

#include "math/Vector.h"
#include "render/RenderContext.h"

namespace Quorvane {

// The one way a model position reaches the screen: the context's view, then its
// projection, the perspective divide and the mapping to the 500 x 500 image.
// x is the pixel column, y the row (down), z the depth (about 0 at the near
// plane, 500 at the far plane). Nothing is clipped: points behind the eye come
// out mirrored and points in the eye's plane give infinities or NaN.
Vector3 transformVertex(const Vector3& position, const RenderContext& context);

} // namespace Quorvane
