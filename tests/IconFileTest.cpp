#include "tools/IconFile.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

using namespace Quorvane;

std::uint32_t read16(const std::vector<std::uint8_t>& bytes, std::size_t at)
{
    return static_cast<std::uint32_t>(bytes[at] | (bytes[at + 1] << 8));
}

std::uint32_t read32(const std::vector<std::uint8_t>& bytes, std::size_t at)
{
    return read16(bytes, at) | (read16(bytes, at + 2) << 16);
}

// A size x size picture whose pixels are all transparent except (x, y).
IconPicture onePixel(int size, int x, int y, std::uint32_t value)
{
    IconPicture picture;
    picture.size = size;
    picture.pixels.assign(static_cast<std::size_t>(size * size), 0);
    picture.pixels[static_cast<std::size_t>(y * size + x)] = value;
    return picture;
}

TEST(IconShrink, AveragesCoveredPixelsAndGivesTheirShareAsOpacity)
{
    FrameSurface frame;
    // Block (0, 0) of a 2 x 2 shrink of the square at (10, 20) with side 4:
    // two of its four pixels covered.
    frame.setPixel(10, 20, 0x00102030);
    frame.setPixel(11, 21, 0x00305070);
    frame.setPixel(13, 23, 0x00ffffff); // block (1, 1), alone
    const IconPicture picture = shrinkToIcon(frame, 10, 20, 4, 2);
    ASSERT_EQ(picture.size, 2);
    ASSERT_EQ(picture.pixels.size(), 4u);
    EXPECT_EQ(picture.pixels[0], 0x80203850u); // mean colour, opacity 255 * 2 / 4 rounded
    EXPECT_EQ(picture.pixels[1], 0u);
    EXPECT_EQ(picture.pixels[2], 0u);
    EXPECT_EQ(picture.pixels[3], 0x40ffffffu);
}

TEST(IconShrink, TreatsPixelsOutsideTheFrameAsUncovered)
{
    FrameSurface frame;
    frame.setPixel(0, 0, 0x00ffffff);
    const IconPicture picture = shrinkToIcon(frame, -1, -1, 2, 1);
    EXPECT_EQ(picture.pixels[0], 0x40ffffffu);
}

TEST(IconFileLayout, DirectoryListsEachImageWithSizeDepthLengthAndOffset)
{
    const std::vector<std::uint8_t> file =
        encodeIconFile({{onePixel(256, 0, 0, 0xff000000), 8}, {onePixel(16, 0, 0, 0xff000000), 32}});
    EXPECT_EQ(read16(file, 0), 0u);
    EXPECT_EQ(read16(file, 2), 1u);
    ASSERT_EQ(read16(file, 4), 2u);

    const std::size_t first = 6, second = 22;
    EXPECT_EQ(file[first], 0); // 256 is written as 0
    EXPECT_EQ(file[first + 1], 0);
    EXPECT_EQ(read16(file, first + 6), 8u);
    EXPECT_EQ(file[second], 16);
    EXPECT_EQ(read16(file, second + 6), 32u);

    // 8 bits: header, 256 palette entries, 256 rows of 256 indices, 256 mask rows of 32 bytes.
    EXPECT_EQ(read32(file, first + 8), 40u + 1024u + 65536u + 8192u);
    EXPECT_EQ(read32(file, first + 12), 38u);
    // 32 bits: header, 16 rows of 64 bytes, 16 mask rows padded to 4 bytes.
    EXPECT_EQ(read32(file, second + 8), 40u + 1024u + 64u);
    EXPECT_EQ(read32(file, second + 12), 38u + read32(file, first + 8));
    EXPECT_EQ(file.size(), read32(file, second + 12) + read32(file, second + 8));
}

TEST(IconFileLayout, ThirtyTwoBitImageStoresRowsBottomUpAsBlueGreenRedAlpha)
{
    const std::vector<std::uint8_t> file = encodeIconFile({{onePixel(16, 3, 0, 0x80332211), 32}});
    const std::size_t image = read32(file, 18);
    EXPECT_EQ(read32(file, image + 4), 16u);
    EXPECT_EQ(read32(file, image + 8), 32u); // colour and mask counted in the height
    EXPECT_EQ(read16(file, image + 14), 32u);

    // Picture row 0 is the last of the 16 colour rows.
    const std::size_t pixel = image + 40 + 15 * 64 + 3 * 4;
    EXPECT_EQ(file[pixel], 0x33); // blue: the pixel value's third byte
    EXPECT_EQ(file[pixel + 1], 0x22);
    EXPECT_EQ(file[pixel + 2], 0x11); // red: its low byte
    EXPECT_EQ(file[pixel + 3], 0x80);

    // Mask: set where fully transparent; the partly opaque pixel stays clear.
    const std::size_t mask = image + 40 + 16 * 64;
    EXPECT_EQ(file[mask + 15 * 4], 0xef); // row 0: every bit but x = 3
    EXPECT_EQ(file[mask], 0xff);          // row 15: all transparent
}

TEST(IconFileLayout, EightBitImageUsesGreyPaletteAndHidesMostlyTransparentPixels)
{
    IconPicture picture = onePixel(16, 0, 0, 0xff808080);
    picture.pixels[1] = 0x7fffffff; // less than half opaque
    const std::vector<std::uint8_t> file = encodeIconFile({{picture, 8}});
    const std::size_t image = read32(file, 18);
    EXPECT_EQ(read16(file, image + 14), 8u);
    EXPECT_EQ(read32(file, image + 32), 256u);
    EXPECT_EQ(read32(file, image + 40 + 4 * 200), 0x00c8c8c8u); // palette entry 200 is grey 200

    const std::size_t row0 = image + 40 + 1024 + 15 * 16;
    EXPECT_EQ(file[row0], 0x80);
    EXPECT_EQ(file[row0 + 1], 0);
    const std::size_t maskRow0 = image + 40 + 1024 + 16 * 16 + 15 * 4;
    EXPECT_EQ(file[maskRow0], 0x7f); // only x = 0 shows
}

} // namespace
