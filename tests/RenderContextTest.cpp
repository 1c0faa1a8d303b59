#include "render/RenderContext.h"

#include <gtest/gtest.h>

namespace Quorvane {
namespace {

TEST(RenderContextScene, CopiesTheListsIndependentOfTheMesh)
{
    Mesh mesh;
    mesh.vertices = {{1, 2, 3}, {4, 5, 6}};
    mesh.uvs = {{0.5f, 0.25f}};
    mesh.normals = {{0, 0, 1}};
    mesh.faceVertexIndices = {{1, 2, 1}};
    mesh.faceUVIndices = {{1, 1, 1}};
    mesh.faceNormalIndices = {{1, 1, 1}};
    Light light;
    light.diffuse.direction = Vector3(0, -1, 0);
    setScene(light, mesh);
    mesh.vertices[0].x = 99;
    mesh = Mesh();
    ASSERT_EQ(renderContext.vertices.size(), 2u);
    EXPECT_EQ(renderContext.vertices[0].x, 1.0f);
    EXPECT_EQ(renderContext.vertices[1].z, 6.0f);
    EXPECT_EQ(renderContext.uvs.size(), 1u);
    EXPECT_EQ(renderContext.normals.size(), 1u);
    EXPECT_EQ(renderContext.faceVertexIndices.size(), 1u);
    EXPECT_EQ(renderContext.faceUVIndices.size(), 1u);
    EXPECT_EQ(renderContext.faceNormalIndices.size(), 1u);
    EXPECT_EQ(renderContext.light.diffuse.direction.y, -1.0f);
}

TEST(RenderContextScene, EndsWithExactlyTheMeshElements)
{
    Mesh large;
    large.vertices.assign(10, Vector3(1, 1, 1));
    large.faceVertexIndices.assign(5, Vector3(1, 1, 1));
    setScene(Light(), large);
    Mesh small;
    small.vertices = {{2, 2, 2}};
    setScene(Light(), small);
    EXPECT_EQ(renderContext.vertices.size(), 1u);
    EXPECT_EQ(renderContext.vertices[0].x, 2.0f);
    EXPECT_TRUE(renderContext.faceVertexIndices.empty());
}

TEST(RenderContextTransforms, CopiesCameraAndMatrices)
{
    Camera camera;
    camera.position = Vector3(1, 2, 3);
    Matrix4 view, projection, model;
    view.rows[3] = Vector4(-1, -2, -3, 1);
    projection.rows[2].w = -1;
    model.rows[0].x = 5;
    setTransforms(camera, view, projection, model);
    EXPECT_EQ(renderContext.camera.position.z, 3.0f);
    EXPECT_EQ(renderContext.view.rows[3].y, -2.0f);
    EXPECT_EQ(renderContext.projection.rows[2].w, -1.0f);
    EXPECT_EQ(renderContext.model.rows[0].x, 5.0f);
}

} // namespace
} // namespace Quorvane
