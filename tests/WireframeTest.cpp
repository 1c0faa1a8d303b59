#include "render/Wireframe.h"

#include "render/DepthBuffer.h"
#include "render/RenderContext.h"
#include "tests/RenderTestSupport.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace Quorvane {
namespace {

using Testing::litPixels;
using Testing::Pixel;

std::set<Pixel> line(Vector2 p0, Vector2 p1)
{
    FrameSurface surface;
    drawLine(p0, p1, Color(1, 1, 1, 1), surface);
    return litPixels(surface);
}

std::set<Pixel> pixels(std::vector<Pixel> list)
{
    return {list.begin(), list.end()};
}

TEST(LinePixels, StepsAShallowLineOnePixelPerColumn)
{
    EXPECT_EQ(
        line({0, 0}, {10, 5}),
        pixels({{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}, {5, 2}, {6, 3}, {7, 3}, {8, 4}, {9, 4}, {10, 5}}));
}

TEST(LinePixels, StepsASteepLineOnePixelPerRow)
{
    EXPECT_EQ(
        line({0, 0}, {5, 10}),
        pixels({{0, 0}, {0, 1}, {1, 2}, {1, 3}, {2, 4}, {2, 5}, {3, 6}, {3, 7}, {4, 8}, {4, 9}, {5, 10}}));
}

TEST(LinePixels, TreatsFortyFiveDegreesAsShallow)
{
    EXPECT_EQ(line({0, 0}, {3, 3}), pixels({{0, 0}, {1, 1}, {2, 2}, {3, 3}}));
}

TEST(LinePixels, TruncatesTheEndsFirst)
{
    EXPECT_EQ(line({10.9f, 5.2f}, {3.1f, 5.7f}),
              pixels({{3, 5}, {4, 5}, {5, 5}, {6, 5}, {7, 5}, {8, 5}, {9, 5}, {10, 5}}));
    EXPECT_EQ(line({100, 100}, {100.7f, 100.2f}), pixels({{100, 100}}));
}

TEST(LinePixels, TruncatesTheRunningSumNotTheExactValue)
{
    // Nine additions of the float one third stay just below 3.
    EXPECT_EQ(line({0, 0}, {9, 3}),
              pixels({{0, 0}, {1, 0}, {2, 0}, {3, 1}, {4, 1}, {5, 1}, {6, 2}, {7, 2}, {8, 2}, {9, 2}}));
    std::vector<Pixel> falling = {{0, 10}};
    for (int x = 1; x <= 9; ++x)
        falling.push_back({x, 9});
    falling.push_back({10, 8});
    EXPECT_EQ(line({0, 10}, {10, 9}), pixels(falling));
}

TEST(LinePixels, StepsADescendingLine)
{
    EXPECT_EQ(
        line({0, 5}, {10, 0}),
        pixels({{0, 5}, {1, 4}, {2, 4}, {3, 3}, {4, 3}, {5, 2}, {6, 2}, {7, 1}, {8, 1}, {9, 0}, {10, 0}}));
}

TEST(LinePixels, GivesTheSamePixelsInBothDirections)
{
    EXPECT_EQ(line({10, 5}, {0, 0}), line({0, 0}, {10, 5}));
    EXPECT_EQ(line({3.7f, 40.2f}, {97.1f, 3.3f}), line({97.1f, 3.3f}, {3.7f, 40.2f}));
    EXPECT_EQ(line({5, 10}, {0, 0}), line({0, 0}, {5, 10}));
}

TEST(LineBorder, ShowsThePixelsThatSteppingTheWholeLineSets)
{
    // The running value depends only on the step count, so a line moved four
    // columns left shows the same rows, minus the columns now off the surface.
    std::set<Pixel> expected;
    for (const Pixel& p : line({0, 0}, {9, 3}))
        if (p.first >= 4)
            expected.insert({p.first - 4, p.second});
    EXPECT_EQ(line({-4, 0}, {5, 3}), expected);
}

TEST(LineBorder, KeepsMinorCoordinatesBetweenMinusOneAndZeroInRowZero)
{
    // The running value starts at -0 from the truncated end and stays in (-1, 0].
    EXPECT_EQ(line({0, -0.5f}, {4, 0}), pixels({{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}}));
}

TEST(LineBorder, StepsLinesOfUpToTwoToTheTwentyExactly)
{
    // Major length 2^20 - 1 from far left: stepped in full, row 7 throughout.
    std::set<Pixel> expected;
    for (int x = 0; x < 500; ++x)
        expected.insert({x, 7});
    EXPECT_EQ(line({-1048000, 7}, {575, 7}), expected);
}

TEST(LineBorder, ClipsLongerLinesToTheSurface)
{
    std::set<Pixel> expected;
    for (int x = 0; x < 500; ++x)
        expected.insert({x, 250});
    EXPECT_EQ(line({-3e6f, 250}, {3e6f, 250}), expected);
    EXPECT_EQ(line({-1e30f, 250}, {1e30f, 250}), expected);
    const std::set<Pixel> diagonal = line({-1e9f, -1e9f}, {1e9f, 1e9f});
    EXPECT_EQ(diagonal.size(), 500u);
    EXPECT_TRUE(diagonal.count({0, 0}) && diagonal.count({499, 499}) && diagonal.count({250, 250}));
    EXPECT_TRUE(line({-1e9f, -10}, {1e9f, -20}).empty());
}

TEST(LineBorder, DrawsNothingForNonFiniteEnds)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    EXPECT_TRUE(line({nan, 10}, {100, 100}).empty());
    EXPECT_TRUE(line({10, 10}, {inf, 100}).empty());
    EXPECT_TRUE(line({-inf, -inf}, {inf, inf}).empty());
}

class WireframeFaces : public ::testing::Test {
protected:
    // Identity matrices: (X, Y, Z) lands at ((X + 1) * 250, (1 - Y) * 250).
    void SetUp() override
    {
        renderContext = RenderContext();
        mesh.vertices = {{-0.5f, 0.5f, 0}, {0, 0.5f, 0}, {-0.5f, 0, 0}};
    }
    Mesh mesh;
};

TEST_F(WireframeFaces, DrawsTheThreeEdgesInWhite)
{
    mesh.faceVertexIndices = {{1, 2, 3}};
    FrameSurface surface;
    drawWireframe(mesh, Color(1, 1, 1, 1), surface);
    std::set<Pixel> expected = line({125, 125}, {250, 125});
    for (const Pixel& p : line({250, 125}, {125, 250}))
        expected.insert(p);
    for (const Pixel& p : line({125, 250}, {125, 125}))
        expected.insert(p);
    EXPECT_EQ(litPixels(surface), expected);
    for (const Pixel& p : expected)
        EXPECT_EQ(surface.pixel(p.first, p.second), 0x00ffffffu);
}

TEST_F(WireframeFaces, ReadsTheMeshNotTheContextCopy)
{
    mesh.faceVertexIndices = {{1, 2, 3}};
    renderContext.vertices = {{5, 5, 5}};
    renderContext.faceVertexIndices = {{1, 1, 1}};
    FrameSurface surface;
    drawWireframe(mesh, Color(1, 1, 1, 1), surface);
    EXPECT_EQ(surface.pixel(200, 125), 0x00ffffffu);
}

TEST_F(WireframeFaces, SkipsFacesWithIndicesOutsideTheVertexList)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    mesh.faceVertexIndices = {{1, 2, 4}, {0, 1, 2}, {nan, 1, 2}, {1, 2, 3e9f}};
    FrameSurface surface;
    drawWireframe(mesh, Color(1, 1, 1, 1), surface);
    EXPECT_TRUE(litPixels(surface).empty());
}

TEST_F(WireframeFaces, LeavesTheDepthBufferAlone)
{
    Testing::freshDepthBuffer();
    mesh.faceVertexIndices = {{1, 2, 3}};
    FrameSurface surface;
    drawWireframe(mesh, Color(1, 1, 1, 1), surface);
    for (int x = 0; x < 500; ++x)
        for (int y = 0; y < 500; ++y)
            ASSERT_EQ(depthBuffer[x][y], emptyDepth);
}

} // namespace
} // namespace Quorvane
