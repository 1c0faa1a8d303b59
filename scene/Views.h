#pragma once

#include "scene/Modes.h"

#include <string_view>

namespace Quorvane {

// A frame's view, by the name quorvane-render's --view, the benchmarks and
// the reference frames give it.
struct NamedView {
    const char* name;
    RenderMode renderMode;
    ShadingMode shadingMode;
};

// The four views the window offers; the wireframe ignores the shading mode.
inline constexpr NamedView namedViews[] = {
    {"wireframe", renderModeWireframe, shadingModeFlat},
    {"flat", renderModeShaded, shadingModeFlat},
    {"gouraud", renderModeShaded, shadingModeGouraud},
    {"phong", renderModeShaded, shadingModePhong},
};

// The view of that name, or nullptr.
constexpr const NamedView* viewNamed(std::string_view name)
{
    for (const NamedView& view : namedViews)
        if (name == view.name)
            return &view;
    return nullptr;
}

} // namespace Quorvane
