#pragma once

#include "render/DepthBuffer.h"
#include "render/FrameSurface.h"

#include <set>
#include <utility>

namespace Quorvane::Testing {

using Pixel = std::pair<int, int>; // (x, y)

// A new 500 x 500 depth buffer holding the empty value everywhere.
inline void freshDepthBuffer()
{
    depthBuffer.clear();
    createDepthBuffer(500, 500);
}

// Every pixel of the surface that is not black.
inline std::set<Pixel> litPixels(const FrameSurface& surface)
{
    std::set<Pixel> pixels;
    for (int y = 0; y < FrameSurface::height; ++y)
        for (int x = 0; x < FrameSurface::width; ++x)
            if (surface.pixel(x, y) != 0)
                pixels.insert({x, y});
    return pixels;
}

} // namespace Quorvane::Testing
