#pragma once

#include "math/Geometry.h"
#include "math/Truncation.h"
#include "math/Vector.h"
#include "render/DepthBuffer.h"
#include "render/FrameSurface.h"

#include <algorithm>
#include <cstddef>
#include <vector>

namespace Quorvane {

// The pixel range a face visits, inclusive at both ends.
struct PixelBox {
    int xmin = 0, xmax = 0, ymin = 0, ymax = 0;
};

// The pixels a box is clamped to: column 0 and row 0 are never filled.
constexpr int firstPixel = 1;
constexpr int lastPixel = 499;

// The box of the corners' screen positions truncated toward zero, clamped to
// [1, 499]: column 0 and row 0 are never filled. False when the box is empty
// or a coordinate is NaN, infinite or beyond the int range, which would make
// the truncation undefined; such a face covers nothing.
// Inline, as the fast path sets up the box of every face of every frame.
inline bool pixelBox(const Vector3& v0, const Vector3& v1, const Vector3& v2, PixelBox& box)
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

// The most rows a clamped box can span.
constexpr int maxBoxRows = 499;

// Columns shorter than this are sampled pixel by pixel: for the small faces of
// a fine mesh the vectorised pass costs more than it saves.
constexpr int shortestSampledColumn = 16;

// What the pixel loop needs of one column of a face's box, row i of the
// arrays belonging to row first + i: whether the sample is inside the
// triangle and nearer than the stored depth, its weights and its depth.
struct ColumnSamples {
    bool passes[maxBoxRows];
    float weight0[maxBoxRows], weight1[maxBoxRows], weight2[maxBoxRows];
    float depth[maxBoxRows];
};

// Samples rows first to first + count - 1 of column x for the screen corners
// a, b, c against the stored depths of those rows. The same float operations,
// lane by lane, as insideTriangle, barycentric and interpolateDepth, in a loop
// the compiler vectorises: faces that cross the camera plane have boxes of the
// whole surface, so this loop runs for most of such a frame's pixels.
void sampleColumn(float x, int first, int count, const Vector3& a, const Vector3& b, const Vector3& c,
                  const float* stored, ColumnSamples& samples);

// The pixel loop of the three face fills, for screen corners i_vtx0..2: every
// pixel (x, y) of the box, columns outer and rows inner, sampled at the point
// (x, y); one inside the triangle whose interpolated depth is strictly below
// depthBuffer[x][y] stores that depth and gets shadePixel(weights). Cells the
// depth buffer does not have are skipped. A template so the shading call is
// inlined into the loop.
template <typename ShadePixel>
void fillTriangle(const Vector3& i_vtx0, const Vector3& i_vtx1, const Vector3& i_vtx2, FrameSurface& surface,
                  const ShadePixel& shadePixel)
{
    PixelBox box;
    if (!pixelBox(i_vtx0, i_vtx1, i_vtx2, box))
        return;
    const Vector2 a(i_vtx0);
    const Vector2 b(i_vtx1);
    const Vector2 c(i_vtx2);
    const int rows = box.ymax - box.ymin + 1;
    ColumnSamples samples;
    for (int x = box.xmin; x <= box.xmax; ++x) {
        if (static_cast<std::size_t>(x) >= depthBuffer.size())
            return;
        std::vector<float>& column = depthBuffer[static_cast<std::size_t>(x)];
        if (static_cast<std::size_t>(box.ymax) >= column.size())
            continue;
        float* stored = column.data() + box.ymin;
        if (rows < shortestSampledColumn) {
            for (int i = 0; i < rows; ++i) {
                const Vector2 p(static_cast<float>(x), static_cast<float>(box.ymin + i));
                if (!insideTriangle(p, a, b, c))
                    continue;
                const Vector3 weights = barycentric(i_vtx0, i_vtx1, i_vtx2, p);
                const float depth = interpolateDepth(i_vtx0, i_vtx1, i_vtx2, weights);
                if (stored[i] > depth) {
                    stored[i] = depth;
                    surface.setPixel(x, box.ymin + i, shadePixel(weights));
                }
            }
            continue;
        }
        sampleColumn(static_cast<float>(x), box.ymin, rows, i_vtx0, i_vtx1, i_vtx2, stored, samples);
        // Each pixel of a face is visited once, so testing the whole column
        // before storing any depth decides exactly as pixel by pixel would.
        for (int i = 0; i < rows; ++i) {
            if (!samples.passes[i])
                continue;
            stored[i] = samples.depth[i];
            const Vector3 weights(samples.weight0[i], samples.weight1[i], samples.weight2[i]);
            surface.setPixel(x, box.ymin + i, shadePixel(weights));
        }
    }
}

} // namespace Quorvane
