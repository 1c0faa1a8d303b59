#include "import/OffHeader.h"

#include "import/DeclaredCount.h"

namespace Quorvane {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\0';
}

// Blanks, line ends and "#" comments up to their line end, as assimp's OFF
// reader skips them between the header's tokens.
void skipToToken(std::string_view& text)
{
    while (!text.empty()) {
        if (isBlank(text.front())) {
            text.remove_prefix(1);
        } else if (text.front() == '#') {
            const std::size_t end = text.find_first_of("\r\n");
            text.remove_prefix(end == std::string_view::npos ? text.size() : end);
        } else {
            return;
        }
    }
}

void skipToken(std::string_view& text)
{
    std::size_t length = 0;
    while (length < text.size() && !isBlank(text[length]))
        ++length;
    text.remove_prefix(length);
    skipToToken(text);
}

// The keyword: "OFF" after any of the flags ST, C, N, 4 and n, in that
// order. Returns whether it names a dimension ("n"), which precedes the
// counts; a text without the keyword starts with the counts.
bool skipKeyword(std::string_view& text, bool& hasDimension)
{
    std::string_view flags = text;
    if (flags.starts_with("ST"))
        flags.remove_prefix(2);
    for (const char flag : {'C', 'N', '4'})
        if (flags.starts_with(flag))
            flags.remove_prefix(1);
    hasDimension = flags.starts_with('n');
    if (hasDimension)
        flags.remove_prefix(1);
    if (!flags.starts_with("OFF"))
        return false;
    text = flags.substr(3);
    skipToToken(text);
    return true;
}

} // namespace

std::string offHeaderProblem(std::string_view start, std::uintmax_t fileSize)
{
    std::string_view text = start.substr(0, maxOffHeaderBytes);
    skipToToken(text);
    bool hasDimension = false;
    if (skipKeyword(text, hasDimension) && hasDimension)
        skipToken(text);
    const unsigned int vertices = declaredCount(text);
    skipToken(text);
    const unsigned int faces = declaredCount(text);
    if (!countFitsFile(vertices, fileSize) || !countFitsFile(faces, fileSize))
        return "its OFF header declares more vertices or faces than the file holds";
    return {};
}

} // namespace Quorvane
