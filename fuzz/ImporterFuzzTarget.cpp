// Fuzz target: the importer on any bytes in any format the programs offer.
// The first byte chooses the format's file name extension, in the order of
// modelFormats ("0" is OBJ, "1" STL and so on, so that seeds read as text);
// the rest is the file. Whatever assimp makes of it must become either a
// reason on one line and an empty mesh, or a sound mesh: one normal and one
// texture coordinate per vertex, three equal face lists of whole 1-based
// indices inside the vertices, every position finite and inside [-1, 1]^3,
// every normal finite and of unit length.

#include "app/ModelFormats.h"
#include "import/ModelImporter.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string_view>
#include <vector>

using namespace Quorvane;

namespace {

void fail(const char* invariant)
{
    std::fprintf(stderr, "import invariant broken: %s\n", invariant);
    std::abort();
}

std::vector<std::string_view> everyExtension()
{
    std::vector<std::string_view> extensions;
    for (const ModelFormat& format : modelFormats())
        extensions.insert(extensions.end(), format.extensions.begin(), format.extensions.end());
    return extensions;
}

bool isEmpty(const Mesh& mesh)
{
    return mesh.vertices.empty() && mesh.uvs.empty() && mesh.normals.empty() && mesh.faceVertexIndices.empty()
        && mesh.faceUVIndices.empty() && mesh.faceNormalIndices.empty();
}

void checkReason(std::string_view problem, const Mesh& mesh)
{
    if (!isEmpty(mesh))
        fail("a refused model leaves the mesh empty");
    if (problem.find_first_of("\r\n") != std::string_view::npos)
        fail("the reason is one line");
}

bool isIndexInside(float index, std::size_t vertices)
{
    return index >= 1.0f && static_cast<double>(index) <= static_cast<double>(vertices)
        && std::trunc(index) == index;
}

bool isInsideUnitCube(const Vector3& p)
{
    // Written so that NaN fails every comparison.
    return p.x >= -1.0f && p.x <= 1.0f && p.y >= -1.0f && p.y <= 1.0f && p.z >= -1.0f && p.z <= 1.0f;
}

bool isUnit(const Vector3& n)
{
    const double length = std::sqrt(double(n.x) * n.x + double(n.y) * n.y + double(n.z) * n.z);
    return std::abs(length - 1.0) < 1e-5; // a few float roundings of a normalised vector
}

void checkMesh(const Mesh& mesh)
{
    const std::size_t vertices = mesh.vertices.size();
    const std::size_t faces = mesh.faceVertexIndices.size();
    if (faces == 0)
        fail("an imported model has faces");
    if (mesh.normals.size() != vertices || mesh.uvs.size() != vertices)
        fail("one normal and one texture coordinate per vertex");
    if (mesh.faceUVIndices.size() != faces || mesh.faceNormalIndices.size() != faces)
        fail("the three face lists have the same length");
    for (std::size_t f = 0; f < faces; ++f) {
        const Vector3& face = mesh.faceVertexIndices[f];
        const Vector3& uv = mesh.faceUVIndices[f];
        const Vector3& normal = mesh.faceNormalIndices[f];
        if (uv.x != face.x || uv.y != face.y || uv.z != face.z || normal.x != face.x || normal.y != face.y
            || normal.z != face.z)
            fail("each face names the same index in all three lists");
        if (!isIndexInside(face.x, vertices) || !isIndexInside(face.y, vertices)
            || !isIndexInside(face.z, vertices))
            fail("every index is a whole number from 1 to the number of vertices");
    }
    for (const Vector3& p : mesh.vertices)
        if (!isInsideUnitCube(p))
            fail("every position is finite and inside [-1, 1]^3");
    for (const Vector3& n : mesh.normals)
        if (!isUnit(n))
            fail("every normal is finite and of unit length");
}

} // namespace

// assimp leaks what some of its readers had made when they give up on a
// broken file (an STL whose end is misspelt, for one): a few kilobytes, and
// not ours to mend. Leaks of our own have no assimp frame and still count.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libassimp.so";
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::vector<std::string_view> extensions = everyExtension();
    const std::string_view extension = extensions[data[0] % extensions.size()];
    const std::span<const std::byte> file(reinterpret_cast<const std::byte*>(data + 1), size - 1);
    const ImportedModel imported = importModelFromMemory(file, extension);
    if (imported.problem.empty())
        checkMesh(imported.mesh);
    else
        checkReason(imported.problem, imported.mesh);
    return 0;
}
