#pragma once

#include "math/Color.h"
#include "math/Vector.h"
#include "render/ColumnFill.h"
#include "render/ColumnShade.h"
#include "render/RenderContext.h"

#include <cstddef>

namespace Quorvane {

// The lighting that depends on a face or a normal alone, computed once per
// frame before any pixel.

// GouraudShader::shadeVertex's corner colour for a white object: depends on
// the corner's normal alone.
Color gouraudCornerColor(const Vector3& normal, const Vector3& diffuseDirection, const Color& diffuseColor);

// Sets faces[i].flatValue for every i below count to FlatShader's value for a
// white face whose normal is triangleNormal of the vertices at
// faces[i].positions, which must all be entries of vertices.
using FlatValues = void (*)(const Vector3* vertices, FaceShading* faces, std::size_t count,
                            const RenderContext& context);

// Sets colors[i] to gouraudCornerColor of normals[i] for every i below count.
using CornerColors = void (*)(const Vector3* normals, std::size_t count, const DiffuseLight& diffuse,
                              Color* colors);

// The shaders' own functions, one by one: run on every x86-64 processor.
void flatValuesPortable(const Vector3* vertices, FaceShading* faces, std::size_t count,
                        const RenderContext& context);
void cornerColorsPortable(const Vector3* normals, std::size_t count, const DiffuseLight& diffuse,
                          Color* colors);

// The same values, eight at a time with AVX2; call them only where
// processorHasAvx2() holds.
void flatValuesAvx2(const Vector3* vertices, FaceShading* faces, std::size_t count,
                    const RenderContext& context);
void cornerColorsAvx2(const Vector3* normals, std::size_t count, const DiffuseLight& diffuse, Color* colors);

FlatValues flatValues(PixelKernels kernels);
CornerColors cornerColors(PixelKernels kernels);

} // namespace Quorvane
