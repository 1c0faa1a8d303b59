#include "import/OpenModel.h"

#include "app/FileMessages.h"
#include "import/ModelImporter.h"

#include <algorithm>
#include <iostream>
#include <streambuf>
#include <system_error>
#include <utility>
#include <vector>

namespace Quorvane {

namespace {

// Swallows the reader's line while it only tries a file that the importer may
// read after all.
class SilencedStandardError {
public:
    SilencedStandardError() : previous(std::cerr.rdbuf(&discard)) {}
    ~SilencedStandardError() { std::cerr.rdbuf(previous); }
    SilencedStandardError(const SilencedStandardError&) = delete;
    SilencedStandardError& operator=(const SilencedStandardError&) = delete;

private:
    class Discard : public std::streambuf {
    protected:
        int_type overflow(int_type c) override { return traits_type::not_eof(c); }
    };
    Discard discard;
    std::streambuf* previous;
};

MeshLoadStatus readWithOwnReader(const std::filesystem::path& path, Mesh& mesh)
{
    return loadMesh(path, mesh);
}

bool isEmptyFile(const std::filesystem::path& path)
{
    std::error_code error;
    return std::filesystem::file_size(path, error) == 0 && !error;
}

bool indicesInside(const std::vector<Vector3>& faces, std::size_t listSize)
{
    const double last = static_cast<double>(listSize);
    return std::all_of(faces.begin(), faces.end(), [last](const Vector3& face) {
        for (int corner = 0; corner < 3; ++corner) {
            if (!(face[corner] >= 1.0f && static_cast<double>(face[corner]) <= last))
                return false;
        }
        return true;
    });
}

bool readCompletely(MeshLoadStatus status, const Mesh& mesh)
{
    return status == MeshLoadStatus::loaded && !mesh.faceVertexIndices.empty()
        && indicesInside(mesh.faceVertexIndices, mesh.vertices.size())
        && indicesInside(mesh.faceUVIndices, mesh.uvs.size())
        && indicesInside(mesh.faceNormalIndices, mesh.normals.size());
}

bool isObjFile(const std::filesystem::path& path)
{
    std::u8string extension = path.extension().u8string();
    std::transform(extension.begin(), extension.end(), extension.begin(), [](char8_t c) {
        return c >= u8'A' && c <= u8'Z' ? static_cast<char8_t>(c - u8'A' + u8'a') : c;
    });
    return extension == u8".obj";
}

OpenedModel openWithOwnReader(const std::filesystem::path& path)
{
    OpenedModel opened;
    const MeshLoadStatus status = readWithOwnReader(path, opened.mesh);
    opened.reason = ownReaderProblem(status, opened.mesh, isEmptyFile(path));
    if (refusedUnread(status))
        opened.outcome = OpenOutcome::failed;
    else
        opened.outcome = opened.reason.empty() ? OpenOutcome::opened : OpenOutcome::openedInPart;
    return opened;
}

OpenedModel openWithImporter(const std::filesystem::path& path)
{
    ImportedModel imported = importModel(path);
    OpenedModel opened;
    opened.outcome = imported.problem.empty() ? OpenOutcome::opened : OpenOutcome::failed;
    opened.mesh = std::move(imported.mesh);
    opened.reason = std::move(imported.problem);
    return opened;
}

} // namespace

OpenedModel openModel(const std::filesystem::path& path, ModelReader reader)
{
    switch (reader) {
    case ModelReader::quorvane:
        return openWithOwnReader(path);
    case ModelReader::importer:
        return openWithImporter(path);
    case ModelReader::automatic:
        break;
    }
    if (isObjFile(path)) {
        OpenedModel opened;
        MeshLoadStatus status;
        {
            const SilencedStandardError silence;
            status = readWithOwnReader(path, opened.mesh);
        }
        if (readCompletely(status, opened.mesh)) {
            opened.outcome = OpenOutcome::opened;
            return opened;
        }
    }
    return openWithImporter(path);
}

std::string openMessage(const std::filesystem::path& path, const OpenedModel& opened)
{
    switch (opened.outcome) {
    case OpenOutcome::opened:
        return {};
    case OpenOutcome::openedInPart:
        return shownInPartMessage(path, opened.reason);
    case OpenOutcome::failed:
        return cannotOpenMessage(path, opened.reason);
    }
    return {};
}

} // namespace Quorvane
