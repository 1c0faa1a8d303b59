#include "render/FaceBounds.h"

#include "render/FastFill.h"

#include <algorithm>
#include <cmath>
#include <emmintrin.h>
#include <limits>

namespace Quorvane {

namespace {

// The largest distance of a column or row from 0 that the surface has.
constexpr double surfaceSpan = 500;

// The float edge value c1 = pax * pby - pbx * pay of insideTriangle at (x, y),
// with pax = a.x - x, pbx = b.x - x, pay = fl(a.y - y), pby = fl(b.y - y),
// differs from the exact E1 = (a.x - x)(b.y - y) - (b.x - x)(a.y - y) by at
// most 3.01 u M(x) + 2^-148, where u = 2^-24 and
// M(x) = |a.x - x| (|b.y| + 500) + |b.x - x| (|a.y| + 500): two roundings in
// each product's factor and product, one in the difference, and 2^-150 for
// each product that underflows. M is convex in x, so its largest value over
// the box's columns is at one of the box's sides. Likewise c2 and c3.
// insideTriangle rejects a row when one edge value is below -2^-74 and another
// above 2^-74: their float product is then at most -2^-148, not zero. So with
// T = 2^-21 M + 2^-73 (slack for the rounding of M itself), a row can only
// pass when all three E >= -T or all three E <= T.
//
// E1 = alphaAtZero + alphaPerColumn x + beta y exactly, with alphaAtZero =
// a.x b.y - b.x a.y, alphaPerColumn = a.y - b.y and beta = b.x - a.x. The
// products of floats are exact in double; the other four operations that
// give alpha at a column (or at a row) round by at most 2^-53 of magnitudes
// below |a.x b.y| + |b.x a.y| + 500 (|a.x| + |a.y| + |b.x| + |b.y|), and the
// margin adds 2^-50 of that, so that the rows (or columns) found from the
// computed alpha include the exact ones.
struct EdgeLine {
    double alphaAtZero, alphaPerColumn, beta, margin;
};

EdgeLine edgeLine(double px, double py, double qx, double qy, const PixelBox& box)
{
    const auto largestProducts = [&](double x) {
        return std::fabs(px - x) * (std::fabs(qy) + surfaceSpan)
             + std::fabs(qx - x) * (std::fabs(py) + surfaceSpan);
    };
    const double largest = std::max(largestProducts(box.xmin), largestProducts(box.xmax));
    const double alphaMagnitude =
        std::fabs(px * qy) + std::fabs(qx * py)
        + surfaceSpan * (std::fabs(px) + std::fabs(py) + std::fabs(qx) + std::fabs(qy));
    return {px * qy - qx * py, py - qy, qx - px, largest * 0x1p-21 + alphaMagnitude * 0x1p-50 + 0x1p-73};
}

// The lines of the edges a to b, b to c and c to a: those of insideTriangle's
// c1, c2 and c3.
void faceEdgeLines(const FaceEdges& face, const PixelBox& box, EdgeLine (&lines)[3])
{
    lines[0] = edgeLine(face.a.x, face.a.y, face.b.x, face.b.y, box);
    lines[1] = edgeLine(face.b.x, face.b.y, face.c.x, face.c.y, box);
    lines[2] = edgeLine(face.c.x, face.c.y, face.a.x, face.a.y, box);
}

// The side on which a row can pass insideTriangle: 1 where it can only pass
// with all three exact edge values at least minus their margins, -1 where at
// most their margins, 0 where the face is too thin to tell. The three exact
// edge values sum to twice the face's signed area at every point, and so do
// the exact alphaAtZero. Each computed alphaAtZero rounds once, by at most an
// eighth of its margin (see edgeLine), and their sum twice more, by at most a
// quarter of the margins: so where the computed sum exceeds twice the margins,
// no point has all three exact values at most their margin; and likewise for
// the other side.
int certainSide(const EdgeLine (&lines)[3])
{
    const double area = lines[0].alphaAtZero + lines[1].alphaAtZero + lines[2].alphaAtZero;
    const double margins = lines[0].margin + lines[1].margin + lines[2].margin;
    return area > 2 * margins ? 1 : area < -2 * margins ? -1 : 0;
}

// The exact weights and depth at a point and a bound of how far the float
// ones of the fill can lie from them.
struct PointDepth {
    double depth = 0, error = 0;
};

// With u = 2^-24: pxa = fl(x - a.x), pya = fl(y - a.y) and each product and
// difference of the numerator nU = pya * cax - pxa * cay round once, so nU errs
// by at most 3.01 u (|y - a.y| |cax| + |x - a.x| |cay|) plus 2^-149 for
// underflowing products; the division adds u |U| and 2^-150. Likewise v. The
// weight w0 = (1 - u) - v adds two roundings, and the depth
// (az w0 + bz u) + cz v five, each relative to the magnitudes summed, plus
// underflow. The bounds below use 4u and 2^-140 throughout, which also covers
// the rounding of the double arithmetic here (about 2^-50 of the same
// magnitudes). The exact depth is linear in x and y, and the error bound convex
// (a sum of absolute values of linear functions), so the values at the box's
// corners bound every point of the box.
PointDepth pointDepth(const FaceEdges& face, double x, double y)
{
    constexpr double u4 = DepthErrorTerms::roundingUnits;
    constexpr double tiny = DepthErrorTerms::underflow;
    const double pxa = x - face.a.x;
    const double pya = y - face.a.y;
    const double dU = face.denominatorU, dV = face.denominatorV;
    const double exactU = (pya * face.cax - pxa * face.cay) / dU;
    const double exactV = (pya * face.bax - pxa * face.bay) / dV;
    const double errorU =
        (u4 * (std::fabs(pya * face.cax) + std::fabs(pxa * face.cay)) + tiny) / std::fabs(dU)
        + u4 * std::fabs(exactU) + tiny;
    const double errorV =
        (u4 * (std::fabs(pya * face.bax) + std::fabs(pxa * face.bay)) + tiny) / std::fabs(dV)
        + u4 * std::fabs(exactV) + tiny;
    const double exactW = (1 - exactU) - exactV;
    const double errorW = (errorU + errorV) * (1 + u4)
                        + u4 * (1 + std::fabs(exactU) + std::fabs(exactV) + errorU + errorV) + tiny;
    const double az = face.a.z, bz = face.b.z, cz = face.c.z;
    PointDepth point;
    point.depth = (az * exactW + bz * exactU) + cz * exactV;
    point.error =
        std::fabs(az) * errorW + std::fabs(bz) * errorU + std::fabs(cz) * errorV
        + u4
              * (std::fabs(az) * (std::fabs(exactW) + errorW) + std::fabs(bz) * (std::fabs(exactU) + errorU)
                 + std::fabs(cz) * (std::fabs(exactV) + errorV))
        + tiny;
    return point;
}

// The box's corners' depths, in the order xmin ymin, xmax ymin, xmin ymax,
// xmax ymax: false where one is too large or not finite to bound anything.
// The exact depth is linear and its error bound convex, so the corners' values
// bound every point of the box.
bool boxCornerDepths(const FaceEdges& face, const PixelBox& box, PointDepth (&corners)[4])
{
    constexpr double largest = DepthErrorTerms::largestCorner;
    corners[0] = pointDepth(face, box.xmin, box.ymin);
    corners[1] = pointDepth(face, box.xmax, box.ymin);
    corners[2] = pointDepth(face, box.xmin, box.ymax);
    corners[3] = pointDepth(face, box.xmax, box.ymax);
    for (const PointDepth& corner : corners)
        if (!(std::fabs(corner.depth) < largest && corner.error < largest))
            return false;
    return true;
}

// The plane through the exact depths at three corners of the box is the exact
// depth; its coefficients, and its evaluation in a few operations at any point
// within 512 of the origin, round by far less than 2^-40 (|depthAtOrigin| +
// 500 (|depthPerColumn| + |depthPerRow|)), and the corners' own double
// rounding by far less than 2^-20 of their error bounds.
void setUpDepth(const FaceEdges& face, const PixelBox& box, FaceBounds& bounds)
{
    PointDepth corners[4];
    if (!boxCornerDepths(face, box, corners))
        return;
    double error = 0;
    for (const PointDepth& corner : corners)
        error = std::max(error, corner.error);
    const double perColumn =
        box.xmax > box.xmin ? (corners[1].depth - corners[0].depth) / (box.xmax - box.xmin) : 0.0;
    const double perRow =
        box.ymax > box.ymin ? (corners[2].depth - corners[0].depth) / (box.ymax - box.ymin) : 0.0;
    bounds.depthPerColumn = perColumn;
    bounds.depthPerRow = perRow;
    bounds.depthAtOrigin = corners[0].depth - perColumn * box.xmin - perRow * box.ymin;
    bounds.depthError =
        error * (1 + 0x1p-20)
        + (std::fabs(bounds.depthAtOrigin) + surfaceSpan * (std::fabs(perColumn) + std::fabs(perRow)))
              * 0x1p-40;
    bounds.depthBounded = true;
    bounds.depthFloor = depthFloor(bounds);
}

// Narrows [low, high] to the rows y where alpha + beta * y >= -margin can hold,
// given inverseBeta = 1 / beta: rows left out certainly give less. One row of
// slack on the open side covers the rounding of the quotient, which is
// relative to it and so far below a row wherever it lies within the surface.
void keepAtLeast(double alpha, double beta, double inverseBeta, double margin, double& low, double& high)
{
    const double row = (-margin - alpha) * inverseBeta;
    if (beta > 0)
        low = std::max(low, row - 1);
    else if (beta < 0)
        high = std::min(high, row + 1);
    else if (alpha < -margin)
        high = -1;
}

// low rounded up into first and high down into last: low and high lie within
// first..last as they came in (rows or columns, which are not negative), or
// high has fallen below low, so truncation rounds high down and low down by
// less than one.
void roundInward(double low, double high, int& first, int& last)
{
    const int lowWhole = static_cast<int>(low);
    first = lowWhole < low ? lowWhole + 1 : lowWhole;
    last = static_cast<int>(high);
}

} // namespace

// The three conversions to float and the two products and two sums of
// depthFloorAt round seven times, each by at most 2^-24 of a magnitude below
// M = |depthAtOrigin| + depthError + 512 (|depthPerColumn| + |depthPerRow|)
// (and a little more), plus 2^-150 where a result underflows: so lowering the
// plane by 2^-20 M + 2^-120 first keeps every float value below it.
DepthFloor depthFloor(const FaceBounds& bounds)
{
    const double magnitude = std::fabs(bounds.depthAtOrigin) + bounds.depthError
                           + 512 * (std::fabs(bounds.depthPerColumn) + std::fabs(bounds.depthPerRow));
    DepthFloor floor;
    // Far below where float overflows; NaN fails too.
    if (!(magnitude < 1e36))
        return floor;
    floor.atOrigin = static_cast<float>(bounds.depthAtOrigin - bounds.depthError
                                        - magnitude * DepthErrorTerms::floorLowering
                                        - DepthErrorTerms::floorLoweringBelowZero);
    floor.perColumn = static_cast<float>(bounds.depthPerColumn);
    floor.perRow = static_cast<float>(bounds.depthPerRow);
    return floor;
}

float boxDepthFloor(const FaceEdges& face, const PixelBox& box)
{
    PointDepth corners[4];
    if (!boxCornerDepths(face, box, corners))
        return -std::numeric_limits<float>::infinity();
    double lowest = std::numeric_limits<double>::infinity();
    for (const PointDepth& corner : corners)
        lowest = std::min(lowest, corner.depth - corner.error);
    return static_cast<float>(lowest - std::fabs(lowest) * DepthErrorTerms::floorLowering
                              - DepthErrorTerms::floorLoweringBelowZero);
}

FaceBounds faceBounds(const FaceEdges& face, const PixelBox& box, bool withDepth)
{
    FaceBounds bounds;
    EdgeLine lines[3];
    faceEdgeLines(face, box, lines);
    for (int i = 0; i < 3; ++i) {
        bounds.alphaAtZero[i] = lines[i].alphaAtZero;
        bounds.alphaPerColumn[i] = lines[i].alphaPerColumn;
        bounds.beta[i] = lines[i].beta;
        bounds.inverseBeta[i] = lines[i].beta != 0 ? 1 / lines[i].beta : 0;
        bounds.margin[i] = lines[i].margin;
    }
    bounds.side = certainSide(lines);
    if (withDepth)
        setUpDepth(face, box, bounds);
    return bounds;
}

bool candidateRows(const FaceBounds& bounds, int x, int& first, int& last)
{
    // The side the face cannot pass on starts empty.
    double lowAbove = first, highAbove = bounds.side >= 0 ? last : first - 1;
    double lowBelow = first, highBelow = bounds.side <= 0 ? last : first - 1;
    for (int i = 0; i < 3; ++i) {
        const double alpha = bounds.alphaAtZero[i] + bounds.alphaPerColumn[i] * x;
        const double beta = bounds.beta[i], inverseBeta = bounds.inverseBeta[i], margin = bounds.margin[i];
        if (bounds.side >= 0)
            keepAtLeast(alpha, beta, inverseBeta, margin, lowAbove, highAbove);
        if (bounds.side <= 0)
            keepAtLeast(-alpha, -beta, -inverseBeta, margin, lowBelow, highBelow);
    }
    const bool above = lowAbove <= highAbove;
    const bool below = lowBelow <= highBelow;
    if (!above && !below)
        return false;
    const double low = above && below ? std::min(lowAbove, lowBelow) : above ? lowAbove : lowBelow;
    const double high = above && below ? std::max(highAbove, highBelow) : above ? highAbove : highBelow;
    roundInward(low, high, first, last);
    return first <= last;
}

void stripColumns(const FaceEdges& face, const PixelBox& box, int firstColumn, int lastColumn,
                  ColumnSpan* strips)
{
    const int stripCount = (box.ymax - box.ymin) / stripRows + 1;
    for (int k = 0; k < stripCount; ++k)
        strips[k] = {firstColumn, lastColumn};
    EdgeLine lines[3];
    faceEdgeLines(face, box, lines);
    // Faces too thin for a certain side keep every column.
    const double side = certainSide(lines);
    if (side == 0)
        return;
    double perColumn[3], inverse[3];
    for (int i = 0; i < 3; ++i) {
        perColumn[i] = side * lines[i].alphaPerColumn;
        inverse[i] = perColumn[i] != 0 ? 1 / perColumn[i] : 0;
    }
    for (int k = 0; k < stripCount; ++k) {
        const int firstRow = box.ymin + k * stripRows;
        const int lastRow = std::min(firstRow + stripRows - 1, box.ymax);
        double low = firstColumn, high = lastColumn;
        for (int i = 0; i < 3; ++i) {
            // The edge value is linear in the row: side times it is largest in
            // one of the strip's end rows. (The margin covers the rounding of
            // the value there, and keepAtLeast's slack that of the column it
            // gives.)
            const double row = side * lines[i].beta > 0 ? lastRow : firstRow;
            keepAtLeast(side * (lines[i].alphaAtZero + lines[i].beta * row), perColumn[i], inverse[i],
                        lines[i].margin, low, high);
        }
        roundInward(low, high, strips[k].first, strips[k].last);
    }
}

// With u = 2^-24, and a0, a1, m and b the edge's alphaAtZero, alphaPerColumn,
// margin and inverseBeta: their conversions round by u each, A1 x by u (the
// column is exact), the sum with A0 by u, the difference from -M by u and the
// product with B by u, so the float row errs from (-m - a0 - a1 x) b by at
// most 6.01 u S |b|, S = |m| + |a0| + 512 |a1| for columns up to 512, which
// the bound below more than doubles. Where S is at most 2^100 nothing
// overflows, and a value that underflows errs by at most 2^-149, at most
// 2^-58 of a row once multiplied by b (below 2^91, as the margin is at least
// 2^-73). The rounding of b itself (2^-53) and of the kernels' row -+ slack
// (2^-15 within the surface, and order-preserving outside it) fit in what is
// left of a quarter of a row.
bool floatEdges(const FaceBounds& bounds, FloatEdges& edges)
{
    if (bounds.side == 0)
        return false;
    for (int i = 0; i < 3; ++i) {
        const double alphaAtZero = bounds.side * bounds.alphaAtZero[i];
        const double alphaPerColumn = bounds.side * bounds.alphaPerColumn[i];
        const double inverseBeta = bounds.side * bounds.inverseBeta[i];
        const double margin = bounds.margin[i];
        const double magnitude = margin + std::fabs(alphaAtZero) + 512 * std::fabs(alphaPerColumn);
        if (!(bounds.beta[i] != 0 && magnitude <= 0x1p100
              && magnitude * std::fabs(inverseBeta) * 0x1p-20 <= 0.25))
            return false;
        edges.alphaAtZero[i] = static_cast<float>(alphaAtZero);
        edges.alphaPerColumn[i] = static_cast<float>(alphaPerColumn);
        edges.minusMargin[i] = static_cast<float>(-margin);
        edges.inverseBeta[i] = static_cast<float>(inverseBeta);
        edges.rowsFrom[i] = inverseBeta > 0;
    }
    return true;
}

namespace {

// keepAtLeast for two columns at once, where the sign of beta holds for both;
// _mm_max_pd(row, low) is std::max(low, row) and _mm_min_pd(row, high) is
// std::min(high, row), NaN included.
void keepAtLeastInPairs(__m128d alpha, double beta, double inverseBeta, double margin, __m128d& low,
                        __m128d& high)
{
    const __m128d one = _mm_set1_pd(1);
    const __m128d row = _mm_mul_pd(_mm_sub_pd(_mm_set1_pd(-margin), alpha), _mm_set1_pd(inverseBeta));
    if (beta > 0) {
        low = _mm_max_pd(_mm_sub_pd(row, one), low);
    } else if (beta < 0) {
        high = _mm_min_pd(_mm_add_pd(row, one), high);
    } else {
        const __m128d below = _mm_cmplt_pd(alpha, _mm_set1_pd(-margin));
        high = _mm_or_pd(_mm_and_pd(below, _mm_set1_pd(-1)), _mm_andnot_pd(below, high));
    }
}

// where ? a : b, lane by lane.
__m128d select(__m128d where, __m128d a, __m128d b)
{
    return _mm_or_pd(_mm_and_pd(where, a), _mm_andnot_pd(where, b));
}

} // namespace

void candidateSpans(const FaceBounds& bounds, int firstColumn, int lastColumn, int firstRow, int lastRow,
                    RowSpan* spans)
{
    const __m128d negative = _mm_set1_pd(-0.0);
    const __m128d emptied = _mm_set1_pd(firstRow - 1);
    for (int x = firstColumn; x <= lastColumn; x += 2) {
        const __m128d column = _mm_set_pd(x + 1, x);
        // As in candidateRows, the side the face cannot pass on starts empty.
        __m128d lowAbove = _mm_set1_pd(firstRow),
                highAbove = bounds.side >= 0 ? _mm_set1_pd(lastRow) : emptied;
        __m128d lowBelow = lowAbove, highBelow = bounds.side <= 0 ? _mm_set1_pd(lastRow) : emptied;
        for (int i = 0; i < 3; ++i) {
            const __m128d alpha = _mm_add_pd(_mm_set1_pd(bounds.alphaAtZero[i]),
                                             _mm_mul_pd(_mm_set1_pd(bounds.alphaPerColumn[i]), column));
            const double beta = bounds.beta[i], inverseBeta = bounds.inverseBeta[i],
                         margin = bounds.margin[i];
            if (bounds.side >= 0)
                keepAtLeastInPairs(alpha, beta, inverseBeta, margin, lowAbove, highAbove);
            if (bounds.side <= 0)
                keepAtLeastInPairs(_mm_xor_pd(alpha, negative), -beta, -inverseBeta, margin, lowBelow,
                                   highBelow);
        }
        const __m128d above = _mm_cmple_pd(lowAbove, highAbove);
        const __m128d below = _mm_cmple_pd(lowBelow, highBelow);
        const __m128d both = _mm_and_pd(above, below);
        const __m128d low = select(both, _mm_min_pd(lowBelow, lowAbove), select(above, lowAbove, lowBelow));
        const __m128d high =
            select(both, _mm_max_pd(highBelow, highAbove), select(above, highAbove, highBelow));
        // As in candidateRows: low rounded up, high down. Columns with neither
        // side get an empty span, whatever their low and high.
        const __m128d lowRows = _mm_cvtepi32_pd(_mm_cvttpd_epi32(low));
        const __m128d roundedUp = _mm_add_pd(lowRows, _mm_and_pd(_mm_cmplt_pd(lowRows, low), _mm_set1_pd(1)));
        const __m128i either =
            _mm_shuffle_epi32(_mm_castpd_si128(_mm_or_pd(above, below)), _MM_SHUFFLE(3, 3, 2, 0));
        const __m128i first = _mm_and_si128(either, _mm_cvttpd_epi32(roundedUp));
        const __m128i last = _mm_or_si128(_mm_and_si128(either, _mm_cvttpd_epi32(high)),
                                          _mm_andnot_si128(either, _mm_set1_epi32(-1)));
        static_assert(sizeof(RowSpan) == 2 * sizeof(int));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(spans + (x - firstColumn)),
                         _mm_unpacklo_epi32(first, last));
    }
}

SpanNarrowing spanNarrowing(PixelKernels kernels)
{
    return kernels == PixelKernels::avx2 ? candidateSpansAvx2 : candidateSpans;
}

} // namespace Quorvane
