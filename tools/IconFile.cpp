#include "tools/IconFile.h"

namespace Quorvane {

namespace {

constexpr std::uint32_t channel(std::uint32_t pixel, int shift)
{
    return (pixel >> shift) & 0xffu;
}

// The .ico layout is little-endian throughout.
void put16(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    out.push_back(static_cast<std::uint8_t>(value & 0xffu));
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xffu));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    put16(out, value & 0xffffu);
    put16(out, value >> 16);
}

void patch32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        out[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>((value >> (8 * i)) & 0xffu);
}

// Bitmap rows are padded to whole 32-bit words.
std::size_t rowBytes(int size, int bitsPerPixel)
{
    return (static_cast<std::size_t>(size) * static_cast<std::size_t>(bitsPerPixel) + 31) / 32 * 4;
}

constexpr std::uint32_t greyLevels = 256;

std::uint8_t greyIndex(std::uint32_t pixel)
{
    const std::uint32_t weighted =
        channel(pixel, 0) * 299 + channel(pixel, 8) * 587 + channel(pixel, 16) * 114;
    return static_cast<std::uint8_t>((weighted + 500) / 1000);
}

bool transparentAt(const IconImage& image, std::uint32_t pixel)
{
    const std::uint32_t opacity = channel(pixel, 24);
    return image.bitsPerPixel == 8 ? opacity < 128 : opacity == 0;
}

// The BITMAPINFOHEADER, the colour table of 8-bit images, the colour rows and
// the mask rows; rows go from the bottom up and the header counts both
// bitmaps in its height.
std::vector<std::uint8_t> encodeImage(const IconImage& image)
{
    const int size = image.picture.size;
    const bool paletted = image.bitsPerPixel == 8;
    const std::size_t colourRow = rowBytes(size, image.bitsPerPixel);
    const std::size_t maskRow = rowBytes(size, 1);
    const std::size_t rows = static_cast<std::size_t>(size);

    std::vector<std::uint8_t> out;
    put32(out, 40);
    put32(out, static_cast<std::uint32_t>(size));
    put32(out, static_cast<std::uint32_t>(2 * size));
    put16(out, 1);
    put16(out, static_cast<std::uint32_t>(image.bitsPerPixel));
    put32(out, 0); // BI_RGB
    put32(out, static_cast<std::uint32_t>((colourRow + maskRow) * rows));
    put32(out, 0);
    put32(out, 0);
    put32(out, paletted ? greyLevels : 0);
    put32(out, 0);
    if (paletted) {
        for (std::uint32_t grey = 0; grey < greyLevels; ++grey)
            put32(out, grey | (grey << 8) | (grey << 16));
    }

    const std::size_t colourStart = out.size();
    const std::size_t maskStart = colourStart + colourRow * rows;
    out.resize(maskStart + maskRow * rows, 0);
    for (int y = 0; y < size; ++y) {
        const std::size_t row = rows - 1 - static_cast<std::size_t>(y);
        std::uint8_t* colour = out.data() + colourStart + row * colourRow;
        std::uint8_t* mask = out.data() + maskStart + row * maskRow;
        for (int x = 0; x < size; ++x) {
            const std::uint32_t pixel =
                image.picture.pixels[static_cast<std::size_t>(y) * rows + static_cast<std::size_t>(x)];
            const bool transparent = transparentAt(image, pixel);
            const std::size_t column = static_cast<std::size_t>(x);
            if (paletted) {
                colour[column] = transparent ? 0 : greyIndex(pixel);
            } else {
                colour[4 * column] = static_cast<std::uint8_t>(channel(pixel, 16));
                colour[4 * column + 1] = static_cast<std::uint8_t>(channel(pixel, 8));
                colour[4 * column + 2] = static_cast<std::uint8_t>(channel(pixel, 0));
                colour[4 * column + 3] = static_cast<std::uint8_t>(channel(pixel, 24));
            }
            if (transparent)
                mask[column / 8] = static_cast<std::uint8_t>(mask[column / 8] | (0x80u >> (column % 8)));
        }
    }
    return out;
}

} // namespace

IconPicture shrinkToIcon(const FrameSurface& frame, int left, int top, int side, int size)
{
    IconPicture picture;
    picture.size = size;
    picture.pixels.assign(static_cast<std::size_t>(size) * static_cast<std::size_t>(size), 0);
    for (int row = 0; row < size; ++row) {
        const int y0 = top + row * side / size;
        const int y1 = top + (row + 1) * side / size;
        for (int column = 0; column < size; ++column) {
            const int x0 = left + column * side / size;
            const int x1 = left + (column + 1) * side / size;
            std::uint32_t red = 0, green = 0, blue = 0, covered = 0, all = 0;
            for (int y = y0; y < y1; ++y) {
                for (int x = x0; x < x1; ++x) {
                    ++all;
                    const std::uint32_t pixel = frame.pixel(x, y);
                    if (pixel == 0)
                        continue;
                    ++covered;
                    red += channel(pixel, 0);
                    green += channel(pixel, 8);
                    blue += channel(pixel, 16);
                }
            }
            if (covered == 0)
                continue;
            const std::uint32_t opacity = (255 * covered + all / 2) / all;
            const std::uint32_t half = covered / 2;
            picture.pixels[static_cast<std::size_t>(row) * static_cast<std::size_t>(size)
                           + static_cast<std::size_t>(column)] =
                ((red + half) / covered) | (((green + half) / covered) << 8)
                | (((blue + half) / covered) << 16) | (opacity << 24);
        }
    }
    return picture;
}

std::vector<std::uint8_t> encodeIconFile(const std::vector<IconImage>& images)
{
    constexpr std::size_t directoryBytes = 6;
    constexpr std::size_t entryBytes = 16;
    std::vector<std::uint8_t> out;
    put16(out, 0);
    put16(out, 1); // an icon, not a cursor
    put16(out, static_cast<std::uint32_t>(images.size()));
    out.resize(directoryBytes + entryBytes * images.size(), 0);

    for (std::size_t i = 0; i < images.size(); ++i) {
        const std::vector<std::uint8_t> image = encodeImage(images[i]);
        const std::size_t entry = directoryBytes + entryBytes * i;
        const int size = images[i].picture.size;
        // A width or height of 256 is written as 0: the field is one byte.
        out[entry] = static_cast<std::uint8_t>(size & 0xff);
        out[entry + 1] = static_cast<std::uint8_t>(size & 0xff);
        out[entry + 2] = 0; // colour count: 0 for 8 bits and more
        out[entry + 3] = 0;
        out[entry + 4] = 1; // planes
        out[entry + 5] = 0;
        out[entry + 6] = static_cast<std::uint8_t>(images[i].bitsPerPixel);
        out[entry + 7] = 0;
        patch32(out, entry + 8, static_cast<std::uint32_t>(image.size()));
        patch32(out, entry + 12, static_cast<std::uint32_t>(out.size()));
        out.insert(out.end(), image.begin(), image.end());
    }
    return out;
}

} // namespace Quorvane
