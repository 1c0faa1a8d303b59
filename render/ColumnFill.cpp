#include "render/ColumnFill.h"

#include "render/FastFill.h"
#include "render/ProcessorFeatures.h"

#include <algorithm>

namespace Quorvane {

void fillColumnPortable(const FaceEdges& face, int faceIndex, int x, int first, int count,
                        const BoxCells& cells)
{
    const ColumnCells column{cells.depth + x * depthRows, cells.face + x * depthRows};
    ColumnSamples samples;
    sampleFaceColumn(face, static_cast<float>(x), first, count, column.depth + first,
                     cells.anyOrder ? column.face + first : nullptr, faceIndex, samples);
    PassedRows passed;
    for (int i = 0; i < count; ++i) {
        if (!samples.passes[i])
            continue;
        const int row = first + i;
        column.depth[row] = samples.depth[i];
        column.face[row] = faceIndex;
        passed.first = row < passed.first ? row : passed.first;
        passed.last = row > passed.last ? row : passed.last;
    }
    if (passed.first <= passed.last)
        cells.staleBlocks[x] |= blockBits(passed.first / depthBlockRows, passed.last / depthBlockRows);
}

void fillBoxPortable(const FaceEdges& face, int faceIndex, const PixelBox& box, const ColumnSpan* strips,
                     const BoxCells& cells)
{
    for (int first = box.ymin, k = 0; first <= box.ymax; first += stripRows, ++k) {
        const int rows = std::min(stripRows, box.ymax - first + 1);
        for (int x = strips[k].first; x <= strips[k].last; ++x)
            fillColumnPortable(face, faceIndex, x, first, rows, cells);
    }
}

PixelKernels fastestPixelKernels()
{
    static const PixelKernels fastest = processorHasAvx2() ? PixelKernels::avx2 : PixelKernels::portable;
    return fastest;
}

BoxFill boxFill(PixelKernels kernels)
{
    return kernels == PixelKernels::avx2 ? fillBoxAvx2 : fillBoxPortable;
}

} // namespace Quorvane
