#pragma once

#include "math/Vector.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace Quorvane {

// One model: six lists in file order. Face indices are the 1-based integers of
// the file stored as floats, unchecked; consumers take (value - 1) truncated.
struct Mesh {
    std::vector<Vector3> vertices;
    std::vector<Vector2> uvs;
    std::vector<Vector3> normals; // normalised as they are read
    std::vector<Vector3> faceVertexIndices;
    std::vector<Vector3> faceUVIndices;
    std::vector<Vector3> faceNormalIndices;

    Mesh() = default;
    // Reads a triangulated OBJ file; see loadMesh. Never throws or fails loudly
    // beyond loadMesh's one line on standard error.
    explicit Mesh(const char* path);
    explicit Mesh(const std::filesystem::path& path);
};

// How a load ended.
enum class MeshLoadStatus {
    loaded,          // the whole file was read
    cannotOpen,      // nothing read; the mesh stays empty
    notTriangulated, // stopped at a face line without exactly three corners
    notARegularFile, // a directory, device, FIFO or socket: refused unopened, the mesh stays empty
    tooLarge,        // larger than maxModelFileBytes; refused, or stopped once that much was read
    lineTooLong,     // stopped at a line longer than maxModelLineBytes
    readError,       // the system reported an error part way through
};

// No real model comes near these; they keep a wrong file (a disk image, an
// endless stream) from taking the memory and the time of the whole machine.
inline constexpr std::uint64_t maxModelFileBytes = std::uint64_t{4} << 30; // 4 GiB
inline constexpr std::size_t maxModelLineBytes = std::size_t{64} << 20;    // 64 MiB, line end not counted

// Appends the model in path to mesh. Only a regular file is opened: anything
// else is refused before it is opened, so a FIFO cannot block the caller.
// Every status but loaded writes meshLoadMessage's line to standard error.
// A load that stops part way (notTriangulated, tooLarge, lineTooLong,
// readError) keeps everything read before the line where it stopped.
MeshLoadStatus loadMesh(const std::filesystem::path& path, Mesh& mesh);

// The one line (without a line end) that tells the user how loading path
// ended; empty for loaded. UTF-8, whatever the platform's path encoding.
std::string meshLoadMessage(MeshLoadStatus status, const std::filesystem::path& path);

} // namespace Quorvane
