// The About box, its accelerators, and the warning about a model that cannot be read.

#include "app/win32/resource.h"
#include "tests/win32/ShellTestSupport.h"

#include <algorithm>
#include <filesystem>
#include <iterator>

namespace {

using namespace Quorvane;
using namespace Quorvane::Testing;

using AboutBox = MainWindowTest;
using ModelWarning = MainWindowTest;

TEST_F(AboutBox, OpensOnTheCommandAndClosesOnOk)
{
    EXPECT_EQ(framesForCommand(IDM_ABOUT), 0);
    ASSERT_EQ(seenDialogs.size(), 1u);
    const SeenDialog& about = seenDialogs.front();
    EXPECT_EQ(about.caption, L"About Quorvane");
    ASSERT_EQ(about.texts.size(), 3u); // the icon's text is its resource id
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

TEST_F(ModelWarning, NamesTheFileForEveryRefusal)
{
    // A non-ASCII name checks the UTF-8 message's way into the wide box too.
    const std::filesystem::path path = L"data/t\u00eate.obj";
    const MeshLoadStatus refusals[] = {MeshLoadStatus::cannotOpen, MeshLoadStatus::notARegularFile,
                                       MeshLoadStatus::tooLarge, MeshLoadStatus::lineTooLong,
                                       MeshLoadStatus::readError};
    for (const MeshLoadStatus status : refusals)
        warnAboutModel(window, status, path);
    ASSERT_EQ(seenDialogs.size(), std::size(refusals));
    for (const auto& dialog : seenDialogs) {
        EXPECT_EQ(dialog.caption, L"Quorvane");
        EXPECT_TRUE(std::any_of(dialog.texts.begin(), dialog.texts.end(), [](const std::wstring& text) {
            return text.find(L"data\\t\u00eate.obj") != std::wstring::npos; // as Windows writes it
        }));
    }
}

TEST_F(ModelWarning, StaysQuietForAModelReadCompletely)
{
    warnAboutModel(window, MeshLoadStatus::loaded, "data/head.obj");
    EXPECT_TRUE(seenDialogs.empty());
}

TEST_F(ModelWarning, NamesTheFileThatIsShownOnlyInPart)
{
    warnAboutModel(window, MeshLoadStatus::notTriangulated, "quads.obj");
    ASSERT_EQ(seenDialogs.size(), 1u);
    const std::vector<std::wstring>& texts = seenDialogs.front().texts;
    EXPECT_TRUE(std::any_of(texts.begin(), texts.end(), [](const std::wstring& text) {
        return text.find(L"quads.obj") != std::wstring::npos;
    }));
}

} // namespace
