#include "tools/head/HeadModel.h"
#include "math/Geometry.h"
#include "scene/Mesh.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <utility>

using namespace Quorvane;

namespace {

const std::string headPath = std::string(QUORVANE_SOURCE_DIR) + "/data/head.obj";

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The committed model, loaded once for the whole suite.
class HeadModelFile : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        testing::internal::CaptureStderr();
        status = loadMesh(headPath.c_str(), head);
        loadMessages = testing::internal::GetCapturedStderr();
    }

    // at(), not []: a broken file must fail the test, not read past a list.
    static std::size_t index(float stored)
    {
        return static_cast<std::size_t>(static_cast<long long>(stored - 1.0f));
    }
    Vector3 position(const Vector3& face, int corner) const { return head.vertices.at(index(face[corner])); }

    static inline Mesh head;
    static inline MeshLoadStatus status = MeshLoadStatus::cannotOpen;
    static inline std::string loadMessages;
};

bool validIndex(float stored, std::size_t size)
{
    return stored >= 1 && stored <= static_cast<float>(size) && stored == std::floor(stored);
}

} // namespace

TEST_F(HeadModelFile, LoadsCompletelyWithoutAMessage)
{
    EXPECT_EQ(status, MeshLoadStatus::loaded);
    EXPECT_EQ(loadMessages, "");
}

TEST_F(HeadModelFile, HasBetweenTenAndFortyThousandTriangles)
{
    EXPECT_GE(head.faceVertexIndices.size(), 10000u);
    EXPECT_LE(head.faceVertexIndices.size(), 40000u);
    EXPECT_EQ(head.uvs.size(), head.vertices.size());
    EXPECT_EQ(head.normals.size(), head.vertices.size());
}

TEST_F(HeadModelFile, EveryIndexNamesAnEntryOfItsList)
{
    for (std::size_t face = 0; face < head.faceVertexIndices.size(); ++face)
        for (int corner = 0; corner < 3; ++corner) {
            ASSERT_TRUE(validIndex(head.faceVertexIndices[face][corner], head.vertices.size()))
                << "face " << face;
            ASSERT_TRUE(validIndex(head.faceUVIndices[face][corner], head.uvs.size())) << "face " << face;
            ASSERT_TRUE(validIndex(head.faceNormalIndices[face][corner], head.normals.size()))
                << "face " << face;
        }
}

// The loader normalises what it reads, so the written numbers are checked.
// They are unit vectors rounded to six decimals: each component is off by at
// most 5e-7, which moves the length by less than 1e-6.
TEST_F(HeadModelFile, WritesUnitNormals)
{
    std::istringstream text(readFile(headPath));
    std::string line;
    std::size_t count = 0;
    while (std::getline(text, line)) {
        if (!line.starts_with("vn "))
            continue;
        std::istringstream numbers(line.substr(3));
        double x = 0, y = 0, z = 0;
        ASSERT_TRUE(numbers >> x >> y >> z) << line;
        EXPECT_NEAR(std::sqrt(x * x + y * y + z * z), 1.0, 1e-6) << line;
        ++count;
    }
    EXPECT_EQ(count, head.normals.size());
}

// A cylindrical mapping: u from the angle round the vertical axis, v from
// the height, both covering [0, 1].
TEST_F(HeadModelFile, MapsTextureCoordinatesIntoTheUnitSquare)
{
    float lowestV = 1, highestV = 0;
    for (const Vector2& uv : head.uvs) {
        ASSERT_GE(uv.x, 0.0f);
        ASSERT_LE(uv.x, 1.0f);
        ASSERT_GE(uv.y, 0.0f);
        ASSERT_LE(uv.y, 1.0f);
        lowestV = std::min(lowestV, uv.y);
        highestV = std::max(highestV, uv.y);
    }
    EXPECT_EQ(lowestV, 0.0f);
    EXPECT_EQ(highestV, 1.0f);
}

TEST_F(HeadModelFile, FitsInsideTheUnitCubeCentredOnTheOrigin)
{
    Vector3 low = head.vertices.at(0), high = head.vertices.at(0);
    for (const Vector3& v : head.vertices)
        for (int axis = 0; axis < 3; ++axis) {
            low[axis] = std::min(low[axis], v[axis]);
            high[axis] = std::max(high[axis], v[axis]);
        }
    for (int axis = 0; axis < 3; ++axis) {
        EXPECT_GE(low[axis], -1.0f) << "axis " << axis;
        EXPECT_LE(high[axis], 1.0f) << "axis " << axis;
        // Centred up to the last printed decimal.
        EXPECT_NEAR(low[axis] + high[axis], 0.0f, 2e-6f) << "axis " << axis;
    }
    // Tall enough to fill most of the start view.
    EXPECT_GE(high.y - low.y, 1.7f);
}

// The flat shader's own face normal must agree with all three vertex normals:
// an inverted patch or a degenerate face fails here.
TEST_F(HeadModelFile, FaceNormalsAgreeWithVertexNormals)
{
    for (std::size_t face = 0; face < head.faceVertexIndices.size(); ++face) {
        const Vector3& corners = head.faceVertexIndices[face];
        const Vector3 normal =
            triangleNormal(position(corners, 0), position(corners, 1), position(corners, 2));
        for (int corner = 0; corner < 3; ++corner)
            ASSERT_GT(normal.dot(head.normals.at(index(head.faceNormalIndices[face][corner]))), 0.0f)
                << "face " << face << " corner " << corner;
    }
}

// Closed and consistently wound: every edge is run through once in each
// direction, by exactly two faces.
TEST_F(HeadModelFile, IsClosedWithEveryEdgeSharedByTwoFacesInOppositeDirections)
{
    std::map<std::pair<std::size_t, std::size_t>, int> directedEdges;
    for (const Vector3& face : head.faceVertexIndices)
        for (int corner = 0; corner < 3; ++corner)
            ++directedEdges[{index(face[corner]), index(face[(corner + 1) % 3])}];
    for (const auto& [edge, count] : directedEdges) {
        ASSERT_EQ(count, 1) << "edge " << edge.first << "-" << edge.second;
        const auto reverse = directedEdges.find({edge.second, edge.first});
        ASSERT_NE(reverse, directedEdges.end()) << "open edge " << edge.first << "-" << edge.second;
    }
}

// One closed surface with no tunnel: V - E + F = 2, where every edge
// belongs to two faces, so E = 3F / 2. A handle (a gap behind the nose, an
// ear joined to the head at two ends) would lower it by 2.
TEST_F(HeadModelFile, HasTheTopologyOfASphere)
{
    const long long faces = static_cast<long long>(head.faceVertexIndices.size());
    const long long vertices = static_cast<long long>(head.vertices.size());
    EXPECT_EQ(vertices - faces * 3 / 2 + faces, 2);
}

// Consistent winding alone allows a mesh turned inside out; the outermost
// points in every direction must have normals pointing that way.
TEST_F(HeadModelFile, NormalsPointOutwardAtTheExtremes)
{
    for (int axis = 0; axis < 3; ++axis) {
        std::size_t lowest = 0, highest = 0;
        for (std::size_t i = 0; i < head.vertices.size(); ++i) {
            if (head.vertices[i][axis] < head.vertices[lowest][axis])
                lowest = i;
            if (head.vertices[i][axis] > head.vertices[highest][axis])
                highest = i;
        }
        EXPECT_LT(head.normals[lowest][axis], -0.9f) << "axis " << axis;
        EXPECT_GT(head.normals[highest][axis], 0.9f) << "axis " << axis;
    }
}

TEST_F(HeadModelFile, FaceLooksTowardPositiveZ)
{
    // The nose tip is the front-most point: on the middle plane, below the eyes.
    std::size_t front = 0;
    for (std::size_t i = 0; i < head.vertices.size(); ++i)
        if (head.vertices[i].z > head.vertices[front].z)
            front = i;
    EXPECT_LT(std::abs(head.vertices[front].x), 0.05f);
    EXPECT_GT(head.vertices[front].y, -0.3f);
    EXPECT_LT(head.vertices[front].y, 0.2f);
}

TEST(HeadModelGenerator, WritesExactlyTheCommittedFile)
{
    EXPECT_TRUE(headObjText() == readFile(headPath))
        << "data/head.obj is stale: run quorvane-generate-head data/head.obj in the source root";
}
