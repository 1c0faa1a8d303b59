#pragma once

#include "scene/Mesh.h"

#include <cstddef>
#include <string_view>

namespace Quorvane {

// Reads one line of OBJ text (without its line end) into mesh. Returns false,
// appending nothing, for a face line without exactly three complete
// references: the load stops there as notTriangulated.
bool parseObjLine(std::string_view line, Mesh& mesh);

// How many entries a text's lines add to each list, told by their keywords
// alone: a face line counts even if parseObjLine would refuse it.
struct ObjLineCounts {
    std::size_t vertices = 0, uvs = 0, normals = 0, faces = 0;
};

// Adds one line (without its line end) to counts, as parseObjLine would
// append to the lists.
void countObjLine(std::string_view line, ObjLineCounts& counts);

// Reads a whole OBJ text from memory, line by line as loadMesh reads a file:
// a line ends at '\n', and a last line without one is read too. Returns
// loaded or notTriangulated.
MeshLoadStatus parseObjText(std::string_view text, Mesh& mesh);

} // namespace Quorvane
