#pragma once

#include "math/Vector.h"

#include <vector>

namespace Quorvane {

// One model: six lists in file order. Face indices are the 1-based integers of
// the file stored as floats, unchecked; consumers take (value - 1) truncated.
struct Mesh {
    std::vector<Vector3> vertices;
    std::vector<Vector2> uvs;
    std::vector<Vector3> normals;            // normalised as they are read
    std::vector<Vector3> faceVertexIndices;
    std::vector<Vector3> faceUVIndices;
    std::vector<Vector3> faceNormalIndices;

    Mesh() = default;
    // Reads a triangulated OBJ file; see loadMesh. Never throws or fails loudly
    // beyond loadMesh's one line on standard error.
    explicit Mesh(const char* path);
};

// How a load ended.
enum class MeshLoadStatus {
    loaded,            // the whole file was read
    cannotOpen,        // nothing read; the mesh stays empty
    notTriangulated,   // stopped at a face line without exactly three corners
};

// Appends the model in path to mesh. A file that cannot be opened, and a face
// line that is not a triangle of complete v/vt/vn references, each write one
// line to standard error; the second keeps everything read before that line.
MeshLoadStatus loadMesh(const char* path, Mesh& mesh);

} // namespace Quorvane
