#include "scene/Mesh.h"

#include "scene/ObjParser.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <fstream>
#include <iostream>
#include <string_view>
#include <system_error>

namespace Quorvane {

namespace {

// What one read asks the system for.
constexpr std::size_t chunkBytes = std::size_t{1} << 20;

// Decides from the file's metadata alone, before anything opens it: opening a
// FIFO without a writer would block, and a device may never end.
MeshLoadStatus refuseBeforeOpening(const std::filesystem::path& path)
{
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (error || !std::filesystem::exists(status))
        return MeshLoadStatus::cannotOpen;
    if (!std::filesystem::is_regular_file(status))
        return MeshLoadStatus::notARegularFile;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (!error && size > maxModelFileBytes)
        return MeshLoadStatus::tooLarge;
    return MeshLoadStatus::loaded;
}

// Reads the stream in large chunks and hands each complete line to
// readLine, which returns false to stop there as notTriangulated; an
// unfinished line moves to the front of the buffer to wait for the rest. The
// byte count bounds a file that grows, or was swapped, after the check; the
// line length bounds the buffer.
template <typename ReadLine>
MeshLoadStatus readLines(std::istream& in, ReadLine readLine)
{
    std::vector<char> buffer(chunkBytes);
    std::size_t kept = 0; // bytes of an unfinished line at the buffer's front
    std::uint64_t total = 0;
    for (;;) {
        if (buffer.size() < kept + chunkBytes)
            buffer.resize(
                std::min(std::max(kept + chunkBytes, buffer.size() * 2), maxModelLineBytes + chunkBytes));
        in.read(buffer.data() + kept, static_cast<std::streamsize>(chunkBytes));
        // A failed read sets badbit; end of file only eofbit and failbit.
        if (in.bad())
            return MeshLoadStatus::readError;
        const auto got = static_cast<std::size_t>(in.gcount());
        total += got;
        if (total > maxModelFileBytes)
            return MeshLoadStatus::tooLarge;

        const std::size_t end = kept + got;
        std::size_t start = 0;
        // The kept bytes hold no line end: the search starts after them.
        std::size_t searchFrom = kept;
        while (const void* found = std::memchr(buffer.data() + searchFrom, '\n', end - searchFrom)) {
            const auto lineEnd = static_cast<std::size_t>(static_cast<const char*>(found) - buffer.data());
            if (lineEnd - start > maxModelLineBytes)
                return MeshLoadStatus::lineTooLong;
            if (!readLine(std::string_view(buffer.data() + start, lineEnd - start)))
                return MeshLoadStatus::notTriangulated;
            start = lineEnd + 1;
            searchFrom = start;
        }
        const std::size_t rest = end - start;
        if (rest > maxModelLineBytes)
            return MeshLoadStatus::lineTooLong;
        if (!in) {
            if (rest > 0 && !readLine(std::string_view(buffer.data() + start, rest)))
                return MeshLoadStatus::notTriangulated;
            return MeshLoadStatus::loaded;
        }
        if (start > 0)
            std::memmove(buffer.data(), buffer.data() + start, rest);
        kept = rest;
    }
}

// Counts the lines of each kind in a first pass and makes room for them, then
// rewinds the stream. Grown one entry at a time, a list of a large model
// moves to a new block about twenty times, and the system zero-fills every
// new block page by page: with the copies, that took half as long as the
// parsing. Reading the file a second time, from the system's cache, costs
// less. The counts are only a hint: a file changed between the passes reads
// correctly all the same, and room that cannot be had is not made.
void reserveLists(std::istream& in, Mesh& mesh)
{
    ObjLineCounts counts;
    const MeshLoadStatus status = readLines(in, [&counts](std::string_view line) {
        countObjLine(line, counts);
        return true;
    });
    in.clear();
    in.seekg(0);
    if (status != MeshLoadStatus::loaded)
        return;
    try {
        mesh.vertices.reserve(mesh.vertices.size() + counts.vertices);
        mesh.uvs.reserve(mesh.uvs.size() + counts.uvs);
        mesh.normals.reserve(mesh.normals.size() + counts.normals);
        mesh.faceVertexIndices.reserve(mesh.faceVertexIndices.size() + counts.faces);
        mesh.faceUVIndices.reserve(mesh.faceUVIndices.size() + counts.faces);
        mesh.faceNormalIndices.reserve(mesh.faceNormalIndices.size() + counts.faces);
    } catch (const std::exception&) {
        // bad_alloc or length_error: read without the room made.
    }
}

// Lets go of the room made for lines that a load which stopped never read: a
// file of face lines that are all refused would hold room for each of them.
void giveBackRoom(Mesh& mesh)
{
    try {
        mesh.vertices.shrink_to_fit();
        mesh.uvs.shrink_to_fit();
        mesh.normals.shrink_to_fit();
        mesh.faceVertexIndices.shrink_to_fit();
        mesh.faceUVIndices.shrink_to_fit();
        mesh.faceNormalIndices.shrink_to_fit();
    } catch (const std::exception&) {
        // The room that cannot be given back stays.
    }
}

MeshLoadStatus readModel(const std::filesystem::path& path, Mesh& mesh)
{
    const MeshLoadStatus refusal = refuseBeforeOpening(path);
    if (refusal != MeshLoadStatus::loaded)
        return refusal;
    // Text mode, as the model has always been read: on Windows the runtime
    // turns CR LF into LF beneath the reader.
    std::ifstream in(path);
    if (!in)
        return MeshLoadStatus::cannotOpen;
    reserveLists(in, mesh);
    const MeshLoadStatus status =
        readLines(in, [&mesh](std::string_view line) { return parseObjLine(line, mesh); });
    if (status != MeshLoadStatus::loaded)
        giveBackRoom(mesh);
    return status;
}

// The path as UTF-8 bytes; a name the platform cannot convert still gets a
// readable message.
std::string displayName(const std::filesystem::path& path)
{
    try {
        const std::u8string name = path.u8string();
        return std::string(name.begin(), name.end());
    } catch (...) {
        return "(a file name that cannot be shown)";
    }
}

} // namespace

Mesh::Mesh(const char* path)
{
    loadMesh(std::filesystem::path(path), *this);
}

Mesh::Mesh(const std::filesystem::path& path)
{
    loadMesh(path, *this);
}

MeshLoadStatus loadMesh(const std::filesystem::path& path, Mesh& mesh)
{
    const MeshLoadStatus status = readModel(path, mesh);
    if (status != MeshLoadStatus::loaded)
        std::cerr << meshLoadMessage(status, path) << std::endl;
    return status;
}

std::string meshLoadMessage(MeshLoadStatus status, const std::filesystem::path& path)
{
    switch (status) {
    case MeshLoadStatus::loaded:
        return {};
    case MeshLoadStatus::cannotOpen:
        return "Error: cannot open model file " + displayName(path);
    case MeshLoadStatus::notTriangulated:
        return "Error: the obj file is supposed to be triangulated";
    case MeshLoadStatus::notARegularFile:
        return "Error: model file " + displayName(path)
             + " is not a regular file (a directory, device, FIFO or socket); it was not opened";
    case MeshLoadStatus::tooLarge:
        return "Error: model file " + displayName(path) + " is larger than 4 GiB, the limit for a model";
    case MeshLoadStatus::lineTooLong:
        return "Error: model file " + displayName(path)
             + " has a line longer than 64 MiB, the limit for one line; loading stopped there";
    case MeshLoadStatus::readError:
        return "Error: reading model file " + displayName(path) + " failed; loading stopped there";
    }
    return "Error: model file " + displayName(path) + " could not be loaded";
}

} // namespace Quorvane
