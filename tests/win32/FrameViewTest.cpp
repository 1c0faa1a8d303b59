// Showing the frame in a device context, unscaled and in GDI's byte order.

#include "app/win32/FrameView.h"

#include "app/FrameDriver.h"
#include "app/Globals.h"
#include "app/StartUp.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

namespace {

using namespace Quorvane;

// A 600 x 600 top-down DIB section to paint into, filled with a marker that
// no frame pixel has.
class MemoryTarget {
public:
    static constexpr int side = 600;
    static constexpr std::uint32_t marker = 0x00abcdef;

    MemoryTarget()
    {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = side;
        info.bmiHeader.biHeight = -side;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* memory = nullptr;
        bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &memory, nullptr, 0);
        bits = static_cast<std::uint32_t*>(memory);
        std::fill(bits, bits + side * side, marker);
        context = CreateCompatibleDC(nullptr);
        previous = SelectObject(context, bitmap);
    }
    ~MemoryTarget()
    {
        SelectObject(context, previous);
        DeleteDC(context);
        DeleteObject(bitmap);
    }
    MemoryTarget(const MemoryTarget&) = delete;
    MemoryTarget& operator=(const MemoryTarget&) = delete;

    std::uint32_t at(int x, int y) const
    {
        GdiFlush();
        return bits[y * side + x];
    }

    HDC context = nullptr;

private:
    HBITMAP bitmap = nullptr;
    HGDIOBJ previous = nullptr;
    std::uint32_t* bits = nullptr;
};

TEST(FrameView, ShowsTheSurfaceUnscaledAtTheTopLeftWithRedAndBlueSwapped)
{
    FrameSurface surface;
    surface.setPixel(0, 0, 0x00332211);
    surface.setPixel(499, 0, 0x00ff0000);
    surface.setPixel(0, 499, 0x000000ff);
    surface.setPixel(499, 499, 0x0000ff00);
    MemoryTarget target;
    showFrame(target.context, surface);
    EXPECT_EQ(target.at(0, 0), 0x00112233u);
    EXPECT_EQ(target.at(499, 0), 0x000000ffu);
    EXPECT_EQ(target.at(0, 499), 0x00ff0000u);
    EXPECT_EQ(target.at(499, 499), 0x0000ff00u);
    EXPECT_EQ(target.at(1, 1), 0u); // black where nothing was drawn
    EXPECT_EQ(target.at(500, 0), MemoryTarget::marker);
    EXPECT_EQ(target.at(0, 500), MemoryTarget::marker);
    EXPECT_EQ(target.at(599, 599), MemoryTarget::marker);
}

TEST(FrameView, PaintShowsWhatTheFrameDriverRenders)
{
    // A scene of its own: one triangle in front of the eye.
    mesh = Mesh();
    mesh.vertices = {Vector3(-0.5f, -0.5f, 0), Vector3(0.5f, -0.5f, 0), Vector3(0, 0.5f, 0)};
    mesh.normals = {Vector3(0, 0, 1)};
    mesh.faceVertexIndices = {Vector3(1, 2, 3)};
    mesh.faceUVIndices = {Vector3(1, 1, 1)};
    mesh.faceNormalIndices = {Vector3(1, 1, 1)};
    renderMode = renderModeShaded;
    shadingMode = shadingModePhong;
    camera = Camera();
    light = Light();
    applyStartValues(camera, light);

    FrameSurface expected;
    renderFrame(expected, renderMode, shadingMode, camera, light, mesh);
    MemoryTarget target;
    FrameRenderer renderer(3);
    paintFrame(target.context, renderer);

    int covered = 0;
    for (int y = 0; y < FrameSurface::height; ++y) {
        for (int x = 0; x < FrameSurface::width; ++x) {
            ASSERT_EQ(target.at(x, y), toGdiPixel(expected.pixel(x, y))) << x << ", " << y;
            covered += expected.pixel(x, y) != 0 ? 1 : 0;
        }
    }
    EXPECT_GT(covered, 1000);
}

} // namespace
