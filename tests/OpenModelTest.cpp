// Opening models: the importer's lists for every format we offer, written by
// the test itself; broken files of each format; which reader openModel picks.

#include "import/OpenModel.h"

#include "app/FileMessages.h"
#include "app/FrameDriver.h"
#include "app/ModelFormats.h"
#include "app/StartUp.h"
#include "import/ModelFiles.h"
#include "import/ModelImporter.h"
#include "tests/RenderTestSupport.h"

#include <assimp/IOStream.hpp>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/stat.h>
#endif

using namespace Quorvane;

namespace {

// A box of 12 triangles wound counter-clockwise seen from outside, spanning
// [-1, 1] x [-0.5, 0.5] x [-0.25, 0.25]. Corner c has +x when bit 0 is set,
// +y for bit 1 and +z for bit 2.
// clang-format off
constexpr std::array<std::array<int, 3>, 12> boxTriangles = {{
    {0, 2, 3}, {0, 3, 1}, {4, 5, 7}, {4, 7, 6}, {0, 1, 5}, {0, 5, 4},
    {2, 6, 7}, {2, 7, 3}, {0, 4, 6}, {0, 6, 2}, {1, 3, 7}, {1, 7, 5},
}};
// clang-format on
// The same faces as quadrilaterals; assimp splits each (a, b, c, d) into
// (a, b, c) and (a, c, d), which are the triangles above.
// clang-format off
constexpr std::array<std::array<int, 4>, 6> boxQuads = {{
    {0, 2, 3, 1}, {4, 5, 7, 6}, {0, 1, 5, 4}, {2, 6, 7, 3}, {0, 4, 6, 2}, {1, 3, 7, 5},
}};
// clang-format on
constexpr float halfSize[3] = {1.0f, 0.5f, 0.25f};

// Files hold the box scaled by 10 and moved, so the importer must centre and
// scale it back.
float boxCoordinate(int corner, int axis, float scale, const float offset[3])
{
    const float unit = (corner >> axis & 1) ? halfSize[axis] : -halfSize[axis];
    return unit * scale + offset[axis];
}

struct Box {
    float scale = 10;
    float offset[3] = {5, -3, 7};
    float at(int corner, int axis) const { return boxCoordinate(corner, axis, scale, offset); }
};

std::array<float, 3> faceNormal(const std::array<int, 3>& triangle)
{
    // Two corners of a face of the box differ in one coordinate; the one
    // they all share is the face's axis.
    for (int axis = 0; axis < 3; ++axis) {
        const int bit = triangle[0] >> axis & 1;
        if ((triangle[1] >> axis & 1) == bit && (triangle[2] >> axis & 1) == bit) {
            std::array<float, 3> n = {0, 0, 0};
            n[static_cast<std::size_t>(axis)] = bit ? 1.0f : -1.0f;
            return n;
        }
    }
    return {0, 0, 0};
}

std::string vertexLines(const Box& box, const char* prefix)
{
    std::ostringstream text;
    for (int c = 0; c < 8; ++c)
        text << prefix << box.at(c, 0) << ' ' << box.at(c, 1) << ' ' << box.at(c, 2) << '\n';
    return text.str();
}

std::string objTriangles(const Box& box)
{
    std::ostringstream text;
    text << vertexLines(box, "v ") << "vt 0 0\n";
    for (const auto& t : boxTriangles) {
        const auto n = faceNormal(t);
        text << "vn " << n[0] << ' ' << n[1] << ' ' << n[2] << '\n';
    }
    int face = 1;
    for (const auto& t : boxTriangles) {
        text << "f " << t[0] + 1 << "/1/" << face << ' ' << t[1] + 1 << "/1/" << face << ' ' << t[2] + 1
             << "/1/" << face << '\n';
        ++face;
    }
    return text.str();
}

// OBJ as modelling programs write it: v//vn references, one normal per side.
std::string objWithNormalsOnly(const Box& box, bool quads)
{
    std::ostringstream text;
    text << vertexLines(box, "v ");
    const std::array<std::array<float, 3>, 6> sides = {
        {{0, 0, -1}, {0, 0, 1}, {0, -1, 0}, {0, 1, 0}, {-1, 0, 0}, {1, 0, 0}}};
    for (const auto& n : sides)
        text << "vn " << n[0] << ' ' << n[1] << ' ' << n[2] << '\n';
    for (std::size_t side = 0; side < boxQuads.size(); ++side) {
        const auto& q = boxQuads[side];
        const auto corner = [&](int c) {
            return std::to_string(c + 1) + "//" + std::to_string(side + 1) + " ";
        };
        if (quads)
            text << "f " << corner(q[0]) << corner(q[1]) << corner(q[2]) << corner(q[3]) << '\n';
        else
            text << "f " << corner(q[0]) << corner(q[1]) << corner(q[2]) << "\nf " << corner(q[0])
                 << corner(q[2]) << corner(q[3]) << '\n';
    }
    return text.str();
}

std::string asciiStl(const Box& box)
{
    std::ostringstream text;
    text << "solid box\n";
    for (const auto& t : boxTriangles) {
        const auto n = faceNormal(t);
        text << "facet normal " << n[0] << ' ' << n[1] << ' ' << n[2] << "\nouter loop\n";
        for (const int c : t)
            text << "vertex " << box.at(c, 0) << ' ' << box.at(c, 1) << ' ' << box.at(c, 2) << '\n';
        text << "endloop\nendfacet\n";
    }
    text << "endsolid box\n";
    return text.str();
}

template <typename T>
void appendBytes(std::string& bytes, T value)
{
    char raw[sizeof(T)];
    std::memcpy(raw, &value, sizeof(T));
    bytes.append(raw, sizeof(T));
}

std::string binaryStl(const Box& box)
{
    std::string bytes(80, 'q');
    appendBytes<std::uint32_t>(bytes, boxTriangles.size());
    for (const auto& t : boxTriangles) {
        for (const float n : faceNormal(t))
            appendBytes(bytes, n);
        for (const int c : t)
            for (int axis = 0; axis < 3; ++axis)
                appendBytes(bytes, box.at(c, axis));
        appendBytes<std::uint16_t>(bytes, 0);
    }
    return bytes;
}

std::string ply(const Box& box)
{
    std::ostringstream text;
    text << "ply\nformat ascii 1.0\nelement vertex 8\nproperty float x\nproperty float y\nproperty float z\n"
            "element face 12\nproperty list uchar int vertex_indices\nend_header\n"
         << vertexLines(box, "");
    for (const auto& t : boxTriangles)
        text << "3 " << t[0] << ' ' << t[1] << ' ' << t[2] << '\n';
    return text.str();
}

std::string off(const Box& box)
{
    std::ostringstream text;
    text << "OFF\n8 12 0\n" << vertexLines(box, "");
    for (const auto& t : boxTriangles)
        text << "3 " << t[0] << ' ' << t[1] << ' ' << t[2] << '\n';
    return text.str();
}

std::string base64(const std::string& bytes)
{
    static constexpr char digits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string text;
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        std::uint32_t group = 0;
        const std::size_t count = std::min<std::size_t>(3, bytes.size() - i);
        for (std::size_t k = 0; k < 3; ++k)
            group = group << 8 | (k < count ? static_cast<unsigned char>(bytes[i + k]) : 0u);
        for (std::size_t k = 0; k < 4; ++k)
            text += k <= count ? digits[group >> (18 - 6 * k) & 63] : '=';
    }
    return text;
}

// glTF 2.0 with its one buffer inline: 8 positions, then 36 16-bit indices.
std::string gltf(const Box& box)
{
    std::string buffer;
    for (int c = 0; c < 8; ++c)
        for (int axis = 0; axis < 3; ++axis)
            appendBytes(buffer, box.at(c, axis));
    for (const auto& t : boxTriangles)
        for (const int c : t)
            appendBytes<std::uint16_t>(buffer, static_cast<std::uint16_t>(c));
    std::ostringstream text;
    text << R"({"asset":{"version":"2.0"},"scene":0,"scenes":[{"nodes":[0]}],"nodes":[{"mesh":0}],)"
         << R"("meshes":[{"primitives":[{"attributes":{"POSITION":0},"indices":1,"mode":4}]}],)"
         << R"("buffers":[{"byteLength":)" << buffer.size()
         << R"(,"uri":"data:application/octet-stream;base64,)" << base64(buffer) << R"("}],)"
         << R"("bufferViews":[{"buffer":0,"byteOffset":0,"byteLength":96},)"
         << R"({"buffer":0,"byteOffset":96,"byteLength":72}],)"
         << R"("accessors":[{"bufferView":0,"componentType":5126,"count":8,"type":"VEC3",)"
         << R"("min":[)" << box.at(0, 0) << ',' << box.at(0, 1) << ',' << box.at(0, 2) << R"(],"max":[)"
         << box.at(7, 0) << ',' << box.at(7, 1) << ',' << box.at(7, 2) << "]},"
         << R"({"bufferView":1,"componentType":5123,"count":36,"type":"SCALAR"}]})";
    return text.str();
}

struct Format {
    const char* name;
    const char* extension;
    std::function<std::string(const Box&)> write;
    std::string wrongCountFrom; // a count in the file, and a wrong one in its place
    std::string wrongCountTo;
    bool wrongCountRefused; // assimp reads a PLY's missing faces and a four-corner STL facet leniently
};

const std::vector<Format>& formats()
{
    static const std::vector<Format> all = {
        {"AsciiStl", "stl", asciiStl, "endloop", "vertex 1 2 3\nendloop", false},
        {"BinaryStl", "stl", binaryStl, std::string("\x0c\0\0\0", 4), std::string("\xff\xff\0\0", 4), true},
        {"Ply", "ply", ply, "element face 12", "element face 120", false},
        {"Off", "off", off, "8 12 0", "80 12 0", true},
        {"Gltf", "gltf", gltf, R"("count":36)", R"("count":3600)", true},
        {"ObjQuads", "obj", [](const Box& box) { return objWithNormalsOnly(box, true); }, "f 1//1", "f 99//1",
         true},
        {"ObjTriangles", "obj", [](const Box& box) { return objWithNormalsOnly(box, false); }, "f 1//1",
         "f 99//1", true},
    };
    return all;
}

class ModelFile {
public:
    ModelFile(const std::string& stem, const std::string& extension, const std::string& bytes)
    {
        const auto* test = testing::UnitTest::GetInstance()->current_test_info();
        path_ = std::filesystem::temp_directory_path()
              / ("quorvane-" + std::string(test->name()) + "-" + stem + "." + extension);
        std::ofstream(path_, std::ios::binary) << bytes;
    }
    ~ModelFile() { std::filesystem::remove(path_); }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

// Every index of the three lists names an element of its list.
void expectSound(const Mesh& mesh)
{
    ASSERT_EQ(mesh.faceUVIndices.size(), mesh.faceVertexIndices.size());
    ASSERT_EQ(mesh.faceNormalIndices.size(), mesh.faceVertexIndices.size());
    const auto inside = [](const std::vector<Vector3>& faces, std::size_t size) {
        return std::all_of(faces.begin(), faces.end(), [size](const Vector3& f) {
            for (int k = 0; k < 3; ++k)
                if (!(f[k] >= 1 && f[k] <= static_cast<float>(size) && f[k] == std::floor(f[k])))
                    return false;
            return true;
        });
    };
    EXPECT_TRUE(inside(mesh.faceVertexIndices, mesh.vertices.size()));
    EXPECT_TRUE(inside(mesh.faceUVIndices, mesh.uvs.size()));
    EXPECT_TRUE(inside(mesh.faceNormalIndices, mesh.normals.size()));
    for (const Vector3& v : mesh.vertices)
        for (int k = 0; k < 3; ++k)
            ASSERT_TRUE(v[k] >= -1 && v[k] <= 1) << v.x << ' ' << v.y << ' ' << v.z;
}

FrameSurface renderFlat(const Mesh& mesh, Vector3 eye)
{
    Testing::freshDepthBuffer();
    Camera camera;
    Light light;
    applyStartValues(camera, light);
    camera.position = eye;
    FrameSurface surface;
    renderFrame(surface, renderModeShaded, shadingModeFlat, camera, light, mesh);
    return surface;
}

bool sameFrame(const FrameSurface& a, const FrameSurface& b)
{
    return std::equal(a.pixels(), a.pixels() + 500 * 500, b.pixels());
}

// An eye up and to the right, so that three sides of the box show.
const Vector3 sideEye(0.8f, 0.6f, 1.6f);

TEST(ImportModel, GivesTheBoxCentredAndScaledInEveryFormat)
{
    const Box unitBox{1, {0, 0, 0}};
    Mesh reference;
    {
        const ModelFile file("reference", "obj", objTriangles(unitBox));
        ASSERT_EQ(loadMesh(file.path().string().c_str(), reference), MeshLoadStatus::loaded);
    }
    const FrameSurface referenceFrame = renderFlat(reference, sideEye);
    ASSERT_GT(Testing::litPixels(referenceFrame).size(), 20000u);

    for (const Format& format : formats()) {
        SCOPED_TRACE(format.name);
        const ModelFile file(format.name, format.extension, format.write(Box{}));
        const ImportedModel imported = importModel(file.path());
        ASSERT_EQ(imported.problem, "");
        const Mesh& mesh = imported.mesh;
        EXPECT_EQ(mesh.faceVertexIndices.size(), 12u);
        EXPECT_EQ(mesh.normals.size(), mesh.vertices.size());
        EXPECT_EQ(mesh.uvs.size(), mesh.vertices.size());
        expectSound(mesh);
        for (int axis = 0; axis < 3; ++axis) {
            const auto [low, high] =
                std::minmax_element(mesh.vertices.begin(), mesh.vertices.end(),
                                    [axis](const Vector3& a, const Vector3& b) { return a[axis] < b[axis]; });
            EXPECT_EQ((*low)[axis], -halfSize[axis]);
            EXPECT_EQ((*high)[axis], halfSize[axis]);
        }
        // Unit normals pointing out of the box, whether from the file or made.
        for (std::size_t i = 0; i < mesh.normals.size(); ++i) {
            const Vector3& n = mesh.normals[i];
            EXPECT_NEAR(std::sqrt(n.dot(n)), 1.0f, 1e-6f);
            EXPECT_GT(n.dot(mesh.vertices[i]), 0.0f);
        }
        // Flat shading reads only the corners, so the same triangles give our
        // reader's frame exactly.
        EXPECT_TRUE(sameFrame(renderFlat(mesh, sideEye), referenceFrame));
    }
}

TEST(ImportModel, QuadsGiveTheFrameOfTheirTriangles)
{
    const ModelFile quads("quads", "obj", objWithNormalsOnly(Box{}, true));
    const ModelFile triangles("triangles", "obj", objWithNormalsOnly(Box{}, false));
    const ImportedModel fromQuads = importModel(quads.path());
    const ImportedModel fromTriangles = importModel(triangles.path());
    ASSERT_EQ(fromQuads.problem, "");
    ASSERT_EQ(fromTriangles.problem, "");
    for (const ShadingMode mode : {shadingModeFlat, shadingModePhong}) {
        Camera camera;
        Light light;
        applyStartValues(camera, light);
        camera.position = sideEye;
        FrameSurface a, b;
        Testing::freshDepthBuffer();
        renderFrame(a, renderModeShaded, mode, camera, light, fromQuads.mesh);
        renderFrame(b, renderModeShaded, mode, camera, light, fromTriangles.mesh);
        EXPECT_TRUE(sameFrame(a, b)) << mode;
    }
}

// Truncated, junk and wrong counts: a reason and nothing, or a sound mesh,
// never a crash. Junk must be refused, and counts that no lenient reading
// can make sense of. A truncated PLY once ended the process in an assertion
// of assimp's triangulation.
TEST(ImportModel, RefusesBrokenFilesOfEveryFormatWithAReason)
{
    std::string junk;
    for (std::uint32_t state = 12345; junk.size() < 700;) {
        state = state * 1103515245u + 12345u;
        junk += static_cast<char>(state >> 16);
    }
    for (const Format& format : formats()) {
        SCOPED_TRACE(format.name);
        const std::string good = format.write(Box{});
        std::string wrongCount = good;
        wrongCount.replace(wrongCount.find(format.wrongCountFrom), format.wrongCountFrom.size(),
                           format.wrongCountTo);
        struct Case {
            const char* kind;
            std::string bytes;
            bool mustFail;
        };
        for (const Case& broken :
             {Case{"truncated", good.substr(0, good.size() / 2), false}, Case{"junk", junk, true},
              Case{"wrongCount", wrongCount, format.wrongCountRefused}}) {
            SCOPED_TRACE(broken.kind);
            const ModelFile file(broken.kind, format.extension, broken.bytes);
            const ImportedModel imported = importModel(file.path());
            if (imported.problem.empty()) {
                EXPECT_FALSE(broken.mustFail);
                expectSound(imported.mesh);
            } else {
                EXPECT_TRUE(imported.mesh.vertices.empty() && imported.mesh.faceVertexIndices.empty());
                EXPECT_EQ(imported.problem.find('\n'), std::string::npos);
            }
        }
    }
}

// A PLY header without its end once kept assimp reading at the end of the
// file for ever, and one with a NUL byte crashed it; a FIFO without a writer,
// named as a model's materials, blocked it in open.
TEST(ImportModel, RefusesBrokenHeadersAndOpensNoFifo)
{
    const std::string header = "ply\nformat ascii 1.0\nelement vertex 3\nproperty float x\n";
    const ModelFile endless("endlessHeader", "ply", header);
    EXPECT_EQ(importModel(endless.path()).problem, "its PLY header has no end");
    const ModelFile control("controlCharacter", "ply", header + "comment \f\nend_header\n");
    EXPECT_EQ(importModel(control.path()).problem, "its PLY header is malformed");
    // Counts no file of that size can hold, which assimp would allocate at once.
    const ModelFile plyCounts("plyCounts", "ply",
                              "ply\nformat ascii 1.0\nelement vertex 4000000000\nend_header\n");
    EXPECT_EQ(importModel(plyCounts.path()).problem,
              "its PLY header declares more elements than the file holds");
    const ModelFile offCounts("offCounts", "off", "OFF\n3 2000000000 0\n0 0 0\n");
    EXPECT_EQ(importModel(offCounts.path()).problem,
              "its OFF header declares more vertices or faces than the file holds");
    // The JSON chunk's length, at byte 12, claims 4 GB of a 28-byte file.
    const std::string glbHeader("glTF\x02\0\0\0\x1c\0\0\0\xf0\xff\xff\xff"
                                "JSON{}      ",
                                28);
    const ModelFile glbLength("glbLength", "glb", glbHeader);
    EXPECT_EQ(importModel(glbLength.path()).problem,
              "its binary glTF header declares more bytes than the file holds");
#ifndef _WIN32
    const std::filesystem::path fifo = std::filesystem::temp_directory_path() / "quorvane-materials-fifo.mtl";
    std::filesystem::remove(fifo);
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const ModelFile obj("namesFifo", "obj",
                        "mtllib " + fifo.filename().string() + "\nv 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n");
    const ImportedModel imported = importModel(obj.path());
    std::filesystem::remove(fifo);
    EXPECT_EQ(imported.problem, "");
    EXPECT_EQ(imported.mesh.faceVertexIndices.size(), 1u);
#endif
}

TEST(ModelFiles, ServeOneBufferAndThrowAfterEndlessReadsAtItsEnd)
{
    const std::array<std::byte, 2> bytes{};
    const std::unique_ptr<Assimp::IOSystem> files = bufferFile(bytes, "model.ply");
    EXPECT_EQ(files->Open("other.ply", "rb"), nullptr);
    EXPECT_EQ(files->Open("model.ply", "wb"), nullptr);
    const std::unique_ptr<Assimp::IOStream> stream(files->Open("model.ply", "rb"));
    ASSERT_NE(stream, nullptr);
    char buffer[4];
    EXPECT_EQ(stream->Read(buffer, 1, 4), 2u);
    for (int i = 0; i < maxReadsAtEnd; ++i)
        ASSERT_EQ(stream->Read(buffer, 1, 4), 0u);
    EXPECT_THROW(stream->Read(buffer, 1, 4), std::runtime_error);
}

TEST(OpenModel, ReadsOwnObjFilesWithOurReaderAndTheRestWithTheImporter)
{
    // Our reader keeps the file's coordinates; the importer fits them into
    // [-1, 1], so the first position tells which one read the file.
    const ModelFile own("own", "OBJ", objTriangles(Box{}));
    const ModelFile quads("quads", "obj", objWithNormalsOnly(Box{}, true));
    const ModelFile stl("box", "stl", asciiStl(Box{}));
    std::string outOfRange = objTriangles(Box{});
    outOfRange.replace(outOfRange.rfind("f 2/1/12"), 8, "f 9/1/12");
    const ModelFile badIndex("badIndex", "obj", outOfRange);
    const ModelFile empty("empty", "obj", "");
    const ModelFile unknown("box", "xyz", asciiStl(Box{}));
    const ModelFile missing("missing", "stl", "");
    std::filesystem::remove(missing.path());

    struct Case {
        const char* name;
        const std::filesystem::path& path;
        ModelReader reader;
        OpenOutcome outcome;
        float firstX; // meaningful when not failed
        std::size_t faces;
        const char* reasonPart;
    };
    const Case cases[] = {
        {"own, any case", own.path(), ModelReader::automatic, OpenOutcome::opened, -5, 12, ""},
        {"own, imported", own.path(), ModelReader::importer, OpenOutcome::opened, -1, 12, ""},
        {"quads", quads.path(), ModelReader::automatic, OpenOutcome::opened, -1, 12, ""},
        {"quads, our reader", quads.path(), ModelReader::quorvane, OpenOutcome::openedInPart, -5, 0,
         "not a triangle"},
        {"stl", stl.path(), ModelReader::automatic, OpenOutcome::opened, -1, 12, ""},
        {"index outside", badIndex.path(), ModelReader::automatic, OpenOutcome::failed, 0, 0,
         "cannot be read"},
        {"index outside, our reader", badIndex.path(), ModelReader::quorvane, OpenOutcome::opened, -5, 12,
         ""},
        {"empty", empty.path(), ModelReader::automatic, OpenOutcome::failed, 0, 0, "the file is empty"},
        {"empty, our reader", empty.path(), ModelReader::quorvane, OpenOutcome::openedInPart, 0, 0,
         "the file is empty"},
        {"unknown extension", unknown.path(), ModelReader::automatic, OpenOutcome::failed, 0, 0, "extension"},
        {"missing", missing.path(), ModelReader::automatic, OpenOutcome::failed, 0, 0, "does not exist"},
        {"missing, our reader", missing.path(), ModelReader::quorvane, OpenOutcome::failed, 0, 0,
         "cannot be opened"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testing::internal::CaptureStderr();
        const OpenedModel opened = openModel(c.path, c.reader);
        const std::string errors = testing::internal::GetCapturedStderr();
        EXPECT_EQ(opened.outcome, c.outcome);
        EXPECT_NE(opened.reason.find(c.reasonPart), std::string::npos) << opened.reason;
        EXPECT_EQ(opened.reason.empty(), c.outcome == OpenOutcome::opened);
        EXPECT_EQ(opened.mesh.faceVertexIndices.size(), c.faces);
        if (!opened.mesh.vertices.empty()) {
            EXPECT_EQ(opened.mesh.vertices[0].x, c.firstX);
        }
        // Only our reader alone may speak; a trial read stays quiet.
        if (c.reader != ModelReader::quorvane) {
            EXPECT_EQ(errors, "");
        }
    }
}

TEST(OpenModel, MessagesNameTheFileAndTheReason)
{
    OpenedModel failed;
    failed.reason = "the file is empty";
#ifdef _WIN32
    EXPECT_EQ(openMessage("models/a b.stl", failed), "Cannot open \"models\\a b.stl\": the file is empty.");
#else
    EXPECT_EQ(openMessage("models/a b.stl", failed), "Cannot open \"models/a b.stl\": the file is empty.");
#endif
    OpenedModel partial;
    partial.outcome = OpenOutcome::openedInPart;
    partial.reason = "it has no faces";
    EXPECT_EQ(openMessage("x.obj", partial), "\"x.obj\" is shown only in part: it has no faces.");
    EXPECT_EQ(openMessage("x.obj", OpenedModel{OpenOutcome::opened, {}, ""}), "");
    EXPECT_EQ(cannotSaveFrameMessage("f.png"),
              "Cannot write \"f.png\": the file cannot be created or written.");

    // At start-up the shells tell of a model our reader read only in part.
    const ModelFile empty("empty", "obj", "");
    const std::string name = displayPath(empty.path());
    Mesh mesh;
    EXPECT_EQ(ownReaderMessage(empty.path(), MeshLoadStatus::loaded, mesh),
              "\"" + name + "\" is shown only in part: the file is empty.");
    EXPECT_NE(ownReaderMessage(empty.path(), MeshLoadStatus::notTriangulated, mesh).find("not a triangle"),
              std::string::npos);
    const ModelFile own("own", "obj", objTriangles(Box{}));
    ASSERT_EQ(loadMesh(own.path().string().c_str(), mesh), MeshLoadStatus::loaded);
    EXPECT_EQ(ownReaderMessage(own.path(), MeshLoadStatus::loaded, mesh), "");
    EXPECT_EQ(ownReaderMessage(own.path(), MeshLoadStatus::loaded, Mesh()),
              "\"" + displayPath(own.path()) + "\" is shown only in part: it has no faces.");
}

TEST(ModelFormats, ListEveryExtensionOnceAndMatchInAnyCase)
{
    EXPECT_EQ(modelFilePatterns(" ").substr(0, 17), "*.obj *.stl *.ply");
    EXPECT_TRUE(hasModelExtension("dir.stl/Model.GLB"));
    EXPECT_FALSE(hasModelExtension("model.stl/x"));
    EXPECT_FALSE(hasModelExtension("model."));
    std::vector<std::string_view> all;
    for (const ModelFormat& format : modelFormats())
        all.insert(all.end(), format.extensions.begin(), format.extensions.end());
    std::sort(all.begin(), all.end());
    EXPECT_EQ(std::adjacent_find(all.begin(), all.end()), all.end());
}

} // namespace
