// Runs quorvane-render as a separate process: exit statuses, the error line
// and the files it writes.

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>

namespace {

struct ToolRun {
    int status = -1;
    std::string errors;
    std::string output;
};

std::string readFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class RenderTool : public ::testing::Test {
protected:
    void SetUp() override
    {
        directory = std::filesystem::temp_directory_path()
                  / ("quorvane-render-test-" + std::to_string(::getpid()) + "-"
                     + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(directory);
    }
    void TearDown() override { std::filesystem::remove_all(directory); }

    ToolRun run(const std::string& arguments, const std::string& prefix = "")
    {
        const std::filesystem::path errors = directory / "stderr.txt";
        const std::filesystem::path output = directory / "stdout.txt";
        const std::string command = prefix + "'" + QUORVANE_RENDER_TOOL + "' " + arguments + " >'"
                                  + output.string() + "' 2>'" + errors.string() + "'";
        const int raw = std::system(command.c_str());
        ToolRun result;
        result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        result.errors = readFile(errors);
        result.output = readFile(output);
        return result;
    }

    std::string model(const char* name) { return std::string(QUORVANE_TEST_DATA) + "/" + name; }

    std::filesystem::path directory;
};

int lineCount(const std::string& text)
{
    int lines = 0;
    for (const char c : text)
        lines += c == '\n' ? 1 : 0;
    return lines;
}

TEST_F(RenderTool, WritesABinaryPpmOfTheFrame)
{
    const std::filesystem::path out = directory / "square.ppm";
    const ToolRun result = run("--model " + model("square.obj") + " --out " + out.string());
    ASSERT_EQ(result.status, 0) << result.errors;
    EXPECT_EQ(result.errors, "");
    const std::string ppm = readFile(out);
    const std::string header = "P6\n500 500\n255\n";
    ASSERT_EQ(ppm.size(), header.size() + 500u * 500u * 3u);
    EXPECT_EQ(ppm.substr(0, header.size()), header);
    // The flat square facing the light is grey 172 over rows and columns 167
    // to 333 and black around it.
    const auto byteAt = [&](int x, int y, int channel) {
        return static_cast<unsigned char>(
            ppm[header.size() + (static_cast<std::size_t>(y) * 500 + x) * 3 + channel]);
    };
    EXPECT_EQ(byteAt(250, 250, 0), 172);
    EXPECT_EQ(byteAt(167, 333, 2), 172);
    EXPECT_EQ(byteAt(166, 250, 0), 0);
    EXPECT_EQ(byteAt(10, 10, 1), 0);
}

TEST_F(RenderTool, WritesAPngFile)
{
    const std::filesystem::path out = directory / "square.png";
    ASSERT_EQ(run("--model " + model("square.obj") + " --view wireframe --out " + out.string()).status, 0);
    const std::string png = readFile(out);
    ASSERT_GT(png.size(), 8u);
    EXPECT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
}

TEST_F(RenderTool, RendersEveryViewAndEye)
{
    for (const char* view : {"wireframe", "flat", "gouraud", "phong"}) {
        const ToolRun result =
            run("--model " + model("square.obj") + " --view " + view
                + " --eye 0.2 -0.1 0.5 --threads 3 --out " + (directory / "v.ppm").string());
        EXPECT_EQ(result.status, 0) << view << ": " << result.errors;
    }
}

TEST_F(RenderTool, PrintsTheLoadAndTheFrameTimingLines)
{
    const ToolRun result =
        run("--model " + model("square.obj") + " --frames 3 --out " + (directory / "t.ppm").string());
    ASSERT_EQ(result.status, 0) << result.errors;
    EXPECT_EQ(lineCount(result.output), 2);
    EXPECT_TRUE(std::regex_search(
        result.output, std::regex(R"(^load: [0-9]+\.[0-9]{3} ms \([0-9]+\.[0-9] MB/s\)\nframe: median )")))
        << result.output;
    EXPECT_NE(result.output.find(" ms, min "), std::string::npos) << result.output;
    EXPECT_NE(result.output.find(" ms over 3 frames\n"), std::string::npos) << result.output;
}

TEST_F(RenderTool, PassesTheTriangulationMessageThroughAndStillRendersWithOurReader)
{
    const std::filesystem::path out = directory / "quad.ppm";
    const ToolRun result = run("--model " + model("quad.obj") + " --reader quorvane --out " + out.string());
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.errors, "Error: the obj file is supposed to be triangulated\n");
    EXPECT_EQ(readFile(out).size(), 15u + 500u * 500u * 3u);
}

// By default an OBJ our reader stops on goes through the importer, silently.
TEST_F(RenderTool, ImportsWhatOurReaderCannotReadCompletely)
{
    std::string frames[3];
    const char* readers[3] = {"auto", "import", "quorvane"};
    for (int i = 0; i < 3; ++i) {
        const std::filesystem::path out = directory / (std::string(readers[i]) + ".ppm");
        const ToolRun result =
            run("--model " + model("quad.obj") + " --reader " + readers[i] + " --out " + out.string());
        EXPECT_EQ(result.status, 0) << readers[i];
        frames[i] = readFile(out);
    }
    EXPECT_EQ(frames[0], frames[1]);
    EXPECT_NE(frames[0], frames[2]);
}

TEST_F(RenderTool, ExitsWithTwoAndOneLineForAModelItCannotOpen)
{
    std::ofstream(directory / "junk.stl") << "solid? not at all";
    for (const std::string& model :
         {(directory / "missing.obj").string(), (directory / "junk.stl").string()}) {
        for (const char* reader : {"auto", "import", "quorvane"}) {
            const ToolRun result =
                run("--model " + model + " --reader " + reader + " --out " + (directory / "m.ppm").string());
            EXPECT_EQ(result.status, model.ends_with(".stl") && reader == std::string("quorvane") ? 0 : 2)
                << model << reader;
            EXPECT_EQ(lineCount(result.errors), result.status == 2 ? 1 : 0) << result.errors;
        }
    }
}

TEST_F(RenderTool, ExitsWithTwoAndOneLineForEveryRefusedModel)
{
    const std::filesystem::path fifo = directory / "fifo.obj";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::filesystem::path oversize = directory / "oversize.obj";
    std::ofstream(oversize).close();
    std::filesystem::resize_file(oversize, (std::uintmax_t{4} << 30) + 1); // sparse
    const std::filesystem::path longLine = directory / "long-line.obj";
    std::ofstream(longLine) << "v 1 2 3\n" << std::string((std::size_t{64} << 20) + 1, '#') << "\n";
    for (const std::filesystem::path& model : {directory, std::filesystem::path("/dev/zero"), fifo, oversize,
                                               longLine, std::filesystem::path("/proc/self/mem")}) {
        // timeout only keeps a regression that blocks on the FIFO from hanging the run.
        const ToolRun result =
            run("--model " + model.string() + " --out " + (directory / "r.ppm").string(), "timeout 60 ");
        EXPECT_EQ(result.status, 2) << model;
        EXPECT_EQ(lineCount(result.errors), 1) << model << ": " << result.errors;
        EXPECT_NE(result.errors.find(model.string()), std::string::npos) << result.errors;
    }
}

TEST_F(RenderTool, ExitsWithTwoAndOneLineForBadArguments)
{
    const std::string square = "--model " + model("square.obj") + " --out " + (directory / "b.ppm").string();
    for (const std::string& bad :
         {std::string("--view shaded"), std::string("--eye 0 zero 1"), std::string("--eye 0 0"),
          std::string("--eye 0 0 nan"), std::string("--frames 2x"), std::string("--frames 0"),
          std::string("--reader obj"), std::string("--threads 0"), std::string("--threads -2"),
          std::string("--no-such-option")}) {
        const ToolRun result = run(square + " " + bad);
        EXPECT_EQ(result.status, 2) << bad;
        EXPECT_EQ(lineCount(result.errors), 1) << bad << ": " << result.errors;
    }
}

TEST_F(RenderTool, ExitsWithTwoAndOneLineForAnUnwritableOutput)
{
    for (const std::filesystem::path& out : {directory / "no-such-dir" / "f.png", directory / "f.bmp"}) {
        const ToolRun result = run("--model " + model("square.obj") + " --out " + out.string());
        EXPECT_EQ(result.status, 2) << out;
        EXPECT_EQ(lineCount(result.errors), 1) << result.errors;
    }
}

TEST_F(RenderTool, DescribesEveryOptionInItsHelp)
{
    const ToolRun result = run("--help");
    EXPECT_EQ(result.status, 0);
    for (const char* option : {"--model", "--reader", "--view", "--eye", "--out", "--frames", "--threads"})
        EXPECT_NE(result.output.find(option), std::string::npos) << option;
}

} // namespace
