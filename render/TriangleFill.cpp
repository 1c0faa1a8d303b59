#include "render/TriangleFill.h"

#include <algorithm>

namespace Quorvane {

namespace {

constexpr int firstPixel = 1;
constexpr int lastPixel = 499;

// Truncation to int is defined only for values in (-2^31 - 1, 2^31).
bool truncatable(float value)
{
    return value >= -2147483648.0f && value < 2147483648.0f;
}

} // namespace

bool pixelBox(const Vector3& v0, const Vector3& v1, const Vector3& v2, PixelBox& box)
{
    if (!(truncatable(v0.x) && truncatable(v0.y) && truncatable(v1.x) && truncatable(v1.y)
          && truncatable(v2.x) && truncatable(v2.y)))
        return false;
    const int tx0 = static_cast<int>(v0.x), ty0 = static_cast<int>(v0.y);
    const int tx1 = static_cast<int>(v1.x), ty1 = static_cast<int>(v1.y);
    const int tx2 = static_cast<int>(v2.x), ty2 = static_cast<int>(v2.y);
    box.xmin = std::min({tx0, tx1, tx2});
    box.xmax = std::max({tx0, tx1, tx2});
    box.ymin = std::min({ty0, ty1, ty2});
    box.ymax = std::max({ty0, ty1, ty2});
    // Only the far side is clamped from each end, so a face wholly off one
    // side leaves xmin above xmax (or ymin above ymax): an empty range.
    if (box.xmax >= lastPixel)
        box.xmax = lastPixel;
    if (box.xmin <= firstPixel)
        box.xmin = firstPixel;
    if (box.ymax >= lastPixel)
        box.ymax = lastPixel;
    if (box.ymin <= firstPixel)
        box.ymin = firstPixel;
    return box.xmin <= box.xmax && box.ymin <= box.ymax;
}

} // namespace Quorvane
