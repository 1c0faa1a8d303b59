#include "render/FrameSurface.h"

namespace Quorvane {

std::uint32_t FrameSurface::pixel(int x, int y) const
{
    if (static_cast<unsigned>(x) >= static_cast<unsigned>(width)
        || static_cast<unsigned>(y) >= static_cast<unsigned>(height))
        return 0;
    return pixels_[static_cast<std::size_t>(y) * width + static_cast<std::size_t>(x)];
}

void FrameSurface::setColumn(int x, const std::uint32_t* values)
{
    if (static_cast<unsigned>(x) >= static_cast<unsigned>(width))
        return;
    std::uint32_t* pixel = pixels_.data() + x;
    for (int y = 0; y < height; ++y, pixel += width)
        *pixel = values[y];
}

const std::uint32_t* FrameSurface::pixels() const
{
    return pixels_.data();
}

} // namespace Quorvane
