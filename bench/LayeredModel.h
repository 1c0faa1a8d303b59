#pragma once

#include "scene/Mesh.h"

#include <cstdint>

namespace Quorvane {

// Where a layered model's corners lie along the start eye's line of sight.
enum class LayeredDepths {
    nearPlane,  // just in front of the eye's plane: between 0.0001 and 0.01 before it
    crossing,   // up to 0.2 before and behind it, so that most faces cross it
    straddling, // every face crosses it: two corners 0.05 to 0.5 before it, one as far behind
};

// faceCount faces that share no corner, each corner's x and y uniform in
// [-1, 1] and its depth as depths says, all facing the start eye: seen from
// it, every face covers much of the surface, and dozens lie on top of one
// another at every pixel. The same seed gives the same model on every
// platform.
Mesh layeredModel(LayeredDepths depths, int faceCount, std::uint64_t seed);

} // namespace Quorvane
