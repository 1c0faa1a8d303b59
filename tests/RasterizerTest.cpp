#include "render/Rasterizer.h"

#include "render/DepthBuffer.h"
#include "render/RenderContext.h"
#include "render/Shaders.h"
#include "render/TriangleFill.h"
#include "tests/RenderTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

namespace Quorvane {
namespace {

using Testing::freshDepthBuffer;
using Testing::litPixels;
using Testing::Pixel;

constexpr std::uint32_t marker = 0x00ffffff;

std::set<Pixel> fill(const Vector3& v0, const Vector3& v1, const Vector3& v2, std::uint32_t value = marker)
{
    FrameSurface surface;
    fillTriangle(v0, v1, v2, surface, [value](const Vector3&) { return value; });
    return litPixels(surface);
}

// Exact integer test for a closed triangle with integer corners: all three
// orientations agree in sign (zero counts as either).
bool closedTriangleContains(Pixel p, Pixel a, Pixel b, Pixel c)
{
    const auto orient = [&](Pixel u, Pixel v) {
        return static_cast<long long>(u.first - p.first) * (v.second - p.second)
             - static_cast<long long>(v.first - p.first) * (u.second - p.second);
    };
    const long long c1 = orient(a, b), c2 = orient(b, c), c3 = orient(c, a);
    return (c1 >= 0 && c2 >= 0 && c3 >= 0) || (c1 <= 0 && c2 <= 0 && c3 <= 0);
}

TEST(TriangleFillCoverage, FillsTheSixtySixPixelsOfASmallRightTriangle)
{
    freshDepthBuffer();
    const std::set<Pixel> filled = fill({10, 10, 100}, {20, 10, 100}, {10, 20, 100});
    std::set<Pixel> expected;
    for (int x = 10; x <= 20; ++x)
        for (int y = 10; x + y <= 30; ++y)
            expected.insert({x, y});
    EXPECT_EQ(expected.size(), 66u);
    EXPECT_EQ(filled, expected);
    // The three weights add up to 1 only up to their rounding, so a corner
    // depth of 100 interpolates to within a few ulps of 100.
    for (const Pixel& p : expected)
        EXPECT_FLOAT_EQ(depthBuffer[p.first][p.second], 100.0f);
    EXPECT_EQ(depthBuffer[21][10], emptyDepth);
    EXPECT_EQ(depthBuffer[10][21], emptyDepth);
}

TEST(TriangleFillCoverage, FillsTheSamePixelsForBothWindings)
{
    freshDepthBuffer();
    const std::set<Pixel> counterClockwise = fill({10, 10, 100}, {20, 10, 100}, {10, 20, 100});
    freshDepthBuffer();
    const std::set<Pixel> clockwise = fill({10, 20, 100}, {20, 10, 100}, {10, 10, 100});
    EXPECT_EQ(clockwise, counterClockwise);
}

TEST(TriangleFillCoverage, LeavesTheLineBeyondTheSecondEdgeEmpty)
{
    // (8, 8) to (19, 19) lie on the line through the second and third corners
    // but outside the triangle.
    freshDepthBuffer();
    const std::set<Pixel> filled = fill({5, 8, 50}, {20, 20, 50}, {30, 30, 50});
    std::set<Pixel> expected;
    for (int x = 1; x < 40; ++x)
        for (int y = 1; y < 40; ++y)
            if (closedTriangleContains({x, y}, {5, 8}, {20, 20}, {30, 30}))
                expected.insert({x, y});
    EXPECT_EQ(filled, expected);
    for (int i = 8; i <= 19; ++i)
        EXPECT_EQ(filled.count({i, i}), 0u) << i;
}

TEST(TriangleFillCoverage, NeverFillsColumnZeroOrRowZero)
{
    freshDepthBuffer();
    const std::set<Pixel> filled = fill({-50, -50, 10}, {1200, -50, 10}, {-50, 1200, 10});
    EXPECT_EQ(filled.size(), 499u * 499u);
    EXPECT_EQ(filled.begin()->first, 1);
    EXPECT_EQ(filled.begin()->second, 1);
    EXPECT_EQ(filled.rbegin()->first, 499);
    EXPECT_EQ(filled.rbegin()->second, 499);
}

TEST(TriangleFillCoverage, WritesNothingForAFaceWhollyOffOneSide)
{
    freshDepthBuffer();
    EXPECT_TRUE(fill({-30, 10, 10}, {0.9f, 10, 10}, {-30, 40, 10}).empty());
    EXPECT_TRUE(fill({500, 10, 10}, {900, 10, 10}, {500, 40, 10}).empty());
    EXPECT_TRUE(fill({10, 500, 10}, {40, 500, 10}, {10, 900, 10}).empty());
}

TEST(TriangleFillCoverage, SamplesAtWholePixelPositions)
{
    // The corners sit half a pixel right of columns 10 and 12: only column 11
    // has sample points inside.
    freshDepthBuffer();
    const std::set<Pixel> filled = fill({10.5f, 10, 1}, {12.5f, 10, 1}, {10.5f, 10.9f, 1});
    EXPECT_EQ(filled, (std::set<Pixel>{{11, 10}, {12, 10}}));
}

TEST(TriangleFillCoverage, WritesNothingForCollinearCorners)
{
    // The weights are 0/0 on the line, so the depth is NaN and never passes.
    freshDepthBuffer();
    EXPECT_TRUE(fill({10, 10, 5}, {20, 20, 5}, {30, 30, 5}).empty());
}

TEST(TriangleFillCoverage, WritesNothingForCoordinatesNoIntCanHold)
{
    freshDepthBuffer();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    EXPECT_TRUE(fill({nan, 10, 1}, {300, 10, 1}, {10, 300, 1}).empty());
    EXPECT_TRUE(fill({10, 10, 1}, {inf, 10, 1}, {10, 300, 1}).empty());
    EXPECT_TRUE(fill({10, 10, 1}, {300, -inf, 1}, {10, 300, 1}).empty());
    EXPECT_TRUE(fill({-3e9f, -3e9f, 1}, {3e9f, 10, 1}, {10, 3e9f, 1}).empty());
    for (int x = 0; x < 500; ++x)
        for (int y = 0; y < 500; ++y)
            ASSERT_EQ(depthBuffer[x][y], emptyDepth);
}

TEST(TriangleFillDepth, KeepsTheEarlierFaceAtAnEqualDepth)
{
    // 11 rows are sampled pixel by pixel, 41 in the vectorised column pass.
    for (const float side : {10.0f, 40.0f}) {
        freshDepthBuffer();
        FrameSurface surface;
        const Vector3 a(10, 10, 100), b(10 + side, 10, 100), c(10, 10 + side, 100);
        fillTriangle(a, b, c, surface, [](const Vector3&) { return 1u; });
        fillTriangle(a, b, c, surface, [](const Vector3&) { return 2u; });
        EXPECT_EQ(surface.pixel(12, 12), 1u) << side;
        EXPECT_EQ(surface.pixel(12, 10 + static_cast<int>(side) - 3), 1u) << side;
    }
}

TEST(TriangleFillDepth, LetsANearerFaceReplaceAndAFartherOneChangeNothing)
{
    freshDepthBuffer();
    FrameSurface surface;
    fillTriangle({10, 10, 100}, {20, 10, 100}, {10, 20, 100}, surface, [](const Vector3&) { return 1u; });
    fillTriangle({10, 10, 99}, {20, 10, 99}, {10, 20, 99}, surface, [](const Vector3&) { return 2u; });
    fillTriangle({10, 10, 101}, {20, 10, 101}, {10, 20, 101}, surface, [](const Vector3&) { return 3u; });
    EXPECT_EQ(surface.pixel(12, 12), 2u);
    EXPECT_FLOAT_EQ(depthBuffer[12][12], 99.0f); // weights sum to 1 up to rounding
}

TEST(TriangleFillDepth, InterpolatesDepthLinearlyInScreenSpace)
{
    freshDepthBuffer();
    fill({10, 10, 0}, {30, 10, 20}, {10, 30, 0});
    EXPECT_EQ(depthBuffer[10][10], 0.0f);
    EXPECT_EQ(depthBuffer[20][10], 10.0f);
    EXPECT_EQ(depthBuffer[30][10], 20.0f);
    EXPECT_EQ(depthBuffer[10][25], 0.0f);
}

TEST(TriangleFillDepth, ShadesOnlyPixelsThatPassTheDepthTest)
{
    freshDepthBuffer();
    FrameSurface surface;
    fillTriangle({10, 10, 50}, {20, 10, 50}, {10, 20, 50}, surface, [](const Vector3&) { return 1u; });
    int calls = 0;
    fillTriangle({10, 10, 60}, {40, 10, 60}, {10, 40, 60}, surface, [&calls](const Vector3&) {
        ++calls;
        return 2u;
    });
    // 31 * 32 / 2 = 496 pixels inside the larger face, 66 of them already nearer.
    EXPECT_EQ(calls, 496 - 66);
}

TEST(PixelBoxClamp, TruncatesTowardZeroAndClampsToOne)
{
    PixelBox box;
    ASSERT_TRUE(pixelBox({0.9f, 5, 0}, {10, 5, 0}, {5, 9, 0}, box));
    EXPECT_EQ(box.xmin, 1);
    ASSERT_TRUE(pixelBox({-0.5f, 5, 0}, {10, 5, 0}, {5, 9, 0}, box));
    EXPECT_EQ(box.xmin, 1);
    ASSERT_TRUE(pixelBox({-50, -1, 0}, {600, 5, 0}, {5, 700, 0}, box));
    EXPECT_EQ(box.xmin, 1);
    EXPECT_EQ(box.xmax, 499);
    EXPECT_EQ(box.ymin, 1);
    EXPECT_EQ(box.ymax, 499);
}

TEST(TriangleFillColumn, DecidesEveryRowAsThePixelByPixelTestsWould)
{
    // Corners chosen to stress rounding: fractions, near-degenerate and
    // enormous triangles, a corner behind the camera's mirror and NaN.
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const Vector3 faces[][3] = {
        {{10.25f, 3.5f, 7}, {480.75f, 250.125f, 9}, {33.5f, 497.875f, 400}},
        {{5, 8, 1}, {20, 20, 2}, {30, 30, 3}},
        {{-1e7f, -3e6f, 1e4f}, {2e7f, 5e5f, -2e3f}, {250.5f, 9e6f, 50}},
        {{100, 100, 1}, {300.000031f, 300.000031f, 1}, {400, 400.000061f, 1}},
        {{1, 1, 1}, {499, 1, 1}, {nan, 250, 1}},
    };
    for (const auto& face : faces) {
        std::vector<float> stored(maxBoxRows);
        for (int i = 0; i < maxBoxRows; ++i)
            stored[static_cast<std::size_t>(i)] = (i % 7 == 0) ? -1e30f : 3.0f * static_cast<float>(i);
        for (int x = 1; x <= 499; x += 7) {
            ColumnSamples samples;
            sampleColumn(static_cast<float>(x), 1, maxBoxRows, face[0], face[1], face[2], stored.data(),
                         samples);
            for (int i = 0; i < maxBoxRows; ++i) {
                const Vector2 p(static_cast<float>(x), static_cast<float>(1 + i));
                const bool inside = insideTriangle(p, Vector2(face[0]), Vector2(face[1]), Vector2(face[2]));
                const Vector3 vec = barycentric(face[0], face[1], face[2], p);
                const float depth = interpolateDepth(face[0], face[1], face[2], vec);
                ASSERT_EQ(samples.passes[i], inside && stored[static_cast<std::size_t>(i)] > depth)
                    << "column " << x << " row " << 1 + i;
                if (samples.passes[i]) {
                    ASSERT_EQ(samples.depth[i], depth);
                    ASSERT_EQ(samples.weight0[i], vec.x);
                    ASSERT_EQ(samples.weight1[i], vec.y);
                    ASSERT_EQ(samples.weight2[i], vec.z);
                }
            }
        }
    }
}

// Renders through the context with identity matrices, where a model point
// (X, Y, Z) lands at ((X + 1) * 250, (1 - Y) * 250, (Z + 1) * 250); the halves
// used here give exact screen positions.
class FaceFillTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        freshDepthBuffer();
        renderContext = RenderContext();
        renderContext.light.diffuse.direction = Vector3(-1, -1, -1);
        renderContext.light.specular.direction = Vector3(-1, -1, -1);
        renderContext.vertices = {{-0.5f, 0.5f, 0}, {0, 0.5f, 0}, {-0.5f, 0, 0}};
        renderContext.normals = {{0, 0, 1}};
    }

    // Screen corners (125, 125), (250, 125), (125, 250): x, y >= 125 and
    // x + y <= 375, that is 126 * 127 / 2 pixels.
    static constexpr std::size_t facePixels = 8001;
};

TEST_F(FaceFillTest, FlatFaceTurnedAwayFromTheLightGetsTheAmbientGrey)
{
    renderContext.faceVertexIndices = {{1, 2, 3}}; // normal (0, 0, -1)
    FrameSurface surface;
    drawFaceFlat(0, Color(1, 1, 1, 1), surface);
    const std::set<Pixel> filled = litPixels(surface);
    EXPECT_EQ(filled.size(), facePixels);
    EXPECT_EQ(surface.pixel(130, 130), 0x00191919u); // 0.1 * 255 = 25.5, truncated
    EXPECT_FLOAT_EQ(depthBuffer[130][130], 250.0f);  // weights sum to 1 up to rounding
}

TEST_F(FaceFillTest, FlatFaceTurnedTowardTheLightIsBrighter)
{
    renderContext.faceVertexIndices = {{1, 3, 2}}; // normal (0, 0, 1)
    FrameSurface surface;
    drawFaceFlat(0, Color(1, 1, 1, 1), surface);
    EXPECT_EQ(litPixels(surface).size(), facePixels);
    // cos = 1 / sqrt(3) = 0.57735; plus 0.1 gives 0.67735, times 255 is 172.7.
    EXPECT_EQ(surface.pixel(130, 130), 0x00acacacu);
}

TEST_F(FaceFillTest, GouraudAndPhongFillTheSamePixelsAsFlat)
{
    renderContext.faceVertexIndices = {{1, 3, 2}};
    renderContext.faceNormalIndices = {{1, 1, 1}};
    FrameSurface gouraud;
    drawFaceGouraud(0, gouraud);
    freshDepthBuffer();
    FrameSurface phong;
    drawFacePhong(0, phong);
    EXPECT_EQ(litPixels(gouraud).size(), facePixels);
    EXPECT_EQ(litPixels(phong), litPixels(gouraud));
}

TEST_F(FaceFillTest, SkipsFacesWithIndicesOutsideTheLists)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    renderContext.faceVertexIndices = {{1, 2, 4}, {0, 1, 2}, {1, 2, nan}, {1, 1e30f, 2}, {-1e30f, 2, 3}};
    renderContext.faceNormalIndices = {{1, 1, 1}, {1, 1, 1}, {1, 1, 1}, {1, 1, 1}, {1, 1, 1}};
    FrameSurface surface;
    for (int face = 0; face < 5; ++face) {
        drawFaceFlat(face, Color(1, 1, 1, 1), surface);
        drawFaceGouraud(face, surface);
        drawFacePhong(face, surface);
    }
    drawFaceFlat(5, Color(1, 1, 1, 1), surface);
    drawFaceFlat(-1, Color(1, 1, 1, 1), surface);
    EXPECT_TRUE(litPixels(surface).empty());
}

TEST_F(FaceFillTest, SkipsLitFacesWithNormalIndicesOutsideTheList)
{
    renderContext.faceVertexIndices = {{1, 3, 2}, {1, 3, 2}};
    renderContext.faceNormalIndices = {{1, 2, 1}}; // and none at all for face 1
    FrameSurface surface;
    drawFaceGouraud(0, surface);
    drawFacePhong(0, surface);
    drawFaceGouraud(1, surface);
    drawFacePhong(1, surface);
    EXPECT_TRUE(litPixels(surface).empty());
}

TEST_F(FaceFillTest, TruncatesStoredIndicesTowardZero)
{
    // 1.5 - 1 = 0.5 and 0.5 - 1 = -0.5 both truncate to index 0.
    renderContext.faceVertexIndices = {{1.5f, 3.9f, 2}};
    FrameSurface first;
    drawFaceFlat(0, Color(1, 1, 1, 1), first);
    renderContext.faceVertexIndices = {{0.5f, 3, 2.2f}};
    freshDepthBuffer();
    FrameSurface second;
    drawFaceFlat(0, Color(1, 1, 1, 1), second);
    EXPECT_EQ(litPixels(first).size(), facePixels);
    EXPECT_EQ(litPixels(second), litPixels(first));
}

} // namespace
} // namespace Quorvane
