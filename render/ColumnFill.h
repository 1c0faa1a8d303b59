#pragma once

#include "render/FrameSurface.h"
#include "render/TriangleFill.h"

#include <cstdint>

namespace Quorvane {

struct FaceEdges;

// One column of the fast path's per-frame buffers, each pointer at row 0:
// the stored depths and, per pixel, the face that last stored its depth.
// The face's weights there are not kept: shading computes them again with
// the same operations, which costs less than moving them through memory.
struct ColumnCells {
    float* depth = nullptr;
    int* face = nullptr;
};

// Rows of a column that include every row where a face stored its depth;
// empty while first > last.
struct PassedRows {
    int first = FrameSurface::height;
    int last = -1;
};

// The fast path's per-frame buffers of a band, as BandBuffers has them: the
// columns' depth and face cells, depthRows each, and the mask of blocks whose
// farthest depth a store may have loosened; and whether faces are filled in
// another order than the list's (see BandBuffers).
struct BoxCells {
    float* depth = nullptr;
    int* face = nullptr;
    std::uint32_t* staleBlocks = nullptr;
    bool anyOrder = false;
};

// Samples rows first..first + count - 1 of column x with the float operations
// of sampleFaceColumn, stores the depth and faceIndex of every row inside the
// face and strictly nearer than the stored depth (or, where cells.anyOrder,
// as near and stored by a later face), and marks the blocks it stores in as
// stale: one row at a time, on every x86-64 processor.
void fillColumnPortable(const FaceEdges& face, int faceIndex, int x, int first, int count,
                        const BoxCells& cells);

// The rows of a box that the box fill samples together, across its columns.
constexpr int stripRows = 8;

// The columns of one strip of a box's rows; none while first > last.
struct ColumnSpan {
    int first, last;
};

// The same stores for every row of the box, strip by strip of stripRows rows
// from box.ymin, in the columns strips[k] of strip k: the faces too small to
// narrow their columns, in one call.
using BoxFill = void (*)(const FaceEdges& face, int faceIndex, const PixelBox& box, const ColumnSpan* strips,
                         const BoxCells& cells);

// fillColumnPortable in each column of each strip.
void fillBoxPortable(const FaceEdges& face, int faceIndex, const PixelBox& box, const ColumnSpan* strips,
                     const BoxCells& cells);

// The same stores with AVX2, in strips of eight rows across the columns, each
// row's values computed once per strip; a strip of two or four rows fills four
// or two columns in each group of eight lanes. Call it only where
// processorHasAvx2() holds: it is compiled for AVX2 processors alone.
void fillBoxAvx2(const FaceEdges& face, int faceIndex, const PixelBox& box, const ColumnSpan* strips,
                 const BoxCells& cells);

// Which kernels a FrameRenderer runs; every choice gives the same frame.
enum class PixelKernels { portable, avx2 };

// avx2 where the processor has it, else portable.
PixelKernels fastestPixelKernels();

BoxFill boxFill(PixelKernels kernels);

} // namespace Quorvane
