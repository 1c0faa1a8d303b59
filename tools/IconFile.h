#pragma once

#include "render/FrameSurface.h"

#include <cstdint>
#include <vector>

namespace Quorvane {

// One square icon image, row by row from the top; each pixel 0xAABBGGRR, the
// frame's pixel value with an opacity in the high byte.
struct IconPicture {
    int size = 0;
    std::vector<std::uint32_t> pixels;
};

// The square of frame with its top-left corner at (left, top) and sides of
// side pixels, shrunk to size x size by averaging whole blocks: each icon
// pixel's colour is the mean of the covered (not black) frame pixels it
// spans, and its opacity the share of them among all.
IconPicture shrinkToIcon(const FrameSurface& frame, int left, int top, int side, int size);

// One image of an icon file: the picture and how it is stored, with 8 or 32
// bits per pixel.
struct IconImage {
    IconPicture picture;
    int bitsPerPixel = 32;
};

// A Windows .ico file holding the images in the given order, each as a
// device-independent bitmap with its transparency mask. 32-bit images keep
// the opacity; 8-bit images use a palette of 256 greys (the model is white
// and lit by white light, so its shades are greys) and show a pixel when it
// is at least half opaque.
std::vector<std::uint8_t> encodeIconFile(const std::vector<IconImage>& images);

} // namespace Quorvane
