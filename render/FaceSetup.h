#pragma once

#include "math/Vector.h"
#include "render/ColumnFill.h"
#include "render/ColumnShade.h"
#include "render/FaceBounds.h"
#include "render/FastFill.h"
#include "render/TriangleFill.h"

#include <cstddef>
#include <cstdint>

namespace Quorvane {

// What a shaded face needs in every band: its clamped box, and whether it is
// drawn at all (its box is unspecified where it is not).
struct FaceSetup {
    PixelBox box;
    bool drawn = false;
};

// What setting up a frame's faces reads: the mesh's index lists and the
// vertices' screen positions.
struct FaceSetupInputs {
    const Vector3* vertexIndices = nullptr; // per face: three 1-based vertex indices
    const Vector3* normalIndices = nullptr; // per face, for the first normalFaceCount faces
    std::size_t normalFaceCount = 0;
    std::size_t vertexCount = 0; // entries of screen
    std::size_t normalCount = 0; // entries of the mesh's normals
    const Vector3* screen = nullptr;
    bool lit = false; // whether the faces need their normals (Gouraud and Phong)
};

// Per face, where setting up writes it.
struct FaceSetupOutputs {
    FaceSetup* faces = nullptr;
    FaceShading* shading = nullptr;
    FaceEdges* edges = nullptr;   // set where the face is drawn
    FaceBounds* bounds = nullptr; // set where it is drawn with shortestNarrowedColumn rows or more
};

// Sets up faces first to end - 1. A face is drawn where its vertex indices
// (and, lit, its normal indices) are entries of their lists and its pixelBox
// is not empty; its shading gets its corners' vertex indices, or 0 for all
// three where one is not an entry, so that its flat value can be computed
// whether it is drawn or not; lit and drawn, its normal indices too. A drawn
// face gets faceEdges of its corners' screen positions and, tall enough, its
// faceBounds. Returns the pixels of those tall faces' boxes, which tell how
// deep such faces lie.
using FaceSetUp = std::int64_t (*)(const FaceSetupInputs& inputs, std::size_t first, std::size_t end,
                                   const FaceSetupOutputs& outputs);

// Face by face: runs on every x86-64 processor.
std::int64_t setUpFacesPortable(const FaceSetupInputs& inputs, std::size_t first, std::size_t end,
                                const FaceSetupOutputs& outputs);

// The same, the indices, boxes and edges of eight faces at a time with AVX2;
// call it only where processorHasAvx2() holds.
std::int64_t setUpFacesAvx2(const FaceSetupInputs& inputs, std::size_t first, std::size_t end,
                            const FaceSetupOutputs& outputs);

FaceSetUp faceSetUp(PixelKernels kernels);

} // namespace Quorvane
