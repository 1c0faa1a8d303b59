// Compiled for AVX2 alone and called only after processorHasAvx2(); like
// ColumnFillAvx2.cpp it calls no inline function of another header.
#include "render/FaceBounds.h"

#include "render/FastFill.h"

#include <cmath>
#include <immintrin.h>

namespace Quorvane {

namespace {

// One edge's values for four columns at a time. sign is that of beta: +1, -1,
// or 0 for zero and NaN, which keepAtLeast treats alike.
struct EdgeLanes {
    __m256d alphaAtZero, alphaPerColumn, minusMargin, inverseBeta, minusInverseBeta;
    int sign;
};

EdgeLanes edgeLanes(const FaceBounds& bounds, int i)
{
    const double beta = bounds.beta[i];
    return {_mm256_set1_pd(bounds.alphaAtZero[i]),  _mm256_set1_pd(bounds.alphaPerColumn[i]),
            _mm256_set1_pd(-bounds.margin[i]),      _mm256_set1_pd(bounds.inverseBeta[i]),
            _mm256_set1_pd(-bounds.inverseBeta[i]), beta > 0 ? 1 : beta < 0 ? -1 : 0};
}

// keepAtLeast for four columns, on alpha's side (sign as given) or on
// -alpha's (sign reversed); _mm256_max_pd(row, low) is std::max(low, row) and
// _mm256_min_pd(row, high) std::min(high, row), NaN included.
void keepAtLeastInLanes(__m256d alpha, __m256d minusMargin, __m256d inverseBeta, int sign, __m256d& low,
                        __m256d& high)
{
    const __m256d one = _mm256_set1_pd(1);
    const __m256d row = _mm256_mul_pd(_mm256_sub_pd(minusMargin, alpha), inverseBeta);
    if (sign > 0) {
        low = _mm256_max_pd(_mm256_sub_pd(row, one), low);
    } else if (sign < 0) {
        high = _mm256_min_pd(_mm256_add_pd(row, one), high);
    } else {
        const __m256d below = _mm256_cmp_pd(alpha, minusMargin, _CMP_LT_OQ);
        high = _mm256_blendv_pd(high, _mm256_set1_pd(-1), below);
    }
}

// candidateSpansAvx2 for faces whose bounds.side is side: where it is not 0,
// the other side's values are left out, whose lanes would be empty anyway.
template <int side>
void candidateSpansOnSide(const FaceBounds& bounds, int firstColumn, int lastColumn, int firstRow,
                          int lastRow, RowSpan* spans)
{
    const EdgeLanes edges[3] = {edgeLanes(bounds, 0), edgeLanes(bounds, 1), edgeLanes(bounds, 2)};
    const __m256d negative = _mm256_set1_pd(-0.0);
    const __m256d firstRows = _mm256_set1_pd(firstRow), lastRows = _mm256_set1_pd(lastRow);
    // The even 32-bit halves of four 64-bit masks.
    const __m256i evenHalves = _mm256_setr_epi32(0, 2, 4, 6, 0, 2, 4, 6);
    for (int x = firstColumn; x <= lastColumn; x += 4) {
        const __m256d column = _mm256_setr_pd(x, x + 1, x + 2, x + 3);
        __m256d lowAbove = firstRows, highAbove = lastRows, lowBelow = firstRows, highBelow = lastRows;
        for (const EdgeLanes& edge : edges) {
            const __m256d alpha = _mm256_add_pd(edge.alphaAtZero, _mm256_mul_pd(edge.alphaPerColumn, column));
            if (side >= 0)
                keepAtLeastInLanes(alpha, edge.minusMargin, edge.inverseBeta, edge.sign, lowAbove, highAbove);
            if (side <= 0)
                keepAtLeastInLanes(_mm256_xor_pd(alpha, negative), edge.minusMargin, edge.minusInverseBeta,
                                   -edge.sign, lowBelow, highBelow);
        }
        __m256d low, high, either;
        if (side > 0) {
            low = lowAbove, high = highAbove, either = _mm256_cmp_pd(lowAbove, highAbove, _CMP_LE_OQ);
        } else if (side < 0) {
            low = lowBelow, high = highBelow, either = _mm256_cmp_pd(lowBelow, highBelow, _CMP_LE_OQ);
        } else {
            const __m256d above = _mm256_cmp_pd(lowAbove, highAbove, _CMP_LE_OQ);
            const __m256d below = _mm256_cmp_pd(lowBelow, highBelow, _CMP_LE_OQ);
            const __m256d both = _mm256_and_pd(above, below);
            low = _mm256_blendv_pd(_mm256_blendv_pd(lowBelow, lowAbove, above),
                                   _mm256_min_pd(lowBelow, lowAbove), both);
            high = _mm256_blendv_pd(_mm256_blendv_pd(highBelow, highAbove, above),
                                    _mm256_max_pd(highBelow, highAbove), both);
            either = _mm256_or_pd(above, below);
        }
        // As in candidateRows: low rounded up, high down. Columns with neither
        // side get an empty span, whatever their low and high.
        const __m256d lowRows = _mm256_cvtepi32_pd(_mm256_cvttpd_epi32(low));
        const __m256d roundedUp =
            _mm256_add_pd(lowRows, _mm256_and_pd(_mm256_cmp_pd(lowRows, low, _CMP_LT_OQ), _mm256_set1_pd(1)));
        const __m128i kept =
            _mm256_castsi256_si128(_mm256_permutevar8x32_epi32(_mm256_castpd_si256(either), evenHalves));
        const __m128i first = _mm_and_si128(kept, _mm256_cvttpd_epi32(roundedUp));
        const __m128i last = _mm_or_si128(_mm_and_si128(kept, _mm256_cvttpd_epi32(high)),
                                          _mm_andnot_si128(kept, _mm_set1_epi32(-1)));
        static_assert(sizeof(RowSpan) == 2 * sizeof(int));
        __m128i* const group = reinterpret_cast<__m128i*>(spans + (x - firstColumn));
        _mm_storeu_si128(group, _mm_unpacklo_epi32(first, last));
        _mm_storeu_si128(group + 1, _mm_unpackhi_epi32(first, last));
    }
}

// candidateSpansAvx2 for a face that floatEdges sets edges for: each
// intrinsic is the float operation FloatEdges describes.
void candidateSpansInFloats(const FloatEdges& edges, int firstColumn, int lastColumn, int firstRow,
                            int lastRow, RowSpan* spans)
{
    __m256 alphaAtZero[3], alphaPerColumn[3], minusMargin[3], inverseBeta[3];
    for (int i = 0; i < 3; ++i) {
        alphaAtZero[i] = _mm256_set1_ps(edges.alphaAtZero[i]);
        alphaPerColumn[i] = _mm256_set1_ps(edges.alphaPerColumn[i]);
        minusMargin[i] = _mm256_set1_ps(edges.minusMargin[i]);
        inverseBeta[i] = _mm256_set1_ps(edges.inverseBeta[i]);
    }
    const __m256 slack = _mm256_set1_ps(floatRowSlack);
    const __m256i laneNumbers = _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7);
    for (int x = firstColumn; x <= lastColumn; x += 8) {
        // Columns and rows are small integers, exact in floats.
        const __m256 column = _mm256_cvtepi32_ps(_mm256_add_epi32(_mm256_set1_epi32(x), laneNumbers));
        __m256 low = _mm256_set1_ps(static_cast<float>(firstRow));
        __m256 high = _mm256_set1_ps(static_cast<float>(lastRow));
        for (int i = 0; i < 3; ++i) {
            const __m256 alpha = _mm256_add_ps(alphaAtZero[i], _mm256_mul_ps(alphaPerColumn[i], column));
            const __m256 row = _mm256_mul_ps(_mm256_sub_ps(minusMargin[i], alpha), inverseBeta[i]);
            if (edges.rowsFrom[i])
                low = _mm256_max_ps(_mm256_sub_ps(row, slack), low);
            else
                high = _mm256_min_ps(_mm256_add_ps(row, slack), high);
        }
        // As in candidateRows: low rounded up, high down, both within the
        // rows unless high has fallen below low, whose span is then empty.
        const __m256 lowRows = _mm256_cvtepi32_ps(_mm256_cvttps_epi32(low));
        const __m256 roundedUp =
            _mm256_add_ps(lowRows, _mm256_and_ps(_mm256_cmp_ps(lowRows, low, _CMP_LT_OQ), _mm256_set1_ps(1)));
        const __m256i kept = _mm256_castps_si256(_mm256_cmp_ps(low, high, _CMP_LE_OQ));
        const __m256i first = _mm256_and_si256(kept, _mm256_cvttps_epi32(roundedUp));
        const __m256i last = _mm256_or_si256(_mm256_and_si256(kept, _mm256_cvttps_epi32(high)),
                                             _mm256_andnot_si256(kept, _mm256_set1_epi32(-1)));
        // Spans 0, 1, 4, 5 and 2, 3, 6, 7 as first and last in turn.
        const __m256i lowPairs = _mm256_unpacklo_epi32(first, last),
                      highPairs = _mm256_unpackhi_epi32(first, last);
        static_assert(sizeof(RowSpan) == 2 * sizeof(int));
        __m256i* const group = reinterpret_cast<__m256i*>(spans + (x - firstColumn));
        _mm256_storeu_si256(group, _mm256_permute2x128_si256(lowPairs, highPairs, 0x20));
        _mm256_storeu_si256(group + 1, _mm256_permute2x128_si256(lowPairs, highPairs, 0x31));
    }
}

} // namespace

void candidateSpansAvx2(const FaceBounds& bounds, int firstColumn, int lastColumn, int firstRow, int lastRow,
                        RowSpan* spans)
{
    if (FloatEdges edges; floatEdges(bounds, edges))
        candidateSpansInFloats(edges, firstColumn, lastColumn, firstRow, lastRow, spans);
    else if (bounds.side > 0)
        candidateSpansOnSide<1>(bounds, firstColumn, lastColumn, firstRow, lastRow, spans);
    else if (bounds.side < 0)
        candidateSpansOnSide<-1>(bounds, firstColumn, lastColumn, firstRow, lastRow, spans);
    else
        candidateSpansOnSide<0>(bounds, firstColumn, lastColumn, firstRow, lastRow, spans);
}

namespace {

__m256d absolute(__m256d value)
{
    return _mm256_andnot_pd(_mm256_set1_pd(-0.0), value);
}

__m256d plus(__m256d a, __m256d b)
{
    return _mm256_add_pd(a, b);
}

__m256d times(__m256d a, __m256d b)
{
    return _mm256_mul_pd(a, b);
}

} // namespace

float boxDepthFloorAvx2(const FaceEdges& face, const PixelBox& box)
{
    // pointDepth's operations in its order, a corner of the box in each lane
    // in the order of boxCornerDepths; each intrinsic is one IEEE double
    // operation.
    const __m256d u4 = _mm256_set1_pd(DepthErrorTerms::roundingUnits);
    const __m256d tiny = _mm256_set1_pd(DepthErrorTerms::underflow), one = _mm256_set1_pd(1);
    const __m256d x = _mm256_setr_pd(box.xmin, box.xmax, box.xmin, box.xmax);
    const __m256d y = _mm256_setr_pd(box.ymin, box.ymin, box.ymax, box.ymax);
    const __m256d pxa = _mm256_sub_pd(x, _mm256_set1_pd(face.a.x));
    const __m256d pya = _mm256_sub_pd(y, _mm256_set1_pd(face.a.y));
    const __m256d cax = _mm256_set1_pd(face.cax), cay = _mm256_set1_pd(face.cay);
    const __m256d bax = _mm256_set1_pd(face.bax), bay = _mm256_set1_pd(face.bay);
    const __m256d dU = _mm256_set1_pd(face.denominatorU), dV = _mm256_set1_pd(face.denominatorV);
    const __m256d exactU = _mm256_div_pd(_mm256_sub_pd(times(pya, cax), times(pxa, cay)), dU);
    const __m256d exactV = _mm256_div_pd(_mm256_sub_pd(times(pya, bax), times(pxa, bay)), dV);
    const auto error = [&](__m256d across, __m256d down, __m256d denominator, __m256d exact) {
        const __m256d products = plus(absolute(times(pya, across)), absolute(times(pxa, down)));
        return plus(plus(_mm256_div_pd(plus(times(u4, products), tiny), absolute(denominator)),
                         times(u4, absolute(exact))),
                    tiny);
    };
    const __m256d errorU = error(cax, cay, dU, exactU);
    const __m256d errorV = error(bax, bay, dV, exactV);
    const __m256d exactW = _mm256_sub_pd(_mm256_sub_pd(one, exactU), exactV);
    const __m256d errorW =
        plus(plus(times(plus(errorU, errorV), _mm256_set1_pd(1 + DepthErrorTerms::roundingUnits)),
                  times(u4, plus(plus(plus(plus(one, absolute(exactU)), absolute(exactV)), errorU), errorV))),
             tiny);
    const __m256d az = _mm256_set1_pd(face.a.z), bz = _mm256_set1_pd(face.b.z), cz = _mm256_set1_pd(face.c.z);
    const __m256d depth = plus(plus(times(az, exactW), times(bz, exactU)), times(cz, exactV));
    const __m256d aAbs = absolute(az), bAbs = absolute(bz), cAbs = absolute(cz);
    const __m256d depthError =
        plus(plus(plus(plus(times(aAbs, errorW), times(bAbs, errorU)), times(cAbs, errorV)),
                  times(u4, plus(plus(times(aAbs, plus(absolute(exactW), errorW)),
                                      times(bAbs, plus(absolute(exactU), errorU))),
                                 times(cAbs, plus(absolute(exactV), errorV))))),
             tiny);
    // As boxCornerDepths: no floor where a corner is too large or not finite.
    const __m256d largest = _mm256_set1_pd(DepthErrorTerms::largestCorner);
    const __m256d bounded = _mm256_and_pd(_mm256_cmp_pd(absolute(depth), largest, _CMP_LT_OQ),
                                          _mm256_cmp_pd(depthError, largest, _CMP_LT_OQ));
    if (_mm256_movemask_pd(bounded) != 0xf)
        return -HUGE_VALF;
    // The four are finite: their least in any order.
    const __m256d lows = _mm256_sub_pd(depth, depthError);
    const __m128d halves = _mm_min_pd(_mm256_castpd256_pd128(lows), _mm256_extractf128_pd(lows, 1));
    const double lowest = _mm_cvtsd_f64(_mm_min_sd(halves, _mm_unpackhi_pd(halves, halves)));
    const double magnitude = _mm_cvtsd_f64(_mm_andnot_pd(_mm_set_sd(-0.0), _mm_set_sd(lowest)));
    return static_cast<float>(lowest - magnitude * DepthErrorTerms::floorLowering
                              - DepthErrorTerms::floorLoweringBelowZero);
}

} // namespace Quorvane
