#pragma once

#include "render/ColumnFill.h"
#include "render/TriangleFill.h"

#include <limits>

namespace Quorvane {

struct FaceEdges;

// A lower bound of a face's float depths, in floats: at every pixel (x, y) of
// the face's box, no depth that the fill computes is below depthFloorAt(x, y).
// Rows whose stored depth is not above it certainly fail the depth test, and
// eight of them are cheaper to rule out with it than with the inside test
// and two divisions. The default bounds nothing.
struct DepthFloor {
    float atOrigin = -std::numeric_limits<float>::infinity();
    float perColumn = 0, perRow = 0;
};

// Each operation rounded to float, in this order, as the kernels compute it.
inline float depthFloorAt(const DepthFloor& floor, float x, float y)
{
    return floor.perRow * y + (floor.perColumn * x + floor.atOrigin);
}

// What narrowing a face's columns needs, set up once per face and frame so
// that each column costs a few multiplications: the three edge functions of
// insideTriangle as exact lines in the column and row, with an error margin
// that holds anywhere in the face's box, and the same for the face's depth.
struct FaceBounds {
    // Edge i's exact value at (x, y) is alphaAtZero[i] + alphaPerColumn[i] * x
    // + beta[i] * y; inverseBeta[i] is 1 / beta[i], or 0 where beta[i] is 0.
    double alphaAtZero[3] = {}, alphaPerColumn[3] = {}, beta[3] = {}, inverseBeta[3] = {};
    double margin[3] = {};
    // 1 where a row can only pass with every edge value at least minus its
    // margin, -1 where only with every one at most its margin, 0 where either
    // may hold: a face that is not too thin passes on one side only, and
    // narrowing needs the rows of that side alone.
    int side = 0;
    // The exact depth at (x, y) is depthAtOrigin + depthPerColumn * x +
    // depthPerRow * y, and the float depth of the fill lies within depthError
    // of it anywhere in the box; depthBounded is false where the corners'
    // depths or the face's weights are too large or not finite for one.
    double depthAtOrigin = 0, depthPerColumn = 0, depthPerRow = 0, depthError = 0;
    bool depthBounded = false;
    // The same bound in floats; it bounds nothing where depthBounded is false.
    DepthFloor depthFloor;
};

// The float bound of bounds' depth, whose depthAtOrigin, depthPerColumn,
// depthPerRow and depthError must be set: depthFloorAt lies below
// depthAtOrigin + depthPerColumn * x + depthPerRow * y - depthError for x and
// y from 0 to 511, or bounds nothing where the plane is too steep or too far
// from zero for floats.
DepthFloor depthFloor(const FaceBounds& bounds);

// The terms of the depth error bounds, which the portable and the AVX2 box
// floors share so that both give the same float: four units of float rounding
// relative to the magnitudes summed, a term for underflow, the largest corner
// depth and error that bound anything (far beyond any depth that matters, and
// far below where float overflows), and how far a double floor is lowered,
// relative and absolute, before it becomes a float (far more than the
// conversion rounds, underflow included).
namespace DepthErrorTerms {
constexpr double roundingUnits = 0x1p-22;
constexpr double underflow = 0x1p-140;
constexpr double largestCorner = 1e30;
constexpr double floorLowering = 0x1p-20;
constexpr double floorLoweringBelowZero = 0x1p-120;
} // namespace DepthErrorTerms

// A float below every depth the fill computes for face anywhere in box (its
// pixelBox, clamped or not), or minus infinity where the corners' depths are
// too large or not finite for one: where no stored depth of the box is above
// it, the whole face is hidden.
float boxDepthFloor(const FaceEdges& face, const PixelBox& box);

// The same float, the box's four corners at once with AVX2; call it only
// where processorHasAvx2() holds.
float boxDepthFloorAvx2(const FaceEdges& face, const PixelBox& box);

// The bounds of face within box, which must be its pixelBox (clamped or not);
// the depth's only where withDepth holds, as they cost more.
FaceBounds faceBounds(const FaceEdges& face, const PixelBox& box, bool withDepth);

// Narrows rows first..last of column x (within the box the bounds were set up
// for) to the rows where insideTriangle could hold: every row left out
// certainly fails it. False when no row is left. Faces that cross the camera
// plane have boxes of the whole surface, but their triangles cover a fraction
// of each column.
bool candidateRows(const FaceBounds& bounds, int x, int& first, int& last);

// Narrows the columns firstColumn..lastColumn of each strip of stripRows rows
// of box (the last may have fewer), from box.ymin on, to the columns where
// insideTriangle could hold in some row of the strip, into strips[k] for strip
// k; an empty span where none can. Every column left out certainly fails it.
// Faces whose orientation the edges' error margins leave in doubt keep every
// column. A box face's triangle fills about half its box: in each strip the
// columns beyond its edges are left out before any is sampled.
void stripColumns(const FaceEdges& face, const PixelBox& box, int firstColumn, int lastColumn,
                  ColumnSpan* strips);

// The rows of one column that candidateRows keeps; none while first > last.
// Without default values: the fill keeps an array of them per face, which
// candidateSpans writes whole.
struct RowSpan {
    int first, last;
};

// candidateRows from rows firstRow..lastRow for every column firstColumn..
// lastColumn, into spans[x - firstColumn], with {0, -1} for no rows: several
// columns at a time, with the same rows or, in floats, at most one more at
// either end (see candidateSpansAvx2). Faces that cross the camera plane
// narrow hundreds of columns each, and there the one-column function, with
// its branches, was a quarter of the frame. Columns are taken in groups:
// spans must have room for spanPadding entries more than the columns.
using SpanNarrowing = void (*)(const FaceBounds& bounds, int firstColumn, int lastColumn, int firstRow,
                               int lastRow, RowSpan* spans);
constexpr int spanPadding = 7;

// Two columns at a time with SSE2: runs on every x86-64 processor.
void candidateSpans(const FaceBounds& bounds, int firstColumn, int lastColumn, int firstRow, int lastRow,
                    RowSpan* spans);

// With AVX2, eight columns at a time in floats where floatEdges allows it,
// keeping every row candidateRows keeps and at most one more at either end;
// elsewhere the same double operations four columns at a time, and the same
// rows. Call it only where processorHasAvx2() holds.
void candidateSpansAvx2(const FaceBounds& bounds, int firstColumn, int lastColumn, int firstRow, int lastRow,
                        RowSpan* spans);

// A face's edges as floats, for finding its rows eight columns at a time, on
// the side it passes on: edge i keeps rows from row - floatRowSlack on where
// rowsFrom[i] holds and rows up to row + floatRowSlack elsewhere, with row =
// (minusMargin[i] - (alphaAtZero[i] + alphaPerColumn[i] * x)) * inverseBeta[i]
// in floats. Where floatEdges sets them, that row lies within a quarter of a
// row of the exact one of candidateRows' edge in every column from 0 to 511,
// and candidateRows keeps the rows from (or up to) the exact row less (or
// plus) one, within far less than a quarter: so the slack of one and a half
// keeps all of them and at most one more row at either end.
struct FloatEdges {
    float alphaAtZero[3], alphaPerColumn[3], minusMargin[3], inverseBeta[3];
    bool rowsFrom[3];
};
constexpr float floatRowSlack = 1.5f;

// False, leaving edges unset, where the face passes on either side, has an
// edge along a row, or values too large for that bound.
bool floatEdges(const FaceBounds& bounds, FloatEdges& edges);

SpanNarrowing spanNarrowing(PixelKernels kernels);

// A lower bound of the float depth the fill computes at the rows of one
// column of the box: no float depth at row y is below atRowZero + slope * y.
struct DepthBound {
    double atRowZero = 0, slope = 0;
};

// The bound for column x; bounds.depthBounded must hold. Inline, as the fill
// asks for it in every column of a tall face.
inline DepthBound columnDepthBound(const FaceBounds& bounds, int x)
{
    DepthBound bound;
    bound.atRowZero = bounds.depthAtOrigin + bounds.depthPerColumn * x - bounds.depthError;
    bound.slope = bounds.depthPerRow;
    return bound;
}

} // namespace Quorvane
