// The window driven by a thousand actions from a fixed pseudo-random
// sequence: clicks on the four view buttons, drags and wheel notches, none of
// which opens a dialog. The process's memory must stay put while they render
// their frames, and afterwards the window must still show the frame its scene
// gives.

#include "app/FrameDriver.h"
#include "app/Globals.h"
#include "app/StartUp.h"
#include "app/win32/FrameView.h"
#include "app/win32/resource.h"
#include "bench/SphereModel.h"
#include "scene/ObjParser.h"
#include "tests/win32/ShellTestSupport.h"

#include <psapi.h>

#include <cstdint>
#include <random>
#include <vector>

namespace {

using namespace Quorvane;
using namespace Quorvane::Testing;

constexpr int actions = 1000;
// The memory is first measured after this many actions, once the caches of
// the renderer, GDI and the allocator have filled.
constexpr int settlingActions = 200;
// A frame allocates a 1 MB surface and the renderer's lists and frees them:
// keeping any of that per frame would add hundreds of megabytes.
constexpr SIZE_T allowedGrowth = SIZE_T{4} << 20;

constexpr int viewButtons[] = {IDC_TOGGLE_BUTTON, IDC_FLAT_BUTTON, IDC_GOURAUD_BUTTON, IDC_PHONG_BUTTON};

// The memory only this process uses, Task Manager's "private bytes". Windows
// gives it as PagefileUsage and again as the extended PrivateUsage, which
// Wine leaves at 0; Wine's PagefileUsage is the process's resident anonymous
// memory.
SIZE_T privateBytes()
{
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
    return counters.PagefileUsage;
}

// The 500 x 500 picture as the window's client area shows it, read back
// through a window DC, in GDI's pixel layout.
std::vector<std::uint32_t> shownPicture(HWND window)
{
    constexpr int side = FrameSurface::width;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = side;
    info.bmiHeader.biHeight = -side; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HDC memory = CreateCompatibleDC(nullptr);
    const HGDIOBJ previous = SelectObject(memory, bitmap);
    const HDC shown = GetDC(window);
    BitBlt(memory, 0, 0, side, side, shown, 0, 0, SRCCOPY);
    ReleaseDC(window, shown);
    GdiFlush();
    const auto* first = static_cast<const std::uint32_t*>(bits);
    std::vector<std::uint32_t> picture(first, first + side * side);
    SelectObject(memory, previous);
    DeleteDC(memory);
    DeleteObject(bitmap);
    return picture;
}

// A small sphere instead of the head keeps a thousand actions' frames to
// seconds under Wine.
class MainWindowEventDrive : public MainWindowTest {
protected:
    void SetUp() override
    {
        savedMesh = mesh;
        mesh = Mesh();
        parseObjText(sphereObjText(12, 16), mesh);
        MainWindowTest::SetUp();
    }

    void TearDown() override
    {
        MainWindowTest::TearDown();
        mesh = savedMesh;
    }

    Mesh savedMesh;
};

TEST_F(MainWindowEventDrive, AThousandActionsKeepTheMemoryAndLeaveAWindowThatRenders)
{
    std::minstd_rand random(2026);
    const auto below = [&random](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    const auto anywhere = [&] { return MAKELPARAM(below(FrameSurface::width), below(FrameSurface::height)); };
    int frames = 0;
    SIZE_T settled = 0;
    for (int i = 0; i < actions; ++i) {
        if (i == settlingActions)
            settled = privateBytes();
        switch (below(3)) {
        case 0:
            frames += framesFor(GetDlgItem(window, viewButtons[below(4)]), BM_CLICK, 0, 0);
            break;
        case 1:
            frames += framesFor(WM_LBUTTONDOWN, MK_LBUTTON, anywhere());
            frames += framesFor(WM_MOUSEMOVE, MK_LBUTTON, anywhere());
            frames += framesFor(WM_LBUTTONUP, 0, anywhere());
            break;
        default:
            frames +=
                framesFor(WM_MOUSEWHEEL, MAKEWPARAM(0, below(2) ? WHEEL_DELTA : -WHEEL_DELTA), anywhere());
            break;
        }
    }
    const SIZE_T last = privateBytes();
    // Every action but a drag of no distance renders one frame, none renders two.
    EXPECT_GT(frames, actions * 9 / 10);
    EXPECT_LE(frames, actions);
    EXPECT_LE(last, settled + allowedGrowth) << "private bytes " << settled << " after " << settlingActions
                                             << " actions, " << last << " after " << actions;

    // From the start eye the sphere fills part of the picture in either mode.
    applyStartValues(camera, light);
    EXPECT_EQ(framesFor(GetDlgItem(window, IDC_GOURAUD_BUTTON), BM_CLICK, 0, 0), 1);
    FrameSurface expected;
    renderFrame(expected, renderMode, shadingMode, camera, light, mesh);
    const std::vector<std::uint32_t> shown = shownPicture(window);
    int covered = 0;
    for (int y = 0; y < FrameSurface::height; ++y) {
        for (int x = 0; x < FrameSurface::width; ++x) {
            ASSERT_EQ(shown[static_cast<std::size_t>(y * FrameSurface::width + x)],
                      toGdiPixel(expected.pixel(x, y)))
                << x << ", " << y;
            covered += expected.pixel(x, y) != 0 ? 1 : 0;
        }
    }
    EXPECT_GT(covered, 1000);
}

} // namespace
