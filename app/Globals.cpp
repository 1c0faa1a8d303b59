#include "app/Globals.h"

#include "app/ExecutableDirectory.h"
#include "app/ModelPath.h"

// Before the globals: including <iostream> here constructs the standard streams
// ahead of this file's objects, so that loadMesh may write its error line to
// std::cerr during static initialisation. Without it the streams may still be
// unconstructed then, and writing to them crashes.
#include <iostream>

namespace Quorvane {

// Every global of the program is defined here, in this order, because C++
// orders static initialisation only within one source file, and the mesh must
// load after camera and dragTracker and before light.
RenderMode renderMode = renderModeShaded;
ShadingMode shadingMode = shadingModeFlat;
const std::filesystem::path modelPath = findModelPath("data/head.obj", executableDirectory());
Camera camera;
DragTracker dragTracker;
Mesh mesh;
MeshLoadStatus meshLoadStatus = loadMesh(modelPath, mesh);
Light light;

} // namespace Quorvane
