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
    setColumns(x, 1, values, height);
}

void FrameSurface::setColumns(int x, int count, const std::uint32_t* values, int stride, int firstRow,
                              int lastRow)
{
    const auto column = [&](int i) { return values + static_cast<std::ptrdiff_t>(i) * stride; };
    firstRow = firstRow > 0 ? firstRow : 0;
    lastRow = lastRow < height - 1 ? lastRow : height - 1;
    // Rows from a multiple of four to before the next past lastRow are
    // transposed four at a time; the few before and after, pixel by pixel.
    const int alignedFirst = (firstRow + 3) / 4 * 4;
    const int alignedEnd = alignedFirst > lastRow + 1 ? alignedFirst : (lastRow + 1) / 4 * 4;
    const auto setRows = [&](int i, int first, int end) {
        for (int y = first; y < end; ++y)
            setPixel(x + i, y, column(i)[y]);
    };
    int i = 0;
    // Groups of four wholly on the surface; the rest one column at a time.
    for (; i + 4 <= count && x + i >= 0 && x + i + 4 <= width; i += 4) {
        std::uint32_t* row = pixels_.data() + static_cast<std::ptrdiff_t>(alignedFirst) * width + x + i;
        for (int y = alignedFirst; y + 4 <= alignedEnd; y += 4, row += 4 * width) {
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
        for (int c = 0; c < 4; ++c) {
            setRows(i + c, firstRow, alignedFirst < lastRow + 1 ? alignedFirst : lastRow + 1);
            setRows(i + c, alignedEnd, lastRow + 1);
        }
    }
    for (; i < count; ++i)
        setRows(i, firstRow, lastRow + 1);
}

const std::uint32_t* FrameSurface::pixels() const
{
    return pixels_.data();
}

} // namespace Quorvane
