#include "import/PlyHeader.h"

#include "import/DeclaredCount.h"

#include <algorithm>
#include <array>

namespace Quorvane {

namespace {

constexpr std::string_view malformed = "its PLY header is malformed";

bool isHeaderCharacter(char c)
{
    return (c >= ' ' && c <= '~') || c == '\t';
}

bool isKnownLine(std::string_view line)
{
    constexpr std::array<std::string_view, 5> keywords = {"format ", "element ", "property ", "comment",
                                                          "obj_info"};
    return std::any_of(keywords.begin(), keywords.end(),
                       [line](std::string_view k) { return line.starts_with(k); });
}

// The count of an "element NAME COUNT" line; assimp reads one from a
// "comment" line the same way.
unsigned int elementCount(std::string_view line)
{
    for (int word = 0; word < 2; ++word) {
        line.remove_prefix(std::min(line.find_first_of(" \t"), line.size()));
        line.remove_prefix(std::min(line.find_first_not_of(" \t"), line.size()));
    }
    return declaredCount(line);
}

} // namespace

std::string plyHeaderProblem(std::string_view start, std::uintmax_t fileSize)
{
    start = start.substr(0, maxPlyHeaderBytes);
    bool first = true;
    while (!start.empty()) {
        const std::size_t end = start.find('\n');
        if (end == std::string_view::npos)
            break;
        std::string_view line = start.substr(0, end);
        start.remove_prefix(end + 1);
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t'))
            line.remove_suffix(1);
        if (!std::all_of(line.begin(), line.end(), isHeaderCharacter))
            return std::string(malformed);
        if (first) {
            if (line != "ply")
                return std::string(malformed);
            first = false;
        } else if (line == "end_header") {
            return {};
        } else if (!isKnownLine(line)) {
            return std::string(malformed);
        } else if (!countFitsFile(elementCount(line), fileSize)) {
            return "its PLY header declares more elements than the file holds";
        }
    }
    return "its PLY header has no end";
}

} // namespace Quorvane
