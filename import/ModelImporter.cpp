#include "import/ModelImporter.h"

#include "app/ModelFormats.h"
#include "import/GlbHeader.h"
#include "import/ModelFiles.h"
#include "import/OffText.h"
#include "import/PlyHeader.h"

#include <assimp/BaseImporter.h>
#include <assimp/Importer.hpp>
#include <assimp/config.h>
#include <assimp/mesh.h>
#include <assimp/postprocess.h>
#include <assimp/scene.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <exception>
#include <fstream>
#include <functional>
#include <new>
#include <set>
#include <system_error>

namespace Quorvane {

namespace {

// Run on a scene that rawSceneProblem has passed. PreTransformVertices
// applies the node transforms and leaves the meshes at the root; SortByPType
// with the removal below drops point and line meshes.
constexpr unsigned int importSteps = aiProcess_Triangulate | aiProcess_JoinIdenticalVertices
                                   | aiProcess_GenSmoothNormals | aiProcess_PreTransformVertices
                                   | aiProcess_SortByPType;

struct Bounds {
    double low[3] = {0, 0, 0};
    double high[3] = {0, 0, 0};
};

std::string nodeProblem(const aiNode* node, unsigned int meshes, int depth)
{
    // Deeper than any real scene; a cycle or a hostile file would otherwise
    // exhaust the stack.
    constexpr int deepest = 1000;
    if (!node)
        return "its scene has no root";
    if (depth > deepest)
        return "its node hierarchy is too deep";
    for (unsigned int i = 0; i < node->mNumMeshes; ++i)
        if (!node->mMeshes || node->mMeshes[i] >= meshes)
            return "a node in it names a mesh that is not there";
    for (unsigned int i = 0; i < node->mNumChildren; ++i) {
        std::string problem = nodeProblem(node->mChildren ? node->mChildren[i] : nullptr, meshes, depth + 1);
        if (!problem.empty())
            return problem;
    }
    return {};
}

// Triangulate marks the triangles it made from polygons with a flag of its
// own; they are triangles all the same.
bool isTriangleMesh(const aiMesh& part)
{
    return (part.mPrimitiveTypes & ~static_cast<unsigned int>(aiPrimitiveType_NGONEncodingFlag))
        == aiPrimitiveType_TRIANGLE;
}

std::string firstLine(const std::string& text)
{
    constexpr std::size_t longest = 200;
    std::string line = text.substr(0, text.find_first_of("\r\n"));
    if (line.size() > longest)
        line = line.substr(0, longest) + "...";
    while (!line.empty() && (line.back() == '.' || line.back() == ' '))
        line.pop_back();
    return line;
}

// What makes a model of size bytes unfit before assimp reads a byte of it.
std::string sizeProblem(std::uintmax_t size)
{
    if (size == 0)
        return "the file is empty";
    if (size > maxModelFileBytes)
        return "the file is larger than 4 GB";
    return {};
}

std::string fileProblem(const std::filesystem::path& path)
{
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (error || !std::filesystem::exists(status))
        return "the file does not exist or cannot be reached";
    if (!std::filesystem::is_regular_file(status))
        return "it is not a regular file";
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error)
        return "its size cannot be read";
    std::string problem = sizeProblem(size);
    if (!problem.empty())
        return problem;
    if (!hasModelExtension(path))
        return "its file name does not end in the extension of a format Quorvane reads";
    return {};
}

std::string lowerCaseExtension(const std::filesystem::path& path)
{
    std::string extension = path.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension.empty() ? extension : extension.substr(1);
}

// What assimp would trip over in a PLY, OFF or GLB file of fileSize bytes
// whose first bytes are start (all of them for OFF); nothing for other formats.
std::string contentProblem(std::string_view extension, std::string_view start, std::uintmax_t fileSize)
{
    if (extension == "ply")
        return plyHeaderProblem(start, fileSize);
    if (extension == "off")
        return offTextProblem(start);
    if (extension == "glb")
        return glbHeaderProblem(start, fileSize);
    return {};
}

std::string contentProblem(const std::filesystem::path& path)
{
    const std::string extension = lowerCaseExtension(path);
    if (extension != "ply" && extension != "off" && extension != "glb")
        return {};
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error)
        return "its size cannot be read";
    // The OFF reader's faces are checked line by line: all of the file. assimp
    // then reads the file again; handing it these bytes instead would save
    // only a read from the system's cache, about 2 per cent of an OFF import,
    // and would hold two copies of the text at once.
    const std::uintmax_t wanted =
        extension == "off"
            ? size
            : std::min<std::uintmax_t>(size, extension == "glb" ? glbHeaderBytes : maxPlyHeaderBytes);
    std::string start(static_cast<std::size_t>(wanted), '\0');
    std::ifstream file(path, std::ios::binary);
    file.read(start.data(), static_cast<std::streamsize>(start.size()));
    start.resize(static_cast<std::size_t>(file.gcount()));
    return contentProblem(extension, start, size);
}

bool isModelExtension(std::string_view extension)
{
    for (const ModelFormat& format : modelFormats())
        if (std::find(format.extensions.begin(), format.extensions.end(), extension)
            != format.extensions.end())
            return true;
    return false;
}

// What assimp's own steps would trip over (they assert, and an assertion ends
// the process): a face without corners, a corner outside its mesh, a node
// naming a mesh that is not there. Also refuses a scene whose polygons make
// too many triangles before any of them is made.
std::string rawSceneProblem(const aiScene& scene)
{
    if (scene.mNumMeshes > 0 && !scene.mMeshes)
        return "its list of meshes is missing";
    std::size_t triangles = 0;
    for (unsigned int i = 0; i < scene.mNumMeshes; ++i) {
        const aiMesh* part = scene.mMeshes[i];
        if (!part || (part->mNumVertices > 0 && !part->mVertices) || (part->mNumFaces > 0 && !part->mFaces))
            return "a mesh in it is incomplete";
        for (unsigned int f = 0; f < part->mNumFaces; ++f) {
            const aiFace& face = part->mFaces[f];
            if (face.mNumIndices == 0 || !face.mIndices)
                return "a face in it has no corners";
            for (unsigned int k = 0; k < face.mNumIndices; ++k)
                if (face.mIndices[k] >= part->mNumVertices)
                    return "a face in it names a vertex that is not there";
            if (face.mNumIndices >= 3)
                triangles += face.mNumIndices - 2;
        }
    }
    if (triangles > maxImportedFaces)
        return "it has more than 20,000,000 triangles";
    return nodeProblem(scene.mRootNode, scene.mNumMeshes, 0);
}

std::string countProblem(const aiScene& scene)
{
    std::size_t faces = 0, vertices = 0;
    for (unsigned int i = 0; i < scene.mNumMeshes; ++i) {
        const aiMesh& part = *scene.mMeshes[i];
        if (!isTriangleMesh(part))
            continue;
        faces += part.mNumFaces;
        vertices += part.mNumVertices;
    }
    if (faces == 0)
        return "it has no triangles";
    if (faces > maxImportedFaces)
        return "it has more than 20,000,000 triangles";
    if (vertices > maxImportedVertices)
        return "it has more than 16,777,216 vertices";
    return {};
}

// The box around every vertex of the triangle meshes, or false when a
// position is not a finite number.
bool findBounds(const aiScene& scene, Bounds& bounds)
{
    bool first = true;
    for (unsigned int i = 0; i < scene.mNumMeshes; ++i) {
        const aiMesh& part = *scene.mMeshes[i];
        if (!isTriangleMesh(part))
            continue;
        for (unsigned int v = 0; v < part.mNumVertices; ++v) {
            const aiVector3D& p = part.mVertices[v];
            const double coordinates[3] = {p.x, p.y, p.z};
            for (int axis = 0; axis < 3; ++axis) {
                if (!std::isfinite(coordinates[axis]))
                    return false;
                if (first || coordinates[axis] < bounds.low[axis])
                    bounds.low[axis] = coordinates[axis];
                if (first || coordinates[axis] > bounds.high[axis])
                    bounds.high[axis] = coordinates[axis];
            }
            first = false;
        }
    }
    return true;
}

// Centre and scale in double precision, then round once to float. The clamp
// only catches a last rounding step beyond 1.
Vector3 fitIntoUnitCube(const aiVector3D& p, const double centre[3], double scale)
{
    const double coordinates[3] = {p.x, p.y, p.z};
    float fitted[3];
    for (int axis = 0; axis < 3; ++axis)
        fitted[axis] =
            std::clamp(static_cast<float>((coordinates[axis] - centre[axis]) * scale), -1.0f, 1.0f);
    return {fitted[0], fitted[1], fitted[2]};
}

// A vertex of degenerate faces only may have no usable normal; it gets one
// facing the eye rather than NaN. The length is taken in double precision: a
// file's normal of (0, 1e34, 1) squared in float overflows, and normalising
// by an infinite length gave the zero vector.
Vector3 unitNormal(const aiMesh& part, unsigned int v)
{
    if (!part.mNormals)
        return {0, 0, 1};
    const aiVector3D& n = part.mNormals[v];
    const double x = n.x, y = n.y, z = n.z;
    const double length = std::sqrt((x * x + y * y) + z * z);
    if (!(length > 0) || !std::isfinite(length))
        return {0, 0, 1};
    return {static_cast<float>(x / length), static_cast<float>(y / length), static_cast<float>(z / length)};
}

void appendTriangles(const aiMesh& part, const double centre[3], double scale, Mesh& mesh)
{
    // The lists' sizes stay below 2^24 (countProblem), so every index is exact.
    const float offset = static_cast<float>(mesh.vertices.size());
    for (unsigned int v = 0; v < part.mNumVertices; ++v) {
        mesh.vertices.push_back(fitIntoUnitCube(part.mVertices[v], centre, scale));
        mesh.normals.push_back(unitNormal(part, v));
        const aiVector3D* uv = part.mTextureCoords[0];
        mesh.uvs.push_back(uv ? Vector2(uv[v].x, uv[v].y) : Vector2());
    }
    for (unsigned int f = 0; f < part.mNumFaces; ++f) {
        const aiFace& face = part.mFaces[f];
        if (face.mNumIndices != 3)
            continue;
        const Vector3 corners(offset + static_cast<float>(face.mIndices[0] + 1),
                              offset + static_cast<float>(face.mIndices[1] + 1),
                              offset + static_cast<float>(face.mIndices[2] + 1));
        mesh.faceVertexIndices.push_back(corners);
        mesh.faceUVIndices.push_back(corners);
        mesh.faceNormalIndices.push_back(corners);
    }
}

ImportedModel joinTriangles(const aiScene& scene)
{
    ImportedModel imported;
    imported.problem = countProblem(scene);
    if (!imported.problem.empty())
        return imported;
    Bounds bounds;
    if (!findBounds(scene, bounds)) {
        imported.problem = "it has a vertex position that is not a finite number";
        return imported;
    }
    double centre[3];
    double extent = 0;
    for (int axis = 0; axis < 3; ++axis) {
        centre[axis] = (bounds.low[axis] + bounds.high[axis]) / 2;
        extent = std::max(extent, bounds.high[axis] - bounds.low[axis]);
    }
    const double scale = extent > 0 && std::isfinite(extent) ? 2 / extent : 1;
    for (unsigned int i = 0; i < scene.mNumMeshes; ++i) {
        const aiMesh& part = *scene.mMeshes[i];
        if (isTriangleMesh(part))
            appendTriangles(part, centre, scale, imported.mesh);
    }
    return imported;
}

// assimp takes UTF-8 names on every platform.
std::string utf8Name(const std::filesystem::path& path)
{
    const std::u8string name = path.u8string();
    return std::string(name.begin(), name.end());
}

std::string readError(const Assimp::Importer& importer)
{
    const std::string why = firstLine(importer.GetErrorString());
    return why.empty() ? "it is not a model file Quorvane can read" : "it cannot be read (" + why + ")";
}

// assimp tries every reader it has on a file that the readers of its
// extension turn down. Only glTF's extensions have more than one reader, and
// those look at the content: so any bytes named .gltf reached all of
// assimp's readers, most of them for formats we do not offer, and reached
// our OFF and PLY readers without the checks above. A file with such an
// extension is read only when one of its own readers accepts the content.
bool ownReaderAccepts(const Assimp::Importer& importer, const std::string& name, std::string_view extension)
{
    std::size_t readers = 0;
    bool accepted = false;
    for (std::size_t i = 0; i < importer.GetImporterCount(); ++i) {
        Assimp::BaseImporter* reader = importer.GetImporter(i);
        std::set<std::string> extensions;
        reader->GetExtensionList(extensions);
        if (extensions.count(std::string(extension)) == 0)
            continue;
        ++readers;
        accepted = accepted || reader->CanRead(name, importer.GetIOHandler(), true);
    }
    return readers == 1 || accepted;
}

void prepare(Assimp::Importer& importer)
{
    importer.SetPropertyInteger(AI_CONFIG_PP_SBP_REMOVE, aiPrimitiveType_POINT | aiPrimitiveType_LINE);
}

// The steps after assimp has read the file, the same for a file and a buffer.
ImportedModel importScene(Assimp::Importer& importer, const aiScene* scene)
{
    if (!scene)
        return {{}, readError(importer)};
    const std::string problem = rawSceneProblem(*scene);
    if (!problem.empty())
        return {{}, problem};
    scene = importer.ApplyPostProcessing(importSteps);
    if (!scene)
        return {{}, readError(importer)};
    return joinTriangles(*scene);
}

ImportedModel readOwnFormat(Assimp::Importer& importer, const std::string& name, std::string_view extension)
{
    if (!ownReaderAccepts(importer, name, extension))
        return {{}, "its content is not in the format its name says"};
    return importScene(importer, importer.ReadFile(name, 0));
}

ImportedModel readFile(const std::filesystem::path& path)
{
    Assimp::Importer importer;
    prepare(importer);
    importer.SetIOHandler(regularFiles().release()); // the importer owns it
    return readOwnFormat(importer, utf8Name(path), lowerCaseExtension(path));
}

// The name only tells assimp the format.
ImportedModel readBuffer(std::span<const std::byte> bytes, std::string_view extension)
{
    const std::string name = "model." + std::string(extension);
    Assimp::Importer importer;
    prepare(importer);
    importer.SetIOHandler(bufferFile(bytes, name).release());
    return readOwnFormat(importer, name, extension);
}

ImportedModel guarded(const std::function<ImportedModel()>& read)
{
    try {
        return read();
    } catch (const std::bad_alloc&) {
        return {{}, "there is not enough memory to read it"};
    } catch (const std::exception& error) {
        return {{}, "it cannot be read (" + firstLine(error.what()) + ")"};
    }
}

} // namespace

ImportedModel importModel(const std::filesystem::path& path)
{
    std::string problem = fileProblem(path);
    if (problem.empty())
        problem = contentProblem(path);
    if (!problem.empty())
        return {{}, problem};
    return guarded([&] { return readFile(path); });
}

ImportedModel importModelFromMemory(std::span<const std::byte> bytes, std::string_view extension)
{
    std::string problem = sizeProblem(bytes.size());
    if (problem.empty() && !isModelExtension(extension))
        problem = "its format is not one Quorvane reads";
    if (problem.empty())
        problem = contentProblem(extension, {reinterpret_cast<const char*>(bytes.data()), bytes.size()},
                                 bytes.size());
    if (!problem.empty())
        return {{}, problem};
    return guarded([&] { return readBuffer(bytes, extension); });
}

} // namespace Quorvane
