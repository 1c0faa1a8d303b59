#include "app/win32/FrameView.h"

#include "app/FrameDriver.h"
#include "app/Globals.h"

#include <algorithm>
#include <vector>

namespace Quorvane {

std::uint32_t toGdiPixel(std::uint32_t value)
{
    return ((value & 0xffu) << 16) | (value & 0xff00u) | ((value >> 16) & 0xffu);
}

void showFrame(HDC target, const FrameSurface& surface)
{
    constexpr int width = FrameSurface::width;
    constexpr int height = FrameSurface::height;
    std::vector<std::uint32_t> bits(static_cast<std::size_t>(width) * height);
    std::transform(surface.pixels(), surface.pixels() + bits.size(), bits.begin(), toGdiPixel);

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // negative: row 0 is the top row, as in the surface
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    SetDIBitsToDevice(target, 0, 0, width, height, 0, 0, 0, height, bits.data(), &info, DIB_RGB_COLORS);
}

void paintFrame(HDC target, FrameRenderer& renderer)
{
    FrameSurface surface;
    renderFrame(renderer, surface, renderMode, shadingMode, camera, light, mesh);
    showFrame(target, surface);
}

} // namespace Quorvane
