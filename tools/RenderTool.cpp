// quorvane-render: renders one frame of a model with the program's own
// pipeline and writes it to a PNG or PPM file, optionally timing N frames.

#include "app/FrameDriver.h"
#include "app/StartUp.h"
#include "import/OpenModel.h"
#include "render/FrameRenderer.h"
#include "render/FrameSurface.h"
#include "render/WorkerPool.h"
#include "scene/Camera.h"
#include "scene/Light.h"
#include "scene/Mesh.h"
#include "scene/Modes.h"
#include "scene/Views.h"
#include "tools/ImageFile.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

namespace {

using namespace Quorvane;

constexpr int usageError = 2;

struct Options {
    std::string model = "data/head.obj";
    std::string reader = "auto";
    std::string view = "flat";
    std::vector<float> eye = {0.0f, 0.0f, 1.5f};
    std::string out = "frame.png";
    int frames = 0; // 0: render once, without timing
    int threads = hardwareThreadCount();
};

// --reader has already been checked against these three names.
ModelReader readerNamed(const std::string& name)
{
    if (name == "quorvane")
        return ModelReader::quorvane;
    if (name == "import")
        return ModelReader::importer;
    return ModelReader::automatic;
}

std::vector<std::string> viewNames()
{
    std::vector<std::string> names;
    for (const NamedView& view : namedViews)
        names.emplace_back(view.name);
    return names;
}

double milliseconds(std::chrono::steady_clock::duration duration)
{
    return std::chrono::duration<double, std::milli>(duration).count();
}

// Renders the frame frames times after one warm-up and prints the timing line.
void timeFrames(FrameRenderer& renderer, int frames, const NamedView& view, const Camera& camera,
                const Light& light, const Mesh& mesh, FrameSurface& surface)
{
    {
        FrameSurface warmUp;
        renderFrame(renderer, warmUp, view.renderMode, view.shadingMode, camera, light, mesh);
    }
    std::vector<double> times;
    times.reserve(static_cast<std::size_t>(frames));
    for (int i = 0; i < frames; ++i) {
        const auto start = std::chrono::steady_clock::now();
        FrameSurface frame; // a fresh, black surface per frame, as the shells make
        renderFrame(renderer, frame, view.renderMode, view.shadingMode, camera, light, mesh);
        times.push_back(milliseconds(std::chrono::steady_clock::now() - start));
        if (i == frames - 1)
            surface = frame;
    }
    std::sort(times.begin(), times.end());
    const std::size_t middle = times.size() / 2;
    const double median = times.size() % 2 == 1 ? times[middle] : (times[middle - 1] + times[middle]) / 2;
    std::printf("frame: median %.3f ms, min %.3f ms over %d frames\n", median, times.front(), frames);
}

// The line that goes with the frame timings: how long reading the model took.
void printLoadTime(const std::string& model, double loadTime)
{
    std::error_code error;
    const std::uintmax_t bytes = std::filesystem::file_size(model, error);
    const double megabytesPerSecond =
        error ? 0.0 : static_cast<double>(bytes) / 1e3 / std::max(loadTime, 1e-3);
    std::printf("load: %.3f ms (%.1f MB/s)\n", loadTime, megabytesPerSecond);
}

} // namespace

int main(int argc, char** argv)
{
    Options options;
    CLI::App app{"Renders one frame of a model with the Quorvane pipeline and writes it as "
                 "PNG or PPM.",
                 "quorvane-render"};
    app.add_option("--model", options.model, "Model to render: OBJ, STL, PLY, OFF, glTF, FBX, ...")
        ->capture_default_str();
    app.add_option("--reader", options.reader,
                   "auto: our OBJ reader for OBJ files it reads completely, else the importer; "
                   "quorvane: our OBJ reader alone; import: the importer alone")
        ->check(CLI::IsMember({"auto", "quorvane", "import"}))
        ->capture_default_str();
    app.add_option("--view", options.view, "What to draw")
        ->check(CLI::IsMember(viewNames()))
        ->capture_default_str();
    app.add_option("--eye", options.eye, "Eye position X Y Z")->expected(3)->capture_default_str();
    app.add_option("--out", options.out, "Output image; .png for PNG, .ppm for binary PPM")
        ->capture_default_str();
    app.add_option("--frames", options.frames,
                   "Render N timed frames after one warm-up and print the median and minimum")
        ->check(CLI::Range(1, 1000000));
    app.add_option("--threads", options.threads, "Threads that render each frame")
        ->check(CLI::Range(1, 1024))
        ->capture_default_str();

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        if (error.get_exit_code() == 0)
            return app.exit(error);
        std::cerr << "quorvane-render: " << error.what() << '\n';
        return usageError;
    }
    for (const float coordinate : options.eye) {
        if (!std::isfinite(coordinate)) {
            std::cerr << "quorvane-render: --eye: every coordinate must be a finite number\n";
            return usageError;
        }
    }
    const ImageFormat format = imageFormatFor(options.out);
    if (format == ImageFormat::unknown) {
        std::cerr << "quorvane-render: --out: " << options.out << " must end in .png or .ppm\n";
        return usageError;
    }

    const ModelReader reader = readerNamed(options.reader);
    Mesh mesh;
    // The model's reading time, with the program's own reader or the importer.
    const auto loadStart = std::chrono::steady_clock::now();
    if (reader == ModelReader::quorvane) {
        // Our reader alone, as the program reads its start model: it writes its
        // own line to standard error; a partial mesh from a face that is not a
        // triangle is still rendered, every other failure ends the run.
        const MeshLoadStatus status = loadMesh(options.model, mesh);
        if (status != MeshLoadStatus::loaded && status != MeshLoadStatus::notTriangulated)
            return usageError;
    } else {
        OpenedModel opened = openModel(options.model, reader);
        if (opened.outcome == OpenOutcome::failed) {
            std::cerr << "quorvane-render: " << openMessage(options.model, opened) << '\n';
            return usageError;
        }
        mesh = std::move(opened.mesh);
    }
    const double loadTime = milliseconds(std::chrono::steady_clock::now() - loadStart);

    // Opened before rendering so that an unwritable path fails at once.
    std::ofstream out(options.out, std::ios::binary | std::ios::trunc);
    if (!out) {
        std::cerr << "quorvane-render: cannot write " << options.out << '\n';
        return usageError;
    }

    Camera camera;
    Light light;
    startUp(camera, light);
    camera.position = Vector3(options.eye[0], options.eye[1], options.eye[2]);

    // --view has already been checked against the names.
    const NamedView& view = *viewNamed(options.view);
    FrameRenderer renderer(options.threads);
    FrameSurface surface;
    if (options.frames > 0) {
        printLoadTime(options.model, loadTime);
        timeFrames(renderer, options.frames, view, camera, light, mesh, surface);
    } else {
        renderFrame(renderer, surface, view.renderMode, view.shadingMode, camera, light, mesh);
    }

    const bool written = format == ImageFormat::png ? writePng(surface, out) : writePpm(surface, out);
    if (!written) {
        std::cerr << "quorvane-render: cannot write " << options.out << '\n';
        return usageError;
    }
    return 0;
}
