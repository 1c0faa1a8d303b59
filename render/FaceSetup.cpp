#include "render/FaceSetup.h"

#include "render/FaceCorners.h"

namespace Quorvane {

std::int64_t setUpFacesPortable(const FaceSetupInputs& inputs, std::size_t first, std::size_t end,
                                const FaceSetupOutputs& outputs)
{
    std::int64_t tallPixels = 0;
    for (std::size_t i = first; i < end; ++i) {
        FaceSetup& face = outputs.faces[i];
        FaceShading& shading = outputs.shading[i];
        face.drawn = false;
        if (!faceCorners(inputs.vertexIndices[i], inputs.vertexCount, shading.positions)) {
            shading.positions[0] = shading.positions[1] = shading.positions[2] = 0;
            continue;
        }
        if (inputs.lit
            && !(i < inputs.normalFaceCount
                 && faceCorners(inputs.normalIndices[i], inputs.normalCount, shading.normals)))
            continue;
        const Vector3& s0 = inputs.screen[static_cast<std::size_t>(shading.positions[0])];
        const Vector3& s1 = inputs.screen[static_cast<std::size_t>(shading.positions[1])];
        const Vector3& s2 = inputs.screen[static_cast<std::size_t>(shading.positions[2])];
        if (!pixelBox(s0, s1, s2, face.box))
            continue;
        face.drawn = true;
        outputs.edges[i] = faceEdges(s0, s1, s2);
        const int rows = face.box.ymax - face.box.ymin + 1;
        if (rows >= shortestNarrowedColumn) {
            outputs.bounds[i] = faceBounds(outputs.edges[i], face.box, rows >= shortestBoundedRun);
            tallPixels += static_cast<std::int64_t>(face.box.xmax - face.box.xmin + 1) * rows;
        }
    }
    return tallPixels;
}

FaceSetUp faceSetUp(PixelKernels kernels)
{
    return kernels == PixelKernels::avx2 ? setUpFacesAvx2 : setUpFacesPortable;
}

} // namespace Quorvane
