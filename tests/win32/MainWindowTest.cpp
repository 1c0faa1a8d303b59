// Creates the real main window in this process and drives it with window
// messages, as Windows would deliver them. Runs under Wine with its null
// graphics driver: windows, menus, dialogs and memory drawing all work, but
// nothing reaches a screen.

#include "app/win32/MainWindow.h"

#include "app/ExecutableDirectory.h"
#include "app/FrameDriver.h"
#include "app/Globals.h"
#include "app/StartUp.h"
#include "app/win32/FrameView.h"
#include "app/win32/resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace Quorvane;

// What the dialog watcher saw of each dialog or message box that opened.
struct SeenDialog {
    std::wstring caption;
    std::vector<std::wstring> texts;   // the text of every child control, in order
    bool hasIcon = false;
    HWND handle = nullptr;
};

// Test state: the paint counter of the subclassed main window, and the
// dialog watcher, which closes every dialog as soon as it is set up by
// sending it the command closeWith.
int paints = 0;
WORD closeWith = IDOK;
std::vector<SeenDialog> seenDialogs;

LRESULT CALLBACK countingProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT)
        ++paints;
    return CallWindowProcW(mainWindowProc, hWnd, message, wParam, lParam);
}

std::wstring windowText(HWND window)
{
    std::vector<wchar_t> text(256, L'\0');
    GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
    return text.data();
}

BOOL CALLBACK collectChild(HWND child, LPARAM context)
{
    SeenDialog& dialog = *reinterpret_cast<SeenDialog*>(context);
    dialog.texts.push_back(windowText(child));
    if (SendMessageW(child, STM_GETICON, 0, 0) != 0)
        dialog.hasIcon = true;
    return TRUE;
}

LRESULT CALLBACK watchDialogs(int code, WPARAM wParam, LPARAM lParam)
{
    const CWPRETSTRUCT& call = *reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && call.message == WM_INITDIALOG) {
        SeenDialog dialog;
        dialog.handle = call.hwnd;
        dialog.caption = windowText(call.hwnd);
        EnumChildWindows(call.hwnd, collectChild, reinterpret_cast<LPARAM>(&dialog));
        seenDialogs.push_back(dialog);
        PostMessageW(call.hwnd, WM_COMMAND, closeWith, 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void dispatchPending()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// Once per process: what wWinMain does before it creates the window.
class ShellEnvironment : public testing::Environment {
public:
    void SetUp() override
    {
        startUp(camera, light);
        const HINSTANCE program = GetModuleHandleW(nullptr);
        LoadStringW(program, IDS_APP_TITLE, title, 100);
        LoadStringW(program, IDC_QUORVANE, windowClassName, 100);
        registerMainWindowClass(program);
    }
};

const testing::Environment* const shellEnvironment = testing::AddGlobalTestEnvironment(new ShellEnvironment);

class MainWindowTest : public testing::Test {
protected:
    void SetUp() override
    {
        renderMode = renderModeShaded;
        shadingMode = shadingModeFlat;
        camera = Camera();
        light = Light();
        applyStartValues(camera, light);
        dragTracker = DragTracker();
        seenDialogs.clear();
        closeWith = IDOK;
        hook = SetWindowsHookExW(WH_CALLWNDPROCRET, watchDialogs, nullptr, GetCurrentThreadId());

        window = createMainWindow(GetModuleHandleW(nullptr), SW_SHOWNORMAL);
        ASSERT_NE(window, nullptr);
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(countingProc));
        dispatchPending();
    }

    void TearDown() override
    {
        if (IsWindow(window))
            DestroyWindow(window);
        dispatchPending();   // also takes the quit message that the destruction posted
        UnhookWindowsHookEx(hook);
    }

    // Frames rendered by sending message, counting also every paint the
    // message queue holds afterwards.
    int framesFor(UINT message, WPARAM wParam, LPARAM lParam)
    {
        dispatchPending();
        paints = 0;
        SendMessageW(window, message, wParam, lParam);
        dispatchPending();
        return paints;
    }

    int framesForCommand(int id) { return framesFor(WM_COMMAND, static_cast<WPARAM>(id), 0); }

    HWND window = nullptr;
    HHOOK hook = nullptr;
};

using MainWindowCommands = MainWindowTest;
using MainWindowMouse = MainWindowTest;
using MainWindowLayout = MainWindowTest;
using MainWindowResources = MainWindowTest;
using AboutBox = MainWindowTest;
using MessageLoop = MainWindowTest;
using ModelWarning = MainWindowTest;

std::wstring toggleText()
{
    return windowText(toggleButton);
}

TEST_F(MainWindowCommands, StartShadedFlatWithTheToggleReadingMesh)
{
    EXPECT_EQ(renderMode, renderModeShaded);
    EXPECT_EQ(shadingMode, shadingModeFlat);
    EXPECT_EQ(toggleText(), L"Mesh");
}

TEST_F(MainWindowCommands, ToggleSwitchesToWireframeAndBackWithOneFrameEach)
{
    EXPECT_EQ(framesForCommand(IDC_TOGGLE_BUTTON), 1);
    EXPECT_EQ(renderMode, renderModeWireframe);
    EXPECT_EQ(toggleText(), L"Color");

    EXPECT_EQ(framesForCommand(IDC_TOGGLE_BUTTON), 1);
    EXPECT_EQ(renderMode, renderModeShaded);
    EXPECT_EQ(toggleText(), L"Mesh");
}

TEST_F(MainWindowCommands, ToggleLeavesAnUnknownRenderModeAndItsTextButStillRepaints)
{
    renderMode = 7;
    EXPECT_EQ(framesForCommand(IDC_TOGGLE_BUTTON), 1);
    EXPECT_EQ(renderMode, 7);
    EXPECT_EQ(toggleText(), L"Mesh");
}

TEST_F(MainWindowCommands, ShadingButtonsStoreTheirModelWithOneFrameEach)
{
    const std::pair<int, ShadingMode> buttons[] = {
        {IDC_GOURAUD_BUTTON, shadingModeGouraud},
        {IDC_PHONG_BUTTON, shadingModePhong},
        {IDC_PHONG_BUTTON, shadingModePhong},   // the active model still renders a frame
        {IDC_FLAT_BUTTON, shadingModeFlat},
    };
    for (const auto& [id, mode] : buttons) {
        EXPECT_EQ(framesForCommand(id), 1) << id;
        EXPECT_EQ(shadingMode, mode) << id;
        EXPECT_EQ(renderMode, renderModeShaded) << id;
        EXPECT_EQ(toggleText(), L"Mesh") << id;
    }
}

TEST_F(MainWindowCommands, NotificationCodeInTheHighWordIsIgnored)
{
    EXPECT_EQ(framesFor(WM_COMMAND, MAKEWPARAM(IDC_PHONG_BUTTON, BN_CLICKED), 0), 1);
    EXPECT_EQ(shadingMode, shadingModePhong);
}

TEST_F(MainWindowCommands, UnknownCommandRendersNothingAndChangesNothing)
{
    EXPECT_EQ(framesForCommand(4000), 0);
    EXPECT_EQ(renderMode, renderModeShaded);
    EXPECT_EQ(shadingMode, shadingModeFlat);
    EXPECT_TRUE(seenDialogs.empty());
}

TEST_F(MessageLoop, ExitDestroysTheWindowAndTheLoopReturnsZero)
{
    PostMessageW(window, WM_COMMAND, IDM_EXIT, 0);
    EXPECT_EQ(runMessageLoop(nullptr), 0);
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(MessageLoop, CloseBoxEndsTheLoopWithZero)
{
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(runMessageLoop(nullptr), 0);
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(AboutBox, OpensOnTheCommandAndClosesOnOk)
{
    EXPECT_EQ(framesForCommand(IDM_ABOUT), 0);
    ASSERT_EQ(seenDialogs.size(), 1u);
    const SeenDialog& about = seenDialogs.front();
    EXPECT_EQ(about.caption, L"About Quorvane");
    ASSERT_EQ(about.texts.size(), 3u);   // the icon's text is its resource id
    EXPECT_EQ(about.texts[1], L"Quorvane, Version 1.0");
    EXPECT_EQ(about.texts[2], L"OK");
    EXPECT_TRUE(about.hasIcon);
    EXPECT_FALSE(IsWindow(about.handle));
}

TEST_F(AboutBox, ClosesOnCancel)
{
    closeWith = IDCANCEL;
    SendMessageW(window, WM_COMMAND, IDM_ABOUT, 0);
    ASSERT_EQ(seenDialogs.size(), 1u);
    EXPECT_FALSE(IsWindow(seenDialogs.front().handle));
}

TEST_F(AboutBox, DialogProcedureEndsOnlyOnOkAndCancel)
{
    // Called directly on the main window, which is no dialog: EndDialog does
    // nothing to it, and the answers show what the procedure handled.
    EXPECT_EQ(aboutDialogProc(window, WM_INITDIALOG, 0, 0), TRUE);
    EXPECT_EQ(aboutDialogProc(window, WM_COMMAND, 3, 0), FALSE);
    EXPECT_EQ(aboutDialogProc(window, WM_PAINT, 0, 0), FALSE);
    EXPECT_TRUE(IsWindow(window));
}

// Alt+? and Alt+/ arrive as WM_SYSCHAR with the Alt bit (29) set, while the
// thread's keyboard state has Alt down, which is what the accelerator
// translation reads.
constexpr LPARAM altDown = 0x20000000;

class AltHeld {
public:
    AltHeld() { setAlt(0x80); }
    ~AltHeld() { setAlt(0); }
    AltHeld(const AltHeld&) = delete;
    AltHeld& operator=(const AltHeld&) = delete;

private:
    static void setAlt(BYTE state)
    {
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[VK_MENU] = state;
        SetKeyboardState(keys);
    }
};

TEST_F(AboutBox, AltQuestionMarkOpensItThroughTheMessageLoop)
{
    const HACCEL accelerators = LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDC_QUORVANE));
    const AltHeld alt;
    PostMessageW(window, WM_SYSCHAR, L'?', altDown);
    PostMessageW(window, WM_COMMAND, IDM_EXIT, 0);
    EXPECT_EQ(runMessageLoop(accelerators), 0);
    ASSERT_EQ(seenDialogs.size(), 1u);
    EXPECT_EQ(seenDialogs.front().caption, L"About Quorvane");
}

TEST_F(AboutBox, AltSlashOpensItToo)
{
    const HACCEL accelerators = LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDC_QUORVANE));
    const AltHeld alt;
    MSG msg{};
    msg.hwnd = window;
    msg.message = WM_SYSCHAR;
    msg.wParam = L'/';
    msg.lParam = altDown;
    EXPECT_NE(TranslateAcceleratorW(window, accelerators, &msg), 0);
    ASSERT_EQ(seenDialogs.size(), 1u);
    EXPECT_EQ(seenDialogs.front().caption, L"About Quorvane");
}

TEST_F(AboutBox, AcceleratorAddressedToAButtonOpensNothing)
{
    const HACCEL accelerators = LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDC_QUORVANE));
    const AltHeld alt;
    PostMessageW(toggleButton, WM_SYSCHAR, L'?', altDown);
    PostMessageW(window, WM_COMMAND, IDM_EXIT, 0);
    EXPECT_EQ(runMessageLoop(accelerators), 0);
    EXPECT_TRUE(seenDialogs.empty());
}

TEST_F(MainWindowMouse, DragOf100RightAnd50DownMovesTheEyeWithOneFrame)
{
    EXPECT_EQ(framesFor(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 100)), 0);
    EXPECT_EQ(framesFor(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(200, 150)), 1);
    EXPECT_EQ(camera.position.x, 0.2f);
    EXPECT_EQ(camera.position.y, -0.1f);
    EXPECT_EQ(camera.position.z, 1.5f);
}

TEST_F(MainWindowMouse, PressCapturesTheMouseAndReleaseFreesItAndEndsTheDrag)
{
    EXPECT_EQ(framesFor(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10)), 0);
    EXPECT_EQ(GetCapture(), window);
    EXPECT_EQ(framesFor(WM_LBUTTONUP, 0, MAKELPARAM(10, 10)), 0);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_FALSE(dragTracker.pressed);
    EXPECT_EQ(framesFor(WM_MOUSEMOVE, 0, MAKELPARAM(60, 60)), 0);
    EXPECT_EQ(camera.position.x, 0.0f);
    EXPECT_EQ(camera.position.y, 0.0f);
}

TEST_F(MainWindowMouse, PositionsOutsideTheWindowAreReadSigned)
{
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    EXPECT_EQ(framesFor(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(-40, -15)), 1);
    EXPECT_EQ(camera.position.x, -0.1f);
    EXPECT_EQ(camera.position.y, 0.05f);
}

TEST_F(MainWindowMouse, LosingTheCaptureEndsTheDrag)
{
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    SetCapture(toggleButton);
    EXPECT_FALSE(dragTracker.pressed);
    EXPECT_EQ(framesFor(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(60, 60)), 0);
    ReleaseCapture();
}

TEST_F(MainWindowMouse, MoveWithoutPressRendersNothing)
{
    EXPECT_EQ(framesFor(WM_MOUSEMOVE, 0, MAKELPARAM(300, 300)), 0);
    EXPECT_EQ(camera.position.x, 0.0f);
    EXPECT_EQ(camera.position.y, 0.0f);
}

TEST_F(MainWindowMouse, EachWheelMessageStepsZByATenthWithOneFrame)
{
    // Float z summed with the double 0.1: three steps nearer end at
    // 1.19999993f, not at the float nearest 1.2.
    EXPECT_EQ(framesFor(WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(50, 50)), 1);
    EXPECT_EQ(camera.position.z, 1.4f);
    EXPECT_EQ(framesFor(WM_MOUSEWHEEL, MAKEWPARAM(0, 3 * WHEEL_DELTA), 0), 1);
    EXPECT_EQ(camera.position.z, 1.3f);
    EXPECT_EQ(framesFor(WM_MOUSEWHEEL, MAKEWPARAM(0, 0), 0), 1);
    EXPECT_EQ(camera.position.z, 1.19999993f);
    EXPECT_EQ(framesFor(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-1)), 0), 1);
    EXPECT_EQ(camera.position.z, 1.29999995f);
    EXPECT_EQ(camera.position.x, 0.0f);
    EXPECT_EQ(camera.position.y, 0.0f);
}

TEST_F(MainWindowMouse, VerticalScrollGoesToDefaultProcessing)
{
    EXPECT_EQ(framesFor(WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 200), 0), 0);
    EXPECT_EQ(camera.position.z, 1.5f);
    EXPECT_FALSE(dragTracker.pressed);
}

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
    EXPECT_EQ(GetWindowLongW(window, GWL_STYLE) & WS_OVERLAPPEDWINDOW, static_cast<LONG>(WS_OVERLAPPEDWINDOW));
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

std::wstring menuText(HMENU menu, UINT item, UINT flag)
{
    wchar_t text[100] = {};
    GetMenuStringW(menu, item, text, 100, flag);
    return text;
}

TEST_F(MainWindowResources, MenuHoldsFileExitAndHelpAbout)
{
    const HMENU menu = GetMenu(window);
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(GetMenuItemCount(menu), 2);
    EXPECT_EQ(menuText(menu, 0, MF_BYPOSITION), L"&File");
    EXPECT_EQ(menuText(menu, 1, MF_BYPOSITION), L"&Help");
    const HMENU file = GetSubMenu(menu, 0);
    const HMENU help = GetSubMenu(menu, 1);
    ASSERT_EQ(GetMenuItemCount(file), 1);
    ASSERT_EQ(GetMenuItemCount(help), 1);
    EXPECT_EQ(GetMenuItemID(file, 0), static_cast<UINT>(IDM_EXIT));
    EXPECT_EQ(menuText(file, 0, MF_BYPOSITION), L"E&xit");
    EXPECT_EQ(GetMenuItemID(help, 0), static_cast<UINT>(IDM_ABOUT));
    EXPECT_EQ(menuText(help, 0, MF_BYPOSITION), L"&About ...");
}

TEST_F(MainWindowResources, AcceleratorsAreAltQuestionMarkAndAltSlashAsCharacters)
{
    const HACCEL accelerators = LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDC_QUORVANE));
    ASSERT_NE(accelerators, nullptr);
    ACCEL entries[4] = {};
    ASSERT_EQ(CopyAcceleratorTableW(accelerators, entries, 4), 2);
    const WORD keys[] = {L'?', L'/'};
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(entries[i].fVirt & ~FNOINVERT, FALT) << i;   // no FVIRTKEY: a character
        EXPECT_EQ(entries[i].key, keys[i]) << i;
        EXPECT_EQ(entries[i].cmd, IDM_ABOUT) << i;
    }
}

TEST_F(MainWindowResources, StringsHoldTitleAndClassName)
{
    EXPECT_STREQ(title, L"Quorvane");
    EXPECT_STREQ(windowClassName, L"QUORVANE");
}

// The sizes of one icon group as (width, bits per pixel), read from the
// group directory the resource compiler wrote.
std::vector<std::pair<int, int>> iconGroupSizes(int id)
{
    const HMODULE program = GetModuleHandleW(nullptr);
    const HRSRC resource = FindResourceW(program, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(14));   // RT_GROUP_ICON
    if (!resource)
        return {};
    const auto* bytes = static_cast<const std::uint8_t*>(LockResource(LoadResource(program, resource)));
    const int count = bytes[4] | (bytes[5] << 8);
    std::vector<std::pair<int, int>> sizes;
    for (int i = 0; i < count; ++i) {
        const std::uint8_t* entry = bytes + 6 + 14 * i;
        const int width = entry[0] == 0 ? 256 : entry[0];
        sizes.emplace_back(width, entry[6] | (entry[7] << 8));
    }
    std::sort(sizes.begin(), sizes.end());
    return sizes;
}

TEST_F(MainWindowResources, BothIconGroupsHoldTheNineImageSizes)
{
    const std::vector<std::pair<int, int>> nine = {{16, 8},  {16, 32}, {32, 8},   {32, 32},  {48, 8},
                                                   {48, 32}, {64, 32}, {256, 8}, {256, 32}};
    EXPECT_EQ(iconGroupSizes(IDI_QUORVANE), nine);
    EXPECT_EQ(iconGroupSizes(IDI_SMALL), nine);
    for (const int size : {16, 32, 48, 256}) {
        const HANDLE icon = LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_QUORVANE), IMAGE_ICON,
                                       size, size, 0);
        EXPECT_NE(icon, nullptr) << size;
        DestroyIcon(static_cast<HICON>(icon));
    }
}

TEST_F(MainWindowResources, ManifestRunsAsInvokerWithoutUiAccess)
{
    const HMODULE program = GetModuleHandleW(nullptr);
    const HRSRC resource = FindResourceW(program, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));   // RT_MANIFEST
    ASSERT_NE(resource, nullptr);
    const auto* bytes = static_cast<const char*>(LockResource(LoadResource(program, resource)));
    const std::string manifest(bytes, SizeofResource(program, resource));
    EXPECT_NE(manifest.find(R"(level="asInvoker")"), std::string::npos);
    EXPECT_NE(manifest.find(R"(uiAccess="false")"), std::string::npos);
}

TEST_F(ModelWarning, NamesTheFileThatCannotBeOpened)
{
    warnAboutModel(window, MeshLoadStatus::cannotOpen, "data/missing.obj");
    ASSERT_EQ(seenDialogs.size(), 1u);
    EXPECT_EQ(seenDialogs.front().caption, L"Quorvane");
    const std::vector<std::wstring>& texts = seenDialogs.front().texts;
    EXPECT_TRUE(std::any_of(texts.begin(), texts.end(), [](const std::wstring& text) {
        return text.find(L"data/missing.obj") != std::wstring::npos;
    }));
}

TEST_F(ModelWarning, StaysQuietForAModelThatOpened)
{
    warnAboutModel(window, MeshLoadStatus::loaded, "data/head.obj");
    warnAboutModel(window, MeshLoadStatus::notTriangulated, "data/head.obj");
    EXPECT_TRUE(seenDialogs.empty());
}

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
    EXPECT_EQ(target.at(1, 1), 0u);   // black where nothing was drawn
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
    paintFrame(target.context);

    int covered = 0;
    for (int y = 0; y < FrameSurface::height; ++y) {
        for (int x = 0; x < FrameSurface::width; ++x) {
            ASSERT_EQ(target.at(x, y), toGdiPixel(expected.pixel(x, y))) << x << ", " << y;
            covered += expected.pixel(x, y) != 0 ? 1 : 0;
        }
    }
    EXPECT_GT(covered, 1000);
}

TEST(ExecutableDirectory, IsTheFolderOfTheRunningProgram)
{
    const std::filesystem::path directory = executableDirectory();
    ASSERT_FALSE(directory.empty());
    EXPECT_TRUE(std::filesystem::is_regular_file(directory / "MainWindowTest.exe"));
}

} // namespace
