#include "app/FileMessages.h"

#include <system_error>

namespace Quorvane {

std::string displayPath(const std::filesystem::path& path)
{
    const std::u8string text = std::filesystem::path(path).make_preferred().u8string();
    return std::string(text.begin(), text.end());
}

// Appended piece by piece: GCC 12 warns falsely (-Wrestrict) about a chain of
// operator+ that starts with a literal.
std::string cannotOpenMessage(const std::filesystem::path& path, const std::string& reason)
{
    std::string message = "Cannot open \"";
    message.append(displayPath(path)).append("\": ").append(reason).append(".");
    return message;
}

std::string shownInPartMessage(const std::filesystem::path& path, const std::string& reason)
{
    std::string message = "\"";
    message.append(displayPath(path)).append("\" is shown only in part: ").append(reason).append(".");
    return message;
}

std::string cannotSaveFrameMessage(const std::filesystem::path& path)
{
    std::string message = "Cannot write \"";
    message.append(displayPath(path)).append("\": the file cannot be created or written.");
    return message;
}

bool refusedUnread(MeshLoadStatus status)
{
    return status == MeshLoadStatus::cannotOpen || status == MeshLoadStatus::notARegularFile
        || status == MeshLoadStatus::tooLarge;
}

std::string ownReaderMessage(const std::filesystem::path& path, MeshLoadStatus status, const Mesh& mesh)
{
    if (status == MeshLoadStatus::cannotOpen)
        return {};
    std::error_code error;
    const bool fileIsEmpty = std::filesystem::file_size(path, error) == 0 && !error;
    const std::string reason = ownReaderProblem(status, mesh, fileIsEmpty);
    if (reason.empty())
        return {};
    return refusedUnread(status) ? cannotOpenMessage(path, reason) : shownInPartMessage(path, reason);
}

std::string ownReaderProblem(MeshLoadStatus status, const Mesh& mesh, bool fileIsEmpty)
{
    switch (status) {
    case MeshLoadStatus::cannotOpen:
        return "the file cannot be opened for reading";
    case MeshLoadStatus::notTriangulated:
        return "a face is not a triangle of three complete v/vt/vn references, so reading stopped there";
    case MeshLoadStatus::notARegularFile:
        return "it is not a regular file but a directory, device, FIFO or socket";
    case MeshLoadStatus::tooLarge:
        return "it is larger than 4 GiB, the limit for a model";
    case MeshLoadStatus::lineTooLong:
        return "a line is longer than 64 MiB, the limit for one line, so reading stopped there";
    case MeshLoadStatus::readError:
        return "the system reported an error while reading it, so reading stopped there";
    case MeshLoadStatus::loaded:
        break;
    }
    if (fileIsEmpty)
        return "the file is empty";
    if (mesh.faceVertexIndices.empty())
        return "it has no faces";
    return {};
}

} // namespace Quorvane
