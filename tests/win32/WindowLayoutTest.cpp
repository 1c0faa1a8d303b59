// The main window, its class and its four buttons as created.

#include "app/Globals.h"
#include "app/win32/resource.h"
#include "tests/win32/ShellTestSupport.h"

namespace {

using namespace Quorvane;
using namespace Quorvane::Testing;

using MainWindowLayout = MainWindowTest;

TEST_F(MainWindowLayout, WindowHasTitleClassAndOuterSize)
{
    EXPECT_EQ(windowText(window), L"Quorvane");
    wchar_t className[100] = {};
    GetClassNameW(window, className, 100);
    EXPECT_STREQ(className, L"QUORVANE");
    RECT outer{};
    GetWindowRect(window, &outer);
    EXPECT_EQ(outer.right - outer.left, 630);
    EXPECT_EQ(outer.bottom - outer.top, 550);
    EXPECT_EQ(GetWindowLongW(window, GWL_STYLE) & WS_OVERLAPPEDWINDOW,
              static_cast<LONG>(WS_OVERLAPPEDWINDOW));
    EXPECT_EQ(GetWindowLongW(window, GWL_EXSTYLE) & (WS_EX_TOPMOST | WS_EX_TOOLWINDOW), 0);
}

TEST_F(MainWindowLayout, FourPushButtonsInAColumnRightOfThePicture)
{
    struct Expected {
        int id;
        const wchar_t* text;
        int y;
    };
    const Expected buttons[] = {
        {IDC_TOGGLE_BUTTON, L"Mesh", 0},
        {IDC_FLAT_BUTTON, L"Flat Shading", 50},
        {IDC_GOURAUD_BUTTON, L"Gouraud Shading", 80},
        {IDC_PHONG_BUTTON, L"Phong Shading", 110},
    };
    for (const Expected& expected : buttons) {
        const HWND button = GetDlgItem(window, expected.id);
        ASSERT_NE(button, nullptr) << expected.id;
        wchar_t className[100] = {};
        GetClassNameW(button, className, 100);
        EXPECT_EQ(std::wstring(className), L"Button") << expected.id;
        EXPECT_EQ(windowText(button), expected.text);
        RECT place{};
        GetWindowRect(button, &place);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&place), 2);
        EXPECT_EQ(place.left, 500) << expected.id;
        EXPECT_EQ(place.top, expected.y) << expected.id;
        EXPECT_EQ(place.right - place.left, 115) << expected.id;
        EXPECT_EQ(place.bottom - place.top, 30) << expected.id;
        const LONG style = GetWindowLongW(button, GWL_STYLE);
        EXPECT_EQ(style & (WS_CHILD | WS_VISIBLE), WS_CHILD | WS_VISIBLE) << expected.id;
        EXPECT_EQ(style & BS_TYPEMASK, BS_PUSHBUTTON) << expected.id;
    }
    EXPECT_EQ(toggleButton, GetDlgItem(window, IDC_TOGGLE_BUTTON));
}

TEST_F(MainWindowLayout, SetTextLeavesTheTitle)
{
    SetWindowTextW(window, L"Something else");
    EXPECT_EQ(windowText(window), L"Quorvane");
}

TEST_F(MainWindowLayout, EraseRequestIsAnsweredAsDone)
{
    const HDC target = GetDC(window);
    EXPECT_EQ(SendMessageW(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(target), 0), 1);
    ReleaseDC(window, target);
}

TEST_F(MainWindowLayout, ClassRedrawsOnResizeWithIconsArrowWindowBrushAndMenu)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    ASSERT_TRUE(GetClassInfoExW(GetModuleHandleW(nullptr), L"QUORVANE", &windowClass));
    EXPECT_EQ(windowClass.style, static_cast<UINT>(CS_HREDRAW | CS_VREDRAW));
    EXPECT_EQ(windowClass.cbClsExtra, 0);
    EXPECT_EQ(windowClass.cbWndExtra, 0);
    EXPECT_NE(windowClass.hIcon, nullptr);
    EXPECT_NE(windowClass.hIconSm, nullptr);
    EXPECT_EQ(windowClass.hCursor, LoadCursorW(nullptr, IDC_ARROW));
    EXPECT_EQ(windowClass.hbrBackground, reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1)));
    EXPECT_EQ(windowClass.lpszMenuName, MAKEINTRESOURCEW(IDC_QUORVANE));
}

} // namespace
