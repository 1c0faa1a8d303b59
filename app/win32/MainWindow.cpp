#include "app/win32/MainWindow.h"

#include "app/Commands.h"
#include "app/FileMessages.h"
#include "app/FrameDriver.h"
#include "app/Globals.h"
#include "app/MainWindowLayout.h"
#include "app/ModelSwitch.h"
#include "app/ViewInteraction.h"
#include "app/win32/FileDialogs.h"
#include "app/win32/FrameView.h"
#include "app/win32/resource.h"
#include "import/OpenModel.h"
#include "render/FrameSurface.h"
#include "tools/ImageFile.h"

#include <shellapi.h>
#include <windowsx.h>

#include <cstring>
#include <fstream>
#include <string>
#include <utility>

namespace Quorvane {

HINSTANCE instance;
WCHAR title[100];
WCHAR windowClassName[100];
HWND toggleButton;

namespace {

// The menu, the accelerators and the buttons send the shared command ids.
static_assert(IDM_ABOUT == commandAbout && IDM_EXIT == commandExit);
static_assert(IDC_TOGGLE_BUTTON == commandToggle && IDC_FLAT_BUTTON == commandFlatShading);
static_assert(IDC_GOURAUD_BUTTON == commandGouraudShading && IDC_PHONG_BUTTON == commandPhongShading);

// The shared button texts are ASCII, so widening each char is the conversion.
std::wstring widen(const char* text)
{
    return std::wstring(text, text + std::strlen(text));
}

// The shared messages are UTF-8; paths in them may hold any character.
std::wstring fromUtf8(const std::string& text)
{
    if (text.empty())
        return {};
    const int length =
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

void warn(HWND window, const std::string& message)
{
    MessageBoxW(window, fromUtf8(message).c_str(), title, MB_OK | MB_ICONWARNING);
}

void setToggleText(const char* text)
{
    const std::wstring wide = widen(text);
    SendMessageW(toggleButton, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}

HWND createButton(HWND parent, HINSTANCE hInstance, const ButtonLayout& layout)
{
    return CreateWindowExW(0, L"Button", widen(layout.text).c_str(), WS_CHILD | WS_VISIBLE, layout.x,
                           layout.y, layout.width, layout.height, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(layout.commandId)), hInstance,
                           nullptr);
}

void onCreate(HWND hWnd, const CREATESTRUCTW& creation)
{
    for (const ButtonLayout& layout : mainWindowButtons) {
        const HWND button = createButton(hWnd, creation.hInstance, layout);
        if (layout.commandId == commandToggle)
            toggleButton = button;
    }
    // The renderer travels with the window, so the paint handler needs no global.
    SetWindowLongPtrW(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creation.lpCreateParams));
    DragAcceptFiles(hWnd, TRUE);
}

// A drop of one file opens it; a drop of several opens none, as on Linux.
void onDropFiles(HWND hWnd, HDROP drop)
{
    std::wstring path;
    if (DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0) == 1) {
        path.resize(DragQueryFileW(drop, 0, nullptr, 0));
        DragQueryFileW(drop, 0, path.data(), static_cast<UINT>(path.size() + 1));
    }
    DragFinish(drop);
    if (!path.empty())
        openModelFile(hWnd, path);
}

void onPaint(HWND hWnd)
{
    PAINTSTRUCT paint;
    const HDC target = BeginPaint(hWnd, &paint);
    if (auto* renderer = reinterpret_cast<FrameRenderer*>(GetWindowLongPtrW(hWnd, GWLP_USERDATA)))
        paintFrame(target, *renderer);
    EndPaint(hWnd, &paint);
}

LRESULT onCommand(HWND hWnd, WPARAM wParam, LPARAM lParam)
{
    // The file commands are this shell's own: Linux has no command ids.
    if (LOWORD(wParam) == IDM_OPEN) {
        if (const std::optional<std::filesystem::path> path = chooseModelFile(hWnd))
            openModelFile(hWnd, *path);
        return 0;
    }
    if (LOWORD(wParam) == IDM_SAVE_FRAME) {
        if (const std::optional<std::filesystem::path> path = chooseFrameFile(hWnd))
            saveFrame(hWnd, *path);
        return 0;
    }
    const CommandResult result = applyCommand(LOWORD(wParam), renderMode, shadingMode);
    switch (result.action) {
    case CommandAction::showAbout:
        DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_ABOUTBOX), hWnd, aboutDialogProc, 0);
        return 0;
    case CommandAction::exit:
        DestroyWindow(hWnd);
        return 0;
    case CommandAction::repaint:
        if (result.toggleText)
            setToggleText(result.toggleText);
        requestRepaint(hWnd, wParam, lParam);
        return 0;
    case CommandAction::defaultProcessing:
        break;
    }
    return DefWindowProcW(hWnd, WM_COMMAND, wParam, lParam);
}

// The window holds the mouse from press to release, so a release outside it
// still ends the drag.
void onLeftButtonPress(HWND hWnd, LPARAM lParam)
{
    onLeftButtonDown(dragTracker, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    SetCapture(hWnd);
}

void onLeftButtonRelease()
{
    onLeftButtonUp(dragTracker);
    ReleaseCapture();
}

// Another window took the mouse (a message box, Alt+Tab): the release will
// never reach us, so the drag ends here.
void onCaptureChanged(HWND hWnd, LPARAM lParam)
{
    if (reinterpret_cast<HWND>(lParam) != hWnd)
        onLeftButtonUp(dragTracker);
}

} // namespace

ATOM registerMainWindowClass(HINSTANCE hInstance)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(WNDCLASSEXW);
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = mainWindowProc;
    windowClass.cbClsExtra = 0;
    windowClass.cbWndExtra = 0;
    windowClass.hInstance = hInstance;
    windowClass.hIcon = LoadIconW(hInstance, MAKEINTRESOURCEW(IDI_QUORVANE));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    windowClass.lpszMenuName = MAKEINTRESOURCEW(IDC_QUORVANE);
    windowClass.lpszClassName = windowClassName;
    windowClass.hIconSm = LoadIconW(hInstance, MAKEINTRESOURCEW(IDI_SMALL));
    return RegisterClassExW(&windowClass);
}

HWND createMainWindow(HINSTANCE hInstance, int nCmdShow, FrameRenderer& renderer)
{
    instance = hInstance;
    const HWND hWnd =
        CreateWindowExW(0, windowClassName, title, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                        mainWindowWidth, mainWindowHeight, nullptr, nullptr, hInstance, &renderer);
    SetFocus(hWnd);
    if (!hWnd)
        return nullptr;
    ShowWindow(hWnd, nCmdShow);
    UpdateWindow(hWnd);
    return hWnd;
}

void warnAboutModel(HWND window, MeshLoadStatus status, const std::filesystem::path& path)
{
    if (status != MeshLoadStatus::cannotOpen) {
        // Refused, or shown in part: the same texts as on Linux.
        const std::string message = ownReaderMessage(path, status, mesh);
        if (!message.empty())
            warn(window, message);
        return;
    }
    std::string message = "Quorvane cannot open the model file \"";
    message.append(displayPath(path)).append("\".\n\nThe picture stays black.");
    warn(window, message);
}

bool openModelFile(HWND window, const std::filesystem::path& path)
{
    OpenedModel opened = openModel(path);
    const std::string message = openMessage(path, opened);
    const bool changed = opened.outcome != OpenOutcome::failed;
    if (changed) {
        setToggleText(showOpenedModel(std::move(opened.mesh),
                                      {mesh, renderMode, shadingMode, camera, light, dragTracker}));
        requestRepaint(window, 0, 0);
    }
    if (!message.empty())
        warn(window, message);
    return changed;
}

bool saveFrame(HWND window, const std::filesystem::path& path)
{
    FrameSurface surface;
    renderFrame(surface, renderMode, shadingMode, camera, light, mesh);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (out && writePng(surface, out) && out.flush())
        return true;
    warn(window, cannotSaveFrameMessage(path));
    return false;
}

std::optional<std::filesystem::path> modelFileArgument(const wchar_t* commandLine)
{
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(commandLine, &count);
    if (!arguments)
        return std::nullopt;
    std::optional<std::filesystem::path> path;
    if (count > 1)
        path = std::filesystem::path(arguments[1]);
    LocalFree(arguments);
    return path;
}

int runMessageLoop(HACCEL accelerators)
{
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0)) {
        if (!TranslateAcceleratorW(msg.hwnd, accelerators, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    return static_cast<int>(msg.wParam);
}

void requestRepaint(HWND hWnd, WPARAM wParam, LPARAM lParam)
{
    InvalidateRect(hWnd, nullptr, TRUE);
    SendMessageW(hWnd, WM_PAINT, wParam, lParam);
}

LRESULT CALLBACK mainWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        onCreate(hWnd, *reinterpret_cast<const CREATESTRUCTW*>(lParam));
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case WM_SETTEXT: // the title stays as created, whoever asks
        return 0;
    case WM_PAINT:
        onPaint(hWnd);
        return 0;
    case WM_ERASEBKGND: // the frame covers the picture; the rest is never drawn
        return 1;
    case WM_COMMAND:
        return onCommand(hWnd, wParam, lParam);
    case WM_DROPFILES:
        onDropFiles(hWnd, reinterpret_cast<HDROP>(wParam));
        return 0;
    case WM_LBUTTONDOWN:
        onLeftButtonPress(hWnd, lParam);
        return 0;
    case WM_LBUTTONUP:
        onLeftButtonRelease();
        return 0;
    case WM_CAPTURECHANGED:
        onCaptureChanged(hWnd, lParam);
        return 0;
    case WM_MOUSEMOVE: // signed reads: with the mouse captured a drag may leave the window
        if (onMouseMove(dragTracker, camera, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)))
            requestRepaint(hWnd, wParam, lParam);
        return 0;
    case WM_MOUSEWHEEL:
        if (onMouseWheel(camera, GET_WHEEL_DELTA_WPARAM(wParam)))
            requestRepaint(hWnd, wParam, lParam);
        return 0;
    }
    // WM_VSCROLL too: the window has no scroll bar, so one can only come from
    // another program, and its parameters are no mouse position.
    return DefWindowProcW(hWnd, message, wParam, lParam);
}

INT_PTR CALLBACK aboutDialogProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(hDlg, LOWORD(wParam));
            return TRUE;
        }
        break;
    }
    return FALSE;
}

} // namespace Quorvane
