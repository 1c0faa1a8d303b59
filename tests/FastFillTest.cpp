#include "render/FastFill.h"

#include "render/DepthBuffer.h"
#include "render/ProcessorFeatures.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <utility>
#include <vector>

namespace Quorvane {
namespace {

// Empty buffers of the whole surface, as a renderer starts with them.
struct SurfaceBuffers {
    std::vector<float> depth = std::vector<float>(FrameSurface::width * depthRows, emptyDepth);
    std::vector<int> coverFace = std::vector<int>(depth.size(), -1);
    std::vector<float> farthest = std::vector<float>(FrameSurface::width * depthBlocks, emptyDepth);
    std::vector<std::uint32_t> staleBlocks = std::vector<std::uint32_t>(FrameSurface::width);
    std::vector<std::uint32_t> writtenBlocks = std::vector<std::uint32_t>(FrameSurface::width);

    BandBuffers band()
    {
        return {depth.data(), coverFace.data(), farthest.data(), staleBlocks.data(), writtenBlocks.data()};
    }

    // Depth 1 in rows 0 to 63 of column x, stored as the fill stores it: the
    // blocks' farthest depths are left stale.
    void storeWall(int x)
    {
        for (int y = 0; y < 64; ++y)
            depth[x * depthRows + y] = 1;
        staleBlocks[x] |= blockBits(0, 63 / depthBlockRows);
    }
};

// The tall face kernels this processor runs.
std::vector<TallFaceFill> tallFaceKernels()
{
    std::vector<TallFaceFill> kernels{fillTallFacePortable};
    if (processorHasAvx2())
        kernels.push_back(fillTallFaceAvx2);
    return kernels;
}

const PixelBox wholeSurface{firstPixel, lastPixel, firstPixel, lastPixel};

// A face at depth 2 whose triangle covers the whole surface.
FaceEdges wholeSurfaceFace()
{
    return faceEdges({-2000, -2000, 2}, {3000, -2000, 2}, {-2000, 3000, 2});
}

// A wall at depth 1 in rows 0 to 63 of columns 100 to wallLast (but
// openColumns) and a face of constant depth z in rows 10 to lastRow of
// columns 100 to lastColumn: each kernel leaves out only the columns at either
// end where the wall hides the face (the AVX2 one also across several groups
// of eight columns).
TEST(FastFill, VisibleColumnsLeaveOutOnlyTheHiddenColumnsAtEitherEnd)
{
    struct Case {
        float z;
        int wallLast, lastColumn, lastRow, openColumns[2];
        bool visible;
        int first, last;
    };
    const Case cases[] = {
        {5, 109, 110, 40, {-1, -1}, true, 110, 110},  // behind the wall, but in the open last column
        {5, 109, 109, 40, {-1, -1}, false, 0, 0},     // behind the wall everywhere
        {5, 109, 109, 40, {104, -1}, true, 104, 104}, // behind it but in the open middle column
        {5, 109, 109, 70, {-1, -1}, true, 100, 109},  // behind it but in the rows below it
        {1, 109, 110, 40, {-1, -1}, true, 100, 110},  // at the wall's depth: its depths may round below it
        {0.5f, 109, 109, 40, {-1, -1}, true, 100, 109},
        {5, 139, 139, 40, {120, -1}, true, 120, 120},  // one open column far from either end
        {5, 139, 139, 40, {109, 131}, true, 109, 131}, // two
        {5, 139, 139, 40, {-1, -1}, false, 0, 0},
    };
    std::vector<ColumnNarrowing> kernels{visibleColumns};
    if (processorHasAvx2())
        kernels.push_back(visibleColumnsAvx2);
    for (const ColumnNarrowing kernel : kernels) {
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << "depth " << c.z << ", columns to " << c.lastColumn << ", open "
                                            << c.openColumns[0] << ", kernel " << (kernel == visibleColumns));
            SurfaceBuffers buffers;
            for (int x = 100; x <= c.wallLast; ++x)
                if (x != c.openColumns[0] && x != c.openColumns[1])
                    buffers.storeWall(x);
            const PixelBox box{100, c.lastColumn, 10, c.lastRow};
            const FaceEdges face = faceEdges({100, 10, c.z}, {static_cast<float>(c.lastColumn), 10, c.z},
                                             {105, static_cast<float>(c.lastRow), c.z});
            int first = box.xmin, last = box.xmax;
            ASSERT_EQ(kernel(face, box, buffers.band(), first, last), c.visible);
            EXPECT_TRUE(!c.visible || (first == c.first && last == c.last)) << first << ".." << last;
        }
    }
}

// A face at depth 2 over the whole surface, filled by each tall face kernel in
// columns 100 to 100 + columns - 1 only, rows 20 + x % 5 to 150 + 3 (x % 7)
// of column x, behind walls at depth 1 in rows 0 to 63 of columns 100 to 109:
// exactly the rows of those columns that no wall covers store it, and
// the wall's blocks that the face asked about are made exact (their stale
// bits cleared). Counts of columns that are not whole groups of eight leave
// columns beyond the last in a group.
TEST(FastFill, TallFaceKernelsStoreOnlyInTheirColumnsAndRows)
{
    const std::vector<TallFaceFill> kernels = tallFaceKernels();
    const FaceEdges face = wholeSurfaceFace();
    const FaceBounds bounds = faceBounds(face, wholeSurface, true);
    ASSERT_TRUE(bounds.depthBounded);
    const auto firstRow = [](int x) { return 20 + x % 5; };
    const auto lastRow = [](int x) { return 150 + 3 * (x % 7); };
    for (const TallFaceFill fill : kernels)
        for (const int columns : {1, 7, 8, 9, 17}) {
            SCOPED_TRACE(testing::Message() << columns << " columns");
            SurfaceBuffers buffers;
            for (int x = 100; x <= 109; ++x)
                buffers.storeWall(x);
            std::vector<RowSpan> spans(static_cast<std::size_t>(columns + spanPadding));
            for (int i = 0; i < columns; ++i)
                spans[static_cast<std::size_t>(i)] = {firstRow(100 + i), lastRow(100 + i)};
            fill(face, bounds, 7, 100, 100 + columns - 1, spans.data(), buffers.band());
            int wrongCells = 0;
            for (int x = 90; x <= 130; ++x) {
                const bool wall = x >= 100 && x <= 109;
                for (int y = 0; y < depthRows; ++y) {
                    const bool filled = x >= 100 && x < 100 + columns && y >= firstRow(x) && y <= lastRow(x)
                                     && !(wall && y < 64);
                    const float unfilled = wall && y < 64 ? 1.0f : emptyDepth;
                    const std::size_t cell = static_cast<std::size_t>(x * depthRows + y);
                    wrongCells += (buffers.coverFace[cell] == 7) != filled
                               || (!filled && buffers.depth[cell] != unfilled);
                }
                const std::uint32_t stale = buffers.staleBlocks[static_cast<std::size_t>(x)];
                EXPECT_TRUE(!wall || x >= 100 + columns || (stale & blockBits(1, 3)) == 0) << x;
            }
            EXPECT_EQ(wrongCells, 0);
        }
}

// The face of the test above, filled by each tall face kernel in
// rows first to last of columns 100 to 103, behind a wall at depth 1 in every
// row of those columns but one: it stores in that row alone, and only where
// the row is among its candidate rows, which here start and end within a
// block, at its edges, or within one block; the open row lies at either end
// of them, or in the first or the second eight rows of their first or last
// block.
TEST(FastFill, TallFaceKernelsFindTheOneOpenRowBehindAWall)
{
    const std::vector<TallFaceFill> kernels = tallFaceKernels();
    const FaceEdges face = wholeSurfaceFace();
    const FaceBounds bounds = faceBounds(face, wholeSurface, true);
    struct Case {
        int first, last, open;
    };
    const Case cases[] = {
        {37, 300, 37},  {37, 300, 44},  {37, 300, 45},   {37, 300, 47},   {37, 300, 48},   {37, 300, 200},
        {37, 300, 288}, {37, 300, 295}, {37, 300, 296},  {37, 300, 300},  {37, 300, 36},   {37, 300, 301},
        {32, 303, 32},  {32, 303, 303}, {100, 110, 100}, {100, 110, 108}, {100, 110, 110}, {464, 499, 499},
    };
    for (const TallFaceFill fill : kernels)
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << "rows " << c.first << ".." << c.last << ", open " << c.open);
            SurfaceBuffers buffers;
            for (int x = 100; x <= 103; ++x) {
                for (int y = 0; y < depthRows; ++y)
                    buffers.depth[static_cast<std::size_t>(x * depthRows + y)] = y == c.open ? emptyDepth : 1;
                buffers.staleBlocks[static_cast<std::size_t>(x)] = blockBits(0, depthBlocks - 1);
            }
            std::vector<RowSpan> spans(4 + spanPadding, RowSpan{c.first, c.last});
            fill(face, bounds, 7, 100, 103, spans.data(), buffers.band());
            const bool stores = c.open >= c.first && c.open <= c.last;
            int wrongCells = 0;
            for (int x = 100; x <= 103; ++x)
                for (int y = 0; y < depthRows; ++y)
                    wrongCells += (buffers.coverFace[static_cast<std::size_t>(x * depthRows + y)] == 7)
                               != (stores && y == c.open);
            EXPECT_EQ(wrongCells, 0);
        }
}

// Two faces at depth 0 everywhere, so that their depths tie exactly, filled
// by each kernel set the later (which covers the earlier) first, then the
// earlier: faces out of list
// order give the earlier one every pixel it covers; in list order a tie keeps
// what is stored. A box face and a tall one, whose hidden blocks are decided
// before they are sampled.
TEST(FastFill, TiesGoToTheFirstFaceInTheListInAnyOrder)
{
    std::vector<FillKernels> kernelSets{fillKernels(PixelKernels::portable)};
    if (processorHasAvx2())
        kernelSets.push_back(fillKernels(PixelKernels::avx2));
    for (const FillKernels& kernels : kernelSets)
        for (const float height : {40.0f, 300.0f})
            for (const bool anyOrder : {true, false}) {
                SCOPED_TRACE(testing::Message() << height << " rows, any order " << anyOrder);
                SurfaceBuffers surface;
                BandBuffers buffers = surface.band();
                buffers.anyOrder = anyOrder;
                const FaceEdges earlier = faceEdges({100, 100, 0}, {300, 100, 0}, {100, 100 + height, 0});
                const FaceEdges later = faceEdges({50, 50, 0}, {650, 50, 0}, {50, 650, 0});
                for (const auto& [face, index] : {std::pair{later, 5}, std::pair{earlier, 3}}) {
                    PixelBox box;
                    ASSERT_TRUE(pixelBox(face.a, face.b, face.c, box));
                    fillFaceInBand(face, faceBounds(face, box, true), index, box, firstPixel, lastPixel,
                                   buffers, kernels);
                }
                int earlierPixels = 0, laterPixels = 0;
                for (const int cover : surface.coverFace) {
                    earlierPixels += cover == 3;
                    laterPixels += cover == 5;
                }
                EXPECT_GT(laterPixels, 0);
                EXPECT_EQ(earlierPixels > 0, anyOrder) << earlierPixels;
            }
}

} // namespace
} // namespace Quorvane
