#include "fuzz/ReferenceObjParser.h"

#include <cstring>
#include <istream>
#include <streambuf>

namespace Quorvane {

namespace {

// Reads one line in place: an input stream over the line's own characters,
// so that no line is copied into a string stream of its own. The stream only
// reads, so the characters are never written through the non-const pointers.
class LineBuffer : public std::streambuf {
public:
    void reset(std::string_view line)
    {
        char* begin = const_cast<char*>(line.data());
        setg(begin, begin, begin + line.size());
    }
};

enum class LineKind { position, normal, textureCoordinate, face, other };

LineKind classify(std::string_view line)
{
    if (line.starts_with("v "))
        return LineKind::position;
    if (line.starts_with("vn "))
        return LineKind::normal;
    if (line.starts_with("vt "))
        return LineKind::textureCoordinate;
    if (line.starts_with("f "))
        return LineKind::face;
    return LineKind::other;
}

// Formatted extraction as it stands: a number that fails to read is 0 and sets
// the stream's failbit, so every later read of the line leaves its zero-filled
// target alone. That is the rule for malformed numbers, so the state is not
// checked here.
Vector3 readVector3(std::istream& iss)
{
    Vector3 v;
    iss >> v.x >> v.y >> v.z;
    return v;
}

Vector2 readVector2(std::istream& iss)
{
    Vector2 v;
    iss >> v.x >> v.y;
    return v;
}

void skipKeyword(std::istream& iss, int letters)
{
    char trash = 0;
    for (int i = 0; i < letters; ++i)
        iss >> trash;
}

// Reads "a/b/c a/b/c a/b/c" into the three temporaries and returns how many
// complete references there were. A fourth reference still counts, and its
// indices land in x (index 3 picks x) before the caller rejects the line.
int readFace(std::istream& iss, Vector3& face, Vector3& texture, Vector3& normal)
{
    int counter = 0;
    for (;;) {
        int position = 0, uv = 0, normalIndex = 0;
        char separator = 0;
        if (!(iss >> position >> separator >> uv >> separator >> normalIndex))
            return counter;
        face[counter] = static_cast<float>(position);
        texture[counter] = static_cast<float>(uv);
        normal[counter] = static_cast<float>(normalIndex);
        ++counter;
    }
}

} // namespace

bool referenceParseObjLine(std::string_view line, Mesh& mesh)
{
    const LineKind kind = classify(line);
    if (kind == LineKind::other)
        return true;
    LineBuffer lineBuffer;
    lineBuffer.reset(line);
    std::istream iss(&lineBuffer);
    switch (kind) {
    case LineKind::position:
        skipKeyword(iss, 1);
        mesh.vertices.push_back(readVector3(iss));
        break;
    case LineKind::normal:
        skipKeyword(iss, 2);
        mesh.normals.push_back(normalize(readVector3(iss)));
        break;
    case LineKind::textureCoordinate:
        skipKeyword(iss, 2);
        mesh.uvs.push_back(readVector2(iss));
        break;
    case LineKind::face: {
        skipKeyword(iss, 1);
        Vector3 face, texture, normal;
        if (readFace(iss, face, texture, normal) != 3)
            return false;
        mesh.faceVertexIndices.push_back(face);
        mesh.faceUVIndices.push_back(texture);
        mesh.faceNormalIndices.push_back(normal);
        break;
    }
    case LineKind::other:
        break;
    }
    return true;
}

MeshLoadStatus referenceParseObjText(std::string_view text, Mesh& mesh)
{
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        if (!referenceParseObjLine(text.substr(0, end), mesh))
            return MeshLoadStatus::notTriangulated;
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return MeshLoadStatus::loaded;
}

namespace {

template <typename Element>
bool sameBits(const std::vector<Element>& a, const std::vector<Element>& b)
{
    return a.size() == b.size()
        && (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(Element)) == 0);
}

} // namespace

bool sameMeshBits(const Mesh& a, const Mesh& b)
{
    return sameBits(a.vertices, b.vertices) && sameBits(a.uvs, b.uvs) && sameBits(a.normals, b.normals)
        && sameBits(a.faceVertexIndices, b.faceVertexIndices) && sameBits(a.faceUVIndices, b.faceUVIndices)
        && sameBits(a.faceNormalIndices, b.faceNormalIndices);
}

} // namespace Quorvane
