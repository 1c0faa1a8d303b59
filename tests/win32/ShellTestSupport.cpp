#include "tests/win32/ShellTestSupport.h"

#include "app/Globals.h"
#include "app/StartUp.h"
#include "app/win32/resource.h"

namespace Quorvane::Testing {

WORD closeWith = IDOK;
std::vector<SeenDialog> seenDialogs;

namespace {

// The paint counter of the subclassed main window.
int paints = 0;

LRESULT CALLBACK countingProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT)
        ++paints;
    return CallWindowProcW(mainWindowProc, hWnd, message, wParam, lParam);
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

} // namespace

std::wstring windowText(HWND window)
{
    std::vector<wchar_t> text(256, L'\0');
    GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
    return text.data();
}

void dispatchPending()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void MainWindowTest::SetUp()
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

    window = createMainWindow(GetModuleHandleW(nullptr), SW_SHOWNORMAL, renderer);
    ASSERT_NE(window, nullptr);
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(countingProc));
    dispatchPending();
}

void MainWindowTest::TearDown()
{
    if (IsWindow(window))
        DestroyWindow(window);
    dispatchPending(); // also takes the quit message that the destruction posted
    UnhookWindowsHookEx(hook);
}

int MainWindowTest::framesFor(HWND target, UINT message, WPARAM wParam, LPARAM lParam)
{
    dispatchPending();
    paints = 0;
    SendMessageW(target, message, wParam, lParam);
    dispatchPending();
    return paints;
}

} // namespace Quorvane::Testing
