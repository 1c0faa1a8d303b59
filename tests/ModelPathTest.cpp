#include "app/ModelPath.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

using namespace Quorvane;
namespace fs = std::filesystem;

namespace {

// A scratch directory with "work" (the working directory during the test) and
// "bin" (where the executable would be); restores the working directory.
class ModelPathFixture : public testing::Test {
protected:
    void SetUp() override
    {
        const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
        root = fs::temp_directory_path() / (std::string("quorvane-modelpath-") + info->name());
        fs::remove_all(root);
        fs::create_directories(root / "work");
        fs::create_directories(root / "bin");
        previous = fs::current_path();
        fs::current_path(root / "work");
    }

    void TearDown() override
    {
        fs::current_path(previous);
        fs::remove_all(root);
    }

    static void touch(const fs::path& path)
    {
        fs::create_directories(path.parent_path());
        std::ofstream(path) << "v 0 0 0\n";
    }

    fs::path root;
    fs::path previous;
};

} // namespace

using ModelPathLookup = ModelPathFixture;

TEST_F(ModelPathLookup, PrefersTheWorkingDirectory)
{
    touch(root / "work/data/head.obj");
    touch(root / "bin/data/head.obj");
    EXPECT_EQ(findModelPath("data/head.obj", root / "bin"), fs::path("data/head.obj"));
}

TEST_F(ModelPathLookup, FallsBackToTheExecutableDirectory)
{
    touch(root / "bin/data/head.obj");
    EXPECT_EQ(findModelPath("data/head.obj", root / "bin"), root / "bin/data/head.obj");
}

TEST_F(ModelPathLookup, NamesTheRelativePathWhenNeitherHasTheFile)
{
    EXPECT_EQ(findModelPath("data/head.obj", root / "bin"), fs::path("data/head.obj"));
}

TEST_F(ModelPathLookup, SkipsADirectoryNamedLikeTheModel)
{
    fs::create_directories(root / "work/data/head.obj");
    touch(root / "bin/data/head.obj");
    EXPECT_EQ(findModelPath("data/head.obj", root / "bin"), root / "bin/data/head.obj");
}
