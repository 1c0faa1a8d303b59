#include "import/PlyHeader.h"

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
    constexpr std::array<std::string_view, 5> keywords = {"format ", "element ", "property ", "comment", "obj_info"};
    return std::any_of(keywords.begin(), keywords.end(), [line](std::string_view k) { return line.starts_with(k); });
}

} // namespace

std::string plyHeaderProblem(std::string_view start)
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
        }
    }
    return "its PLY header has no end";
}

} // namespace Quorvane
