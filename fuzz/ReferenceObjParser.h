#pragma once

#include "scene/Mesh.h"

#include <string_view>

namespace Quorvane {

// The model reader as it was first written: each line read by formatted
// extraction from an input stream. It defines what the product's reader
// must give for every input, bit for bit; the tests and the fuzzer compare
// the two. Same contracts as parseObjLine and parseObjText.
bool referenceParseObjLine(std::string_view line, Mesh& mesh);
MeshLoadStatus referenceParseObjText(std::string_view text, Mesh& mesh);

// Whether the six lists hold the same bits (NaN included) in the same order.
bool sameMeshBits(const Mesh& a, const Mesh& b);

} // namespace Quorvane
