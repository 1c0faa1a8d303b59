#pragma once

#include "scene/Mesh.h"

#include <string_view>

namespace Quorvane {

// Reads one line of OBJ text (without its line end) into mesh. Returns false,
// appending nothing, for a face line without exactly three complete
// references: the load stops there as notTriangulated.
bool parseObjLine(std::string_view line, Mesh& mesh);

// Reads a whole OBJ text from memory, line by line as loadMesh reads a file:
// a line ends at '\n', and a last line without one is read too. Returns
// loaded or notTriangulated.
MeshLoadStatus parseObjText(std::string_view text, Mesh& mesh);

} // namespace Quorvane
