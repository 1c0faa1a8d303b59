#pragma once

#include <string>

namespace Quorvane {

// OBJ text of a unit-radius latitude-longitude sphere centred on the origin:
// rings x segments quads, each split into two counter-clockwise triangles with
// outward normals, in the subset the loader reads. 250 x 400 gives 200,000.
std::string sphereObjText(int rings, int segments);

// Writes sphereObjText to a file in the system's temporary directory and
// returns its path.
std::string writeSphereObj(int rings, int segments);

} // namespace Quorvane
