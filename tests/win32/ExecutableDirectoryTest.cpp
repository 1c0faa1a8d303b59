// Where the Windows program finds itself, and so its data/ folder.

#include "app/ExecutableDirectory.h"

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

} // namespace
