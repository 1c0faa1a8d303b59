#pragma once

#include "render/FrameSurface.h"

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

// Samples rows first to first + count - 1 of column x of a face with the
// float operations of sampleFaceColumn, and for every row inside the face and
// strictly nearer than the stored depth stores the depth and faceIndex,
// widening passed to include that row.
using ColumnFill = void (*)(const FaceEdges& face, float x, int first, int count, int faceIndex,
                            const ColumnCells& cells, PassedRows& passed);

// sampleFaceColumn and a loop over its rows: runs on every x86-64 processor.
void fillColumnPortable(const FaceEdges& face, float x, int first, int count, int faceIndex,
                        const ColumnCells& cells, PassedRows& passed);

// The same stores, eight rows at a time with AVX2. Call it only where
// processorHasAvx2() holds: it is compiled for AVX2 processors alone.
void fillColumnAvx2(const FaceEdges& face, float x, int first, int count, int faceIndex,
                    const ColumnCells& cells, PassedRows& passed);

// Which kernels a FrameRenderer runs; every choice gives the same frame.
enum class PixelKernels { portable, avx2 };

// avx2 where the processor has it, else portable.
PixelKernels fastestPixelKernels();

ColumnFill columnFill(PixelKernels kernels);

} // namespace Quorvane
