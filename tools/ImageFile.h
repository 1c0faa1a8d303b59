#pragma once

#include "render/FrameSurface.h"

#include <ostream>
#include <string>

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

} // namespace Quorvane
