#pragma once

#include "math/Vector.h"
#include "render/ColumnFill.h"
#include "render/RenderContext.h"

#include <cstddef>

namespace Quorvane {

// Writes transformVertex(positions[i], context) to screen[i] for every i below
// count: each vertex once per frame, however many faces share it.
using ScreenTransform = void (*)(const Vector3* positions, std::size_t count, const RenderContext& context,
                                 Vector3* screen);

// transformVertex itself, vertex by vertex: runs on every x86-64 processor.
void transformVerticesPortable(const Vector3* positions, std::size_t count, const RenderContext& context,
                               Vector3* screen);

// The same values, eight vertices at a time with AVX2; call it only where
// processorHasAvx2() holds.
void transformVerticesAvx2(const Vector3* positions, std::size_t count, const RenderContext& context,
                           Vector3* screen);

ScreenTransform screenTransform(PixelKernels kernels);

} // namespace Quorvane
