#pragma once

#include "math/Color.h"
#include "render/FrameSurface.h"

namespace Quorvane {

// The face fills of the shaded view. Each fills face faceIndex of renderContext's
// lists: the corners' screen positions come from its shading model's
// shadeVertex, every pixel (x, y) of the bounding box clamped to [1, 499] is
// sampled at the point (x, y) itself, and a pixel inside the triangle whose
// interpolated depth is strictly smaller than depthBuffer's is stored and shaded.
// Faces are drawn in full or not at all: a face whose position index (or normal
// index, for Gouraud and Phong) falls outside its list is skipped, and so is a
// face with a screen coordinate that is not finite or does not fit an int.
// depthBuffer cells the buffer does not have are never touched.

// Flat: one colour per face from its model-space normal, through flatShader.
void drawFaceFlat(int faceIndex, Color color, FrameSurface& surface);
// Gouraud: corner colours blended per pixel, through gouraudShader.
void drawFaceGouraud(int faceIndex, FrameSurface& surface);
// Phong: normals and positions blended per pixel, through phongShader.
void drawFacePhong(int faceIndex, FrameSurface& surface);

} // namespace Quorvane
