#pragma once

#include "render/FrameRenderer.h"
#include "scene/Mesh.h"

#include <windows.h>

#include <filesystem>
#include <optional>

namespace Quorvane {

// The shell's own globals: the module whose resources it loads, the title
// (string 103), the window class name (string 109) and the "Mesh"/"Color"
// button, whose text follows the render mode.
extern HINSTANCE instance;
extern WCHAR title[100];
extern WCHAR windowClassName[100];
extern HWND toggleButton;

// Registers the main window class under windowClassName: redrawn whole on
// every size change, icons 107 and 108, arrow cursor, menu 109.
ATOM registerMainWindowClass(HINSTANCE hInstance);

// Saves hInstance, creates the 630 x 550 main window (which creates its four
// buttons) and gives it the keyboard focus. Returns null when creation fails;
// otherwise shows the window with nCmdShow and paints the first frame.
// The window paints with renderer, which must outlive it.
HWND createMainWindow(HINSTANCE hInstance, int nCmdShow, FrameRenderer& renderer);

// Tells the user, in a warning box owned by window, that the start model could
// not be opened and the picture stays black, why it was refused (not a regular
// file, over a size limit), or why the global mesh read from path shows it only
// in part (the Linux program's texts). Shows nothing for a model read completely.
void warnAboutModel(HWND window, MeshLoadStatus status, const std::filesystem::path& path);

// Opens path in place of the current model (see openModel): the scene starts
// over from its start values and one frame is rendered. A message box owned by
// window says why a file cannot be opened, which keeps the current model, or
// why it is shown only in part. True when the model changed.
bool openModelFile(HWND window, const std::filesystem::path& path);

// Writes the frame the window shows, 500 x 500, to path as PNG, the same bytes
// quorvane-render writes for the same scene. A message box owned by window says
// when the file cannot be written. True when it was written.
bool saveFrame(HWND window, const std::filesystem::path& path);

// The model file a command line names after the program, if any: the first
// argument, as the system splits and unquotes them.
std::optional<std::filesystem::path> modelFileArgument(const wchar_t* commandLine);

// Runs the message loop until the quit message and returns its exit code.
// Key messages go through accelerators for the window they are addressed to.
int runMessageLoop(HACCEL accelerators);

// Invalidates the whole client area and sends WM_PAINT at once, so a change
// is on screen, one frame rendered, before the handler that asked returns.
void requestRepaint(HWND hWnd, WPARAM wParam, LPARAM lParam);

LRESULT CALLBACK mainWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK aboutDialogProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace Quorvane
