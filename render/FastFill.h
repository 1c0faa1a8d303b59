#pragma once

#include "math/Color.h"
#include "math/Vector.h"
#include "render/ColumnFill.h"
#include "render/FrameSurface.h"
#include "render/TriangleFill.h"

#include <algorithm>
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

FaceEdges faceEdges(const Vector3& a, const Vector3& b, const Vector3& c);

// The weights sampleFaceColumn computes for the pixel (x, y): barycentric's.
Vector3 pixelWeights(const FaceEdges& face, float x, float y);

// Narrows rows first..last of column x to the rows where insideTriangle could
// hold: every row left out certainly fails it. False when no row is left.
// Faces that cross the camera plane have boxes of the whole surface, but
// their triangles cover a fraction of each column.
bool candidateRows(const FaceEdges& face, float x, int& first, int& last);

// A lower bound of the float depth sampleFaceColumn computes at any row of a
// column, valid for rows first..last: the exact depth, linear in the row, at
// row first plus slope per row, less error.
struct DepthBound {
    double depthAtFirst = 0, slope = 0, error = 0;
    int first = 0;
};

// Finds the bound for rows first..last of column x; false when the corners'
// depths or the face's weights are too large or not finite for one.
bool depthBound(const FaceEdges& face, float x, int first, int last, DepthBound& bound);

// The depth buffer's columns are split into blocks of this many rows, each
// with an upper bound of the depths it stores.
constexpr int depthBlockRows = 16;
constexpr int depthBlocks = (depthRows + depthBlockRows - 1) / depthBlockRows;

// True when no row of first..last can pass the depth test against stored
// depths of at most farthest: the bound's least value there is not below it.
inline bool blockHidden(const DepthBound& bound, int first, int last, float farthest)
{
    const double top = bound.depthAtFirst + bound.slope * (first - bound.first);
    const double bottom = bound.depthAtFirst + bound.slope * (last - bound.first);
    return (top < bottom ? top : bottom) - bound.error >= farthest;
}

// Candidate rows fewer than this are sampled without a depth bound.
constexpr int shortestBoundedRun = 2 * depthBlockRows;

// Boxes with fewer rows are sampled whole: narrowing costs more than it saves.
constexpr int shortestNarrowedColumn = 24;

// Rows first to first + count - 1 of column x, sampled exactly as
// sampleColumn does, against the stored depths of those rows: passes and
// depth only, as the weights are computed again where a pixel is shaded.
void sampleFaceColumn(const FaceEdges& face, float x, int first, int count, const float* stored,
                      ColumnSamples& samples);

// The fast path's per-frame buffers, laid out by column: depthRows cells per
// column for the depth and the cover (see ColumnCells), depthBlocks for
// farthest; farthest[b] is never below a depth stored in block b of its column.
// A pixel's value is what the face in coverFace shades for its weights at the
// pixel, since every later store would have overwritten it: shading once per
// pixel after all faces gives the same frame without shading the pixels that
// are covered again later. coverFace is -1 where no face stored anything.
struct BandBuffers {
    float* depth = nullptr;
    int* coverFace = nullptr;
    float* farthest = nullptr;

    ColumnCells column(int x) const
    {
        const int cell = x * depthRows;
        return {depth + cell, coverFace + cell};
    }
};

// Fills face number faceIndex in columns firstColumn to lastColumn of its box
// only, with fillColumn: every sample inside the triangle and strictly nearer
// than the stored depth stores its depth, and the face in the cover. Rows
// that certainly fail the inside test or, block by block, the depth test are
// not sampled.
inline void fillFaceInBand(const FaceEdges& face, int faceIndex, const PixelBox& box, int firstColumn,
                           int lastColumn, const BandBuffers& buffers, ColumnFill fillColumn)
{
    const int first = box.xmin > firstColumn ? box.xmin : firstColumn;
    const int last = box.xmax < lastColumn ? box.xmax : lastColumn;
    const bool narrowed = box.ymax - box.ymin + 1 >= shortestNarrowedColumn;
    for (int x = first; x <= last; ++x) {
        int firstRow = box.ymin, lastRow = box.ymax;
        if (narrowed && !candidateRows(face, static_cast<float>(x), firstRow, lastRow))
            continue;
        const ColumnCells cells = buffers.column(x);
        float* farthest = buffers.farthest + x * depthBlocks;
        DepthBound bound;
        // A bound pays for itself only where it can hide whole blocks.
        const bool bounded = narrowed && lastRow - firstRow + 1 >= shortestBoundedRun
                          && depthBound(face, static_cast<float>(x), firstRow, lastRow, bound);
        const auto blockEnd = [&](int row) {
            return std::min((row / depthBlockRows + 1) * depthBlockRows - 1, lastRow);
        };
        const auto hidden = [&](int row) {
            return blockHidden(bound, row, blockEnd(row), farthest[row / depthBlockRows]);
        };
        PassedRows passed;
        int runStart = firstRow;
        while (runStart <= lastRow) {
            // Runs of blocks that the bound cannot hide are sampled in one pass each.
            int runEnd = lastRow;
            if (bounded) {
                while (runStart <= lastRow && hidden(runStart))
                    runStart = blockEnd(runStart) + 1;
                if (runStart > lastRow)
                    break;
                runEnd = blockEnd(runStart);
                while (runEnd < lastRow && !hidden(runEnd + 1))
                    runEnd = blockEnd(runEnd + 1);
            }
            fillColumn(face, static_cast<float>(x), runStart, runEnd - runStart + 1, faceIndex, cells,
                       passed);
            runStart = runEnd + 1;
        }
        for (int block = passed.first / depthBlockRows; block <= passed.last / depthBlockRows; ++block) {
            const int end = std::min((block + 1) * depthBlockRows, depthRows);
            float largest = cells.depth[block * depthBlockRows];
            for (int row = block * depthBlockRows + 1; row < end; ++row)
                largest = cells.depth[row] > largest ? cells.depth[row] : largest;
            farthest[block] = largest;
        }
    }
}

// GouraudShader::shadeVertex's corner colour for a white object: depends on
// the corner's normal alone.
Color gouraudCornerColor(const Vector3& normal, const Vector3& diffuseDirection, const Color& diffuseColor);

} // namespace Quorvane
