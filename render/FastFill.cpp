#include "render/FastFill.h"

#include "math/Geometry.h"
#include "render/DepthBuffer.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <emmintrin.h>

namespace Quorvane {

Vector3 pixelWeights(const FaceEdges& face, float x, float y)
{
    const float pxa = x - face.a.x;
    const float pya = y - face.a.y;
    const float u = (pya * face.cax - pxa * face.cay) / face.denominatorU;
    const float v = (pya * face.bax - pxa * face.bay) / face.denominatorV;
    const float w0 = (1 - u) - v;
    return {w0, u, v};
}

namespace {

// Makes the farthest depths of column x's blocks among blocks exact where they
// are stale.
void refreshFarthest(const BandBuffers& buffers, int x, std::uint32_t blocks)
{
    std::uint32_t stale = buffers.staleBlocks[x] & blocks;
    buffers.staleBlocks[x] &= ~stale;
    buffers.writtenBlocks[x] |= stale;
    const float* depth = buffers.depth + x * depthRows;
    for (; stale != 0; stale &= stale - 1) {
        const int block = std::countr_zero(stale);
        const float* cells = depth + block * depthBlockRows;
        const int rows = std::min(depthBlockRows, depthRows - block * depthBlockRows);
        // Four rows at a time (SSE2 is every x86-64 processor's); no stored
        // depth is NaN, so any order gives the same bound.
        __m128 largest = _mm_loadu_ps(cells);
        for (int row = 4; row + 4 <= rows; row += 4)
            largest = _mm_max_ps(largest, _mm_loadu_ps(cells + row));
        largest = _mm_max_ps(largest, _mm_shuffle_ps(largest, largest, _MM_SHUFFLE(1, 0, 3, 2)));
        largest = _mm_max_ps(largest, _mm_shuffle_ps(largest, largest, _MM_SHUFFLE(2, 3, 0, 1)));
        buffers.blockFarthest(block)[x] = _mm_cvtss_f32(largest);
    }
}

// Bit b set for each block b of firstBlock..lastBlock of column x whose rows
// certainly fail the depth test (see TallFaceFill); the other bits are
// unspecified.
std::uint32_t hiddenBlocks(const DepthBound& bound, int x, int firstBlock, int lastBlock,
                           const BandBuffers& buffers)
{
    refreshFarthest(buffers, x, blockBits(firstBlock, lastBlock));
    const double leastRow = bound.slope >= 0 ? 0 : depthBlockRows - 1;
    const __m128d atFirstBlock = _mm_set1_pd(bound.atRowZero + bound.slope * leastRow);
    const __m128d perBlock = _mm_set1_pd(bound.slope * depthBlockRows);
    // Two blocks at a time from an even one, so that every block read is one
    // of the column's.
    static_assert(depthBlocks % 2 == 0);
    std::uint32_t hidden = 0;
    const int firstPair = firstBlock & ~1;
    __m128d blocks = _mm_set_pd(firstPair + 1, firstPair);
    for (int block = firstPair; block <= lastBlock; block += 2, blocks = _mm_add_pd(blocks, _mm_set1_pd(2))) {
        const __m128d stored = _mm_cvtps_pd(
            _mm_setr_ps(buffers.blockFarthest(block)[x], buffers.blockFarthest(block + 1)[x], 0, 0));
        const __m128d below = _mm_add_pd(atFirstBlock, _mm_mul_pd(perBlock, blocks));
        hidden |= static_cast<std::uint32_t>(_mm_movemask_pd(_mm_cmpgt_pd(below, stored))) << block;
    }
    return hidden;
}

} // namespace

PassedRows BandBuffers::storedRows(int x) const
{
    const std::uint32_t blocks = staleBlocks[x] | writtenBlocks[x];
    PassedRows rows;
    if (blocks != 0) {
        rows.first = std::countr_zero(blocks) * depthBlockRows;
        rows.last = std::min(depthRows - 1, static_cast<int>(std::bit_width(blocks)) * depthBlockRows - 1);
    }
    return rows;
}

void emptyColumns(const BandBuffers& buffers, int firstColumn, int lastColumn)
{
    // The rows from the first written block to the last at once: a column's
    // written blocks are mostly one run, and one fill of them costs less than
    // a fill per block.
    for (int x = firstColumn; x <= lastColumn; ++x) {
        const PassedRows rows = buffers.storedRows(x);
        buffers.staleBlocks[x] = 0;
        buffers.writtenBlocks[x] = 0;
        if (rows.first > rows.last)
            continue;
        const int first = x * depthRows + rows.first;
        const int count = rows.last - rows.first + 1;
        std::fill_n(buffers.depth + first, count, emptyDepth);
        std::fill_n(buffers.coverFace + first, count, -1);
        for (int block = rows.first / depthBlockRows; block <= rows.last / depthBlockRows; ++block)
            buffers.blockFarthest(block)[x] = emptyDepth;
    }
}

bool visibleColumns(const FaceEdges& face, const PixelBox& box, const BandBuffers& buffers, int& firstColumn,
                    int& lastColumn)
{
    const int firstBlock = box.ymin / depthBlockRows, lastBlock = box.ymax / depthBlockRows;
    const std::uint32_t blocks = blockBits(firstBlock, lastBlock);
    const auto hiddenBelow = [&](int x, float depth) {
        refreshFarthest(buffers, x, blocks);
        for (int block = firstBlock; block <= lastBlock; ++block)
            if (!(buffers.blockFarthest(block)[x] < depth))
                return false;
        return true;
    };
    if (!hiddenBelow(firstColumn, std::min({face.a.z, face.b.z, face.c.z})))
        return true;
    const float nearest = boxDepthFloor(face, box);
    while (firstColumn <= lastColumn && hiddenBelow(firstColumn, nearest))
        ++firstColumn;
    while (lastColumn > firstColumn && hiddenBelow(lastColumn, nearest))
        --lastColumn;
    return firstColumn <= lastColumn;
}

void fillTallFacePortable(const FaceEdges& face, const FaceBounds& bounds, int faceIndex, int firstColumn,
                          int lastColumn, const RowSpan* spans, const BandBuffers& buffers)
{
    const BoxCells cells = buffers.cells();
    for (int x = firstColumn; x <= lastColumn; ++x) {
        const int firstRow = spans[x - firstColumn].first, lastRow = spans[x - firstColumn].last;
        if (firstRow > lastRow)
            continue;
        // A bound pays for itself only where it can hide whole blocks.
        if (!bounds.depthBounded || lastRow - firstRow + 1 < shortestBoundedRun) {
            fillColumnPortable(face, faceIndex, x, firstRow, lastRow - firstRow + 1, cells);
            continue;
        }
        const int firstBlock = firstRow / depthBlockRows, lastBlock = lastRow / depthBlockRows;
        std::uint32_t visible = blockBits(firstBlock, lastBlock)
                              & ~hiddenBlocks(columnDepthBound(bounds, x), x, firstBlock, lastBlock, buffers);
        // Each run of blocks that the bound cannot hide is sampled in one pass.
        while (visible != 0) {
            const int runFirst = std::countr_zero(visible);
            const int runLast = runFirst + std::countr_one(visible >> runFirst) - 1;
            const int first = std::max(runFirst * depthBlockRows, firstRow);
            const int last = std::min(runLast * depthBlockRows + depthBlockRows - 1, lastRow);
            fillColumnPortable(face, faceIndex, x, first, last - first + 1, cells);
            visible = runLast == 31 ? 0 : visible & ~0u << (runLast + 1);
        }
    }
}

void sampleFaceColumn(const FaceEdges& face, float x, int first, int count, const float* stored,
                      const int* storedFaces, int faceIndex, ColumnSamples& samples)
{
    // Local copies so that the compiler keeps them in registers: it cannot
    // tell that face does not share memory with samples.
    const float ax = face.a.x, ay = face.a.y, az = face.a.z;
    const float by = face.b.y, bz = face.b.z;
    const float cy = face.c.y, cz = face.c.z;
    const float cax = face.cax, cay = face.cay, bax = face.bax, bay = face.bay;
    const float denominatorU = face.denominatorU, denominatorV = face.denominatorV;
    const float pax = ax - x;
    const float pbx = face.b.x - x;
    const float pcx = face.c.x - x;
    const float pxa = x - ax;
    for (int i = 0; i < count; ++i) {
        const float y = static_cast<float>(first + i);
        const float pay = ay - y;
        const float pby = by - y;
        const float pcy = cy - y;
        const float c1 = pax * pby - pbx * pay;
        const float c2 = pbx * pcy - pcx * pby;
        const float c3 = pcx * pay - pax * pcy;
        const bool inside = (c1 * c2 >= 0.0f) & (c2 * c3 >= 0.0f) & (c3 * c1 >= 0.0f);
        const float pya = y - ay;
        const float u = (pya * cax - pxa * cay) / denominatorU;
        const float v = (pya * bax - pxa * bay) / denominatorV;
        const float w0 = (1 - u) - v;
        const float depth = (az * w0 + bz * u) + cz * v;
        samples.depth[i] = depth;
        const bool laterAsNear = storedFaces != nullptr && stored[i] == depth && storedFaces[i] > faceIndex;
        samples.passes[i] = inside & ((stored[i] > depth) | laterAsNear);
    }
}

} // namespace Quorvane
