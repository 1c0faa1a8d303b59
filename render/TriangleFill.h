#pragma once

#include "math/Geometry.h"
#include "math/Vector.h"
#include "render/DepthBuffer.h"
#include "render/FrameSurface.h"
#include "render/Rasterizer.h"

#include <cstddef>
#include <vector>

namespace Quorvane {

// The pixel range a face visits, inclusive at both ends.
struct PixelBox {
    int xmin = 0, xmax = 0, ymin = 0, ymax = 0;
};

// The box of the corners' screen positions truncated toward zero, clamped to
// [1, 499]: column 0 and row 0 are never filled. False when the box is empty
// or a coordinate is NaN, infinite or beyond the int range, which would make
// the truncation undefined; such a face covers nothing.
bool pixelBox(const Vector3& v0, const Vector3& v1, const Vector3& v2, PixelBox& box);

// The pixel loop of the three face fills, for screen corners i_vtx0..2: every
// pixel (x, y) of the box, columns outer and rows inner, sampled at the point
// (x, y); one inside the triangle whose interpolated depth is strictly below
// depthBuffer[x][y] stores that depth and gets shadePixel(weights). Cells the
// depth buffer does not have are skipped. A template so the shading call is
// inlined into the loop.
template <typename ShadePixel>
void fillTriangle(const Vector3& i_vtx0, const Vector3& i_vtx1, const Vector3& i_vtx2,
                  FrameSurface& surface, const ShadePixel& shadePixel)
{
    PixelBox box;
    if (!pixelBox(i_vtx0, i_vtx1, i_vtx2, box))
        return;
    const Vector2 a(i_vtx0);
    const Vector2 b(i_vtx1);
    const Vector2 c(i_vtx2);
    for (int x = box.xmin; x <= box.xmax; ++x) {
        if (static_cast<std::size_t>(x) >= depthBuffer.size())
            return;
        std::vector<float>& column = depthBuffer[static_cast<std::size_t>(x)];
        if (static_cast<std::size_t>(box.ymax) >= column.size())
            continue;
        for (int y = box.ymin; y <= box.ymax; ++y) {
            const Vector2 p(static_cast<float>(x), static_cast<float>(y));
            if (!insideTriangle(p, a, b, c))
                continue;
            const Vector3 vec = barycentric(i_vtx0, i_vtx1, i_vtx2, p);
            const float depth = interpolateDepth(i_vtx0, i_vtx1, i_vtx2, vec);
            float& stored = column[static_cast<std::size_t>(y)];
            if (stored > depth) {
                stored = depth;
                surface.setPixel(x, y, shadePixel(vec));
            }
        }
    }
}

} // namespace Quorvane
