#pragma once

// Lane-by-lane twins of the scalar vector, lighting and pixel functions, for
// the files compiled for AVX2 alone (see render/CMakeLists.txt): only they may
// include this header, so that every copy of these inline functions the
// linker can choose is an AVX2 one, called only after processorHasAvx2().
#ifndef __AVX2__
#error "render/LanesAvx2.h is for files compiled for AVX2"
#endif

#include "math/Vector.h"

#include <immintrin.h>

namespace Quorvane::LanesAvx2 {

constexpr int lanes = 8;

// Each function below is the lane-by-lane twin of the scalar one it names,
// with the same operations in the same order; the comparisons are the
// ordered ones, false for NaN as in C++.

struct Lanes3 {
    __m256 x, y, z;
};

// Eight consecutive vectors, one per lane.
inline Lanes3 loadEight(const Vector3* vectors)
{
    alignas(32) float x[lanes], y[lanes], z[lanes];
    for (int k = 0; k < lanes; ++k) {
        x[k] = vectors[k].x;
        y[k] = vectors[k].y;
        z[k] = vectors[k].z;
    }
    return {_mm256_load_ps(x), _mm256_load_ps(y), _mm256_load_ps(z)};
}

inline Lanes3 broadcast(const Vector3& v)
{
    return {_mm256_set1_ps(v.x), _mm256_set1_ps(v.y), _mm256_set1_ps(v.z)};
}

inline Lanes3 times(const Lanes3& v, __m256 s) // Vector3::operator*(float)
{
    return {_mm256_mul_ps(v.x, s), _mm256_mul_ps(v.y, s), _mm256_mul_ps(v.z, s)};
}

inline Lanes3 plus(const Lanes3& a, const Lanes3& b)
{
    return {_mm256_add_ps(a.x, b.x), _mm256_add_ps(a.y, b.y), _mm256_add_ps(a.z, b.z)};
}

inline Lanes3 minus(const Lanes3& a, const Lanes3& b)
{
    return {_mm256_sub_ps(a.x, b.x), _mm256_sub_ps(a.y, b.y), _mm256_sub_ps(a.z, b.z)};
}

inline Lanes3 cross(const Lanes3& a, const Lanes3& b) // Vector3::cross
{
    return {_mm256_sub_ps(_mm256_mul_ps(a.y, b.z), _mm256_mul_ps(a.z, b.y)),
            _mm256_sub_ps(_mm256_mul_ps(a.z, b.x), _mm256_mul_ps(a.x, b.z)),
            _mm256_sub_ps(_mm256_mul_ps(a.x, b.y), _mm256_mul_ps(a.y, b.x))};
}

inline __m256 dot(const Lanes3& a, const Lanes3& b) // (x * b.x + y * b.y) + z * b.z
{
    return _mm256_add_ps(_mm256_add_ps(_mm256_mul_ps(a.x, b.x), _mm256_mul_ps(a.y, b.y)),
                         _mm256_mul_ps(a.z, b.z));
}

inline __m256 length(const Lanes3& v)
{
    return _mm256_sqrt_ps(dot(v, v));
}

inline __m256 cosAngle(const Lanes3& a, const Lanes3& b)
{
    return _mm256_div_ps(dot(a, b), _mm256_mul_ps(length(a), length(b)));
}

inline Lanes3 normalize(const Lanes3& v)
{
    const __m256 len = length(v);
    return {_mm256_div_ps(v.x, len), _mm256_div_ps(v.y, len), _mm256_div_ps(v.z, len)};
}

inline Lanes3 reflect(const Lanes3& v, const Lanes3& n)
{
    const Lanes3 unitNormal = normalize(n);
    const __m256 d = dot(v, unitNormal);
    const Lanes3 projectOnNormal = times(unitNormal, d);
    return minus(v, times(projectOnNormal, _mm256_set1_ps(2.0f)));
}

inline __m256 notNegative(__m256 value)
{
    return _mm256_blendv_ps(value, _mm256_setzero_ps(),
                            _mm256_cmp_ps(value, _mm256_setzero_ps(), _CMP_LT_OQ));
}

// fifthPower: the power in double precision, rounded to float once.
inline __m256 fifthPower(__m256 base)
{
    const auto half = [](__m128 quarter) {
        const __m256d b = _mm256_cvtps_pd(quarter);
        const __m256d square = _mm256_mul_pd(b, b);
        return _mm256_cvtpd_ps(_mm256_mul_pd(_mm256_mul_pd(square, square), b));
    };
    return _mm256_set_m128(half(_mm256_extractf128_ps(base, 1)), half(_mm256_castps256_ps128(base)));
}

// channelByte for a channel at most 1, or NaN, as overflowToWhite leaves it:
// 0 unless above 0 (NaN too), else truncated. The product is then at most
// 255, so truncation alone gives channelByte's 255 at 1.
inline __m256i channelByte(__m256 channel)
{
    const __m256 scaled = _mm256_mul_ps(channel, _mm256_set1_ps(255.0f));
    const __m256 positive = _mm256_cmp_ps(scaled, _mm256_setzero_ps(), _CMP_GT_OQ);
    return _mm256_and_si256(_mm256_cvttps_epi32(scaled), _mm256_castps_si256(positive));
}

// overflowToWhite, then toPixel.
inline __m256i toPixel(Lanes3 color)
{
    const __m256 one = _mm256_set1_ps(1.0f);
    const __m256 overflow = _mm256_or_ps(
        _mm256_or_ps(_mm256_cmp_ps(color.x, one, _CMP_GT_OQ), _mm256_cmp_ps(color.y, one, _CMP_GT_OQ)),
        _mm256_cmp_ps(color.z, one, _CMP_GT_OQ));
    color = {_mm256_blendv_ps(color.x, one, overflow), _mm256_blendv_ps(color.y, one, overflow),
             _mm256_blendv_ps(color.z, one, overflow)};
    return _mm256_or_si256(_mm256_or_si256(_mm256_slli_epi32(channelByte(color.z), 16),
                                           _mm256_slli_epi32(channelByte(color.y), 8)),
                           channelByte(color.x));
}

} // namespace Quorvane::LanesAvx2
