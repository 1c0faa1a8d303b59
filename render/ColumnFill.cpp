#include "render/ColumnFill.h"

#include "render/FastFill.h"
#include "render/ProcessorFeatures.h"

namespace Quorvane {

void fillColumnPortable(const FaceEdges& face, float x, int first, int count, int faceIndex,
                        const ColumnCells& cells, PassedRows& passed)
{
    ColumnSamples samples;
    sampleFaceColumn(face, x, first, count, cells.depth + first, samples);
    for (int i = 0; i < count; ++i) {
        if (!samples.passes[i])
            continue;
        const int row = first + i;
        cells.depth[row] = samples.depth[i];
        cells.face[row] = faceIndex;
        passed.first = row < passed.first ? row : passed.first;
        passed.last = row > passed.last ? row : passed.last;
    }
}

void fillBoxPortable(const FaceEdges& face, int faceIndex, const PixelBox& box, int firstColumn,
                     int lastColumn, const BoxCells& cells)
{
    for (int x = firstColumn; x <= lastColumn; ++x) {
        PassedRows passed;
        const ColumnCells column{cells.depth + x * depthRows, cells.face + x * depthRows};
        fillColumnPortable(face, static_cast<float>(x), box.ymin, box.ymax - box.ymin + 1, faceIndex, column,
                           passed);
        if (passed.first <= passed.last)
            cells.staleBlocks[x] |= blockBits(passed.first / depthBlockRows, passed.last / depthBlockRows);
    }
}

PixelKernels fastestPixelKernels()
{
    static const PixelKernels fastest = processorHasAvx2() ? PixelKernels::avx2 : PixelKernels::portable;
    return fastest;
}

ColumnFill columnFill(PixelKernels kernels)
{
    return kernels == PixelKernels::avx2 ? fillColumnAvx2 : fillColumnPortable;
}

BoxFill boxFill(PixelKernels kernels)
{
    return kernels == PixelKernels::avx2 ? fillBoxAvx2 : fillBoxPortable;
}

} // namespace Quorvane
