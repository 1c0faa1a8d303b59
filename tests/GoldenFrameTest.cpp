// Whole frames pinned byte for byte: the four views of data/head.obj at the
// start eye and at one moved eye, against the PNGs in tests/golden/. Any
// change to a single pixel anywhere in the pipeline fails here. When a change
// is meant, regenerate them with the golden-frames target (see the README).

#include "app/FrameDriver.h"
#include "app/StartUp.h"
#include "render/FrameSurface.h"
#include "scene/Mesh.h"
#include "scene/Views.h"
#include "tools/ImageFile.h"

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#include <stb/stb_image.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>

namespace Quorvane {
namespace {

const std::filesystem::path sourceDir = QUORVANE_SOURCE_DIR;
const std::filesystem::path failureDir = QUORVANE_FAILURE_DIR;

struct GoldenEye {
    const char* name;
    Vector3 position;
};

// The same names and eyes as the golden-frames target in tests/CMakeLists.txt.
const GoldenEye eyes[] = {
    {"start", Vector3(0, 0, 1.5f)},
    {"moved", Vector3(0.3f, -0.2f, 1.1f)},
};

// The committed frame as 0x00BBGGRR pixels, or nothing when it cannot be read.
std::optional<FrameSurface> readGolden(const std::filesystem::path& path)
{
    int width = 0, height = 0, channels = 0;
    const std::unique_ptr<unsigned char, void (*)(void*)> bytes(
        stbi_load(path.string().c_str(), &width, &height, &channels, 3), stbi_image_free);
    if (!bytes || width != FrameSurface::width || height != FrameSurface::height)
        return std::nullopt;
    FrameSurface surface;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const unsigned char* rgb = bytes.get() + (static_cast<std::size_t>(y) * width + x) * 3;
            surface.setPixel(x, y, rgb[0] | (rgb[1] << 8) | (rgb[2] << 16));
        }
    }
    return surface;
}

// Pure red where the frames differ; elsewhere the expected frame, dimmed to a
// quarter, so the person looking sees where on the model the change lies.
FrameSurface differenceImage(const FrameSurface& expected, const FrameSurface& actual)
{
    FrameSurface difference;
    for (int y = 0; y < FrameSurface::height; ++y) {
        for (int x = 0; x < FrameSurface::width; ++x) {
            const std::uint32_t e = expected.pixel(x, y);
            difference.setPixel(x, y, e == actual.pixel(x, y) ? (e >> 2) & 0x003f3f3f : 0x000000ff);
        }
    }
    return difference;
}

void writeFrame(const FrameSurface& surface, const std::filesystem::path& path)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    writePng(surface, out);
}

class GoldenFrames : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        std::filesystem::remove_all(failureDir); // no stale pictures from an earlier run
        Camera camera;
        Light light;
        startUp(camera, light);
        ASSERT_EQ(loadMesh((sourceDir / "data/head.obj").string().c_str(), mesh), MeshLoadStatus::loaded);
    }

    static inline Mesh mesh;
};

TEST_F(GoldenFrames, EveryViewAtBothEyesEqualsItsCommittedFrame)
{
    for (const GoldenEye& eye : eyes) {
        for (const NamedView& view : namedViews) {
            const std::string name = std::string(view.name) + "-" + eye.name;
            Camera camera;
            Light light;
            applyStartValues(camera, light);
            camera.position = eye.position;
            FrameSurface actual;
            renderFrame(actual, view.renderMode, view.shadingMode, camera, light, mesh);

            const std::filesystem::path goldenPath = sourceDir / "tests/golden" / (name + ".png");
            const std::optional<FrameSurface> expected = readGolden(goldenPath);
            ASSERT_TRUE(expected) << "cannot read " << goldenPath.string();
            int differing = 0;
            for (int y = 0; y < FrameSurface::height; ++y)
                for (int x = 0; x < FrameSurface::width; ++x)
                    differing += expected->pixel(x, y) != actual.pixel(x, y) ? 1 : 0;
            if (differing == 0)
                continue;
            std::filesystem::create_directories(failureDir);
            const std::filesystem::path actualPath = failureDir / (name + "-actual.png");
            const std::filesystem::path differencePath = failureDir / (name + "-difference.png");
            writeFrame(actual, actualPath);
            writeFrame(differenceImage(*expected, actual), differencePath);
            ADD_FAILURE() << name << ": " << differing << " pixels differ from " << goldenPath.string()
                          << "\n  actual frame: " << actualPath.string()
                          << "\n  difference (red where they differ): " << differencePath.string();
        }
    }
}

} // namespace
} // namespace Quorvane
