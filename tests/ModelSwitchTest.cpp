#include "app/ModelSwitch.h"

#include "app/Commands.h"
#include "tests/ExactValues.h"

#include <gtest/gtest.h>

using namespace Quorvane;
using Testing::expectVector;

TEST(ModelSwitch, ShowsTheOpenedModelFromTheStartView)
{
    Mesh mesh;
    mesh.vertices.resize(5);
    RenderMode renderMode = renderModeWireframe;
    ShadingMode shadingMode = shadingModePhong;
    Camera camera;
    camera.position = Vector3(0.2f, -0.1f, 0.4f);
    Light light;
    light.diffuse.direction = Vector3(1, 2, 3);
    DragTracker dragTracker;
    dragTracker.press(7, 8);

    Mesh opened;
    opened.vertices.resize(3);
    opened.faceVertexIndices.resize(1);
    const char* toggleText =
        showOpenedModel(std::move(opened), {mesh, renderMode, shadingMode, camera, light, dragTracker});
    EXPECT_EQ(mesh.vertices.size(), 3u);
    EXPECT_EQ(mesh.faceVertexIndices.size(), 1u);
    EXPECT_EQ(renderMode, renderModeShaded);
    EXPECT_EQ(shadingMode, shadingModeFlat);
    EXPECT_STREQ(toggleText, meshButtonText);
    expectVector(camera.position, 0, 0, 1.5f);
    expectVector(light.diffuse.direction, -1, -1, -1);
    EXPECT_FALSE(dragTracker.pressed);
}
