#pragma once

namespace Quorvane {

// What a frame draws. Plain ints: a value outside the lists draws nothing.
using RenderMode = int;
constexpr RenderMode renderModeWireframe = 101;
constexpr RenderMode renderModeShaded = 102;

using ShadingMode = int;
constexpr ShadingMode shadingModeFlat = 1001;
constexpr ShadingMode shadingModeGouraud = 1002;
constexpr ShadingMode shadingModePhong = 1003;

} // namespace Quorvane
