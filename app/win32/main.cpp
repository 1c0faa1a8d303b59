#include "app/Globals.h"
#include "app/StartUp.h"
#include "app/win32/MainWindow.h"
#include "app/win32/resource.h"
#include "render/FrameRenderer.h"
#include "render/WorkerPool.h"

#include <windows.h>

#include <filesystem>
#include <optional>

// The globals, the model among them, are loaded before this runs.
int APIENTRY wWinMain(HINSTANCE hInstance, HINSTANCE, LPWSTR, int nCmdShow)
{
    using namespace Quorvane;
    startUp(camera, light);
    LoadStringW(hInstance, IDS_APP_TITLE, title, 100);
    LoadStringW(hInstance, IDC_QUORVANE, windowClassName, 100);
    registerMainWindowClass(hInstance);

    FrameRenderer renderer(hardwareThreadCount());
    const HWND window = createMainWindow(hInstance, nCmdShow, renderer);
    if (!window)
        return 0;
    // A model named on the command line replaces the start model; when it
    // cannot be opened, the start model stays and a message box says why.
    if (const std::optional<std::filesystem::path> path = modelFileArgument(GetCommandLineW()))
        openModelFile(window, *path);
    else
        warnAboutModel(window, meshLoadStatus, modelPath);

    const HACCEL accelerators = LoadAcceleratorsW(hInstance, MAKEINTRESOURCEW(IDC_QUORVANE));
    return runMessageLoop(accelerators);
}
