#include "render/TriangleFill.h"

#include "math/Truncation.h"

#include <algorithm>

namespace Quorvane {

namespace {

constexpr int firstPixel = 1;
constexpr int lastPixel = 499;

} // namespace

bool pixelBox(const Vector3& v0, const Vector3& v1, const Vector3& v2, PixelBox& box)
{
    if (!(truncatesToInt(v0.x) && truncatesToInt(v0.y) && truncatesToInt(v1.x) && truncatesToInt(v1.y)
          && truncatesToInt(v2.x) && truncatesToInt(v2.y)))
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

void sampleColumn(float x, int first, int count, const Vector3& a, const Vector3& b, const Vector3& c,
                  const float* stored, ColumnSamples& samples)
{
    // Local copies: the compiler cannot tell that the caller's corners do not
    // share memory with samples, and would otherwise reload them every row.
    const Vector3 corner0 = a;
    const Vector3 corner1 = b;
    const Vector3 corner2 = c;
    // insideTriangle written out without branches; the corner differences
    // that depend only on the column are the same for every row.
    const float pax = corner0.x - x;
    const float pbx = corner1.x - x;
    const float pcx = corner2.x - x;
    bool inside[maxBoxRows];
    for (int i = 0; i < count; ++i) {
        const float y = static_cast<float>(first + i);
        const float pay = corner0.y - y;
        const float pby = corner1.y - y;
        const float pcy = corner2.y - y;
        const float c1 = pax * pby - pbx * pay;
        const float c2 = pbx * pcy - pcx * pby;
        const float c3 = pcx * pay - pax * pcy;
        inside[i] = (c1 * c2 >= 0.0f) & (c2 * c3 >= 0.0f) & (c3 * c1 >= 0.0f);
        // Outside samples get weights too (possibly infinite or NaN) and are
        // then ignored: computing them costs less than a branch per row.
        const Vector3 weights = barycentric(corner0, corner1, corner2, Vector2(x, y));
        samples.weight0[i] = weights.x;
        samples.weight1[i] = weights.y;
        samples.weight2[i] = weights.z;
        samples.depth[i] = interpolateDepth(corner0, corner1, corner2, weights);
    }
    for (int i = 0; i < count; ++i)
        samples.passes[i] = inside[i] & (stored[i] > samples.depth[i]);
}

} // namespace Quorvane
