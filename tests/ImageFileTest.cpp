#include "tools/ImageFile.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace Quorvane {
namespace {

TEST(ImageFileFormat, FollowsTheFileNameEnding)
{
    EXPECT_EQ(imageFormatFor("frame.png"), ImageFormat::png);
    EXPECT_EQ(imageFormatFor("out/Frame.PPM"), ImageFormat::ppm);
    EXPECT_EQ(imageFormatFor("frame.bmp"), ImageFormat::unknown);
    EXPECT_EQ(imageFormatFor("png"), ImageFormat::unknown);
}

TEST(ImageFilePpm, WritesRedGreenBlueFromTheLowByteUp)
{
    FrameSurface surface;
    surface.setPixel(1, 0, 0x00332211);
    surface.setPixel(0, 1, 0x00ccbbaa);
    std::ostringstream out;
    ASSERT_TRUE(writePpm(surface, out));
    const std::string ppm = out.str();
    const std::string header = "P6\n500 500\n255\n";
    ASSERT_EQ(ppm.size(), header.size() + 500u * 500u * 3u);
    EXPECT_EQ(ppm.substr(0, header.size()), header);
    EXPECT_EQ(ppm.substr(header.size() + 3, 3), "\x11\x22\x33");
    EXPECT_EQ(ppm.substr(header.size() + 500 * 3, 3), "\xaa\xbb\xcc");
    EXPECT_EQ(ppm.substr(header.size(), 3), std::string(3, '\0'));
}

TEST(ImageFilePng, WritesAPngSignatureAndReportsAFailedStream)
{
    const FrameSurface surface;
    std::ostringstream out;
    ASSERT_TRUE(writePng(surface, out));
    EXPECT_EQ(out.str().substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
    std::ostringstream broken;
    broken.setstate(std::ios::badbit);
    EXPECT_FALSE(writePng(surface, broken));
    EXPECT_FALSE(writePpm(surface, broken));
}

} // namespace
} // namespace Quorvane
