#include "import/OffText.h"

#include "import/DeclaredCount.h"

#include <algorithm>

namespace Quorvane {

namespace {

// assimp's reader works on the text with a NUL after it and stops at the
// first NUL; the cursor reads a NUL at and past the end.
class Cursor {
public:
    explicit Cursor(std::string_view text) : text(text) {}
    char at(std::size_t offset = 0) const
    {
        return position + offset < text.size() ? text[position + offset] : '\0';
    }
    void advance(std::size_t count = 1) { position += count; }
    std::string_view rest() const { return text.substr(std::min(position, text.size())); }

private:
    std::string_view text;
    std::size_t position = 0;
};

bool isLineEnd(char c)
{
    return c == '\r' || c == '\n' || c == '\0' || c == '\f';
}

void skipSpacesAndLineEnds(Cursor& cursor)
{
    while (cursor.at() == ' ' || cursor.at() == '\t' || cursor.at() == '\r' || cursor.at() == '\n')
        cursor.advance();
}

void skipLine(Cursor& cursor)
{
    while (cursor.at() != '\r' && cursor.at() != '\n' && cursor.at() != '\0')
        cursor.advance();
    while (cursor.at() == '\r' || cursor.at() == '\n')
        cursor.advance();
}

// Blanks, line ends and "#" comment lines between the header's tokens.
void nextToken(Cursor& cursor)
{
    skipSpacesAndLineEnds(cursor);
    while (cursor.at() == '#' || cursor.at() == '\n' || cursor.at() == '\r') {
        skipLine(cursor);
        skipSpacesAndLineEnds(cursor);
    }
}

unsigned int readCount(Cursor& cursor)
{
    const unsigned int count = declaredCount(cursor.rest());
    while (cursor.at() >= '0' && cursor.at() <= '9')
        cursor.advance();
    return count;
}

// The keyword, "OFF" after any of the flags ST, C, N, 4 and n in that order;
// returns whether the "n" flag announces a dimension before the counts.
bool skipKeyword(Cursor& cursor)
{
    if (cursor.at() == 'S' && cursor.at(1) == 'T')
        cursor.advance(2);
    for (const char flag : {'C', 'N', '4'})
        if (cursor.at() == flag)
            cursor.advance();
    const bool hasDimension = cursor.at() == 'n';
    if (hasDimension)
        cursor.advance();
    if (cursor.at() == 'O' && cursor.at(1) == 'F' && cursor.at(2) == 'F')
        cursor.advance(3);
    nextToken(cursor);
    return hasDimension;
}

constexpr std::size_t lineBufferSize = 4096;

// One line as assimp's GetNextLine takes it: up to a line end, then past the
// run of line ends. False at the end (a NUL). Sets tooLong for a line that
// fills the reader's whole buffer.
bool nextLine(Cursor& cursor, std::string_view& line, bool& tooLong)
{
    if (cursor.at() == '\0')
        return false;
    const std::string_view rest = cursor.rest();
    std::size_t length = 0;
    while (length < rest.size() && !isLineEnd(rest[length]))
        ++length;
    tooLong = tooLong || length >= lineBufferSize;
    line = rest.substr(0, length);
    cursor.advance(length);
    while (isLineEnd(cursor.at()) && cursor.at() != '\0')
        cursor.advance();
    return true;
}

} // namespace

std::string offTextProblem(std::string_view text)
{
    Cursor cursor(text);
    nextToken(cursor);
    if (skipKeyword(cursor)) {
        readCount(cursor);
        nextToken(cursor);
    }
    nextToken(cursor);
    const unsigned int vertices = readCount(cursor);
    nextToken(cursor);
    const unsigned int faces = readCount(cursor);
    nextToken(cursor);
    readCount(cursor);
    nextToken(cursor);
    if (!countFitsFile(vertices, text.size()) || !countFitsFile(faces, text.size()))
        return "its OFF header declares more vertices or faces than the file holds";

    std::string_view line;
    bool tooLong = false;
    for (unsigned int v = 0; v < vertices && nextLine(cursor, line, tooLong); ++v) {
    }
    unsigned int refused = 0;
    for (unsigned int f = 0; f < faces && nextLine(cursor, line, tooLong);) {
        line.remove_prefix(std::min(line.find_first_not_of(" \t"), line.size()));
        const unsigned int corners = declaredCount(line);
        if (corners == 0 || corners > 9)
            ++refused;
        else
            ++f;
    }
    if (tooLong)
        return "a line in it is longer than 4,095 characters";
    if (faces > 0 && refused >= faces)
        return "more of its face lines are malformed than it declares faces";
    return {};
}

} // namespace Quorvane
