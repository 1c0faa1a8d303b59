#include "scene/Mesh.h"

#include <fstream>
#include <iostream>
#include <streambuf>
#include <string>
#include <string_view>

namespace Quorvane {

namespace {

// Reads one line in place: an input stream over the line's own characters,
// so that no line is copied into a string stream of its own.
class LineBuffer : public std::streambuf {
public:
    void reset(std::string& line) { setg(line.data(), line.data(), line.data() + line.size()); }
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

Mesh::Mesh(const char* path)
{
    loadMesh(path, *this);
}

MeshLoadStatus loadMesh(const char* path, Mesh& mesh)
{
    std::ifstream inStream(path);
    if (!inStream) {
        std::cerr << "Error: cannot open model file " << path << std::endl;
        return MeshLoadStatus::cannotOpen;
    }

    std::string line;
    LineBuffer lineBuffer;
    std::istream iss(&lineBuffer);
    while (std::getline(inStream, line)) {
        // Every line starts with a good stream: clear what a failed read left.
        lineBuffer.reset(line);
        iss.clear();
        switch (classify(line)) {
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
            if (readFace(iss, face, texture, normal) != 3) {
                std::cerr << "Error: the obj file is supposed to be triangulated" << std::endl;
                return MeshLoadStatus::notTriangulated;
            }
            mesh.faceVertexIndices.push_back(face);
            mesh.faceUVIndices.push_back(texture);
            mesh.faceNormalIndices.push_back(normal);
            break;
        }
        case LineKind::other:
            break;
        }
    }
    return MeshLoadStatus::loaded;
}

} // namespace Quorvane
