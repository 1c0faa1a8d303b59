#include "render/Wireframe.h"

#include "render/FaceCorners.h"
#include "render/LineEnds.h"
#include "render/RenderContext.h"
#include "render/Shaders.h"

#include <algorithm>
#include <cstdint>

namespace Quorvane {

namespace {

// The line algorithm on truncated ends. 64-bit positions keep the differences
// of far-apart ends exact; the running value is float as in every other line.
void stepLine(LineEnds ends, std::uint32_t value, FrameSurface& surface)
{
    const bool steep = orientLine(ends);
    const std::int64_t x0 = ends.x0, y0 = ends.y0, x1 = ends.x1, y1 = ends.y1;
    // The step axis only grows, so a line that ends left of the surface or
    // starts right of it has no visible pixel.
    if (x1 < 0 || x0 >= FrameSurface::width)
        return;
    const float slope = static_cast<float>(y1 - y0) / static_cast<float>(x1 - x0);
    float y = static_cast<float>(y0);
    const std::int64_t last = std::min<std::int64_t>(x1, FrameSurface::width - 1);
    for (std::int64_t x = x0; x <= last; ++x) {
        // Truncation toward zero puts (-1, 0) in row 0 too; anything outside
        // (-1, 500) is off the surface and is never converted.
        if (x >= 0 && y > -1.0f && y < 500.0f) {
            const int minor = static_cast<int>(y);
            if (steep)
                surface.setPixel(minor, static_cast<int>(x), value);
            else
                surface.setPixel(static_cast<int>(x), minor, value);
        }
        y = y + slope;
    }
}

} // namespace

void drawLine(Vector2 p0, Vector2 p1, Color color, FrameSurface& surface)
{
    LineEnds ends;
    if (lineEnds(p0, p1, ends))
        stepLine(ends, toPixel(color), surface);
}

void drawWireframe(const Mesh& mesh, Color color, FrameSurface& surface)
{
    for (const Vector3& entry : mesh.faceVertexIndices) {
        int corners[3];
        if (!faceCorners(entry, mesh.vertices.size(), corners))
            continue;
        // transformVertex is a pure function, so each corner is placed once
        // and shared by its two edges.
        Vector3 screen[3];
        for (int j = 0; j < 3; ++j)
            screen[j] =
                flatShader.shadeVertex(mesh.vertices[static_cast<std::size_t>(corners[j])], renderContext);
        for (int j = 0; j < 3; ++j) {
            const Vector3& e0 = screen[j];
            const Vector3& e1 = screen[(j + 1) % 3];
            drawLine(Vector2(e0.x, e0.y), Vector2(e1.x, e1.y), color, surface);
        }
    }
}

} // namespace Quorvane
