#pragma once

#include "math/Color.h"
#include "math/Vector.h"
#include "render/ColumnFill.h"
#include "render/FaceBounds.h"
#include "render/FrameSurface.h"
#include "render/TriangleFill.h"

#include <algorithm>
#include <bit>
#include <cstdint>

namespace Quorvane {

// The fast path's per-pixel arithmetic: the same float operations, in the
// same order, as insideTriangle, barycentric, interpolateDepth and the
// shaders' shadePixel, with the parts that depend only on the face or the
// column computed once, restricted to one band of columns so that threads
// can fill disjoint bands of the same frame.

// The fast path's depth buffer: cell (x, y) at x * rows + y, so that one
// column is contiguous as in depthBuffer.
constexpr int depthRows = FrameSurface::height;

// A face's screen corners and what barycentric derives from them alone.
struct FaceEdges {
    Vector3 a, b, c;
    float cax = 0, cay = 0, bax = 0, bay = 0;
    float denominatorU = 0, denominatorV = 0;
};

// Inline: the frame sets up every face, and a call returning the struct
// through memory stalls on reading it back whole.
inline FaceEdges faceEdges(const Vector3& a, const Vector3& b, const Vector3& c)
{
    FaceEdges face;
    face.a = a;
    face.b = b;
    face.c = c;
    face.cax = c.x - a.x;
    face.cay = c.y - a.y;
    face.bax = b.x - a.x;
    face.bay = b.y - a.y;
    face.denominatorU = face.bay * face.cax - face.bax * face.cay;
    face.denominatorV = face.cay * face.bax - face.cax * face.bay;
    return face;
}

// The weights sampleFaceColumn computes for the pixel (x, y): barycentric's.
Vector3 pixelWeights(const FaceEdges& face, float x, float y);

// The depth buffer's columns are split into blocks of this many rows, each
// with an upper bound of the depths it stores.
constexpr int depthBlockRows = 16;
constexpr int depthBlocks = (depthRows + depthBlockRows - 1) / depthBlockRows;

// Candidate rows fewer than this are sampled without a depth bound.
constexpr int shortestBoundedRun = 2 * depthBlockRows;

// Boxes with fewer rows are sampled whole: narrowing costs more than it saves.
constexpr int shortestNarrowedColumn = 24;

// Rows first to first + count - 1 of column x, sampled exactly as
// sampleColumn does, against the stored depths of those rows: passes and
// depth only, as the weights are computed again where a pixel is shaded.
void sampleFaceColumn(const FaceEdges& face, float x, int first, int count, const float* stored,
                      ColumnSamples& samples);

static_assert(depthBlocks <= 32, "a column's blocks fit one 32-bit mask");
static_assert(depthRows % 4 == 0 && depthBlockRows % 4 == 0, "blocks are read four rows at a time");

// Bits first to last of a column's block mask.
inline std::uint32_t blockBits(int first, int last)
{
    const std::uint32_t lastBit = 1u << last;
    return (lastBit | (lastBit - 1)) & ~0u << first;
}

// The fast path's per-frame buffers, laid out by column: depthRows cells per
// column for the depth and the cover (see ColumnCells), depthBlocks for
// farthest and one mask for staleBlocks. farthest[b] is never below a depth
// stored in block b of its column, as stored depths only ever decrease; where
// bit b of the column's staleBlocks is set, a store may have made it loose,
// and it is computed again when a depth bound asks for it, which spares the
// blocks that no bound asks about.
// A pixel's value is what the face in coverFace shades for its weights at the
// pixel, since every later store would have overwritten it: shading once per
// pixel after all faces gives the same frame without shading the pixels that
// are covered again later. coverFace is -1 where no face stored anything.
struct BandBuffers {
    float* depth = nullptr;
    int* coverFace = nullptr;
    float* farthest = nullptr;
    std::uint32_t* staleBlocks = nullptr;

    BoxCells cells() const { return {depth, coverFace, staleBlocks}; }

    ColumnCells column(int x) const
    {
        const int cell = x * depthRows;
        return {depth + cell, coverFace + cell};
    }
};

// Bit b set for each block b of firstBlock..lastBlock of column x whose rows
// certainly fail the depth test: the bound at the block's row where the depth
// is least is not below the farthest depth stored in the block, made exact
// first where it is stale. The bound is taken at the block's top or bottom row
// even where only some of its rows are candidates, which can only lower it.
// The other bits are unspecified. The portable kernel tests two blocks at a
// time with SSE2; the AVX2 one (call it only where processorHasAvx2() holds)
// four, and reads eight rows at a time where it makes a farthest depth exact.
// Faces that cross the camera plane test a dozen blocks in hundreds of columns
// each.
using BlockHiding = std::uint32_t (*)(const DepthBound& bound, int x, int firstBlock, int lastBlock,
                                      const BandBuffers& buffers);
std::uint32_t hiddenBlocksPortable(const DepthBound& bound, int x, int firstBlock, int lastBlock,
                                   const BandBuffers& buffers);
std::uint32_t hiddenBlocksAvx2(const DepthBound& bound, int x, int firstBlock, int lastBlock,
                               const BandBuffers& buffers);

// The runs of one face, sampled in batches: the face's values are set up once
// per batch rather than once per column.
class RunBatch {
public:
    RunBatch(const FaceEdges& face, const DepthFloor& floor, int faceIndex, const BoxCells& cells,
             RunFill fillRuns)
        : face_(face), floor_(floor), faceIndex_(faceIndex), cells_(cells), fillRuns_(fillRuns)
    {
    }

    // Rows first..last of column x. A face's stores in one column change no
    // other column's cells, and its runs in one column are all decided before
    // any of them is sampled, so deferring them changes no depth test.
    void add(int x, int first, int last)
    {
        if (count_ == capacity)
            fillPending();
        runs_[count_++] = {x, first, last - first + 1};
    }

    void fillPending()
    {
        if (count_ > 0)
            fillRuns_(face_, floor_, faceIndex_, runs_, count_, cells_);
        count_ = 0;
    }

private:
    static constexpr int capacity = 256;
    const FaceEdges& face_;
    const DepthFloor& floor_;
    int faceIndex_;
    BoxCells cells_;
    RunFill fillRuns_;
    ColumnRun runs_[capacity];
    int count_ = 0;
};

// The fill's kernels, of one choice of PixelKernels.
struct FillKernels {
    SpanNarrowing narrowSpans;
    BlockHiding hideBlocks;
    RunFill fillRuns;
    BoxFill fillBox;
};

inline FillKernels fillKernels(PixelKernels kernels)
{
    return {spanNarrowing(kernels), kernels == PixelKernels::avx2 ? hiddenBlocksAvx2 : hiddenBlocksPortable,
            runFill(kernels), boxFill(kernels)};
}

// Fills face number faceIndex in columns firstColumn to lastColumn of its box
// only: every sample inside the triangle and strictly nearer than the stored
// depth stores its depth, and the face in the cover. A box of fewer than
// shortestNarrowedColumn rows goes to the box kernel whole, and bounds is not
// read. Taller ones go to the run kernel in runs of rows, leaving out the rows
// of each column that certainly fail the inside test or, block by block, the
// depth test.
inline void fillFaceInBand(const FaceEdges& face, const FaceBounds& bounds, int faceIndex,
                           const PixelBox& box, int firstColumn, int lastColumn, const BandBuffers& buffers,
                           const FillKernels& kernels)
{
    const int first = box.xmin > firstColumn ? box.xmin : firstColumn;
    const int last = box.xmax < lastColumn ? box.xmax : lastColumn;
    if (box.ymax - box.ymin + 1 < shortestNarrowedColumn) {
        kernels.fillBox(face, faceIndex, box, first, last, buffers.cells());
        return;
    }
    RowSpan spans[FrameSurface::width + spanPadding];
    kernels.narrowSpans(bounds, first, last, box.ymin, box.ymax, spans);
    RunBatch runs(face, bounds.depthFloor, faceIndex, buffers.cells(), kernels.fillRuns);
    for (int x = first; x <= last; ++x) {
        const int firstRow = spans[x - first].first, lastRow = spans[x - first].last;
        if (firstRow > lastRow)
            continue;
        // A bound pays for itself only where it can hide whole blocks.
        if (!bounds.depthBounded || lastRow - firstRow + 1 < shortestBoundedRun) {
            runs.add(x, firstRow, lastRow);
            continue;
        }
        const int firstBlock = firstRow / depthBlockRows, lastBlock = lastRow / depthBlockRows;
        std::uint32_t visible =
            blockBits(firstBlock, lastBlock)
            & ~kernels.hideBlocks(columnDepthBound(bounds, x), x, firstBlock, lastBlock, buffers);
        // Each run of blocks that the bound cannot hide is sampled in one pass.
        while (visible != 0) {
            const int runFirst = std::countr_zero(visible);
            const int runLast = runFirst + std::countr_one(visible >> runFirst) - 1;
            runs.add(x, std::max(runFirst * depthBlockRows, firstRow),
                     std::min(runLast * depthBlockRows + depthBlockRows - 1, lastRow));
            visible = runLast == 31 ? 0 : visible & ~0u << (runLast + 1);
        }
    }
    runs.fillPending();
}

} // namespace Quorvane
