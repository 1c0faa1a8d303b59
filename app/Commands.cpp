#include "app/Commands.h"

namespace Quorvane {

namespace {

CommandResult toggle(RenderMode& renderMode)
{
    if (renderMode == renderModeShaded) {
        renderMode = renderModeWireframe;
        return {CommandAction::repaint, colorButtonText};
    }
    if (renderMode == renderModeWireframe) {
        renderMode = renderModeShaded;
        return {CommandAction::repaint, meshButtonText};
    }
    return {CommandAction::repaint, nullptr};
}

CommandResult chooseShading(ShadingMode& shadingMode, ShadingMode chosen)
{
    shadingMode = chosen;
    return {CommandAction::repaint, nullptr};
}

} // namespace

CommandResult applyCommand(int id, RenderMode& renderMode, ShadingMode& shadingMode)
{
    switch (id) {
    case commandAbout:
        return {CommandAction::showAbout, nullptr};
    case commandExit:
        return {CommandAction::exit, nullptr};
    case commandToggle:
        return toggle(renderMode);
    case commandFlatShading:
        return chooseShading(shadingMode, shadingModeFlat);
    case commandGouraudShading:
        return chooseShading(shadingMode, shadingModeGouraud);
    case commandPhongShading:
        return chooseShading(shadingMode, shadingModePhong);
    default:
        return {CommandAction::defaultProcessing, nullptr};
    }
}

} // namespace Quorvane
