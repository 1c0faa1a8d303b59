#pragma once

#include <windows.h>
#include <commdlg.h>

#include <filesystem>
#include <optional>
#include <string>

namespace Quorvane {

// The system's open and save dialogs, called through these so that the window
// test can answer them in place of a user; the program leaves them as they are.
extern BOOL(WINAPI* showOpenDialog)(OPENFILENAMEW*);
extern BOOL(WINAPI* showSaveDialog)(OPENFILENAMEW*);

// The open dialog's filter: every model at once, each format, then all files,
// as pairs of name and patterns, each ending in a null.
std::wstring modelDialogFilter();

// Asks for the model file to open, in the standard open dialog owned by owner.
// Nothing when the user cancels.
std::optional<std::filesystem::path> chooseModelFile(HWND owner);

// Asks for the PNG file to save the frame to, in the standard save dialog
// owned by owner; ".png" is added to a name without extension.
std::optional<std::filesystem::path> chooseFrameFile(HWND owner);

} // namespace Quorvane
