// Opening models (command line, Open dialog, drop) and saving the frame, with
// paths in a folder whose name is not ASCII, as users' folders often are.

#include "app/Globals.h"
#include "app/win32/FileDialogs.h"
#include "app/win32/resource.h"
#include "tests/win32/ShellTestSupport.h"

#include <shlobj.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using namespace Quorvane;
using namespace Quorvane::Testing;

constexpr char triangleStl[] = "solid t\nfacet normal 0 0 1\nouter loop\n"
                               "vertex 0 0 0\nvertex 1 0 0\nvertex 0 1 0\n"
                               "endloop\nendfacet\nendsolid t\n";

// What the stand-in dialogs answer (an empty path cancels) and the filter
// they were given.
std::filesystem::path dialogAnswer;
std::wstring dialogFilter;

BOOL WINAPI answerDialog(OPENFILENAMEW* dialog)
{
    const wchar_t* end = dialog->lpstrFilter;
    while (*end || *(end + 1))
        ++end;
    dialogFilter.assign(dialog->lpstrFilter, end + 1);
    const std::wstring answer = dialogAnswer.wstring();
    if (answer.empty() || answer.size() >= dialog->nMaxFile)
        return FALSE;
    std::copy(answer.c_str(), answer.c_str() + answer.size() + 1, dialog->lpstrFile);
    return TRUE;
}

std::vector<char> fileBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The window test's fixture with a folder named in Cyrillic and with an
// accent, and with the model and the system dialogs put back afterwards.
class ModelFiles : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        savedMesh = mesh;
        folder = std::filesystem::temp_directory_path() / L"Quorvane \u0422\u0435\u0441\u0442 Jos\u00e9";
        std::filesystem::create_directories(folder);
        std::ofstream(folder / "triangle.stl", std::ios::binary) << triangleStl;
        dialogAnswer.clear();
        dialogFilter.clear();
        showOpenDialog = answerDialog;
        showSaveDialog = answerDialog;
    }

    void TearDown() override
    {
        showOpenDialog = GetOpenFileNameW;
        showSaveDialog = GetSaveFileNameW;
        mesh = savedMesh;
        std::filesystem::remove_all(folder);
        MainWindowTest::TearDown();
    }

    // Moves the eye and shows the wireframe, so that an open must reset both.
    void leaveTheStartView()
    {
        camera.position.x = 0.5f;
        SendMessageW(window, WM_COMMAND, IDC_TOGGLE_BUTTON, 0);
    }

    void expectTriangleFromTheStartView()
    {
        EXPECT_EQ(mesh.faceVertexIndices.size(), 1u);
        EXPECT_EQ(camera.position.x, 0.0f);
        EXPECT_EQ(camera.position.z, 1.5f);
        EXPECT_EQ(renderMode, renderModeShaded);
        EXPECT_EQ(windowText(toggleButton), L"Mesh");
    }

    Mesh savedMesh;
    std::filesystem::path folder;
};

// An HDROP as the shell builds one: DROPFILES, then the wide paths, each
// ending in a null, and one more null.
HGLOBAL dropOf(const std::vector<std::filesystem::path>& paths)
{
    std::wstring names;
    for (const std::filesystem::path& path : paths)
        names += path.wstring() + L'\0';
    names += L'\0';
    const std::size_t size = sizeof(DROPFILES) + names.size() * sizeof(wchar_t);
    const HGLOBAL drop = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    auto* files = static_cast<DROPFILES*>(GlobalLock(drop));
    files->pFiles = sizeof(DROPFILES);
    files->fWide = TRUE;
    std::memcpy(reinterpret_cast<char*>(files) + sizeof(DROPFILES), names.data(),
                names.size() * sizeof(wchar_t));
    GlobalUnlock(drop);
    return drop;
}

TEST_F(ModelFiles, OpenDialogOffersTheModelFormatsAndOpensTheChosenFile)
{
    leaveTheStartView();
    dialogAnswer = folder / "triangle.stl";
    EXPECT_EQ(framesForCommand(IDM_OPEN), 1);
    expectTriangleFromTheStartView();
    EXPECT_TRUE(seenDialogs.empty());
    EXPECT_EQ(dialogFilter.rfind(L"Models (*.obj;", 0), 0u);
    EXPECT_NE(dialogFilter.find(std::wstring(L"STL (*.stl)\0*.stl\0", 18)), std::wstring::npos);
    EXPECT_TRUE(dialogFilter.ends_with(std::wstring(L"All files (*.*)\0*.*\0", 20)));
}

TEST_F(ModelFiles, CancelledOpenDialogChangesNothing)
{
    leaveTheStartView();
    EXPECT_EQ(framesForCommand(IDM_OPEN), 0);
    EXPECT_EQ(mesh.faceVertexIndices.size(), savedMesh.faceVertexIndices.size());
    EXPECT_EQ(camera.position.x, 0.5f);
}

TEST_F(ModelFiles, DropOfOneFileOpensItAndOfTwoOpensNone)
{
    leaveTheStartView();
    const std::filesystem::path triangle = folder / "triangle.stl";
    EXPECT_EQ(framesFor(WM_DROPFILES, reinterpret_cast<WPARAM>(dropOf({triangle, triangle})), 0), 0);
    EXPECT_EQ(mesh.faceVertexIndices.size(), savedMesh.faceVertexIndices.size());
    EXPECT_EQ(framesFor(WM_DROPFILES, reinterpret_cast<WPARAM>(dropOf({triangle})), 0), 1);
    expectTriangleFromTheStartView();
}

TEST_F(ModelFiles, FailedOpenKeepsTheModelAndNamesTheFileInAMessageBox)
{
    std::ofstream(folder / "broken.stl", std::ios::binary) << "solid broken\nfacet normal 0 0";
    for (const char* name : {"broken.stl", "missing.obj"}) {
        seenDialogs.clear();
        leaveTheStartView();
        const std::filesystem::path path = folder / name;
        EXPECT_FALSE(openModelFile(window, path)) << name;
        EXPECT_EQ(mesh.faceVertexIndices.size(), savedMesh.faceVertexIndices.size()) << name;
        EXPECT_EQ(camera.position.x, 0.5f) << name;
        ASSERT_EQ(seenDialogs.size(), 1u) << name;
        const std::vector<std::wstring>& texts = seenDialogs.front().texts;
        EXPECT_TRUE(std::any_of(texts.begin(), texts.end(), [&](const std::wstring& text) {
            return text.find(path.wstring()) != std::wstring::npos;
        })) << name;
        SendMessageW(window, WM_COMMAND, IDC_TOGGLE_BUTTON, 0); // back to shaded
    }
}

TEST_F(ModelFiles, CommandLineNamesTheModelAfterTheProgram)
{
    const std::wstring path = (folder / "triangle.stl").wstring();
    EXPECT_EQ(modelFileArgument((L"\"C:\\Program Files\\Quorvane.exe\" \"" + path + L"\"").c_str()),
              std::filesystem::path(path));
    EXPECT_EQ(modelFileArgument(L"Quorvane.exe"), std::nullopt);
}

TEST_F(ModelFiles, SaveFrameAsWritesTheBytesQuorvaneRenderWrites)
{
    const std::filesystem::path model = QUORVANE_SOURCE_DIR "/data/head.obj";
    ASSERT_TRUE(openModelFile(window, model));
    SendMessageW(window, WM_COMMAND, IDC_PHONG_BUTTON, 0);
    dialogAnswer = folder / "frame.png";
    EXPECT_EQ(framesForCommand(IDM_SAVE_FRAME), 0);

    // quorvane-render reads its arguments in the ANSI code page: an ASCII path.
    const std::filesystem::path rendered =
        std::filesystem::temp_directory_path() / "quorvane-save-frame-test.png";
    std::wstring commandLine = L"\"" + std::filesystem::path(QUORVANE_RENDER_TOOL).wstring()
                             + L"\" --model \"" + model.wstring() + L"\" --view phong --out \""
                             + rendered.wstring() + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                               &startup, &process));
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD exitCode = 1;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    ASSERT_EQ(exitCode, 0u);

    const std::vector<char> saved = fileBytes(folder / "frame.png");
    EXPECT_GT(saved.size(), 1000u);
    EXPECT_TRUE(saved == fileBytes(rendered));
    std::filesystem::remove(rendered);
}

TEST_F(ModelFiles, UnwritableFrameFileIsNamedInAMessageBox)
{
    const std::filesystem::path path = folder / "no such folder" / "frame.png";
    EXPECT_FALSE(saveFrame(window, path));
    ASSERT_EQ(seenDialogs.size(), 1u);
}

} // namespace
