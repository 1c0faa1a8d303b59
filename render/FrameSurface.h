#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace Quorvane {

// One frame: 500 x 500 pixel values 0x00BBGGRR, all black when new. Pixel
// (x, y) is column x from the left and row y from the top.
class FrameSurface {
public:
    static constexpr int width = 500;
    static constexpr int height = 500;

    // Sets one pixel; a position outside 0..499 in either coordinate is ignored.
    // Defined here so that the fills' per-pixel write is inlined.
    void setPixel(int x, int y, std::uint32_t value)
    {
        if (static_cast<unsigned>(x) < static_cast<unsigned>(width)
            && static_cast<unsigned>(y) < static_cast<unsigned>(height))
            pixels_[static_cast<std::size_t>(y) * width + static_cast<std::size_t>(x)] = value;
    }

    // setPixel for threads that may set one pixel at the same time, each to
    // the same value: a relaxed atomic store, on x86-64 the same plain store,
    // but no data race.
    void setPixelShared(int x, int y, std::uint32_t value)
    {
        if (static_cast<unsigned>(x) < static_cast<unsigned>(width)
            && static_cast<unsigned>(y) < static_cast<unsigned>(height))
            std::atomic_ref<std::uint32_t>(
                pixels_[static_cast<std::size_t>(y) * width + static_cast<std::size_t>(x)])
                .store(value, std::memory_order_relaxed);
    }

    // Sets every pixel of column x to values[y], row y from 0 to 499; a column
    // outside 0..499 is ignored.
    void setColumn(int x, const std::uint32_t* values);

    // Sets rows firstRow to lastRow of columns x to x + count - 1, pixel
    // (x + i, y) to values[i * stride + y]; columns and rows outside the
    // surface are ignored. Four columns at a time are written row by row, a
    // run of four pixels per store, where one column at a time writes each of
    // the surface's rows on its own.
    void setColumns(int x, int count, const std::uint32_t* values, int stride, int firstRow = 0,
                    int lastRow = height - 1);

    // The value of one pixel; 0 outside the surface.
    std::uint32_t pixel(int x, int y) const;

    // All pixels row by row (row 0 first), for showing the frame in one block.
    const std::uint32_t* pixels() const;

private:
    std::vector<std::uint32_t> pixels_ = std::vector<std::uint32_t>(width * height, 0);
};

} // namespace Quorvane
