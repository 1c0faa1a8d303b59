// Where the Windows program finds itself, and so its data/ folder.

#include "app/ExecutableDirectory.h"
#include "app/Globals.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using namespace Quorvane;

TEST(ExecutableDirectory, IsTheFolderOfTheRunningProgram)
{
    const std::filesystem::path directory = executableDirectory();
    ASSERT_FALSE(directory.empty());
    EXPECT_TRUE(std::filesystem::is_regular_file(directory / "Win32ShellTest.exe"));
}

// Also run from a copy in a folder named in Cyrillic and with an accent,
// started from another working directory: the path must stay wide throughout.
TEST(StartModel, IsReadFromTheDataFolderBesideTheProgram)
{
    EXPECT_EQ(meshLoadStatus, MeshLoadStatus::loaded);
    EXPECT_FALSE(mesh.faceVertexIndices.empty());
    EXPECT_TRUE(std::filesystem::equivalent(modelPath, executableDirectory() / "data" / "head.obj"));
}

} // namespace
