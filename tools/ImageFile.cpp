#include "tools/ImageFile.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <vector>

namespace Quorvane {

namespace {

constexpr int width = FrameSurface::width;
constexpr int height = FrameSurface::height;

// Row by row, three bytes per pixel: red (the low byte of 0x00BBGGRR), green, blue.
std::vector<unsigned char> rgbBytes(const FrameSurface& surface)
{
    std::vector<unsigned char> bytes;
    bytes.reserve(static_cast<std::size_t>(width) * height * 3);
    const std::uint32_t* pixels = surface.pixels();
    for (int i = 0; i < width * height; ++i) {
        bytes.push_back(static_cast<unsigned char>(pixels[i] & 0xff));
        bytes.push_back(static_cast<unsigned char>((pixels[i] >> 8) & 0xff));
        bytes.push_back(static_cast<unsigned char>((pixels[i] >> 16) & 0xff));
    }
    return bytes;
}

void appendToStream(void* context, void* data, int size)
{
    static_cast<std::ostream*>(context)->write(static_cast<const char*>(data), size);
}

bool endsWith(const std::string& text, const std::string& suffix)
{
    if (text.size() < suffix.size())
        return false;
    return std::equal(suffix.begin(), suffix.end(), text.end() - static_cast<std::ptrdiff_t>(suffix.size()),
                      [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); });
}

} // namespace

ImageFormat imageFormatFor(const std::string& fileName)
{
    if (endsWith(fileName, ".png"))
        return ImageFormat::png;
    if (endsWith(fileName, ".ppm"))
        return ImageFormat::ppm;
    return ImageFormat::unknown;
}

bool writePpm(const FrameSurface& surface, std::ostream& out)
{
    const std::vector<unsigned char> bytes = rgbBytes(surface);
    out << "P6\n" << width << ' ' << height << "\n255\n";
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    return static_cast<bool>(out);
}

bool writePng(const FrameSurface& surface, std::ostream& out)
{
    const std::vector<unsigned char> bytes = rgbBytes(surface);
    const int written =
        stbi_write_png_to_func(appendToStream, &out, width, height, 3, bytes.data(), width * 3);
    out.flush();
    return written != 0 && static_cast<bool>(out);
}

bool writeRgbaPng(int size, const std::vector<std::uint32_t>& pixels, std::ostream& out)
{
    if (size <= 0 || pixels.size() != static_cast<std::size_t>(size) * static_cast<std::size_t>(size))
        return false;
    std::vector<unsigned char> bytes;
    bytes.reserve(pixels.size() * 4);
    for (const std::uint32_t pixel : pixels)
        for (int shift = 0; shift < 32; shift += 8)
            bytes.push_back(static_cast<unsigned char>((pixel >> shift) & 0xff));
    const int written = stbi_write_png_to_func(appendToStream, &out, size, size, 4, bytes.data(), size * 4);
    out.flush();
    return written != 0 && static_cast<bool>(out);
}

} // namespace Quorvane
