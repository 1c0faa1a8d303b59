#pragma once

#include "math/Color.h"
#include "math/Vector.h"
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

FaceEdges faceEdges(const Vector3& a, const Vector3& b, const Vector3& c);

// Narrows rows first..last of column x to the rows where insideTriangle could
// hold: every row left out certainly fails it. False when no row is left.
// Faces that cross the camera plane have boxes of the whole surface, but
// their triangles cover a fraction of each column.
bool candidateRows(const FaceEdges& face, float x, int& first, int& last);

// Boxes with fewer rows are sampled whole: narrowing costs more than it saves.
constexpr int shortestNarrowedColumn = 24;

// Rows first to first + count - 1 of column x, sampled exactly as
// sampleColumn does, against the stored depths of those rows.
void sampleFaceColumn(const FaceEdges& face, float x, int first, int count, const float* stored,
                      ColumnSamples& samples);

// The face that last stored a pixel's depth and its weights there: a pixel's
// value is what that face's shadePixel gives for those weights, since every
// later store would have overwritten it. Shading once per pixel after all
// faces gives the same frame without shading the pixels that are covered
// again later. face is -1 where no face stored anything.
struct PixelCover {
    int face = -1;
    float weight0 = 0, weight1 = 0, weight2 = 0;
};

// Fills face number faceIndex in columns firstColumn to lastColumn of its box
// only: every sample inside the triangle and strictly nearer than depth stores
// its depth, and the face and its weights in cover (laid out as depth).
inline void fillFaceInBand(const FaceEdges& face, int faceIndex, const PixelBox& box, int firstColumn,
                           int lastColumn, float* depth, PixelCover* cover, ColumnSamples& samples)
{
    const int first = box.xmin > firstColumn ? box.xmin : firstColumn;
    const int last = box.xmax < lastColumn ? box.xmax : lastColumn;
    const bool narrowed = box.ymax - box.ymin + 1 >= shortestNarrowedColumn;
    for (int x = first; x <= last; ++x) {
        int firstRow = box.ymin, lastRow = box.ymax;
        if (narrowed && !candidateRows(face, static_cast<float>(x), firstRow, lastRow))
            continue;
        const int rows = lastRow - firstRow + 1;
        float* stored = depth + x * depthRows + firstRow;
        PixelCover* covers = cover + x * depthRows + firstRow;
        sampleFaceColumn(face, static_cast<float>(x), firstRow, rows, stored, samples);
        for (int i = 0; i < rows; ++i) {
            if (!samples.passes[i])
                continue;
            stored[i] = samples.depth[i];
            covers[i] = {faceIndex, samples.weight0[i], samples.weight1[i], samples.weight2[i]};
        }
    }
}

// GouraudShader::shadeVertex's corner colour for a white object: depends on
// the corner's normal alone.
Color gouraudCornerColor(const Vector3& normal, const Vector3& diffuseDirection, const Color& diffuseColor);

} // namespace Quorvane
