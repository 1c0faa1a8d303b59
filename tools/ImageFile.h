#pragma once

#include "render/FrameSurface.h"

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace Quorvane {

enum class ImageFormat {
    png,
    ppm,
    unknown,
};

// The format a file name asks for: .png or .ppm at its end, in any case.
ImageFormat imageFormatFor(const std::string& fileName);

// Writes the surface as binary PPM (P6, 500 x 500, bytes R G B per pixel, red
// being the low byte of the pixel value). False when the stream fails.
bool writePpm(const FrameSurface& surface, std::ostream& out);

// Writes the surface as an 8-bit RGB PNG. False when the stream fails.
bool writePng(const FrameSurface& surface, std::ostream& out);

// Writes a square picture of size x size pixels 0xAABBGGRR, row by row from
// the top, as an 8-bit RGBA PNG: the desktop icons. False when the stream
// fails or the pixels do not fill the square.
bool writeRgbaPng(int size, const std::vector<std::uint32_t>& pixels, std::ostream& out);

} // namespace Quorvane
