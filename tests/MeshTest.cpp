#include "scene/Mesh.h"

#include "tests/ExactValues.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <random>
#include <string>
#include <thread>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#endif

using namespace Quorvane;
using Testing::expectVector;

namespace {

const std::string triangulatedMessage = "Error: the obj file is supposed to be triangulated\n";

// Writes text byte for byte to a file of its own and removes it afterwards.
class ObjFile {
public:
    explicit ObjFile(const std::string& text)
    {
        const auto* test = testing::UnitTest::GetInstance()->current_test_info();
        path_ = std::filesystem::temp_directory_path()
              / (std::string("quorvane-") + test->test_suite_name() + "-" + test->name() + ".obj");
        std::ofstream(path_, std::ios::binary) << text;
    }
    ~ObjFile() { std::filesystem::remove(path_); }
    std::string path() const { return path_.string(); }

private:
    std::filesystem::path path_;
};

struct Loaded {
    Mesh mesh;
    MeshLoadStatus status;
    std::string errors;
};

Loaded loadPath(const std::filesystem::path& path)
{
    Loaded result;
    testing::internal::CaptureStderr();
    result.status = loadMesh(path, result.mesh);
    result.errors = testing::internal::GetCapturedStderr();
    return result;
}

Loaded load(const std::string& text)
{
    const ObjFile file(text);
    return loadPath(file.path());
}

// A folder of the test's own, removed with everything in it.
class TemporaryFolder {
public:
    TemporaryFolder()
    {
        const auto* test = testing::UnitTest::GetInstance()->current_test_info();
        // A random part keeps two builds' runs of one test apart.
        path_ = std::filesystem::temp_directory_path()
              / (std::string("quorvane-") + test->test_suite_name() + "-" + test->name() + "-"
                 + std::to_string(std::random_device()()));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TemporaryFolder() { std::filesystem::remove_all(path_); }
    std::filesystem::path operator/(const char* name) const { return path_ / name; }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

// What loadMesh writes to standard error for status.
std::string errorLine(MeshLoadStatus status, const std::filesystem::path& path)
{
    return status == MeshLoadStatus::loaded ? "" : meshLoadMessage(status, path) + "\n";
}

bool sameLists(const Mesh& a, const Mesh& b)
{
    auto same3 = [](const std::vector<Vector3>& p, const std::vector<Vector3>& q) {
        if (p.size() != q.size())
            return false;
        for (std::size_t i = 0; i < p.size(); ++i)
            if (p[i].x != q[i].x || p[i].y != q[i].y || p[i].z != q[i].z)
                return false;
        return true;
    };
    if (a.uvs.size() != b.uvs.size())
        return false;
    for (std::size_t i = 0; i < a.uvs.size(); ++i)
        if (a.uvs[i].x != b.uvs[i].x || a.uvs[i].y != b.uvs[i].y)
            return false;
    return same3(a.vertices, b.vertices) && same3(a.normals, b.normals)
        && same3(a.faceVertexIndices, b.faceVertexIndices) && same3(a.faceUVIndices, b.faceUVIndices)
        && same3(a.faceNormalIndices, b.faceNormalIndices);
}

const std::string triangle = "# one triangle\n"
                             "v 0 0 0\nv 1 0 0\nv 0 1 0\n"
                             "vt 0 0\nvt 1 0\nvt 0 1\n"
                             "vn 0 0 1\n"
                             "f 1/1/1 2/2/1 3/3/1\n";

} // namespace

TEST(MeshLoad, EmptyFileGivesEmptyMeshSilently)
{
    const Loaded result = load("");
    EXPECT_EQ(result.status, MeshLoadStatus::loaded);
    EXPECT_TRUE(result.errors.empty());
    EXPECT_TRUE(result.mesh.vertices.empty());
    EXPECT_TRUE(result.mesh.faceVertexIndices.empty());
}

TEST(MeshLoad, MissingFileSaysWhichAndStaysEmpty)
{
    Mesh mesh;
    testing::internal::CaptureStderr();
    const MeshLoadStatus status = loadMesh("no-such-dir/head.obj", mesh);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Error: cannot open model file no-such-dir/head.obj\n");
    EXPECT_EQ(status, MeshLoadStatus::cannotOpen);
    EXPECT_TRUE(mesh.vertices.empty());
    EXPECT_TRUE(mesh.normals.empty());
}

TEST(MeshLoad, ReadsAllSixListsInFileOrder)
{
    const Loaded result = load(triangle);
    EXPECT_EQ(result.status, MeshLoadStatus::loaded);
    EXPECT_TRUE(result.errors.empty());
    ASSERT_EQ(result.mesh.vertices.size(), 3u);
    expectVector(result.mesh.vertices[1], 1, 0, 0);
    ASSERT_EQ(result.mesh.uvs.size(), 3u);
    EXPECT_EQ(result.mesh.uvs[2].y, 1.0f);
    ASSERT_EQ(result.mesh.normals.size(), 1u);
    ASSERT_EQ(result.mesh.faceVertexIndices.size(), 1u);
    expectVector(result.mesh.faceVertexIndices[0], 1, 2, 3);
    expectVector(result.mesh.faceUVIndices[0], 1, 2, 3);
    expectVector(result.mesh.faceNormalIndices[0], 1, 1, 1);
}

TEST(MeshLoad, ConstructorLoadsTheSameAsLoadMesh)
{
    const ObjFile file(triangle);
    const Mesh mesh(file.path().c_str());
    Mesh loaded;
    loadMesh(file.path().c_str(), loaded);
    EXPECT_TRUE(sameLists(mesh, loaded));
    EXPECT_EQ(mesh.faceVertexIndices.size(), 1u);
}

// Room for a large model is made once, from a count of its lines, instead of
// growing each list step by step; a load appends to what the mesh holds.
TEST(MeshLoad, MakesRoomForEveryEntryOnce)
{
    std::string text;
    for (int i = 0; i < 4; ++i)
        text += "v 1 2 3\nvt 1 2\nvn 0 0 1\nf 1/1/1 1/1/1 1/1/1\n";
    const ObjFile file(text);
    Mesh mesh;
    mesh.vertices.emplace_back();
    mesh.uvs.emplace_back();
    mesh.normals.emplace_back();
    mesh.faceVertexIndices.emplace_back();
    mesh.faceUVIndices.emplace_back();
    mesh.faceNormalIndices.emplace_back();
    ASSERT_EQ(loadMesh(file.path(), mesh), MeshLoadStatus::loaded);
    // Grown an entry at a time, or with room for the file's entries alone,
    // every list would hold room for 8.
    for (const std::size_t capacity : {mesh.vertices.capacity(), mesh.uvs.capacity(), mesh.normals.capacity(),
                                       mesh.faceVertexIndices.capacity(), mesh.faceUVIndices.capacity(),
                                       mesh.faceNormalIndices.capacity()})
        EXPECT_EQ(capacity, 5u);
}

TEST(MeshNumbers, AFailedNumberZeroesItAndTheRestOfTheLine)
{
    const Loaded result = load("v 1 2\nv 1 x 3\nv \nv 4 5 6 7\n");
    EXPECT_TRUE(result.errors.empty());
    ASSERT_EQ(result.mesh.vertices.size(), 4u);
    expectVector(result.mesh.vertices[0], 1, 2, 0);
    expectVector(result.mesh.vertices[1], 1, 0, 0);
    expectVector(result.mesh.vertices[2], 0, 0, 0);
    expectVector(result.mesh.vertices[3], 4, 5, 6);
}

TEST(MeshNumbers, ReadsSignsFractionsAndExponents)
{
    const Loaded result = load("v -1.5 +2.25e1 3E-1\n");
    ASSERT_EQ(result.mesh.vertices.size(), 1u);
    expectVector(result.mesh.vertices[0], -1.5f, 22.5f, 0.3f);
}

TEST(MeshNumbers, HugeNumberSaturatesAndStopsTheLine)
{
    const Loaded result = load("v 1e50 2 3\nv -1e50 2 3\nv 1e-50 2 3\n");
    ASSERT_EQ(result.mesh.vertices.size(), 3u);
    expectVector(result.mesh.vertices[0], std::numeric_limits<float>::max(), 0, 0);
    expectVector(result.mesh.vertices[1], -std::numeric_limits<float>::max(), 0, 0);
    expectVector(result.mesh.vertices[2], 0, 2, 3);
}

TEST(MeshNumbers, TextureCoordinatesIgnoreAThirdValue)
{
    const Loaded result = load("vt 0.5 0.25 0.0\n");
    ASSERT_EQ(result.mesh.uvs.size(), 1u);
    EXPECT_EQ(result.mesh.uvs[0].x, 0.5f);
    EXPECT_EQ(result.mesh.uvs[0].y, 0.25f);
}

TEST(MeshNumbers, NormalsAreNormalised)
{
    const Loaded result = load("vn 0 0 2\nvn 0 0 0\n");
    ASSERT_EQ(result.mesh.normals.size(), 2u);
    expectVector(result.mesh.normals[0], 0, 0, 1);
    EXPECT_TRUE(std::isnan(result.mesh.normals[1].x));
}

TEST(MeshLines, OnlyExactLowerCaseKeywordsCount)
{
    const Loaded result = load("v\t1 2 3\n v 1 2 3\nV 1 2 3\nv\nvn\nvt\nvx 1 2 3\nvp 1 2\ng head\no head\n"
                               "s 1\nusemtl skin\nf\tx\nF 1/1/1 2/2/2 3/3/3\n");
    EXPECT_EQ(result.status, MeshLoadStatus::loaded);
    EXPECT_TRUE(result.errors.empty());
    EXPECT_TRUE(result.mesh.vertices.empty());
    EXPECT_TRUE(result.mesh.normals.empty());
    EXPECT_TRUE(result.mesh.uvs.empty());
    EXPECT_TRUE(result.mesh.faceVertexIndices.empty());
}

TEST(MeshLines, CarriageReturnLineEndsLoadLikeLineFeeds)
{
    std::string crlf;
    for (char c : triangle) {
        if (c == '\n')
            crlf += '\r';
        crlf += c;
    }
    const Loaded withCr = load(crlf);
    const Loaded withLf = load(triangle);
    EXPECT_EQ(withCr.status, MeshLoadStatus::loaded);
    EXPECT_TRUE(withCr.errors.empty());
    EXPECT_TRUE(sameLists(withCr.mesh, withLf.mesh));
}

TEST(MeshLines, LastLineWithoutLineEndIsRead)
{
    const Loaded result = load("v 1 2 3\nv 4 5 6");
    ASSERT_EQ(result.mesh.vertices.size(), 2u);
    expectVector(result.mesh.vertices[1], 4, 5, 6);
}

TEST(MeshFaces, AnyNonBlankSeparatorIsAccepted)
{
    const Loaded result = load("f 1-1-1 2-2-2 3-3-3\n");
    EXPECT_TRUE(result.errors.empty());
    ASSERT_EQ(result.mesh.faceVertexIndices.size(), 1u);
    expectVector(result.mesh.faceVertexIndices[0], 1, 2, 3);
}

TEST(MeshFaces, KeepsTheThreeCornerListsApart)
{
    const Loaded result = load("f 1/2/3 4/5/6 7/8/9\n");
    ASSERT_EQ(result.mesh.faceVertexIndices.size(), 1u);
    expectVector(result.mesh.faceVertexIndices[0], 1, 4, 7);
    expectVector(result.mesh.faceUVIndices[0], 2, 5, 8);
    expectVector(result.mesh.faceNormalIndices[0], 3, 6, 9);
}

TEST(MeshFaces, TextAfterTheThirdReferenceIsIgnored)
{
    const Loaded result =
        load("f 1/1/1 2/2/2 3/3/3 # comment\nf 1/1/1 2/2/2 3/3/3 4\nf 1/1/1 2/2/2 3/3/3 4/4\n");
    EXPECT_EQ(result.status, MeshLoadStatus::loaded);
    EXPECT_TRUE(result.errors.empty());
    EXPECT_EQ(result.mesh.faceVertexIndices.size(), 3u);
}

TEST(MeshFaces, IndicesAreStoredAsRead)
{
    // Zero, negative and past-the-end references are the renderer's to skip.
    const Loaded result = load("v 0 0 0\nf 0/0/0 -1/-2/-3 99/16777217/7\n");
    ASSERT_EQ(result.mesh.faceVertexIndices.size(), 1u);
    expectVector(result.mesh.faceVertexIndices[0], 0, -1, 99);
    expectVector(result.mesh.faceUVIndices[0], 0, -2, 16777216); // beyond 2^24 the float rounds
    expectVector(result.mesh.faceNormalIndices[0], 0, -3, 7);
}

TEST(MeshRejectedFace, StopsLoadingAndKeepsWhatCameBefore)
{
    for (const char* face : {"f 1/1/1 2/2/2 3/3/3 4/4/4", "f 1//1 2//2 3//3", "f 1/1 2/2 3/3", "f 1 2 3",
                             "f ", "f 1/1/1 2/2/2", "f 99999999999/1/1 2/2/2 3/3/3"}) {
        const Loaded result = load(triangle + face + "\nv 9 9 9\nf 1/1/1 2/2/2 3/3/3\n");
        EXPECT_EQ(result.status, MeshLoadStatus::notTriangulated) << face;
        EXPECT_EQ(result.errors, triangulatedMessage) << face;
        EXPECT_EQ(result.mesh.vertices.size(), 3u) << face;
        EXPECT_EQ(result.mesh.uvs.size(), 3u) << face;
        EXPECT_EQ(result.mesh.faceVertexIndices.size(), 1u) << face;
        EXPECT_EQ(result.mesh.faceNormalIndices.size(), 1u) << face;
        // No room kept for the vertex and the faces after the stop.
        EXPECT_EQ(result.mesh.vertices.capacity(), 3u) << face;
        EXPECT_EQ(result.mesh.faceVertexIndices.capacity(), 1u) << face;
    }
}

TEST(MeshHostileInput, BinaryJunkLoadsWithoutACrash)
{
    std::string junk;
    unsigned state = 12345;
    for (int i = 0; i < 200000; ++i) {
        state = state * 1103515245u + 12345u;
        junk += static_cast<char>(state >> 24);
    }
    const Loaded result = load(junk);
    EXPECT_NE(result.status, MeshLoadStatus::cannotOpen);
    EXPECT_EQ(result.mesh.faceVertexIndices.size(), result.mesh.faceNormalIndices.size());
}

TEST(MeshHostileInput, VeryLongLinesLoad)
{
    const std::string digits(1 << 20, '7');
    const Loaded result = load("v " + digits + " 1 2\nv 0." + digits + " 1 2\n# " + digits + "\n");
    ASSERT_EQ(result.mesh.vertices.size(), 2u);
    expectVector(result.mesh.vertices[0], std::numeric_limits<float>::max(), 0, 0);
    EXPECT_FLOAT_EQ(result.mesh.vertices[1].x, 0.7777778f);
    EXPECT_EQ(result.mesh.vertices[1].z, 2.0f);
}

TEST(MeshHostileInput, FileOfOnlyFacesLoadsItsFaces)
{
    std::string faces;
    for (int i = 0; i < 1000; ++i)
        faces += "f 1/1/1 2/2/2 3/3/3\n";
    const Loaded result = load(faces);
    EXPECT_EQ(result.status, MeshLoadStatus::loaded);
    EXPECT_EQ(result.mesh.faceVertexIndices.size(), 1000u);
    EXPECT_TRUE(result.mesh.vertices.empty());
}

TEST(MeshLoadMessage, IsOneLineThatNamesThePathAndAnyLimit)
{
    EXPECT_EQ(meshLoadMessage(MeshLoadStatus::loaded, "m.obj"), "");
    EXPECT_EQ(meshLoadMessage(MeshLoadStatus::notTriangulated, "m.obj") + "\n", triangulatedMessage);
    const struct {
        MeshLoadStatus status;
        const char* limit;
    } refusals[] = {{MeshLoadStatus::cannotOpen, ""},
                    {MeshLoadStatus::notARegularFile, ""},
                    {MeshLoadStatus::tooLarge, "4 GiB"},
                    {MeshLoadStatus::lineTooLong, "64 MiB"},
                    {MeshLoadStatus::readError, ""}};
    for (const auto& refusal : refusals) {
        // A UTF-8 name, whatever the platform's narrow encoding.
        const std::string message =
            meshLoadMessage(refusal.status, std::filesystem::path(u8"dir/m\u00e9sh.obj"));
        EXPECT_TRUE(message.starts_with("Error: ")) << message;
        EXPECT_NE(message.find("dir/m\xc3\xa9sh.obj"), std::string::npos) << message;
        EXPECT_NE(message.find(refusal.limit), std::string::npos) << message;
        EXPECT_EQ(message.find('\n'), std::string::npos) << message;
    }
}

// Only regular files are models; anything else is refused unopened, with the
// status and its line on standard error, and the mesh stays empty.
TEST(MeshRefusal, EverythingButARegularFileIsRefusedUnopened)
{
    const TemporaryFolder folder;
    std::vector<std::filesystem::path> refused = {folder.path()};
#ifndef _WIN32
    refused.push_back("/dev/null");
    const std::filesystem::path fifo = folder / "fifo.obj";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    refused.push_back(fifo);
    const std::filesystem::path socketPath = folder / "socket.obj";
    const int socketHandle = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    socketPath.string().copy(address.sun_path, sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(socketHandle, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    refused.push_back(socketPath);
    // Should the loader open the FIFO, this writer lets the open and the reads
    // finish, so the test fails on the status instead of hanging.
    std::atomic<bool> loadsDone = false;
    std::thread writer([&] {
        while (!loadsDone) {
            const int handle = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
            if (handle >= 0) {
                [[maybe_unused]] const auto written = ::write(handle, "v 1 2 3\n", 8);
                ::close(handle);
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    });
#endif
    for (const std::filesystem::path& path : refused) {
        const Loaded result = loadPath(path);
        EXPECT_EQ(result.status, MeshLoadStatus::notARegularFile) << path;
        EXPECT_EQ(result.errors, errorLine(MeshLoadStatus::notARegularFile, path));
        EXPECT_TRUE(result.mesh.vertices.empty()) << path;
    }
#ifndef _WIN32
    loadsDone = true;
    writer.join();
    ::close(socketHandle);
#endif
}

#ifndef _WIN32
void writeFile(const std::filesystem::path& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

// The file's size is checked before it is opened, a line's length while it is
// read; the sparse files take no disk space. What came before a long line
// stays, what comes after is not read.
TEST(MeshRefusal, FileSizeAndLineLengthLimitsHoldAtTheirBoundaries)
{
    const TemporaryFolder folder;
    const std::string limitLine(maxModelLineBytes, '#');
    const struct {
        const char* name;
        std::string text;    // written as it is,
        std::uintmax_t size; // then, unless 0, extended with zero bytes to this size
        MeshLoadStatus status;
        std::size_t vertices;
    } cases[] = {
        {"oversize.obj", "", maxModelFileBytes + 1, MeshLoadStatus::tooLarge, 0},
        // At the size limit the file is read: up to its second line.
        {"fullsize.obj", "v 1 2 3\nf 1\n", maxModelFileBytes, MeshLoadStatus::notTriangulated, 1},
        // A line of the limit's length is read; the last line, one longer, is not.
        {"limit-line.obj", "v 1 2 3\n" + limitLine + "\nv 4 5 6\n" + limitLine + "#", 0,
         MeshLoadStatus::lineTooLong, 2},
        {"long-line.obj", "v 1 2 3\n" + limitLine + "#\nv 4 5 6\n", 0, MeshLoadStatus::lineTooLong, 1},
    };
    for (const auto& testCase : cases) {
        const std::filesystem::path path = folder / testCase.name;
        writeFile(path, testCase.text);
        if (testCase.size > 0)
            std::filesystem::resize_file(path, testCase.size);
        const Loaded result = loadPath(path);
        EXPECT_EQ(result.status, testCase.status) << testCase.name;
        EXPECT_EQ(result.errors, errorLine(testCase.status, path)) << testCase.name;
        EXPECT_EQ(result.mesh.vertices.size(), testCase.vertices) << testCase.name;
        std::filesystem::remove(path);
    }
}

TEST(MeshRefusal, AReadErrorIsAnErrorNotTheEndOfTheFile)
{
    // A regular file whose first read fails: this process's memory at address 0.
    const Loaded result = loadPath("/proc/self/mem");
    EXPECT_EQ(result.status, MeshLoadStatus::readError);
    EXPECT_EQ(result.errors, errorLine(MeshLoadStatus::readError, "/proc/self/mem"));
}
#endif
