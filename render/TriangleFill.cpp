#include "render/TriangleFill.h"

#include "math/Truncation.h"

#include <algorithm>

namespace Quorvane {

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
