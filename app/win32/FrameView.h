#pragma once

#include "render/FrameRenderer.h"
#include "render/FrameSurface.h"

#include <windows.h>

#include <cstdint>

namespace Quorvane {

// A pixel value 0x00BBGGRR in GDI's 32-bit layout, 0x00RRGGBB: red and blue
// change places.
std::uint32_t toGdiPixel(std::uint32_t value);

// Copies surface in one block to target at (0, 0), 500 x 500, unscaled, as a
// device-independent bitmap. Creates no GDI object.
void showFrame(HDC target, const FrameSurface& surface);

// Renders one frame of the program's scene with renderer into a fresh surface
// and shows it on target: the whole of what the paint handler draws.
void paintFrame(HDC target, FrameRenderer& renderer);

} // namespace Quorvane
