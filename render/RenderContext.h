#pragma once

#include "math/Matrix.h"
#include "math/Vector.h"
#include "scene/Camera.h"
#include "scene/Light.h"
#include "scene/Mesh.h"

#include <vector>

namespace Quorvane {

// Everything a frame's drawing reads: copies of the camera, the frame's three
// matrices, the light and the model's six lists. The drawing operations take
// none of these as arguments; they find them here.
struct RenderContext {
    Camera camera;
    Matrix4 view;
    Matrix4 projection;
    Matrix4 model; // stored every frame, applied by no stage
    Light light;
    std::vector<Vector3> vertices;
    std::vector<Vector2> uvs;
    std::vector<Vector3> normals;
    std::vector<Vector3> faceVertexIndices;
    std::vector<Vector3> faceUVIndices;
    std::vector<Vector3> faceNormalIndices;
};

extern RenderContext renderContext;

// Copies the four values into renderContext's fields of the same names.
void setTransforms(const Camera& camera, const Matrix4& view, const Matrix4& projection,
                   const Matrix4& model);

// Copies the light and then the six lists of mesh into renderContext; each list
// ends with exactly the mesh's elements and keeps its capacity for the next frame.
void setScene(const Light& light, const Mesh& mesh);

} // namespace Quorvane
