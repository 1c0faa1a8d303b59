#include "render/ColumnFill.h"

#include "render/FastFill.h"
#include "render/ProcessorFeatures.h"

namespace Quorvane {

namespace {

// Rows first..first + count - 1 of column x, widening passed to include every
// row that stores.
void fillColumn(const FaceEdges& face, int x, int first, int count, int faceIndex, const BoxCells& cells,
                PassedRows& passed)
{
    const ColumnCells column{cells.depth + x * depthRows, cells.face + x * depthRows};
    ColumnSamples samples;
    sampleFaceColumn(face, static_cast<float>(x), first, count, column.depth + first, samples);
    for (int i = 0; i < count; ++i) {
        if (!samples.passes[i])
            continue;
        const int row = first + i;
        column.depth[row] = samples.depth[i];
        column.face[row] = faceIndex;
        passed.first = row < passed.first ? row : passed.first;
        passed.last = row > passed.last ? row : passed.last;
    }
}

// Marks the blocks of column x that passed includes as stale.
void markStale(const PassedRows& passed, int x, const BoxCells& cells)
{
    if (passed.first <= passed.last)
        cells.staleBlocks[x] |= blockBits(passed.first / depthBlockRows, passed.last / depthBlockRows);
}

} // namespace

// Every row is sampled: the floor only spares work, which the portable
// kernel, the fallback, does not chase.
void fillRunsPortable(const FaceEdges& face, const DepthFloor&, int faceIndex, const ColumnRun* runs,
                      int runCount, const BoxCells& cells)
{
    for (int i = 0; i < runCount; ++i) {
        PassedRows passed;
        fillColumn(face, runs[i].x, runs[i].first, runs[i].count, faceIndex, cells, passed);
        markStale(passed, runs[i].x, cells);
    }
}

void fillBoxPortable(const FaceEdges& face, int faceIndex, const PixelBox& box, int firstColumn,
                     int lastColumn, const BoxCells& cells)
{
    for (int x = firstColumn; x <= lastColumn; ++x) {
        PassedRows passed;
        fillColumn(face, x, box.ymin, box.ymax - box.ymin + 1, faceIndex, cells, passed);
        markStale(passed, x, cells);
    }
}

PixelKernels fastestPixelKernels()
{
    static const PixelKernels fastest = processorHasAvx2() ? PixelKernels::avx2 : PixelKernels::portable;
    return fastest;
}

RunFill runFill(PixelKernels kernels)
{
    return kernels == PixelKernels::avx2 ? fillRunsAvx2 : fillRunsPortable;
}

BoxFill boxFill(PixelKernels kernels)
{
    return kernels == PixelKernels::avx2 ? fillBoxAvx2 : fillBoxPortable;
}

} // namespace Quorvane
