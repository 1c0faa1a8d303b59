// Compiled for AVX2 alone and called only after processorHasAvx2(); like
// ColumnFillAvx2.cpp it calls no inline function of another header.
#include "render/ColumnShade.h"

#include "render/FastFill.h"
#include "render/LanesAvx2.h"

#include <climits>
#include <cstddef>
#include <immintrin.h>

namespace Quorvane {

namespace {

using namespace LanesAvx2;

// Three floats at base[index * stride], lane by lane, where mask is set.
Lanes3 gather3(const float* base, __m256i index, int stride, __m256 mask)
{
    const __m256i first = _mm256_mullo_epi32(index, _mm256_set1_epi32(stride));
    const auto one = [&](int offset) {
        return _mm256_mask_i32gather_ps(_mm256_setzero_ps(), base,
                                        _mm256_add_epi32(first, _mm256_set1_epi32(offset)), mask, 4);
    };
    return {one(0), one(1), one(2)};
}

// FaceShading as ints, and where its members start in it.
constexpr int faceStride = static_cast<int>(sizeof(FaceShading) / sizeof(int));
static_assert(sizeof(FaceShading) % sizeof(int) == 0);
constexpr int positionsMember = static_cast<int>(offsetof(FaceShading, positions) / sizeof(int));
constexpr int normalsMember = static_cast<int>(offsetof(FaceShading, normals) / sizeof(int));
constexpr int flatValueMember = static_cast<int>(offsetof(FaceShading, flatValue) / sizeof(int));

// The int at member of each lane's face, where mask is set.
__m256i faceMember(const FaceShading* faces, __m256i face, int member, __m256 mask)
{
    const __m256i index =
        _mm256_add_epi32(_mm256_mullo_epi32(face, _mm256_set1_epi32(faceStride)), _mm256_set1_epi32(member));
    return _mm256_mask_i32gather_epi32(_mm256_setzero_si256(), reinterpret_cast<const int*>(faces), index,
                                       _mm256_castps_si256(mask), 4);
}

// The flat values of eight rows, 0 where not covered. Eight rows of one face
// are common wherever faces are large, and one load of its value costs far
// less than a gather.
__m256i flatRows(const FaceShading* faces, __m256i face, __m256 covered)
{
    const __m256i firstFace = _mm256_broadcastd_epi32(_mm256_castsi256_si128(face));
    const __m256i sameFace =
        _mm256_and_si256(_mm256_cmpeq_epi32(face, firstFace), _mm256_castps_si256(covered));
    if (_mm256_movemask_ps(_mm256_castsi256_ps(sameFace)) == 0xff)
        return _mm256_set1_epi32(static_cast<int>(faces[_mm256_cvtsi256_si32(face)].flatValue));
    return faceMember(faces, face, flatValueMember, covered);
}

// How many faces the eight rows show: one or two (the common cases), whose
// corners are then loaded once, broadcast and, for two, blended lane by lane
// (one face's once for all the groups of its rows that follow each other in a
// column); or more, whose corners are gathered lane by lane. Each case is
// compiled on its own, so that the common ones carry no test or blend of the
// others.
enum class RowFaceCount { one, two, many };

// One face's values that the shading of its rows reads, in every lane: a face
// mostly shows in several groups of eight rows of a column one after the
// other, and they are loaded once for all of them.
struct FaceValues {
    int face = -1;
    __m256 edges[sizeof(FaceEdges) / sizeof(float)]; // by float of FaceEdges: those pixelWeights reads
    Lanes3 corners[6]; // by int of FaceShading's positions and normals: the entries the shader reads
};

template <RowFaceCount count>
struct RowFaces {
    __m256i face;
    __m256 covered;
    int first = -1;  // the face of every lane but those in secondRows (one and two)
    int second = -1; // the face of the lanes in secondRows (two)
    __m256 secondRows = _mm256_setzero_ps();
    const FaceValues* values = nullptr; // first's (one)

    // first's float for first's lanes and second's for secondRows.
    __m256 pick(float firstValue, float secondValue) const
    {
        const __m256 firstLanes = _mm256_set1_ps(firstValue);
        if constexpr (count == RowFaceCount::one)
            return firstLanes;
        else
            return _mm256_blendv_ps(firstLanes, _mm256_set1_ps(secondValue), secondRows);
    }

    // The three floats of list (stride floats per entry) at the entry whose
    // index each lane's face holds at member (a corner of positions or normals).
    Lanes3 corner(const ShadingInputs& inputs, const float* list, int stride, int member) const
    {
        if constexpr (count == RowFaceCount::one) {
            return values->corners[member];
        } else if constexpr (count == RowFaceCount::many) {
            return gather3(list, faceMember(inputs.faces, face, member, covered), stride, covered);
        } else {
            const int* faces = reinterpret_cast<const int*>(inputs.faces);
            const auto entry = [&](int face) {
                return list + static_cast<std::ptrdiff_t>(faces[face * faceStride + member]) * stride;
            };
            const float* firstEntry = entry(first);
            const float* secondEntry = count == RowFaceCount::one ? firstEntry : entry(second);
            return {pick(firstEntry[0], secondEntry[0]), pick(firstEntry[1], secondEntry[1]),
                    pick(firstEntry[2], secondEntry[2])};
        }
    }

    // The float at offset bytes into each lane's FaceEdges.
    __m256 edgeValue(const ShadingInputs& inputs, std::size_t offset) const
    {
        const float* edges = reinterpret_cast<const float*>(inputs.edges);
        const int member = static_cast<int>(offset / sizeof(float));
        constexpr int stride = static_cast<int>(sizeof(FaceEdges) / sizeof(float));
        static_assert(sizeof(FaceEdges) % sizeof(float) == 0);
        if constexpr (count == RowFaceCount::one) {
            return values->edges[member];
        } else if constexpr (count == RowFaceCount::many) {
            const __m256i index = _mm256_add_epi32(_mm256_mullo_epi32(face, _mm256_set1_epi32(stride)),
                                                   _mm256_set1_epi32(member));
            return _mm256_mask_i32gather_ps(_mm256_setzero_ps(), edges, index, covered, 4);
        } else {
            const auto value = [&](int face) {
                return edges[static_cast<std::ptrdiff_t>(face) * stride + member];
            };
            return pick(value(first), count == RowFaceCount::one ? 0.0f : value(second));
        }
    }
};

struct Weights {
    __m256 w0, w1, w2;
};

// pixelWeights, lane by lane, for the rows of column x.
template <RowFaceCount count>
Weights pixelWeights(const ShadingInputs& inputs, const RowFaces<count>& faces, int x, __m256i rows)
{
    static_assert(sizeof(Vector3) == 3 * sizeof(float));
    const __m256 ax = faces.edgeValue(inputs, offsetof(FaceEdges, a));
    const __m256 ay = faces.edgeValue(inputs, offsetof(FaceEdges, a) + sizeof(float));
    const __m256 y = _mm256_cvtepi32_ps(rows); // exact: rows are small integers
    const __m256 pxa = _mm256_sub_ps(_mm256_set1_ps(static_cast<float>(x)), ax);
    const __m256 pya = _mm256_sub_ps(y, ay);
    const __m256 u =
        _mm256_div_ps(_mm256_sub_ps(_mm256_mul_ps(pya, faces.edgeValue(inputs, offsetof(FaceEdges, cax))),
                                    _mm256_mul_ps(pxa, faces.edgeValue(inputs, offsetof(FaceEdges, cay)))),
                      faces.edgeValue(inputs, offsetof(FaceEdges, denominatorU)));
    const __m256 v =
        _mm256_div_ps(_mm256_sub_ps(_mm256_mul_ps(pya, faces.edgeValue(inputs, offsetof(FaceEdges, bax))),
                                    _mm256_mul_ps(pxa, faces.edgeValue(inputs, offsetof(FaceEdges, bay)))),
                      faces.edgeValue(inputs, offsetof(FaceEdges, denominatorV)));
    const __m256 w0 = _mm256_sub_ps(_mm256_sub_ps(_mm256_set1_ps(1.0f), u), v);
    return {w0, u, v};
}

// GouraudShader::shadePixel.
template <RowFaceCount count>
__m256i gouraudPixels(const ShadingInputs& inputs, const RowFaces<count>& faces, const Weights& weights)
{
    const float* colors = reinterpret_cast<const float*>(inputs.cornerColors);
    constexpr int colorStride = static_cast<int>(sizeof(Color) / sizeof(float));
    const auto corner = [&](int j, __m256 weight) {
        return times(faces.corner(inputs, colors, colorStride, normalsMember + j), weight);
    };
    const Lanes3 color0 = corner(0, weights.w0);
    const Lanes3 color1 = corner(1, weights.w1);
    const Lanes3 color2 = corner(2, weights.w2);
    const __m256 ambient = _mm256_set1_ps(0.1f);
    return toPixel(plus(plus(plus(color0, color1), color2), Lanes3{ambient, ambient, ambient}));
}

// toPixel of a colour whose three channels are red: the same byte in each.
__m256i grayPixel(__m256 red)
{
    const __m256 one = _mm256_set1_ps(1.0f);
    const __m256i byte = channelByte(_mm256_blendv_ps(red, one, _mm256_cmp_ps(red, one, _CMP_GT_OQ)));
    return _mm256_or_si256(_mm256_or_si256(_mm256_slli_epi32(byte, 16), _mm256_slli_epi32(byte, 8)), byte);
}

// gouraudPixels with grayChannels: the red channel's operations give all three.
template <RowFaceCount count>
__m256i grayGouraudPixels(const ShadingInputs& inputs, const RowFaces<count>& faces, const Weights& weights)
{
    const float* colors = reinterpret_cast<const float*>(inputs.cornerColors);
    constexpr int colorStride = static_cast<int>(sizeof(Color) / sizeof(float));
    const auto corner = [&](int j, __m256 weight) {
        return _mm256_mul_ps(faces.corner(inputs, colors, colorStride, normalsMember + j).x, weight);
    };
    return grayPixel(_mm256_add_ps(
        _mm256_add_ps(_mm256_add_ps(corner(0, weights.w0), corner(1, weights.w1)), corner(2, weights.w2)),
        _mm256_set1_ps(0.1f)));
}

// PhongShader::shadePixelWithFifthPower for a white object.
template <RowFaceCount count>
__m256i phongPixels(const ShadingInputs& inputs, const RowFaces<count>& faces, const Weights& weights)
{
    const RenderContext& context = *inputs.context;
    const auto corner = [&](const Vector3* list, int member, __m256 weight) {
        return times(faces.corner(inputs, reinterpret_cast<const float*>(list), 3, member), weight);
    };
    const Lanes3 normal = plus(plus(corner(inputs.normals, normalsMember, weights.w0),
                                    corner(inputs.normals, normalsMember + 1, weights.w1)),
                               corner(inputs.normals, normalsMember + 2, weights.w2));
    const Lanes3 position = plus(plus(corner(inputs.positions, positionsMember, weights.w0),
                                      corner(inputs.positions, positionsMember + 1, weights.w1)),
                                 corner(inputs.positions, positionsMember + 2, weights.w2));

    const Color& diffuseLight = context.light.diffuse.color;
    const Color& specularLight = context.light.specular.color;
    // cosAngle, with the light direction's length the same in every lane
    // and every group: computed once per frame.
    const __m256 cosine = _mm256_div_ps(dot(normal, broadcast(context.light.diffuse.direction)),
                                        _mm256_mul_ps(length(normal), _mm256_set1_ps(inputs.diffuseLength)));
    const __m256 diffuseIntensity = notNegative(_mm256_xor_ps(cosine, _mm256_set1_ps(-0.0f))); // -cosine
    const Lanes3 diffuseColor = {_mm256_set1_ps(1.0f * diffuseLight.r), _mm256_set1_ps(1.0f * diffuseLight.g),
                                 _mm256_set1_ps(1.0f * diffuseLight.b)};

    const Lanes3 reflectLight = reflect(broadcast(context.light.specular.direction), normal);
    const Lanes3 toEye = minus(broadcast(context.camera.position), position);
    const __m256 specularFactor = fifthPower(notNegative(cosAngle(reflectLight, toEye)));

    const Lanes3 specularColor = {_mm256_set1_ps(specularLight.r), _mm256_set1_ps(specularLight.g),
                                  _mm256_set1_ps(specularLight.b)};
    const __m256 ambient = _mm256_set1_ps(0.1f);
    if (inputs.grayChannels)
        return grayPixel(_mm256_add_ps(_mm256_add_ps(_mm256_mul_ps(diffuseColor.x, diffuseIntensity),
                                                     _mm256_mul_ps(specularColor.x, specularFactor)),
                                       ambient));
    return toPixel(plus(plus(times(diffuseColor, diffuseIntensity), times(specularColor, specularFactor)),
                        Lanes3{ambient, ambient, ambient}));
}

// The lit pixel values of the rows faces covers.
template <RowFaceCount count>
__m256i shadeFaces(const ShadingInputs& inputs, int x, __m256i rows, const RowFaces<count>& faces)
{
    const Weights weights = pixelWeights(inputs, faces, x, rows);
    if (inputs.shadingMode != shadingModeGouraud)
        return phongPixels(inputs, faces, weights);
    return inputs.grayChannels ? grayGouraudPixels(inputs, faces, weights)
                               : gouraudPixels(inputs, faces, weights);
}

// Loads face's values into values, for the shading mode of inputs (Gouraud or
// Phong).
void loadFaceValues(const ShadingInputs& inputs, int face, FaceValues& values)
{
    values.face = face;
    const float* edges =
        reinterpret_cast<const float*>(inputs.edges) + face * (sizeof(FaceEdges) / sizeof(float));
    // The floats pixelWeights reads (a plain array: an initializer list's
    // functions are inline functions of another header).
    constexpr std::size_t offsets[] = {offsetof(FaceEdges, a),
                                       offsetof(FaceEdges, a) + sizeof(float),
                                       offsetof(FaceEdges, cax),
                                       offsetof(FaceEdges, cay),
                                       offsetof(FaceEdges, bax),
                                       offsetof(FaceEdges, bay),
                                       offsetof(FaceEdges, denominatorU),
                                       offsetof(FaceEdges, denominatorV)};
    for (const std::size_t offset : offsets)
        values.edges[offset / sizeof(float)] = _mm256_set1_ps(edges[offset / sizeof(float)]);
    const int* members = reinterpret_cast<const int*>(inputs.faces) + face * faceStride;
    const auto load = [&](const float* list, int stride, int member) {
        const float* entry = list + static_cast<std::ptrdiff_t>(members[member]) * stride;
        values.corners[member] = {_mm256_set1_ps(entry[0]), _mm256_set1_ps(entry[1]),
                                  _mm256_set1_ps(entry[2])};
    };
    for (int j = 0; j < 3; ++j) {
        if (inputs.shadingMode == shadingModeGouraud) {
            load(reinterpret_cast<const float*>(inputs.cornerColors), sizeof(Color) / sizeof(float),
                 normalsMember + j);
        } else {
            load(reinterpret_cast<const float*>(inputs.normals), 3, normalsMember + j);
            load(reinterpret_cast<const float*>(inputs.positions), 3, positionsMember + j);
        }
    }
}

// op (the largest or the smallest) of the eight lanes, in every lane.
template <typename Op>
__m256i acrossLanes(__m256i v, const Op& op)
{
    const __m256i halves = op(v, _mm256_permute2x128_si256(v, v, 1));
    const __m256i quarters = op(halves, _mm256_shuffle_epi32(halves, 0x4e));
    return op(quarters, _mm256_shuffle_epi32(quarters, 0xb1));
}

// The lit pixel values of the covered rows; the others' are unspecified.
// Eight rows of a column mostly show one or two faces, whose corners are
// loaded once; only rows of three faces or more gather them lane by lane.
__m256i shadeRows(const ShadingInputs& inputs, int x, __m256i rows, __m256i face, __m256 covered,
                  FaceValues& values)
{
    const __m256i coveredBits = _mm256_castps_si256(covered);
    // Mostly all of them show the face the rows before them showed, whose
    // values are loaded: one comparison tells.
    if (!_mm256_testc_si256(_mm256_cmpeq_epi32(face, _mm256_set1_epi32(values.face)), coveredBits)) {
        const __m256i largest = acrossLanes(_mm256_blendv_epi8(_mm256_set1_epi32(-1), face, coveredBits),
                                            [](__m256i a, __m256i b) { return _mm256_max_epi32(a, b); });
        const __m256i smallest =
            acrossLanes(_mm256_blendv_epi8(_mm256_set1_epi32(INT_MAX), face, coveredBits),
                        [](__m256i a, __m256i b) { return _mm256_min_epi32(a, b); });
        const int largestFace = _mm_cvtsi128_si32(_mm256_castsi256_si128(largest));
        const int smallestFace = _mm_cvtsi128_si32(_mm256_castsi256_si128(smallest));
        if (largestFace != smallestFace) {
            const __m256 largestRows =
                _mm256_and_ps(covered, _mm256_castsi256_ps(_mm256_cmpeq_epi32(face, largest)));
            const __m256 smallestRows =
                _mm256_and_ps(covered, _mm256_castsi256_ps(_mm256_cmpeq_epi32(face, smallest)));
            if (!_mm256_testc_ps(_mm256_or_ps(largestRows, smallestRows), covered))
                return shadeFaces(inputs, x, rows, RowFaces<RowFaceCount::many>{face, covered});
            return shadeFaces(
                inputs, x, rows,
                RowFaces<RowFaceCount::two>{face, covered, largestFace, smallestFace, smallestRows});
        }
        loadFaceValues(inputs, largestFace, values);
    }
    RowFaces<RowFaceCount::one> one{face, covered, values.face};
    one.values = &values;
    return shadeFaces(inputs, x, rows, one);
}

} // namespace

void shadeColumnAvx2(const ColumnCells& cells, const PassedRows& stored, int x, const ShadingInputs& inputs,
                     std::uint32_t* values)
{
    // Eight rows at a time from a multiple of eight; the rows outside are
    // black.
    const int firstGroup = stored.first <= stored.last ? stored.first / lanes * lanes : FrameSurface::height;
    const int endGroup = stored.first <= stored.last ? stored.last + 1 : FrameSurface::height;
    for (int row0 = 0; row0 < firstGroup; row0 += lanes)
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(values + row0), _mm256_setzero_si256());
    FaceValues loaded{}; // the last face whose rows were shaded alone
    int row0 = firstGroup;
    for (; row0 < endGroup; row0 += lanes) {
        // The column's last eight rows reach past it: only its own are read.
        const __m256i rows =
            _mm256_add_epi32(_mm256_set1_epi32(row0), _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7));
        const __m256i inColumn = _mm256_cmpgt_epi32(_mm256_set1_epi32(FrameSurface::height), rows);
        const __m256i face = _mm256_maskload_epi32(cells.face + row0, inColumn);
        const __m256 covered =
            _mm256_castsi256_ps(_mm256_and_si256(inColumn, _mm256_cmpgt_epi32(face, _mm256_set1_epi32(-1))));
        __m256i* groupValues = reinterpret_cast<__m256i*>(values + row0);
        if (_mm256_testz_ps(covered, covered))
            _mm256_storeu_si256(groupValues, _mm256_setzero_si256());
        else if (inputs.shadingMode == shadingModeFlat)
            _mm256_storeu_si256(groupValues, flatRows(inputs.faces, face, covered));
        else
            _mm256_storeu_si256(groupValues,
                                _mm256_and_si256(shadeRows(inputs, x, rows, face, covered, loaded),
                                                 _mm256_castps_si256(covered)));
    }
    for (; row0 < FrameSurface::height; row0 += lanes)
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(values + row0), _mm256_setzero_si256());
}

} // namespace Quorvane
