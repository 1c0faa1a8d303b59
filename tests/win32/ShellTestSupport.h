// The window tests' shared set-up: the real main window, created in this
// process and driven with window messages as Windows would deliver them. Runs
// under Wine with its null graphics driver: windows, menus, dialogs and memory
// drawing all work, but nothing reaches a screen.
#pragma once

#include "app/win32/MainWindow.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace Quorvane::Testing {

// What the dialog watcher saw of each dialog or message box that opened.
struct SeenDialog {
    std::wstring caption;
    std::vector<std::wstring> texts; // the text of every child control, in order
    bool hasIcon = false;
    HWND handle = nullptr;
};

// The dialog watcher closes every dialog as soon as it is set up by sending it
// the command closeWith, and records it in seenDialogs.
extern WORD closeWith;
extern std::vector<SeenDialog> seenDialogs;

std::wstring windowText(HWND window);
void dispatchPending();

// A fresh main window per test, from the start values and modes, with the
// dialog watcher installed and its paints counted.
class MainWindowTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Frames rendered by sending message, counting also every paint the
    // message queue holds afterwards.
    int framesFor(UINT message, WPARAM wParam, LPARAM lParam)
    {
        return framesFor(window, message, wParam, lParam);
    }
    // The same for a message to another window, a button of this one.
    int framesFor(HWND target, UINT message, WPARAM wParam, LPARAM lParam);
    int framesForCommand(int id) { return framesFor(WM_COMMAND, static_cast<WPARAM>(id), 0); }

    FrameRenderer renderer{2};
    HWND window = nullptr;
    HHOOK hook = nullptr;
};

} // namespace Quorvane::Testing
