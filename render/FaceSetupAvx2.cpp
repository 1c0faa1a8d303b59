// Compiled for AVX2 alone and called only after processorHasAvx2(); like
// ColumnFillAvx2.cpp it calls no inline function of another header.
#include "render/FaceSetup.h"

#include "render/LanesAvx2.h"

#include <climits>
#include <immintrin.h>

namespace Quorvane {

namespace {

using namespace LanesAvx2;

// truncatesToInt, lane by lane (named apart from it, an inline function of
// another header).
__m256i truncatesToIntLanes(__m256 value)
{
    return _mm256_castps_si256(
        _mm256_and_ps(_mm256_cmp_ps(value, _mm256_set1_ps(-2147483648.0f), _CMP_GE_OQ),
                      _mm256_cmp_ps(value, _mm256_set1_ps(2147483648.0f), _CMP_LT_OQ)));
}

// cornerIndex lane by lane: the 0-based indices (0 where not an entry) and
// the lanes where they are entries.
struct CornerLanes {
    __m256i index, valid;
};

// listSize is at most INT_MAX: an index truncated from a float below 2^31
// is at most 2^31 - 128, below it.
CornerLanes cornerLanes(__m256 stored, __m256i listSize)
{
    const __m256 zeroBased = _mm256_sub_ps(stored, _mm256_set1_ps(1.0f));
    const __m256i converts =
        _mm256_and_si256(truncatesToIntLanes(zeroBased),
                         _mm256_castps_si256(_mm256_cmp_ps(zeroBased, _mm256_set1_ps(-1.0f), _CMP_GT_OQ)));
    const __m256i index = _mm256_and_si256(_mm256_cvttps_epi32(zeroBased), converts);
    return {index, _mm256_and_si256(converts, _mm256_cmpgt_epi32(listSize, index))};
}

// The three corners' indices of eight faces, and the faces whose corners are
// all entries.
struct FaceCornerLanes {
    __m256i corner[3];
    __m256i valid;
};

FaceCornerLanes faceCornerLanes(const Vector3* entries, __m256i listSize)
{
    const Lanes3 stored = loadEight(entries);
    const CornerLanes c0 = cornerLanes(stored.x, listSize);
    const CornerLanes c1 = cornerLanes(stored.y, listSize);
    const CornerLanes c2 = cornerLanes(stored.z, listSize);
    const __m256i valid = _mm256_and_si256(_mm256_and_si256(c0.valid, c1.valid), c2.valid);
    return {{_mm256_and_si256(c0.index, valid), _mm256_and_si256(c1.index, valid),
             _mm256_and_si256(c2.index, valid)},
            valid};
}

// The screen positions at index, lane by lane where valid is set.
Lanes3 screenCorner(const Vector3* screen, __m256i index, __m256i valid)
{
    const float* base = &screen->x;
    const __m256i first = _mm256_mullo_epi32(index, _mm256_set1_epi32(3));
    const __m256 mask = _mm256_castsi256_ps(valid);
    const auto one = [&](int offset) {
        return _mm256_mask_i32gather_ps(_mm256_setzero_ps(), base,
                                        _mm256_add_epi32(first, _mm256_set1_epi32(offset)), mask, 4);
    };
    return {one(0), one(1), one(2)};
}

// pixelBox of eight faces, and the lanes where it is defined and not empty.
struct BoxLanes {
    __m256i xmin, xmax, ymin, ymax, valid;
};

BoxLanes boxLanes(const Lanes3& s0, const Lanes3& s1, const Lanes3& s2)
{
    const __m256i truncates = _mm256_and_si256(
        _mm256_and_si256(_mm256_and_si256(truncatesToIntLanes(s0.x), truncatesToIntLanes(s0.y)),
                         _mm256_and_si256(truncatesToIntLanes(s1.x), truncatesToIntLanes(s1.y))),
        _mm256_and_si256(truncatesToIntLanes(s2.x), truncatesToIntLanes(s2.y)));
    const __m256i tx0 = _mm256_cvttps_epi32(s0.x), ty0 = _mm256_cvttps_epi32(s0.y);
    const __m256i tx1 = _mm256_cvttps_epi32(s1.x), ty1 = _mm256_cvttps_epi32(s1.y);
    const __m256i tx2 = _mm256_cvttps_epi32(s2.x), ty2 = _mm256_cvttps_epi32(s2.y);
    const __m256i first = _mm256_set1_epi32(firstPixel), last = _mm256_set1_epi32(lastPixel);
    BoxLanes box;
    box.xmin = _mm256_max_epi32(_mm256_min_epi32(_mm256_min_epi32(tx0, tx1), tx2), first);
    box.xmax = _mm256_min_epi32(_mm256_max_epi32(_mm256_max_epi32(tx0, tx1), tx2), last);
    box.ymin = _mm256_max_epi32(_mm256_min_epi32(_mm256_min_epi32(ty0, ty1), ty2), first);
    box.ymax = _mm256_min_epi32(_mm256_max_epi32(_mm256_max_epi32(ty0, ty1), ty2), last);
    const __m256i empty =
        _mm256_or_si256(_mm256_cmpgt_epi32(box.xmin, box.xmax), _mm256_cmpgt_epi32(box.ymin, box.ymax));
    box.valid = _mm256_andnot_si256(empty, truncates);
    return box;
}

// faceEdges' differences and denominators of eight faces.
struct EdgeLanes {
    __m256 cax, cay, bax, bay, denominatorU, denominatorV;
};

EdgeLanes edgeLanes(const Lanes3& a, const Lanes3& b, const Lanes3& c)
{
    EdgeLanes edges;
    edges.cax = _mm256_sub_ps(c.x, a.x);
    edges.cay = _mm256_sub_ps(c.y, a.y);
    edges.bax = _mm256_sub_ps(b.x, a.x);
    edges.bay = _mm256_sub_ps(b.y, a.y);
    edges.denominatorU =
        _mm256_sub_ps(_mm256_mul_ps(edges.bay, edges.cax), _mm256_mul_ps(edges.bax, edges.cay));
    edges.denominatorV =
        _mm256_sub_ps(_mm256_mul_ps(edges.cay, edges.bax), _mm256_mul_ps(edges.cax, edges.bay));
    return edges;
}

// Eight lanes as ints or floats, one array per value, for writing the faces
// one by one.
struct LaneInts {
    alignas(32) int values[lanes];
    explicit LaneInts(__m256i v) { _mm256_store_si256(reinterpret_cast<__m256i*>(values), v); }
    int operator[](int k) const { return values[k]; }
};

struct LaneFloats {
    alignas(32) float values[lanes];
    explicit LaneFloats(__m256 v) { _mm256_store_ps(values, v); }
    float operator[](int k) const { return values[k]; }
};

// Sets up the eight faces from first.
std::int64_t setUpEight(const FaceSetupInputs& inputs, std::size_t first, __m256i vertexCount,
                        __m256i normalCount, const FaceSetupOutputs& outputs)
{
    const FaceCornerLanes positions = faceCornerLanes(inputs.vertexIndices + first, vertexCount);
    __m256i drawn = positions.valid;
    FaceCornerLanes normals{};
    if (inputs.lit) {
        normals = faceCornerLanes(inputs.normalIndices + first, normalCount);
        drawn = _mm256_and_si256(drawn, normals.valid);
    }
    const Lanes3 s0 = screenCorner(inputs.screen, positions.corner[0], drawn);
    const Lanes3 s1 = screenCorner(inputs.screen, positions.corner[1], drawn);
    const Lanes3 s2 = screenCorner(inputs.screen, positions.corner[2], drawn);
    const BoxLanes box = boxLanes(s0, s1, s2);
    drawn = _mm256_and_si256(drawn, box.valid);
    const EdgeLanes edges = edgeLanes(s0, s1, s2);

    const LaneInts p0(positions.corner[0]), p1(positions.corner[1]), p2(positions.corner[2]);
    const LaneInts n0(normals.corner[0]), n1(normals.corner[1]), n2(normals.corner[2]);
    const LaneInts xmin(box.xmin), xmax(box.xmax), ymin(box.ymin), ymax(box.ymax);
    const LaneFloats ax(s0.x), ay(s0.y), az(s0.z), bx(s1.x), by(s1.y), bz(s1.z), cx(s2.x), cy(s2.y), cz(s2.z);
    const LaneFloats cax(edges.cax), cay(edges.cay), bax(edges.bax), bay(edges.bay);
    const LaneFloats denominatorU(edges.denominatorU), denominatorV(edges.denominatorV);
    const int drawnLanes = _mm256_movemask_ps(_mm256_castsi256_ps(drawn));
    std::int64_t tallPixels = 0;
    for (int k = 0; k < lanes; ++k) {
        const std::size_t i = first + static_cast<std::size_t>(k);
        FaceShading& shading = outputs.shading[i];
        shading.positions[0] = p0[k];
        shading.positions[1] = p1[k];
        shading.positions[2] = p2[k];
        FaceSetup& face = outputs.faces[i];
        face.drawn = (drawnLanes >> k & 1) != 0;
        if (!face.drawn)
            continue;
        shading.normals[0] = n0[k];
        shading.normals[1] = n1[k];
        shading.normals[2] = n2[k];
        face.box.xmin = xmin[k];
        face.box.xmax = xmax[k];
        face.box.ymin = ymin[k];
        face.box.ymax = ymax[k];
        // Member by member: Vector3's constructor is an inline function of
        // another header.
        FaceEdges& faceEdges = outputs.edges[i];
        faceEdges.a.x = ax[k];
        faceEdges.a.y = ay[k];
        faceEdges.a.z = az[k];
        faceEdges.b.x = bx[k];
        faceEdges.b.y = by[k];
        faceEdges.b.z = bz[k];
        faceEdges.c.x = cx[k];
        faceEdges.c.y = cy[k];
        faceEdges.c.z = cz[k];
        faceEdges.cax = cax[k];
        faceEdges.cay = cay[k];
        faceEdges.bax = bax[k];
        faceEdges.bay = bay[k];
        faceEdges.denominatorU = denominatorU[k];
        faceEdges.denominatorV = denominatorV[k];
        const int rows = face.box.ymax - face.box.ymin + 1;
        if (rows >= shortestNarrowedColumn) {
            outputs.bounds[i] = faceBounds(faceEdges, face.box, rows >= shortestBoundedRun);
            tallPixels += static_cast<std::int64_t>(face.box.xmax - face.box.xmin + 1) * rows;
        }
    }
    return tallPixels;
}

// A list size as the lanes compare it: see cornerLanes.
__m256i listSizeLanes(std::size_t size)
{
    return _mm256_set1_epi32(size < static_cast<std::size_t>(INT_MAX) ? static_cast<int>(size) : INT_MAX);
}

} // namespace

std::int64_t setUpFacesAvx2(const FaceSetupInputs& inputs, std::size_t first, std::size_t end,
                            const FaceSetupOutputs& outputs)
{
    // Eight faces at a time while their normal entries are in the list (all
    // of them where it is as long as the faces'), and while a vertex's first
    // float can be gathered with an int offset.
    std::size_t eightEnd = end;
    if (inputs.lit)
        eightEnd = inputs.normalFaceCount < eightEnd ? inputs.normalFaceCount : eightEnd;
    if (inputs.vertexCount > static_cast<std::size_t>(INT_MAX / 3))
        eightEnd = first;
    const __m256i vertexCount = listSizeLanes(inputs.vertexCount);
    const __m256i normalCount = listSizeLanes(inputs.normalCount);
    std::size_t i = first;
    std::int64_t tallPixels = 0;
    for (; i + lanes <= eightEnd; i += lanes)
        tallPixels += setUpEight(inputs, i, vertexCount, normalCount, outputs);
    return tallPixels + setUpFacesPortable(inputs, i, end, outputs);
}

} // namespace Quorvane
