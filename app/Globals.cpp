#include "app/Globals.h"

namespace Quorvane {

// Every global of the program is defined here, in this order, because C++
// orders static initialisation only within one source file, and the mesh must
// load after camera and dragTracker and before light.
RenderMode renderMode = renderModeShaded;
ShadingMode shadingMode = shadingModeFlat;
const char* const modelPath = "data/head.obj";
Camera camera;
DragTracker dragTracker;
Mesh mesh;
MeshLoadStatus meshLoadStatus = loadMesh(modelPath, mesh);
Light light;

} // namespace Quorvane
