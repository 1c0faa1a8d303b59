// What the resource compiler put into the program: menu, accelerators,
// strings, icons and manifest.

#include "app/win32/resource.h"
#include "tests/win32/ShellTestSupport.h"

#include <algorithm>
#include <cstdint>
#include <utility>

namespace {

using namespace Quorvane;
using namespace Quorvane::Testing;

using MainWindowResources = MainWindowTest;

std::wstring menuText(HMENU menu, UINT item, UINT flag)
{
    wchar_t text[100] = {};
    GetMenuStringW(menu, item, text, 100, flag);
    return text;
}

// The file items go above Exit, behind a separator; Help keeps About alone.
TEST_F(MainWindowResources, MenuHoldsFileItemsExitAndHelpAbout)
{
    const HMENU menu = GetMenu(window);
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(GetMenuItemCount(menu), 2);
    EXPECT_EQ(menuText(menu, 0, MF_BYPOSITION), L"&File");
    EXPECT_EQ(menuText(menu, 1, MF_BYPOSITION), L"&Help");
    const HMENU file = GetSubMenu(menu, 0);
    const HMENU help = GetSubMenu(menu, 1);
    ASSERT_EQ(GetMenuItemCount(file), 4);
    ASSERT_EQ(GetMenuItemCount(help), 1);
    const struct {
        UINT id;
        const wchar_t* text;
    } fileItems[] = {{IDM_OPEN, L"&Open...\tCtrl+O"},
                     {IDM_SAVE_FRAME, L"Save Frame &As...\tCtrl+S"},
                     {0, L""},
                     {IDM_EXIT, L"E&xit"}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(GetMenuItemID(file, i), fileItems[i].id) << i;
        EXPECT_EQ(menuText(file, i, MF_BYPOSITION), fileItems[i].text) << i;
    }
    EXPECT_EQ(GetMenuState(file, 2, MF_BYPOSITION) & MF_SEPARATOR, static_cast<UINT>(MF_SEPARATOR));
    EXPECT_EQ(GetMenuItemID(help, 0), static_cast<UINT>(IDM_ABOUT));
    EXPECT_EQ(menuText(help, 0, MF_BYPOSITION), L"&About ...");
}

// About answers Alt+? and Alt+/ as characters (whatever the keyboard layout
// needs to type them); Open and Save are Ctrl+O and Ctrl+S as keys.
TEST_F(MainWindowResources, AcceleratorsOpenAboutAsCharactersAndTheFileItemsAsKeys)
{
    const HACCEL accelerators = LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDC_QUORVANE));
    ASSERT_NE(accelerators, nullptr);
    ACCEL entries[5] = {};
    ASSERT_EQ(CopyAcceleratorTableW(accelerators, entries, 5), 4);
    const ACCEL expected[] = {{FALT, L'?', IDM_ABOUT},
                              {FALT, L'/', IDM_ABOUT},
                              {FCONTROL | FVIRTKEY, 'O', IDM_OPEN},
                              {FCONTROL | FVIRTKEY, 'S', IDM_SAVE_FRAME}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(entries[i].fVirt & ~FNOINVERT, expected[i].fVirt) << i;
        EXPECT_EQ(entries[i].key, expected[i].key) << i;
        EXPECT_EQ(entries[i].cmd, expected[i].cmd) << i;
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
    const HRSRC resource =
        FindResourceW(program, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(14)); // RT_GROUP_ICON
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
    const std::vector<std::pair<int, int>> nine = {{16, 8},  {16, 32}, {32, 8},  {32, 32}, {48, 8},
                                                   {48, 32}, {64, 32}, {256, 8}, {256, 32}};
    EXPECT_EQ(iconGroupSizes(IDI_QUORVANE), nine);
    EXPECT_EQ(iconGroupSizes(IDI_SMALL), nine);
    for (const int size : {16, 32, 48, 256}) {
        const HANDLE icon =
            LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_QUORVANE), IMAGE_ICON, size, size, 0);
        EXPECT_NE(icon, nullptr) << size;
        DestroyIcon(static_cast<HICON>(icon));
    }
}

TEST_F(MainWindowResources, ManifestRunsAsInvokerWithoutUiAccess)
{
    const HMODULE program = GetModuleHandleW(nullptr);
    const HRSRC resource = FindResourceW(program, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24)); // RT_MANIFEST
    ASSERT_NE(resource, nullptr);
    const auto* bytes = static_cast<const char*>(LockResource(LoadResource(program, resource)));
    const std::string manifest(bytes, SizeofResource(program, resource));
    EXPECT_NE(manifest.find(R"(level="asInvoker")"), std::string::npos);
    EXPECT_NE(manifest.find(R"(uiAccess="false")"), std::string::npos);
}

} // namespace
