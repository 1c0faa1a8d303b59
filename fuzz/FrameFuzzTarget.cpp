// Fuzz target: a model and a view through the reader and one whole frame.
// The first bytes choose the view and the eye, the rest is the model. Every
// frame must hold: the same frame twice, nothing on row 0 and column 0 in the
// shaded views, the top byte of every pixel 0, and a depth buffer of 500 x 500
// cells none of which is NaN or above the empty value (the wireframe leaves
// it empty). The fast path must draw the same frame, byte for byte, with
// either kernels and on one thread or several.

#include "app/FrameDriver.h"
#include "app/StartUp.h"
#include "render/DepthBuffer.h"
#include "render/FrameRenderer.h"
#include "render/FrameSurface.h"
#include "scene/ObjParser.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string_view>

using namespace Quorvane;

namespace {

// Few faces keep one input's work small: each may cover the whole frame.
constexpr std::size_t maxFaces = 4;

struct View {
    RenderMode renderMode;
    ShadingMode shadingMode;
};

constexpr std::array<View, 4> views = {{{renderModeWireframe, shadingModeFlat},
                                        {renderModeShaded, shadingModeFlat},
                                        {renderModeShaded, shadingModeGouraud},
                                        {renderModeShaded, shadingModePhong}}};

// Eye coordinates worth trying: ordinary ones, inside a model around the
// origin, on the near plane, denormal, huge and not finite.
constexpr float big = std::numeric_limits<float>::max();
// clang-format off
constexpr std::array<float, 16> chosenCoordinates = {
    0.0f, 0.5f, -0.5f, 1.5f, -1.5f, 0.1f, 1.0f, 3.0f, 1e-40f, -1e-45f, big, -big, 1e20f,
    std::numeric_limits<float>::infinity(), -std::numeric_limits<float>::infinity(),
    std::numeric_limits<float>::quiet_NaN()};
// clang-format on

// Reads bytes from the front of the input; past its end they are 0.
class InputBytes {
public:
    InputBytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    std::uint8_t byte() { return size_ > 0 ? (--size_, *data_++) : 0; }
    float coordinate()
    {
        const std::uint8_t choice = byte();
        if (choice < 128)
            return chosenCoordinates[choice % chosenCoordinates.size()];
        std::uint8_t bits[4] = {byte(), byte(), byte(), byte()}; // any float, NaN payloads too
        float value;
        std::memcpy(&value, bits, sizeof value);
        return value;
    }
    std::string_view rest() const { return {reinterpret_cast<const char*>(data_), size_}; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
};

void fail(const char* invariant)
{
    std::fprintf(stderr, "frame invariant broken: %s\n", invariant);
    std::abort();
}

void checkDepthBuffer(bool wireframe)
{
    if (depthBuffer.size() != static_cast<std::size_t>(FrameSurface::width))
        fail("depth buffer has 500 columns");
    for (const std::vector<float>& column : depthBuffer) {
        if (column.size() != static_cast<std::size_t>(FrameSurface::height))
            fail("depth buffer has 500 rows");
        for (const float depth : column) {
            if (std::isnan(depth) || depth > emptyDepth)
                fail("no depth is NaN or above the empty value");
            if (wireframe && depth != emptyDepth)
                fail("the wireframe leaves the depth buffer empty");
        }
    }
}

// The two frames of every input, reused: a new surface is a fresh megabyte
// from the system each time under the address sanitizer, whose page faults
// cost more than the rendering. Blanking copies a black one over them.
struct Surfaces {
    FrameSurface black;
    FrameSurface first, second;
};
Surfaces surfaces;

// The fast path as the programs run it, and with the portable kernels on one
// thread, which every processor takes.
FrameRenderer fastest(2);
FrameRenderer portable(1, PixelKernels::portable);

void render(FrameSurface& surface, const View& view, const Camera& camera, const Light& light,
            const Mesh& mesh)
{
    surface = surfaces.black;
    renderFrame(surface, view.renderMode, view.shadingMode, camera, light, mesh);
}

void renderFast(FrameRenderer& renderer, FrameSurface& surface, const View& view, const Camera& camera,
                const Light& light, const Mesh& mesh)
{
    surface = surfaces.black;
    renderFrame(renderer, surface, view.renderMode, view.shadingMode, camera, light, mesh);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (depthBuffer.empty())
        createDepthBuffer(FrameSurface::width, FrameSurface::height);
    InputBytes input(data, size);
    const View view = views[input.byte() % views.size()];
    Camera camera;
    Light light;
    applyStartValues(camera, light);
    camera.position.x = input.coordinate();
    camera.position.y = input.coordinate();
    camera.position.z = input.coordinate();

    Mesh mesh;
    parseObjText(input.rest(), mesh);
    const std::size_t faces = std::min(mesh.faceVertexIndices.size(), maxFaces);
    mesh.faceVertexIndices.resize(faces);
    mesh.faceUVIndices.resize(faces);
    mesh.faceNormalIndices.resize(faces);

    FrameSurface& first = surfaces.first;
    FrameSurface& second = surfaces.second;
    render(first, view, camera, light, mesh);
    const bool wireframe = view.renderMode == renderModeWireframe;
    checkDepthBuffer(wireframe);
    render(second, view, camera, light, mesh);
    const std::size_t pixelCount = static_cast<std::size_t>(FrameSurface::width) * FrameSurface::height;
    const auto same = [&] {
        return std::memcmp(first.pixels(), second.pixels(), pixelCount * sizeof(std::uint32_t)) == 0;
    };
    if (!same())
        fail("the same frame twice");
    for (FrameRenderer* renderer : {&fastest, &portable}) {
        renderFast(*renderer, second, view, camera, light, mesh);
        if (!same())
            fail("the fast path draws the same frame");
    }
    const std::uint32_t* pixels = first.pixels();
    if (std::any_of(pixels, pixels + pixelCount, [](std::uint32_t pixel) { return pixel >> 24 != 0; }))
        fail("the top byte of every pixel is 0");
    if (!wireframe) {
        for (int i = 0; i < FrameSurface::width; ++i)
            if (first.pixel(i, 0) != 0 || first.pixel(0, i) != 0)
                fail("nothing on row 0 and column 0 in the shaded views");
    }
    return 0;
}
