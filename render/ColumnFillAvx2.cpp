// Compiled for AVX2 alone (see render/CMakeLists.txt) and called only after
// processorHasAvx2(): it calls no inline function of another header, whose
// AVX2 copy the linker could otherwise choose for the rest of the program.
#include "render/ColumnFill.h"

#include "render/FastFill.h"

#include <cstdint>
#include <immintrin.h>
#ifdef _MSC_VER
#include <intrin.h>
#endif

// For what runs for every group of columns or column of a face: left to
// itself the compiler calls it, and the call's spills of the loop's values
// cost about as much as a column's tests.
#ifdef _MSC_VER
#define QUORVANE_ALWAYS_INLINE __forceinline
#else
#define QUORVANE_ALWAYS_INLINE [[gnu::always_inline]] inline
#endif

namespace Quorvane {

namespace {

constexpr int lanes = 8;

// Stores values in the lanes where mask is set, keeping the others.
void storeWhere(float* cells, __m256 mask, __m256 values)
{
    _mm256_storeu_ps(cells, _mm256_blendv_ps(_mm256_loadu_ps(cells), values, mask));
}

// Bits first to last, as blockBits gives them (an inline function of another
// header).
std::uint32_t blockRange(int first, int last)
{
    return ((2u << last) - 1) & ~((1u << first) - 1);
}

// The bits of the blocks of passed.
std::uint32_t staleBits(const PassedRows& passed)
{
    return blockRange(passed.first / depthBlockRows, passed.last / depthBlockRows);
}

// The face's values that every column of it needs, in every lane.
struct FaceLanes {
    __m256 ax, ay, az, bx, by, bz, cx, cy, cz, cax, cay, bax, bay, denominatorU, denominatorV;
    __m256i faceIndex;
};

FaceLanes faceLanes(const FaceEdges& face, int faceIndex)
{
    return {_mm256_set1_ps(face.a.x),    _mm256_set1_ps(face.a.y),          _mm256_set1_ps(face.a.z),
            _mm256_set1_ps(face.b.x),    _mm256_set1_ps(face.b.y),          _mm256_set1_ps(face.b.z),
            _mm256_set1_ps(face.c.x),    _mm256_set1_ps(face.c.y),          _mm256_set1_ps(face.c.z),
            _mm256_set1_ps(face.cax),    _mm256_set1_ps(face.cay),          _mm256_set1_ps(face.bax),
            _mm256_set1_ps(face.bay),    _mm256_set1_ps(face.denominatorU), _mm256_set1_ps(face.denominatorV),
            _mm256_set1_epi32(faceIndex)};
}

// sampleFaceColumn's inside test, lane by lane, from the differences of the
// corners' and the lanes' coordinates: each intrinsic is one IEEE
// single-precision operation, rounded on its own, and the comparisons are the
// ordered ones, false for NaN as in C++.
__m256 insideLanes(__m256 pax, __m256 pbx, __m256 pcx, __m256 pay, __m256 pby, __m256 pcy)
{
    const __m256 zero = _mm256_setzero_ps();
    const __m256 c1 = _mm256_sub_ps(_mm256_mul_ps(pax, pby), _mm256_mul_ps(pbx, pay));
    const __m256 c2 = _mm256_sub_ps(_mm256_mul_ps(pbx, pcy), _mm256_mul_ps(pcx, pby));
    const __m256 c3 = _mm256_sub_ps(_mm256_mul_ps(pcx, pay), _mm256_mul_ps(pax, pcy));
    return _mm256_and_ps(_mm256_and_ps(_mm256_cmp_ps(_mm256_mul_ps(c1, c2), zero, _CMP_GE_OQ),
                                       _mm256_cmp_ps(_mm256_mul_ps(c2, c3), zero, _CMP_GE_OQ)),
                         _mm256_cmp_ps(_mm256_mul_ps(c3, c1), zero, _CMP_GE_OQ));
}

// sampleFaceColumn's depth, lane by lane, from the lanes' coordinates less
// the first corner's.
__m256 depthLanes(const FaceLanes& face, __m256 pxa, __m256 pya)
{
    const __m256 u = _mm256_div_ps(_mm256_sub_ps(_mm256_mul_ps(pya, face.cax), _mm256_mul_ps(pxa, face.cay)),
                                   face.denominatorU);
    const __m256 v = _mm256_div_ps(_mm256_sub_ps(_mm256_mul_ps(pya, face.bax), _mm256_mul_ps(pxa, face.bay)),
                                   face.denominatorV);
    const __m256 w0 =
        _mm256_sub_ps(_mm256_sub_ps(_mm256_set1_ps(1.0f), u), v); // the weights, as the depth needs them
    return _mm256_add_ps(_mm256_add_ps(_mm256_mul_ps(face.az, w0), _mm256_mul_ps(face.bz, u)),
                         _mm256_mul_ps(face.cz, v));
}

// The lanes where a sample of face number faceIndex at depth passes the depth
// test against stored, whose faces are storedFaces: strictly nearer, or, where
// faces come out of list order, as near and before the face stored there.
template <bool anyOrder>
__m256 nearerLanes(__m256 stored, __m256 depth, __m256i storedFaces, __m256i faceIndex)
{
    const __m256 nearer = _mm256_cmp_ps(stored, depth, _CMP_GT_OQ);
    if (!anyOrder)
        return nearer;
    const __m256 asNear = _mm256_and_ps(_mm256_cmp_ps(stored, depth, _CMP_EQ_OQ),
                                        _mm256_castsi256_ps(_mm256_cmpgt_epi32(storedFaces, faceIndex)));
    return _mm256_or_ps(nearer, asNear);
}

// The floor of a face's depths in one column, in every lane: the rows' floor
// is perRow * y + atColumn.
struct FloorLanes {
    __m256 perRow, atColumn;
};

// Lane by lane the operations of sampleFaceColumn, in its order: each
// intrinsic is one IEEE single-precision operation, rounded on its own, and
// the comparisons are the ordered ones, false for NaN as in C++. With a
// floor, eight rows whose stored depths are all below it are left first.
template <bool withFloor, bool anyOrder>
void fillLanes(const FaceLanes& face, const FloorLanes& floor, float x, int first, int count,
               const ColumnCells& cells, PassedRows& passed)
{
    const __m256 column = _mm256_set1_ps(x);
    const __m256 pax = _mm256_sub_ps(face.ax, column);
    const __m256 pbx = _mm256_sub_ps(face.bx, column);
    const __m256 pcx = _mm256_sub_ps(face.cx, column);
    const __m256 pxa = _mm256_sub_ps(column, face.ax);
    const int end = first + count;
    // Rows are small integers, exact in floats, and so are their sums.
    const __m256 endRow = _mm256_set1_ps(static_cast<float>(end));
    __m256 y =
        _mm256_add_ps(_mm256_set1_ps(static_cast<float>(first)), _mm256_setr_ps(0, 1, 2, 3, 4, 5, 6, 7));
    for (int row0 = first; row0 < end; row0 += lanes, y = _mm256_add_ps(y, _mm256_set1_ps(lanes))) {
        // Rows at and beyond end never pass. Rows beyond the column may
        // belong to another thread's band, so near the column's end only the
        // rows in range are read.
        const __m256i inRange = _mm256_castps_si256(_mm256_cmp_ps(y, endRow, _CMP_LT_OQ));
        const bool wholeLanes = row0 + lanes <= depthRows;
        const __m256 stored = wholeLanes ? _mm256_loadu_ps(cells.depth + row0)
                                         : _mm256_maskload_ps(cells.depth + row0, inRange);
        __m256 open = _mm256_castsi256_ps(inRange);
        if (withFloor) {
            const __m256 rowFloor = _mm256_add_ps(_mm256_mul_ps(floor.perRow, y), floor.atColumn);
            open = _mm256_and_ps(open, _mm256_cmp_ps(stored, rowFloor, _CMP_GE_OQ));
            if (_mm256_testz_ps(open, open))
                continue;
        }
        const __m256 pay = _mm256_sub_ps(face.ay, y);
        const __m256 pby = _mm256_sub_ps(face.by, y);
        const __m256 pcy = _mm256_sub_ps(face.cy, y);
        const __m256 inside = insideLanes(pax, pbx, pcx, pay, pby, pcy);
        // Eight rows with none inside are left before the division.
        const __m256 candidates = _mm256_and_ps(inside, open);
        if (_mm256_testz_ps(candidates, candidates))
            continue;
        const __m256 pya = _mm256_sub_ps(y, face.ay);
        const __m256 depth = depthLanes(face, pxa, pya);
        // Eight rows within the column are written back whole, a blend
        // keeping the rows that do not pass: a masked store costs several
        // times as much. Near the column's end only the rows that pass are
        // touched.
        int* const faces = cells.face + row0;
        // Read here only where the test needs them.
        const __m256i oldFaces = !anyOrder  ? _mm256_setzero_si256()
                               : wholeLanes ? _mm256_loadu_si256(reinterpret_cast<const __m256i*>(faces))
                                            : _mm256_maskload_epi32(faces, inRange);
        const __m256 passes =
            _mm256_and_ps(candidates, nearerLanes<anyOrder>(stored, depth, oldFaces, face.faceIndex));
        if (_mm256_testz_ps(passes, passes))
            continue;
        const __m256i mask = _mm256_castps_si256(passes);
        if (wholeLanes) {
            storeWhere(cells.depth + row0, passes, depth);
            const __m256i shownFaces =
                anyOrder ? oldFaces : _mm256_loadu_si256(reinterpret_cast<const __m256i*>(faces));
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(faces),
                                _mm256_blendv_epi8(shownFaces, face.faceIndex, mask));
        } else {
            _mm256_maskstore_ps(cells.depth + row0, mask, depth);
            _mm256_maskstore_epi32(cells.face + row0, mask, face.faceIndex);
        }
        // The eight rows as a whole: the caller only needs the blocks whose
        // depths changed, and a block with no store among them is merely
        // looked at again.
        passed.first = row0 < passed.first ? row0 : passed.first;
        const int lastRow = row0 + lanes - 1 < end ? row0 + lanes - 1 : end - 1;
        passed.last = lastRow > passed.last ? lastRow : passed.last;
    }
}

// Rows first..first + count - 1 of column x, marking the blocks it stores in
// as stale.
template <bool withFloor, bool anyOrder>
void fillColumnRows(const FaceLanes& face, const FloorLanes& floor, int x, int first, int count,
                    const BoxCells& cells)
{
    PassedRows passed;
    const ColumnCells column{cells.depth + x * depthRows, cells.face + x * depthRows};
    fillLanes<withFloor, anyOrder>(face, floor, static_cast<float>(x), first, count, column, passed);
    if (passed.first <= passed.last)
        cells.staleBlocks[x] |= staleBits(passed);
}

// The number of the lowest set bit of bits, which is not 0: a builtin rather
// than std::countr_zero, an inline function of another header.
int lowestBit(std::uint32_t bits)
{
#ifdef _MSC_VER
    unsigned long index = 0;
    _BitScanForward(&index, bits);
    return static_cast<int>(index);
#else
    return __builtin_ctz(bits);
#endif
}

// The number of the highest set bit of bits, which is not 0.
int highestBit(std::uint32_t bits)
{
#ifdef _MSC_VER
    unsigned long index = 0;
    _BitScanReverse(&index, bits);
    return static_cast<int>(index);
#else
    return 31 - __builtin_clz(bits);
#endif
}

// The largest depth of each stale block among blocks, as the portable kernel
// finds it, eight rows at a time. No stored depth is NaN, so any order gives the same one.
void refreshFarthestAvx2(const BandBuffers& buffers, int x, std::uint32_t blocks)
{
    std::uint32_t stale = buffers.staleBlocks[x] & blocks;
    buffers.staleBlocks[x] &= ~stale;
    buffers.writtenBlocks[x] |= stale;
    const float* depth = buffers.depth + x * depthRows;
    for (; stale != 0; stale &= stale - 1) {
        const int block = lowestBit(stale);
        const float* cells = depth + block * depthBlockRows;
        const int rows = depthRows - block * depthBlockRows < depthBlockRows
                           ? depthRows - block * depthBlockRows
                           : depthBlockRows;
        __m128 largest = _mm_loadu_ps(cells);
        int row = 4;
        if (rows == depthBlockRows) {
            static_assert(depthBlockRows == 16);
            const __m256 halves = _mm256_max_ps(_mm256_loadu_ps(cells), _mm256_loadu_ps(cells + 8));
            largest = _mm_max_ps(_mm256_castps256_ps128(halves), _mm256_extractf128_ps(halves, 1));
            row = rows;
        }
        for (; row + 4 <= rows; row += 4)
            largest = _mm_max_ps(largest, _mm_loadu_ps(cells + row));
        largest = _mm_max_ps(largest, _mm_shuffle_ps(largest, largest, _MM_SHUFFLE(1, 0, 3, 2)));
        largest = _mm_max_ps(largest, _mm_shuffle_ps(largest, largest, _MM_SHUFFLE(2, 3, 0, 1)));
        buffers.farthest[block * FrameSurface::width + x] = _mm_cvtss_f32(largest);
    }
}

// Fills the rows of column x from firstRow to lastRow that lie in its
// visible blocks, each run of them in one pass.
template <bool anyOrder>
void fillVisibleRuns(const FaceLanes& face, const FloorLanes& floor, int x, int firstRow, int lastRow,
                     std::uint32_t visible, const BoxCells& cells)
{
    while (visible != 0) {
        const int runFirst = lowestBit(visible);
        const std::uint32_t fromRun = visible >> runFirst;
        // The run's blocks are the lowest set bits of fromRun.
        const int runLast = fromRun == ~0u ? 31 : runFirst + lowestBit(~fromRun) - 1;
        const int first = runFirst * depthBlockRows > firstRow ? runFirst * depthBlockRows : firstRow;
        const int runEnd = runLast * depthBlockRows + depthBlockRows - 1;
        const int last = runEnd < lastRow ? runEnd : lastRow;
        fillColumnRows<true, anyOrder>(face, floor, x, first, last - first + 1, cells);
        visible = runLast == 31 ? 0 : visible & ~0u << (runLast + 1);
    }
}

// The rows' term of a face's depth floor, perRow * y, for every row y and
// at least the sixteen beyond, which are read but never matter.
struct RowTerms {
    static constexpr int count = (depthRows + 3 * lanes - 1) / lanes * lanes;
    alignas(32) float ofRow[count];
};

void setRowTerms(float perRow, RowTerms& terms)
{
    const __m256 lanesPerRow = _mm256_set1_ps(perRow);
    __m256i rows = _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7);
    for (int row = 0; row < RowTerms::count;
         row += lanes, rows = _mm256_add_epi32(rows, _mm256_set1_epi32(lanes)))
        _mm256_store_ps(terms.ofRow + row, _mm256_mul_ps(lanesPerRow, _mm256_cvtepi32_ps(rows)));
}

// Whether any of rows first..last of column (at most sixteen) stores a depth
// at or above the rows' depth floor (terms plus atColumn), as fillLanes asks;
// no other row is read.
QUORVANE_ALWAYS_INLINE bool anyRowOpen(const RowTerms& terms, __m256 atColumn, const float* column, int first,
                                       int last)
{
    const __m256i rows =
        _mm256_add_epi32(_mm256_set1_epi32(first), _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7));
    const __m256i moreRows = _mm256_add_epi32(rows, _mm256_set1_epi32(lanes));
    const __m256i end = _mm256_set1_epi32(last + 1);
    const __m256i inRows = _mm256_cmpgt_epi32(end, rows), inMoreRows = _mm256_cmpgt_epi32(end, moreRows);
    const __m256 stored = _mm256_maskload_ps(column + first, inRows);
    const __m256 moreStored = _mm256_maskload_ps(column + first + lanes, inMoreRows);
    const __m256 rowFloor = _mm256_add_ps(_mm256_loadu_ps(terms.ofRow + first), atColumn);
    const __m256 moreRowFloor = _mm256_add_ps(_mm256_loadu_ps(terms.ofRow + first + lanes), atColumn);
    const __m256 open = _mm256_or_ps(
        _mm256_and_ps(_mm256_castsi256_ps(inRows), _mm256_cmp_ps(stored, rowFloor, _CMP_GE_OQ)),
        _mm256_and_ps(_mm256_castsi256_ps(inMoreRows), _mm256_cmp_ps(moreStored, moreRowFloor, _CMP_GE_OQ)));
    return !_mm256_testz_ps(open, open);
}

// visible less the first and the last block of rows first..last of column
// where none of those rows is open. A face's candidate rows seldom start or
// end at a block's edge, and the farthest depth of such a block is then often
// in a row beyond them, which faces farther away cover: where faces lie
// dozens deep, nearly every block the farthest depths leave is such an end,
// and its rows ask the rows' floor far more cheaply here than in the fill.
QUORVANE_ALWAYS_INLINE std::uint32_t withoutHiddenEnds(const RowTerms& terms, __m256 atColumn,
                                                       const float* column, int first, int last,
                                                       std::uint32_t visible)
{
    // Rows are not negative.
    const int firstBlock = first >> 4, lastBlock = last >> 4;
    static_assert(depthBlockRows == 1 << 4);
    const int firstBlockEnd = first | (depthBlockRows - 1);
    if ((visible >> firstBlock & 1u) != 0
        && !anyRowOpen(terms, atColumn, column, first, firstBlockEnd < last ? firstBlockEnd : last))
        visible &= ~(1u << firstBlock);
    if (lastBlock != firstBlock && (visible >> lastBlock & 1u) != 0
        && !anyRowOpen(terms, atColumn, column, lastBlock * depthBlockRows, last))
        visible &= ~(1u << lastBlock);
    return visible;
}

// What fillTallFaceAvx2 asks of a group of eight columns before it samples
// any of them, lane i for column x0 + i: the column's candidate rows, its
// depth floor without the rows' term, and the blocks of its candidate rows
// that the face's depth floor cannot hide.
struct ColumnGroup {
    alignas(32) int first[lanes], last[lanes];
    alignas(32) float floorAtColumn[lanes];
    alignas(32) std::uint32_t visible[lanes];
    unsigned withVisibleBlocks = 0; // bit i where visible[i] is not 0
};

// The candidate spans of columns x0 to x0 + columns - 1, from spans, in
// first and last; the lanes beyond are empty, and no span beyond is read.
void loadSpans(const RowSpan* spans, int columns, __m256i& first, __m256i& last)
{
    static_assert(sizeof(RowSpan) == 2 * sizeof(int));
    const __m256i laneNumbers = _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7);
    // Each half holds four spans, first and last in turn.
    const __m256i spanOfCell = _mm256_srli_epi32(laneNumbers, 1);
    const __m256i low = _mm256_maskload_epi32(reinterpret_cast<const int*>(spans),
                                              _mm256_cmpgt_epi32(_mm256_set1_epi32(columns), spanOfCell));
    const __m256i high =
        _mm256_maskload_epi32(reinterpret_cast<const int*>(spans + 4),
                              _mm256_cmpgt_epi32(_mm256_set1_epi32(columns - 4), spanOfCell));
    // Within each 128-bit half: the firsts (or lasts) of low's two spans, then
    // high's; the halves' middle 64 bits are then swapped into column order.
    const __m256 firsts =
        _mm256_shuffle_ps(_mm256_castsi256_ps(low), _mm256_castsi256_ps(high), _MM_SHUFFLE(2, 0, 2, 0));
    const __m256 lasts =
        _mm256_shuffle_ps(_mm256_castsi256_ps(low), _mm256_castsi256_ps(high), _MM_SHUFFLE(3, 1, 3, 1));
    first = _mm256_permute4x64_epi64(_mm256_castps_si256(firsts), _MM_SHUFFLE(3, 1, 2, 0));
    last = _mm256_permute4x64_epi64(_mm256_castps_si256(lasts), _MM_SHUFFLE(3, 1, 2, 0));
    const __m256i beyond = _mm256_cmpgt_epi32(laneNumbers, _mm256_set1_epi32(columns - 1));
    first = _mm256_blendv_epi8(first, _mm256_set1_epi32(0), beyond);
    last = _mm256_blendv_epi8(last, _mm256_set1_epi32(-1), beyond);
}

// blockRange's bits for the rows first..last of each lane, none where first >
// last.
__m256i blockRanges(__m256i first, __m256i last)
{
    static_assert(depthBlockRows == 1 << 4);
    const __m256i firstBlock = _mm256_srai_epi32(first, 4), lastBlock = _mm256_srai_epi32(last, 4);
    const __m256i one = _mm256_set1_epi32(1);
    // A shift by 32 or more leaves 0: 2 shifted by 31, for the last block,
    // gives every bit from the first.
    const __m256i upToLast = _mm256_sub_epi32(_mm256_sllv_epi32(_mm256_set1_epi32(2), lastBlock), one);
    const __m256i belowFirst = _mm256_sub_epi32(_mm256_sllv_epi32(one, firstBlock), one);
    const __m256i filled = _mm256_cmpgt_epi32(_mm256_add_epi32(last, one), first);
    return _mm256_and_si256(filled, _mm256_andnot_si256(belowFirst, upToLast));
}

// Bits of the lanes that are not 0.
unsigned nonZeroLanes(__m256i values)
{
    const __m256i zero = _mm256_cmpeq_epi32(values, _mm256_setzero_si256());
    return ~static_cast<unsigned>(_mm256_movemask_ps(_mm256_castsi256_ps(zero))) & 0xffu;
}

// The row's term of a face's depth floor at each block's row where the floor
// is least: depthFloorAt's product, for every column.
struct BlockFloors {
    float rowTerm[depthBlocks];
};

BlockFloors blockFloors(const DepthFloor& floor)
{
    BlockFloors floors;
    const int leastRow = floor.perRow >= 0 ? 0 : depthBlockRows - 1;
    for (int block = 0; block < depthBlocks; ++block)
        floors.rowTerm[block] = floor.perRow * static_cast<float>(block * depthBlockRows + leastRow);
    return floors;
}

// Sets up group for the columns x0 to x0 + columns - 1 (at most eight) of a
// face. A block is hidden where its farthest depth, made exact first where it
// is stale, is not above the face's depth floor at the block's row where the
// floor is least: the floor lies below every depth the fill computes in the
// face's box (see DepthFloor), and below the portable kernel's bound in
// doubles, so it hides no block that bound leaves, and hardly fewer. A face's
// stores in one column change no other column, so the eight columns' blocks
// can be decided before any of them is sampled, eight columns at a time: a
// block of eight columns' farthest depths is one load, and a face behind dozens
// of layers is hidden in most of them.
QUORVANE_ALWAYS_INLINE void setUpGroup(const DepthFloor& floor, const BlockFloors& blockFloors,
                                       const RowSpan* spans, int x0, int columns, const BandBuffers& buffers,
                                       ColumnGroup& group)
{
    const __m256i laneNumbers = _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7);
    const __m256i inColumns = _mm256_cmpgt_epi32(_mm256_set1_epi32(columns), laneNumbers);
    __m256i first, last;
    loadSpans(spans, columns, first, last);
    const __m256i blocks = blockRanges(first, last);
    // depthFloorAt's operations without the row's term, lane by lane.
    const __m256 x = _mm256_cvtepi32_ps(_mm256_add_epi32(_mm256_set1_epi32(x0), laneNumbers));
    const __m256 atColumn =
        _mm256_add_ps(_mm256_mul_ps(_mm256_set1_ps(floor.perColumn), x), _mm256_set1_ps(floor.atOrigin));
    _mm256_store_si256(reinterpret_cast<__m256i*>(group.first), first);
    _mm256_store_si256(reinterpret_cast<__m256i*>(group.last), last);
    _mm256_store_ps(group.floorAtColumn, atColumn);
    alignas(32) std::uint32_t columnBlocks[lanes];
    _mm256_store_si256(reinterpret_cast<__m256i*>(columnBlocks), blocks);
    // The lanes beyond the columns read nothing: they may be another band's.
    const __m256i stale = _mm256_and_si256(
        blocks, _mm256_maskload_epi32(reinterpret_cast<const int*>(buffers.staleBlocks + x0), inColumns));
    for (unsigned staleLanes = nonZeroLanes(stale); staleLanes != 0; staleLanes &= staleLanes - 1) {
        const int c = lowestBit(staleLanes);
        refreshFarthestAvx2(buffers, x0 + c, columnBlocks[c]);
    }
    __m256i anyLane = _mm256_or_si256(blocks, _mm256_permute2x128_si256(blocks, blocks, 1));
    anyLane = _mm256_or_si256(anyLane, _mm256_shuffle_epi32(anyLane, _MM_SHUFFLE(1, 0, 3, 2)));
    anyLane = _mm256_or_si256(anyLane, _mm256_shuffle_epi32(anyLane, _MM_SHUFFLE(2, 3, 0, 1)));
    const std::uint32_t anyBlocks = static_cast<std::uint32_t>(_mm256_cvtsi256_si32(anyLane));
    __m256i hidden = _mm256_setzero_si256();
    if (anyBlocks != 0) {
        const int firstBlock = lowestBit(anyBlocks), lastBlock = highestBit(anyBlocks);
        // blockFarthest's cells (an inline function of another header).
        const float* farthest = buffers.farthest + firstBlock * FrameSurface::width + x0;
        __m256i blockBit = _mm256_set1_epi32(static_cast<int>(1u << firstBlock));
        for (int block = firstBlock; block <= lastBlock; ++block, farthest += FrameSurface::width) {
            const __m256 stored =
                columns == lanes ? _mm256_loadu_ps(farthest) : _mm256_maskload_ps(farthest, inColumns);
            const __m256 blockFloor =
                _mm256_add_ps(_mm256_broadcast_ss(&blockFloors.rowTerm[block]), atColumn);
            const __m256i below = _mm256_castps_si256(_mm256_cmp_ps(blockFloor, stored, _CMP_GT_OQ));
            hidden = _mm256_or_si256(hidden, _mm256_and_si256(below, blockBit));
            blockBit = _mm256_slli_epi32(blockBit, 1);
        }
    }
    const __m256i visible = _mm256_andnot_si256(hidden, blocks);
    _mm256_store_si256(reinterpret_cast<__m256i*>(group.visible), visible);
    group.withVisibleBlocks = nonZeroLanes(visible);
}

// How fillShortColumns loads and stores the cells of a group of columns:
// cells points at the first column's cell in the
// strip's first row, and column c's cells are c * depthRows further on. Only
// the group's first columns columns are read, and only those in columnMask
// are written.
template <int rowsPerColumn>
struct ShortColumnLanes;

// Two rows each of four columns: 64 bits per column.
template <>
struct ShortColumnLanes<2> {
    template <typename Cell>
    static __m256i load(const Cell* cells, int columns)
    {
        const auto pair = [&](int c) {
            return c < columns ? _mm_loadl_epi64(reinterpret_cast<const __m128i*>(cells + c * depthRows))
                               : _mm_setzero_si128();
        };
        return _mm256_set_m128i(_mm_unpacklo_epi64(pair(2), pair(3)), _mm_unpacklo_epi64(pair(0), pair(1)));
    }

    template <typename Cell>
    static void store(Cell* cells, __m256i values, unsigned columnMask)
    {
        const __m128i low = _mm256_castsi256_si128(values), high = _mm256_extracti128_si256(values, 1);
        const __m128i pairs[4] = {low, _mm_unpackhi_epi64(low, low), high, _mm_unpackhi_epi64(high, high)};
        for (int c = 0; c < 4; ++c)
            if (columnMask & 1u << c)
                _mm_storel_epi64(reinterpret_cast<__m128i*>(cells + c * depthRows), pairs[c]);
    }
};

// Four rows each of two columns: 128 bits per column.
template <>
struct ShortColumnLanes<4> {
    template <typename Cell>
    static __m256i load(const Cell* cells, int columns)
    {
        const __m128i first = _mm_loadu_si128(reinterpret_cast<const __m128i*>(cells));
        const __m128i second = columns > 1
                                 ? _mm_loadu_si128(reinterpret_cast<const __m128i*>(cells + depthRows))
                                 : _mm_setzero_si128();
        return _mm256_set_m128i(second, first);
    }

    template <typename Cell>
    static void store(Cell* cells, __m256i values, unsigned columnMask)
    {
        if (columnMask & 1u)
            _mm_storeu_si128(reinterpret_cast<__m128i*>(cells), _mm256_castsi256_si128(values));
        if (columnMask & 2u)
            _mm_storeu_si128(reinterpret_cast<__m128i*>(cells + depthRows),
                             _mm256_extracti128_si256(values, 1));
    }
};

// Eight rows of one column.
template <>
struct ShortColumnLanes<8> {
    template <typename Cell>
    static __m256i load(const Cell* cells, int)
    {
        return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(cells));
    }

    template <typename Cell>
    static void store(Cell* cells, __m256i values, unsigned)
    {
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(cells), values);
    }
};

// fillColumnRows for each column of a strip of a box, of at most
// rowsPerColumn rows, whose first row is at least rowsPerColumn rows before
// the column's end: lane i samples column i / rowsPerColumn of a group of
// columns at row box.ymin + i % rowsPerColumn, with its own column and row as
// floats. The rows' values are computed once for the strip, and a strip of
// two rows fills four columns in one group where one column a group would
// leave six lanes of eight idle.
template <int rowsPerColumn, bool anyOrder>
void fillShortColumns(const FaceLanes& face, const PixelBox& strip, int firstColumn, int lastColumn,
                      const BoxCells& cells)
{
    using Lanes = ShortColumnLanes<rowsPerColumn>;
    constexpr int columnsPerGroup = lanes / rowsPerColumn;
    constexpr unsigned columnLanes = (1u << rowsPerColumn) - 1;
    constexpr int columnShift = rowsPerColumn == 2 ? 1 : rowsPerColumn == 4 ? 2 : 3; // lane / rowsPerColumn
    static_assert(rowsPerColumn == 1 << columnShift);
    const __m256i laneNumbers = _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7);
    const __m256i columnOffsets = _mm256_srli_epi32(laneNumbers, columnShift);
    const __m256i rowNumbers = _mm256_add_epi32(
        _mm256_set1_epi32(strip.ymin), _mm256_and_si256(laneNumbers, _mm256_set1_epi32(rowsPerColumn - 1)));
    const __m256 y = _mm256_cvtepi32_ps(rowNumbers); // exact: rows are small integers
    const __m256i rowInBox = _mm256_cmpgt_epi32(_mm256_set1_epi32(strip.ymax + 1), rowNumbers);
    const __m256 pay = _mm256_sub_ps(face.ay, y);
    const __m256 pby = _mm256_sub_ps(face.by, y);
    const __m256 pcy = _mm256_sub_ps(face.cy, y);
    const __m256 pya = _mm256_sub_ps(y, face.ay);
    const std::uint32_t stale = blockRange(strip.ymin / depthBlockRows, strip.ymax / depthBlockRows);
    for (int x0 = firstColumn; x0 <= lastColumn; x0 += columnsPerGroup) {
        const __m256i columnNumbers = _mm256_add_epi32(_mm256_set1_epi32(x0), columnOffsets);
        const __m256 x = _mm256_cvtepi32_ps(columnNumbers); // exact, as the rows
        const __m256 open = _mm256_castsi256_ps(
            _mm256_and_si256(rowInBox, _mm256_cmpgt_epi32(_mm256_set1_epi32(lastColumn + 1), columnNumbers)));
        const __m256 pax = _mm256_sub_ps(face.ax, x);
        const __m256 pbx = _mm256_sub_ps(face.bx, x);
        const __m256 pcx = _mm256_sub_ps(face.cx, x);
        const __m256 inside = insideLanes(pax, pbx, pcx, pay, pby, pcy);
        const __m256 candidates = _mm256_and_ps(inside, open);
        if (_mm256_testz_ps(candidates, candidates))
            continue;
        // Only the group's columns within the band are read and written.
        const int columns = lastColumn - x0 + 1 < columnsPerGroup ? lastColumn - x0 + 1 : columnsPerGroup;
        float* const depthCells = cells.depth + x0 * depthRows + strip.ymin;
        int* const faceCells = cells.face + x0 * depthRows + strip.ymin;
        const __m256 stored = _mm256_castsi256_ps(Lanes::load(depthCells, columns));
        const __m256 pxa = _mm256_sub_ps(x, face.ax);
        const __m256 depth = depthLanes(face, pxa, pya);
        const __m256i storedFaces = anyOrder ? Lanes::load(faceCells, columns) : _mm256_setzero_si256();
        const __m256 passes =
            _mm256_and_ps(candidates, nearerLanes<anyOrder>(stored, depth, storedFaces, face.faceIndex));
        const unsigned passedLanes = static_cast<unsigned>(_mm256_movemask_ps(passes));
        if (passedLanes == 0)
            continue;
        unsigned passedColumns = 0;
        for (int c = 0; c < columnsPerGroup; ++c)
            if (passedLanes >> (c * rowsPerColumn) & columnLanes) {
                passedColumns |= 1u << c;
                cells.staleBlocks[x0 + c] |= stale;
            }
        const __m256i mask = _mm256_castps_si256(passes);
        const __m256i oldFaces = anyOrder ? storedFaces : Lanes::load(faceCells, columns);
        Lanes::store(depthCells, _mm256_castps_si256(_mm256_blendv_ps(stored, depth, passes)), passedColumns);
        Lanes::store(faceCells, _mm256_blendv_epi8(oldFaces, face.faceIndex, mask), passedColumns);
    }
}

template <bool anyOrder>
void fillTallFace(const FaceEdges& face, const FaceBounds& bounds, int faceIndex, int firstColumn,
                  int lastColumn, const RowSpan* spans, const BandBuffers& buffers)
{
    const FaceLanes values = faceLanes(face, faceIndex);
    // Bounds nothing where the face has no depth bound.
    const DepthFloor& floor = bounds.depthFloor;
    FloorLanes floorLanes{_mm256_set1_ps(floor.perRow), {}};
    const BoxCells cells{buffers.depth, buffers.coverFace, buffers.staleBlocks, anyOrder};
    const BlockFloors floors = blockFloors(floor);
    RowTerms rowTerms;
    setRowTerms(floor.perRow, rowTerms);
    ColumnGroup group;
    for (int x0 = firstColumn; x0 <= lastColumn; x0 += lanes) {
        const int columns = lastColumn - x0 + 1 < lanes ? lastColumn - x0 + 1 : lanes;
        setUpGroup(floor, floors, spans + (x0 - firstColumn), x0, columns, buffers, group);
        for (unsigned toFill = group.withVisibleBlocks; toFill != 0; toFill &= toFill - 1) {
            const int c = lowestBit(toFill);
            floorLanes.atColumn = _mm256_set1_ps(group.floorAtColumn[c]);
            const std::uint32_t visible =
                withoutHiddenEnds(rowTerms, floorLanes.atColumn, buffers.depth + (x0 + c) * depthRows,
                                  group.first[c], group.last[c], group.visible[c]);
            if (visible != 0)
                fillVisibleRuns<anyOrder>(values, floorLanes, x0 + c, group.first[c], group.last[c], visible,
                                          cells);
        }
    }
}

template <bool anyOrder>
void fillBox(const FaceEdges& face, int faceIndex, const PixelBox& box, const ColumnSpan* strips,
             const BoxCells& cells)
{
    const FaceLanes values = faceLanes(face, faceIndex);
    // Strips of eight rows across the box's columns, which a face's stores
    // leave independent; a strip of a few rows shares the lanes between
    // columns, where the rows that the lanes take stay within the column.
    static_assert(stripRows == lanes);
    for (int stripFirst = box.ymin, k = 0; stripFirst <= box.ymax; stripFirst += lanes, ++k) {
        const int firstColumn = strips[k].first, lastColumn = strips[k].last;
        if (firstColumn > lastColumn)
            continue;
        PixelBox strip = box;
        strip.ymin = stripFirst;
        strip.ymax = stripFirst + lanes - 1 < box.ymax ? stripFirst + lanes - 1 : box.ymax;
        const int rows = strip.ymax - strip.ymin + 1;
        if (rows <= 2 && strip.ymin + 2 <= depthRows)
            fillShortColumns<2, anyOrder>(values, strip, firstColumn, lastColumn, cells);
        else if (rows <= 4 && strip.ymin + 4 <= depthRows)
            fillShortColumns<4, anyOrder>(values, strip, firstColumn, lastColumn, cells);
        else if (strip.ymin + lanes <= depthRows)
            fillShortColumns<8, anyOrder>(values, strip, firstColumn, lastColumn, cells);
        else
            for (int x = firstColumn; x <= lastColumn; ++x)
                fillColumnRows<false, anyOrder>(values, FloorLanes{}, x, strip.ymin, rows, cells);
    }
}

// Bit c set for each of the columns x0 to x0 + count - 1 (count at most
// eight) whose blocks first..last all have their farthest depth below depth,
// after those of blocks that are stale are made exact. Only those columns are
// read: the others may be another band's.
unsigned hiddenColumns(const BandBuffers& buffers, int x0, int count, int firstBlock, int lastBlock,
                       std::uint32_t blocks, __m256 depth)
{
    const __m256i inRange =
        _mm256_cmpgt_epi32(_mm256_set1_epi32(count), _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7));
    // Mostly none of them is stale: one test tells.
    const __m256i stale =
        _mm256_maskload_epi32(reinterpret_cast<const int*>(buffers.staleBlocks + x0), inRange);
    if (!_mm256_testz_si256(stale, _mm256_set1_epi32(static_cast<int>(blocks))))
        for (int c = 0; c < count; ++c)
            refreshFarthestAvx2(buffers, x0 + c, blocks);
    __m256 hidden = _mm256_castsi256_ps(inRange);
    for (int block = firstBlock; block <= lastBlock; ++block) {
        const __m256 farthest =
            _mm256_maskload_ps(buffers.farthest + block * FrameSurface::width + x0, inRange);
        hidden = _mm256_and_ps(hidden, _mm256_cmp_ps(farthest, depth, _CMP_LT_OQ));
    }
    return static_cast<unsigned>(_mm256_movemask_ps(hidden));
}

} // namespace

void fillTallFaceAvx2(const FaceEdges& face, const FaceBounds& bounds, int faceIndex, int firstColumn,
                      int lastColumn, const RowSpan* spans, const BandBuffers& buffers)
{
    if (buffers.anyOrder)
        fillTallFace<true>(face, bounds, faceIndex, firstColumn, lastColumn, spans, buffers);
    else
        fillTallFace<false>(face, bounds, faceIndex, firstColumn, lastColumn, spans, buffers);
}

void fillBoxAvx2(const FaceEdges& face, int faceIndex, const PixelBox& box, const ColumnSpan* strips,
                 const BoxCells& cells)
{
    if (cells.anyOrder)
        fillBox<true>(face, faceIndex, box, strips, cells);
    else
        fillBox<false>(face, faceIndex, box, strips, cells);
}

bool visibleColumnsAvx2(const FaceEdges& face, const PixelBox& box, const BandBuffers& buffers,
                        int& firstColumn, int& lastColumn)
{
    const int firstBlock = box.ymin / depthBlockRows, lastBlock = box.ymax / depthBlockRows;
    const std::uint32_t blocks = blockRange(firstBlock, lastBlock);
    // As std::min({a.z, b.z, c.z}).
    float leastCorner = face.a.z;
    leastCorner = face.b.z < leastCorner ? face.b.z : leastCorner;
    leastCorner = face.c.z < leastCorner ? face.c.z : leastCorner;
    if (hiddenColumns(buffers, firstColumn, 1, firstBlock, lastBlock, blocks, _mm256_set1_ps(leastCorner))
        == 0)
        return true;
    const __m256 floor = _mm256_set1_ps(boxDepthFloorAvx2(face, box));
    // From the first column on, eight at a time, to the first that is not
    // hidden; then back from the last to the one after it.
    int first = firstColumn;
    for (;; first += lanes) {
        if (first > lastColumn)
            return false;
        const int count = lastColumn - first + 1 < lanes ? lastColumn - first + 1 : lanes;
        const unsigned hidden = hiddenColumns(buffers, first, count, firstBlock, lastBlock, blocks, floor);
        if (hidden != (1u << count) - 1) {
            first += lowestBit(~hidden);
            break;
        }
    }
    int last = lastColumn;
    while (last > first) {
        const int count = last - first < lanes ? last - first : lanes;
        const int x0 = last - count + 1;
        const unsigned hidden = hiddenColumns(buffers, x0, count, firstBlock, lastBlock, blocks, floor);
        if (hidden != (1u << count) - 1) {
            last = x0 + highestBit(~hidden & ((1u << count) - 1));
            break;
        }
        last = x0 - 1;
    }
    firstColumn = first;
    lastColumn = last;
    return true;
}

} // namespace Quorvane
