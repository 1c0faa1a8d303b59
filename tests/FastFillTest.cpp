#include "render/FastFill.h"

#include "render/DepthBuffer.h"

#include <gtest/gtest.h>

#include <cstdint>
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

// A wall at depth 1 in rows 0 to 63 of columns 100 to 109 (but openColumn)
// and a face of constant depth z in rows 10 to lastRow of columns 100 to
// lastColumn: only the columns at either end where the wall hides the face
// are left out.
TEST(FastFill, VisibleColumnsLeaveOutOnlyTheHiddenColumnsAtEitherEnd)
{
    struct Case {
        float z;
        int lastColumn, lastRow, openColumn;
        bool visible;
        int first, last;
    };
    const Case cases[] = {
        {5, 110, 40, -1, true, 110, 110},  // behind the wall, but in the open last column
        {5, 109, 40, -1, false, 0, 0},     // behind the wall everywhere
        {5, 109, 40, 104, true, 104, 104}, // behind it but in the open middle column
        {5, 109, 70, -1, true, 100, 109},  // behind it but in the rows below it
        {1, 110, 40, -1, true, 100, 110},  // at the wall's depth: its depths may round below it
        {0.5f, 109, 40, -1, true, 100, 109},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "depth " << c.z << ", columns to " << c.lastColumn);
        SurfaceBuffers buffers;
        for (int x = 100; x <= 109; ++x)
            if (x != c.openColumn)
                buffers.storeWall(x);
        const PixelBox box{100, c.lastColumn, 10, c.lastRow};
        const FaceEdges face = faceEdges({100, 10, c.z}, {static_cast<float>(c.lastColumn), 10, c.z},
                                         {105, static_cast<float>(c.lastRow), c.z});
        int first = box.xmin, last = box.xmax;
        ASSERT_EQ(visibleColumns(face, box, buffers.band(), first, last), c.visible);
        EXPECT_TRUE(!c.visible || (first == c.first && last == c.last)) << first << ".." << last;
    }
}

} // namespace
} // namespace Quorvane
