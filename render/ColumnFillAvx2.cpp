// Compiled for AVX2 alone (see render/CMakeLists.txt) and called only after
// processorHasAvx2(): it calls no inline function of another header, whose
// AVX2 copy the linker could otherwise choose for the rest of the program.
#include "render/ColumnFill.h"

#include "render/FastFill.h"

#include <immintrin.h>

namespace Quorvane {

namespace {

constexpr int lanes = 8;

// Stores values in the lanes where mask is set, keeping the others.
void storeWhere(float* cells, __m256 mask, __m256 values)
{
    _mm256_storeu_ps(cells, _mm256_blendv_ps(_mm256_loadu_ps(cells), values, mask));
}

} // namespace

// Lane by lane the operations of sampleFaceColumn, in its order: each
// intrinsic is one IEEE single-precision operation, rounded on its own, and
// the comparisons are the ordered ones, false for NaN as in C++.
void fillColumnAvx2(const FaceEdges& face, float x, int first, int count, int faceIndex,
                    const ColumnCells& cells, PassedRows& passed)
{
    const __m256 ax = _mm256_set1_ps(face.a.x), ay = _mm256_set1_ps(face.a.y), az = _mm256_set1_ps(face.a.z);
    const __m256 by = _mm256_set1_ps(face.b.y), bz = _mm256_set1_ps(face.b.z);
    const __m256 cy = _mm256_set1_ps(face.c.y), cz = _mm256_set1_ps(face.c.z);
    const __m256 cax = _mm256_set1_ps(face.cax), cay = _mm256_set1_ps(face.cay);
    const __m256 bax = _mm256_set1_ps(face.bax), bay = _mm256_set1_ps(face.bay);
    const __m256 denominatorU = _mm256_set1_ps(face.denominatorU);
    const __m256 denominatorV = _mm256_set1_ps(face.denominatorV);
    const __m256 column = _mm256_set1_ps(x);
    const __m256 pax = _mm256_sub_ps(ax, column);
    const __m256 pbx = _mm256_sub_ps(_mm256_set1_ps(face.b.x), column);
    const __m256 pcx = _mm256_sub_ps(_mm256_set1_ps(face.c.x), column);
    const __m256 pxa = _mm256_sub_ps(column, ax);
    const __m256 zero = _mm256_setzero_ps();
    const __m256 one = _mm256_set1_ps(1.0f);
    const __m256i faceIndices = _mm256_set1_epi32(faceIndex);
    const int end = first + count;
    for (int row0 = first; row0 < end; row0 += lanes) {
        const __m256i rowNumbers =
            _mm256_add_epi32(_mm256_set1_epi32(row0), _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7));
        const __m256 y = _mm256_cvtepi32_ps(rowNumbers); // exact: rows are small integers
        const __m256 pay = _mm256_sub_ps(ay, y);
        const __m256 pby = _mm256_sub_ps(by, y);
        const __m256 pcy = _mm256_sub_ps(cy, y);
        const __m256 c1 = _mm256_sub_ps(_mm256_mul_ps(pax, pby), _mm256_mul_ps(pbx, pay));
        const __m256 c2 = _mm256_sub_ps(_mm256_mul_ps(pbx, pcy), _mm256_mul_ps(pcx, pby));
        const __m256 c3 = _mm256_sub_ps(_mm256_mul_ps(pcx, pay), _mm256_mul_ps(pax, pcy));
        const __m256 inside =
            _mm256_and_ps(_mm256_and_ps(_mm256_cmp_ps(_mm256_mul_ps(c1, c2), zero, _CMP_GE_OQ),
                                        _mm256_cmp_ps(_mm256_mul_ps(c2, c3), zero, _CMP_GE_OQ)),
                          _mm256_cmp_ps(_mm256_mul_ps(c3, c1), zero, _CMP_GE_OQ));
        const __m256i inRange = _mm256_cmpgt_epi32(_mm256_set1_epi32(end), rowNumbers);
        const __m256 candidates = _mm256_and_ps(inside, _mm256_castsi256_ps(inRange));
        if (_mm256_testz_ps(candidates, candidates))
            continue;
        const __m256 pya = _mm256_sub_ps(y, ay);
        const __m256 u =
            _mm256_div_ps(_mm256_sub_ps(_mm256_mul_ps(pya, cax), _mm256_mul_ps(pxa, cay)), denominatorU);
        const __m256 v =
            _mm256_div_ps(_mm256_sub_ps(_mm256_mul_ps(pya, bax), _mm256_mul_ps(pxa, bay)), denominatorV);
        const __m256 w0 = _mm256_sub_ps(_mm256_sub_ps(one, u), v); // the weights, as the depth needs them
        const __m256 depth =
            _mm256_add_ps(_mm256_add_ps(_mm256_mul_ps(az, w0), _mm256_mul_ps(bz, u)), _mm256_mul_ps(cz, v));
        // Rows at and beyond end never pass. Eight rows within the column are
        // read and written back whole, a blend keeping the rows that do not
        // pass: a masked store costs several times as much. Rows beyond the
        // column may belong to another thread's band, so near the column's end
        // only the rows that pass are touched.
        const bool wholeLanes = row0 + lanes <= depthRows;
        const __m256 stored = wholeLanes ? _mm256_loadu_ps(cells.depth + row0)
                                         : _mm256_maskload_ps(cells.depth + row0, inRange);
        const __m256 passes = _mm256_and_ps(candidates, _mm256_cmp_ps(stored, depth, _CMP_GT_OQ));
        if (_mm256_testz_ps(passes, passes))
            continue;
        const __m256i mask = _mm256_castps_si256(passes);
        if (wholeLanes) {
            storeWhere(cells.depth + row0, passes, depth);
            int* faces = cells.face + row0;
            const __m256i oldFaces = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(faces));
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(faces),
                                _mm256_blendv_epi8(oldFaces, faceIndices, mask));
        } else {
            _mm256_maskstore_ps(cells.depth + row0, mask, depth);
            _mm256_maskstore_epi32(cells.face + row0, mask, faceIndices);
        }
        // The eight rows as a whole: the caller only needs the blocks whose
        // depths changed, and a block with no store among them is merely
        // looked at again.
        passed.first = row0 < passed.first ? row0 : passed.first;
        const int lastRow = row0 + lanes - 1 < end ? row0 + lanes - 1 : end - 1;
        passed.last = lastRow > passed.last ? lastRow : passed.last;
    }
}

} // namespace Quorvane
