#include "render/FrameSurface.h"

#include <emmintrin.h>

namespace Quorvane {

std::uint32_t FrameSurface::pixel(int x, int y) const
{
    if (static_cast<unsigned>(x) >= static_cast<unsigned>(width)
        || static_cast<unsigned>(y) >= static_cast<unsigned>(height))
        return 0;
    return pixels_[static_cast<std::size_t>(y) * width + static_cast<std::size_t>(x)];
}

void FrameSurface::setColumn(int x, const std::uint32_t* values)
{
    if (static_cast<unsigned>(x) >= static_cast<unsigned>(width))
        return;
    std::uint32_t* pixel = pixels_.data() + x;
    for (int y = 0; y < height; ++y, pixel += width)
        *pixel = values[y];
}

void FrameSurface::setColumns(int x, int count, const std::uint32_t* values, int stride)
{
    const auto column = [&](int i) { return values + static_cast<std::ptrdiff_t>(i) * stride; };
    static_assert(height % 4 == 0);
    int i = 0;
    // Groups of four wholly on the surface; the rest one column at a time.
    for (; i + 4 <= count && x + i >= 0 && x + i + 4 <= width; i += 4) {
        std::uint32_t* row = pixels_.data() + x + i;
        for (int y = 0; y + 4 <= height; y += 4, row += 4 * width) {
            const auto load = [&](int c) {
                return _mm_castsi128_ps(_mm_loadu_si128(reinterpret_cast<const __m128i*>(column(i + c) + y)));
            };
            __m128 c0 = load(0), c1 = load(1), c2 = load(2), c3 = load(3);
            _MM_TRANSPOSE4_PS(c0, c1, c2, c3); // now c0 holds row y of the four columns, and so on
            _mm_storeu_si128(reinterpret_cast<__m128i*>(row), _mm_castps_si128(c0));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(row + width), _mm_castps_si128(c1));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(row + 2 * width), _mm_castps_si128(c2));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(row + 3 * width), _mm_castps_si128(c3));
        }
    }
    for (; i < count; ++i)
        setColumn(x + i, column(i));
}

const std::uint32_t* FrameSurface::pixels() const
{
    return pixels_.data();
}

} // namespace Quorvane
