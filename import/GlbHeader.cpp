#include "import/GlbHeader.h"

namespace Quorvane {

namespace {

std::uint32_t littleEndianWord(std::string_view bytes, std::size_t offset)
{
    std::uint32_t word = 0;
    for (std::size_t i = 4; i-- > 0;)
        word = (word << 8) | static_cast<unsigned char>(bytes[offset + i]);
    return word;
}

} // namespace

std::string glbHeaderProblem(std::string_view start, std::uintmax_t fileSize)
{
    if (start.size() < glbHeaderBytes || start.substr(0, 4) != "glTF")
        return {};
    if (littleEndianWord(start, 8) > fileSize || littleEndianWord(start, 12) > fileSize)
        return "its binary glTF header declares more bytes than the file holds";
    return {};
}

} // namespace Quorvane
