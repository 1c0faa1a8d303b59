#pragma once

#include "math/Color.h"
#include "math/Vector.h"
#include "render/ColumnFill.h"
#include "render/FrameSurface.h"
#include "render/RenderContext.h"
#include "scene/Modes.h"

#include <cstdint>

namespace Quorvane {

// What shading one pixel needs of the face that covers it: its corners'
// position and normal list indices and, for flat shading, its one value.
struct FaceShading {
    int positions[3] = {0, 0, 0};
    int normals[3] = {0, 0, 0};
    std::uint32_t flatValue = 0;
};

// Everything the shading of a frame's columns reads, per face and per list
// entry; the kernels take no global.
struct ShadingInputs {
    ShadingMode shadingMode = shadingModeFlat;
    const FaceShading* faces = nullptr;
    const FaceEdges* edges = nullptr;    // per face: its screen corners
    const Vector3* positions = nullptr;  // the mesh's vertices
    const Vector3* normals = nullptr;    // the mesh's normals
    const Color* cornerColors = nullptr; // per normal: its Gouraud corner colour
    const RenderContext* context = nullptr;
    // The red, green and blue of every lit pixel are the same operations on
    // the same floats, as where the light's colours are gray (the start
    // light is white): a kernel may compute one channel for all three.
    bool grayChannels = false;
    // The length of the diffuse light's direction, which every Phong pixel's
    // cosAngle divides by.
    float diffuseLength = 0;
};

// Whether shadingMode's lit pixels have grayChannels under light: the colours
// it reads (Gouraud the diffuse one, Phong both) have the same float, bit for
// bit, in red, green and blue.
bool grayChannels(ShadingMode shadingMode, const Light& light);

// The rows a column's value buffer has: a kernel may write up to eight rows
// past the column's last.
constexpr int columnValueRows = FrameSurface::height + 8;

// For every row of column x whose cell has a face, the pixel value that face's
// shader gives for its weights at the pixel (the fast Phong one, with
// fifthPower), into values[row]; the other rows get black (0), so that the
// column can be written whole. Rows outside stored have no face and are not
// read.
using ColumnShade = void (*)(const ColumnCells& cells, const PassedRows& stored, int x,
                             const ShadingInputs& inputs, std::uint32_t* values);

// The shaders' own shadePixel, row by row: runs on every x86-64 processor.
void shadeColumnPortable(const ColumnCells& cells, const PassedRows& stored, int x,
                         const ShadingInputs& inputs, std::uint32_t* values);

// The same values, eight rows at a time with AVX2; call it only where
// processorHasAvx2() holds.
void shadeColumnAvx2(const ColumnCells& cells, const PassedRows& stored, int x, const ShadingInputs& inputs,
                     std::uint32_t* values);

ColumnShade columnShade(PixelKernels kernels);

} // namespace Quorvane
