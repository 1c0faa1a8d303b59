// The buttons' and the menu's commands as the window receives them.

#include "app/Globals.h"
#include "app/win32/resource.h"
#include "tests/win32/ShellTestSupport.h"

namespace {

using namespace Quorvane;
using namespace Quorvane::Testing;

using MainWindowCommands = MainWindowTest;
using MessageLoop = MainWindowTest;

std::wstring toggleText()
{
    return windowText(toggleButton);
}

// What applyCommand decides is CommandsTest's; here: that each message
// reaches it, the window renders exactly one frame, and the toggle shows
// the text it returns.
TEST_F(MainWindowCommands, EachButtonReachesTheSharedLogicAndShowsItsResult)
{
    EXPECT_EQ(toggleText(), L"Mesh");
    struct Step {
        int id;
        RenderMode renderMode;
        ShadingMode shadingMode;
        const wchar_t* toggleText;
    };
    const Step steps[] = {
        {IDC_TOGGLE_BUTTON, renderModeWireframe, shadingModeFlat, L"Color"},
        {IDC_PHONG_BUTTON, renderModeWireframe, shadingModePhong, L"Color"}, // text kept
        {IDC_TOGGLE_BUTTON, renderModeShaded, shadingModePhong, L"Mesh"},
        {IDC_GOURAUD_BUTTON, renderModeShaded, shadingModeGouraud, L"Mesh"},
        {IDC_FLAT_BUTTON, renderModeShaded, shadingModeFlat, L"Mesh"},
    };
    for (const Step& step : steps) {
        EXPECT_EQ(framesForCommand(step.id), 1) << step.id;
        EXPECT_EQ(renderMode, step.renderMode) << step.id;
        EXPECT_EQ(shadingMode, step.shadingMode) << step.id;
        EXPECT_EQ(toggleText(), step.toggleText) << step.id;
    }
}

TEST_F(MainWindowCommands, ButtonClicksReachTheWindowAsTheirCommands)
{
    SendMessageW(GetDlgItem(window, IDC_TOGGLE_BUTTON), BM_CLICK, 0, 0);
    dispatchPending();
    EXPECT_EQ(renderMode, renderModeWireframe);
    EXPECT_EQ(toggleText(), L"Color");
}

TEST_F(MainWindowCommands, NotificationCodeInTheHighWordIsIgnored)
{
    EXPECT_EQ(framesFor(WM_COMMAND, MAKEWPARAM(IDC_PHONG_BUTTON, BN_CLICKED), 0), 1);
    EXPECT_EQ(shadingMode, shadingModePhong);
}

TEST_F(MainWindowCommands, UnknownCommandRendersNothingAndOpensNothing)
{
    EXPECT_EQ(framesForCommand(4000), 0);
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

} // namespace
