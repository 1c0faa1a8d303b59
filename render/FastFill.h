#pragma once

#include "math/Color.h"
#include "math/Vector.h"
#include "render/ColumnFill.h"
#include "render/FaceBounds.h"
#include "render/FrameSurface.h"
#include "render/TriangleFill.h"

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

// Faces of fewer rows have no depth bound; and the portable tall face kernel,
// which asks about the blocks of one column at a time, samples a column of
// fewer candidate rows than this without it.
constexpr int shortestBoundedRun = 2 * depthBlockRows;

// Boxes with fewer rows are filled without first asking whether the depths
// stored in their first columns hide the face: there the question costs more
// than it saves. (A sphere's faces behind its front are hidden whole.)
constexpr int shortestHiddenBox = 16;

// The same for faces filled out of list order: most of them come after the
// faces in front of them and are hidden, and the question saves more.
constexpr int shortestHiddenLaterBox = 5;

// Box faces of fewer columns than this fill every column of each strip of
// rows: leaving out the columns beyond the triangle costs more than it saves.
constexpr int shortestNarrowedStrip = 16;

// Boxes with fewer rows are filled strip by strip: narrowing each column to
// its rows and bounding the depth of its blocks cost more than they save.
// (Faces of a model seen from near are mostly in front, and would gain up to
// about 200 rows; but where faces lie on top of each other in dozens of
// layers, only the depth bound finds their hidden blocks cheaply.)
constexpr int shortestNarrowedColumn = 96;

// Where faces are filled nearest first, as they lie many deep, boxes of this
// many rows already go to the tall face kernel: most of them are hidden, which
// its depth bound finds a block of eight columns at a time, where the box
// kernel samples every strip. (In a model seen from outside they are mostly in
// front, and the box kernel fills them faster.)
constexpr int shortestLayeredColumn = 48;

// Rows first to first + count - 1 of column x, sampled exactly as
// sampleColumn does, against the stored depths of those rows: passes and
// depth only, as the weights are computed again where a pixel is shaded.
// Where storedFaces is not null, a row as near as its stored depth passes too
// when the face stored there has a higher index than faceIndex.
void sampleFaceColumn(const FaceEdges& face, float x, int first, int count, const float* stored,
                      const int* storedFaces, int faceIndex, ColumnSamples& samples);

static_assert(depthBlocks <= 32, "a column's blocks fit one 32-bit mask");
static_assert(depthRows % 4 == 0 && depthBlockRows % 4 == 0, "blocks are read four rows at a time");

// Bits first to last of a column's block mask.
inline std::uint32_t blockBits(int first, int last)
{
    const std::uint32_t lastBit = 1u << last;
    return (lastBit | (lastBit - 1)) & ~0u << first;
}

// The fast path's per-frame buffers, laid out by column: depthRows cells per
// column for the depth and the cover (see ColumnCells), and one mask each for
// staleBlocks and writtenBlocks; farthest has a value per block and column,
// laid out by block (see blockFarthest). A block's farthest depth is never
// below a depth stored in the block, as stored depths only ever decrease;
// where bit b of the column's staleBlocks is set, a store may have made it
// loose, and it is computed again when a depth bound asks for it (which moves
// the bit to writtenBlocks), which spares the blocks that no bound asks about.
// A pixel's value is what the face in coverFace shades for its weights at the
// pixel, since every later store would have overwritten it: shading once per
// pixel after all faces gives the same frame without shading the pixels that
// are covered again later. coverFace is -1 where no face stored anything.
// Every block whose bit is clear in both masks is empty: its depths are
// emptyDepth, its cover -1 and its farthest emptyDepth, so that a frame need
// only shade, and then empty, the rows of the blocks it wrote itself.
// A pixel's face is the one of least depth among those that pass the inside
// test there, and of them the first in the list: faces filled in list order
// store only where strictly nearer. Where anyOrder holds, faces come in
// another order, and a face also stores where it is as near as the stored
// depth and comes before the face stored there; which gives the same frame.
// (Where faces lie dozens deep, filling the nearest first leaves most of the
// others hidden whole blocks at a time; and faces filled in list order, and
// then others in list order with anyOrder, give it too.) Every depth bound
// below hides only what is strictly behind stored depths, so that it holds in
// either order. nearestFirst tells the kernels' choice that faces come
// nearest first.
struct BandBuffers {
    float* depth = nullptr;
    int* coverFace = nullptr;
    float* farthest = nullptr;
    std::uint32_t* staleBlocks = nullptr;
    std::uint32_t* writtenBlocks = nullptr;
    bool anyOrder = false;
    bool nearestFirst = false;

    BoxCells cells() const { return {depth, coverFace, staleBlocks, anyOrder}; }

    ColumnCells column(int x) const
    {
        const int cell = x * depthRows;
        return {depth + cell, coverFace + cell};
    }

    // The farthest depths of block b, one per column: those of one block of
    // adjacent columns are adjacent, so that several columns' are read at once.
    float* blockFarthest(int block) const { return farthest + block * FrameSurface::width; }

    // Rows of column x that include every row a face stored in.
    PassedRows storedRows(int x) const;
};

// Makes the blocks of columns firstColumn to lastColumn empty again, with both
// their masks clear.
void emptyColumns(const BandBuffers& buffers, int firstColumn, int lastColumn);

// Fills the rows spans[x - firstColumn] of each column x from firstColumn to
// lastColumn of a face whose box has at least shortestNarrowedColumn rows:
// every sample inside the triangle and strictly nearer than the stored depth
// (or, where buffers.anyOrder, as near and stored by a later face) stores its
// depth, and the face in the cover. Where the face has a depth bound (and, in
// the portable kernel, a column at least shortestBoundedRun candidate rows),
// the blocks whose rows certainly fail the depth test are left out first: the
// bound (or a float floor below it) at the block's row where the depth is
// least is above the farthest depth stored in the block, made exact first
// where it is stale. (The bound is taken
// at the block's top or bottom row even where only some of its rows are
// candidates, which can only lower it.) Each column's blocks are decided
// before any of its rows is sampled, and a face's stores in one column change
// no other column. Faces that cross the camera plane test a dozen blocks in
// hundreds of columns each.
using TallFaceFill = void (*)(const FaceEdges& face, const FaceBounds& bounds, int faceIndex, int firstColumn,
                              int lastColumn, const RowSpan* spans, const BandBuffers& buffers);

// A column at a time with fillColumnPortable, blocks two at a time with SSE2:
// runs on every x86-64 processor.
void fillTallFacePortable(const FaceEdges& face, const FaceBounds& bounds, int faceIndex, int firstColumn,
                          int lastColumn, const RowSpan* spans, const BandBuffers& buffers);

// Eight rows at a time with AVX2, leaving out eight rows at once where none
// of their stored depths is above the face's depth floor; the blocks of
// eight columns at once against that floor, in every column, then the first
// and the last block of each column's rows against the rows' floor, and a
// stale block's farthest depth found eight rows at a time. Call it only where
// processorHasAvx2() holds.
void fillTallFaceAvx2(const FaceEdges& face, const FaceBounds& bounds, int faceIndex, int firstColumn,
                      int lastColumn, const RowSpan* spans, const BandBuffers& buffers);

// Narrows firstColumn..lastColumn of the face's box to the columns from the
// first to the last where the face could pass the depth test: each column
// left out has no stored depth above or at the face's boxDepthFloor in the
// box's rows. False when no column is left. The floor is only computed where the
// first column's stored depths are not above the corners' least depth.
using ColumnNarrowing = bool (*)(const FaceEdges& face, const PixelBox& box, const BandBuffers& buffers,
                                 int& firstColumn, int& lastColumn);

// A column at a time: runs on every x86-64 processor.
bool visibleColumns(const FaceEdges& face, const PixelBox& box, const BandBuffers& buffers, int& firstColumn,
                    int& lastColumn);

// The same columns, eight at a time with AVX2 (and the floor with
// boxDepthFloorAvx2); call it only where processorHasAvx2() holds.
bool visibleColumnsAvx2(const FaceEdges& face, const PixelBox& box, const BandBuffers& buffers,
                        int& firstColumn, int& lastColumn);

// The fill's kernels, of one choice of PixelKernels.
struct FillKernels {
    SpanNarrowing narrowSpans;
    TallFaceFill fillTallFace;
    BoxFill fillBox;
    ColumnNarrowing visibleColumns;
};

inline FillKernels fillKernels(PixelKernels kernels)
{
    const bool avx2 = kernels == PixelKernels::avx2;
    return {spanNarrowing(kernels), avx2 ? fillTallFaceAvx2 : fillTallFacePortable, boxFill(kernels),
            avx2 ? visibleColumnsAvx2 : visibleColumns};
}

// Fills face number faceIndex in columns firstColumn to lastColumn of its box
// only: every sample inside the triangle and strictly nearer than the stored
// depth (or, where buffers.anyOrder, as near and stored by a later face)
// stores its depth, and the face in the cover. A box of fewer than
// shortestNarrowedColumn rows (shortestLayeredColumn where buffers.nearestFirst)
// goes to the box kernel, less its columns that
// visibleColumns leaves out where it has shortestHiddenBox rows or more
// (shortestHiddenLaterBox where buffers.anyOrder), and
// in each strip of rows less those that stripColumns leaves out where it has
// more than one strip and shortestNarrowedStrip columns; bounds is not read.
// Taller ones go to the tall face kernel, narrowed to the rows of each column
// that could pass the inside test.
inline void fillFaceInBand(const FaceEdges& face, const FaceBounds& bounds, int faceIndex,
                           const PixelBox& box, int firstColumn, int lastColumn, const BandBuffers& buffers,
                           const FillKernels& kernels)
{
    int first = box.xmin > firstColumn ? box.xmin : firstColumn;
    int last = box.xmax < lastColumn ? box.xmax : lastColumn;
    const int rows = box.ymax - box.ymin + 1;
    if (rows < (buffers.nearestFirst ? shortestLayeredColumn : shortestNarrowedColumn)) {
        if (rows >= (buffers.anyOrder ? shortestHiddenLaterBox : shortestHiddenBox)
            && !kernels.visibleColumns(face, box, buffers, first, last))
            return;
        ColumnSpan strips[(shortestNarrowedColumn + stripRows - 2) / stripRows];
        if (rows > stripRows && last - first + 1 >= shortestNarrowedStrip)
            stripColumns(face, box, first, last, strips);
        else
            for (int k = 0; k * stripRows < rows; ++k)
                strips[k] = {first, last};
        kernels.fillBox(face, faceIndex, box, strips, buffers.cells());
        return;
    }
    RowSpan spans[FrameSurface::width + spanPadding];
    kernels.narrowSpans(bounds, first, last, box.ymin, box.ymax, spans);
    kernels.fillTallFace(face, bounds, faceIndex, first, last, spans, buffers);
}

} // namespace Quorvane
