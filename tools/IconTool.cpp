// quorvane-icon: renders a model with the program's own pipeline and writes
// the Windows program's icon file: the nine images its class icons offer,
// 256, 48, 32 and 16 pixels at 8 bits and 256, 64, 48, 32 and 16 at 32 bits.

#include "app/FrameDriver.h"
#include "app/StartUp.h"
#include "render/FrameSurface.h"
#include "scene/Camera.h"
#include "scene/Light.h"
#include "scene/Mesh.h"
#include "scene/Modes.h"
#include "tools/IconFile.h"
#include "tools/ImageFile.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace {

using namespace Quorvane;

constexpr int usageError = 2;

struct Square {
    int left = 0;
    int top = 0;
    int side = 0;
};

// The smallest square around every covered pixel, with a margin of a
// sixteenth of its side so the head does not touch the icon's edge.
Square coveredSquare(const FrameSurface& frame)
{
    int left = FrameSurface::width, top = FrameSurface::height, right = -1, bottom = -1;
    for (int y = 0; y < FrameSurface::height; ++y) {
        for (int x = 0; x < FrameSurface::width; ++x) {
            if (frame.pixel(x, y) == 0)
                continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    if (right < 0)
        return {0, 0, FrameSurface::width};
    const int content = std::max(right - left, bottom - top) + 1;
    const int side = content + content / 8;
    return {(left + right + 1 - side) / 2, (top + bottom + 1 - side) / 2, side};
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3 && argc != 4) {
        std::cerr << "usage: quorvane-icon MODEL.obj OUT.ico [PNG_DIRECTORY]\n"
                     "Renders MODEL with Phong shading and writes the Windows icon file OUT, and\n"
                     "with PNG_DIRECTORY the Linux icons quorvane-SIZE.png there.\n";
        return usageError;
    }
    Mesh mesh;
    if (loadMesh(argv[1], mesh) != MeshLoadStatus::loaded)
        return usageError;

    Camera camera;
    Light light;
    startUp(camera, light);
    FrameSurface frame;
    renderFrame(frame, renderModeShaded, shadingModePhong, camera, light, mesh);

    const Square square = coveredSquare(frame);
    std::vector<IconImage> images;
    for (const int size : {256, 48, 32, 16})
        images.push_back({shrinkToIcon(frame, square.left, square.top, square.side, size), 8});
    for (const int size : {256, 64, 48, 32, 16})
        images.push_back({shrinkToIcon(frame, square.left, square.top, square.side, size), 32});
    const std::vector<std::uint8_t> file = encodeIconFile(images);

    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
    if (!out) {
        std::cerr << "quorvane-icon: cannot write " << argv[2] << '\n';
        return usageError;
    }
    // The Linux program's icons are the same 32-bit pictures.
    if (argc == 4) {
        for (const IconImage& image : images) {
            if (image.bitsPerPixel != 32)
                continue;
            const std::filesystem::path path =
                std::filesystem::path(argv[3]) / ("quorvane-" + std::to_string(image.picture.size) + ".png");
            std::ofstream png(path, std::ios::binary | std::ios::trunc);
            if (!writeRgbaPng(image.picture.size, image.picture.pixels, png)) {
                std::cerr << "quorvane-icon: cannot write " << path.string() << '\n';
                return usageError;
            }
        }
    }
    return 0;
}
