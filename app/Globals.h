#pragma once

#include "scene/Camera.h"
#include "scene/DragTracker.h"
#include "scene/Light.h"
#include "scene/Mesh.h"
#include "scene/Modes.h"

#include <filesystem>

namespace Quorvane {

extern RenderMode renderMode;   // 101 wireframe, 102 shaded; the toggle button changes it
extern ShadingMode shadingMode; // 1001 flat, 1002 Gouraud, 1003 Phong
extern Camera camera;           // the eye; only the mouse moves it
extern DragTracker dragTracker;
extern Mesh mesh;                     // modelPath, loaded during static initialisation
extern MeshLoadStatus meshLoadStatus; // the shells warn unless loaded or notTriangulated
extern Light light;

// The model file the program shows: data/head.obj in the working directory,
// else beside the executable (see findModelPath).
extern const std::filesystem::path modelPath;

} // namespace Quorvane
