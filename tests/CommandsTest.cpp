#include "app/Commands.h"

#include <gtest/gtest.h>

#include <string>

using namespace Quorvane;

namespace {

struct Modes {
    RenderMode renderMode = renderModeShaded;
    ShadingMode shadingMode = shadingModeFlat;

    CommandResult apply(int id) { return applyCommand(id, renderMode, shadingMode); }
};

} // namespace

TEST(CommandToggle, SwitchesShadedToWireframeAndOffersColor)
{
    Modes modes;
    const CommandResult result = modes.apply(commandToggle);
    EXPECT_EQ(modes.renderMode, renderModeWireframe);
    EXPECT_EQ(result.action, CommandAction::repaint);
    ASSERT_NE(result.toggleText, nullptr);
    EXPECT_EQ(std::string(result.toggleText), "Color");
}

TEST(CommandToggle, SwitchesWireframeToShadedAndOffersMesh)
{
    Modes modes;
    modes.renderMode = renderModeWireframe;
    const CommandResult result = modes.apply(commandToggle);
    EXPECT_EQ(modes.renderMode, renderModeShaded);
    EXPECT_EQ(result.action, CommandAction::repaint);
    ASSERT_NE(result.toggleText, nullptr);
    EXPECT_EQ(std::string(result.toggleText), "Mesh");
}

TEST(CommandToggle, TwiceReturnsToTheShadedViewAndMesh)
{
    Modes modes;
    modes.apply(commandToggle);
    const CommandResult second = modes.apply(commandToggle);
    EXPECT_EQ(modes.renderMode, renderModeShaded);
    ASSERT_NE(second.toggleText, nullptr);
    EXPECT_EQ(std::string(second.toggleText), "Mesh");
}

TEST(CommandToggle, LeavesAnUnknownRenderModeAndTheTextButStillRepaints)
{
    Modes modes;
    modes.renderMode = 7;
    const CommandResult result = modes.apply(commandToggle);
    EXPECT_EQ(modes.renderMode, 7);
    EXPECT_EQ(result.toggleText, nullptr);
    EXPECT_EQ(result.action, CommandAction::repaint);
}

TEST(CommandToggle, KeepsTheShadingMode)
{
    Modes modes;
    modes.shadingMode = shadingModePhong;
    modes.apply(commandToggle);
    EXPECT_EQ(modes.shadingMode, shadingModePhong);
}

TEST(CommandShading, EachButtonStoresItsModelAndRepaints)
{
    const struct {
        int id;
        ShadingMode expected;
    } cases[] = {
        {commandGouraudShading, shadingModeGouraud},
        {commandPhongShading, shadingModePhong},
        {commandFlatShading, shadingModeFlat},
    };
    Modes modes;
    for (const auto& c : cases) {
        const CommandResult result = modes.apply(c.id);
        EXPECT_EQ(modes.shadingMode, c.expected) << c.id;
        EXPECT_EQ(modes.renderMode, renderModeShaded) << c.id;
        EXPECT_EQ(result.action, CommandAction::repaint) << c.id;
        EXPECT_EQ(result.toggleText, nullptr) << c.id;
    }
}

TEST(CommandShading, IsStoredWhileTheWireframeShows)
{
    Modes modes;
    modes.renderMode = renderModeWireframe;
    modes.apply(commandGouraudShading);
    EXPECT_EQ(modes.shadingMode, shadingModeGouraud);
    EXPECT_EQ(modes.renderMode, renderModeWireframe);
}

TEST(CommandShading, ChoosingTheActiveModelStillRepaints)
{
    Modes modes;
    EXPECT_EQ(modes.apply(commandFlatShading).action, CommandAction::repaint);
    EXPECT_EQ(modes.shadingMode, shadingModeFlat);
}

TEST(CommandMenu, AboutAndExitAskTheShellAndChangeNoMode)
{
    Modes modes;
    EXPECT_EQ(modes.apply(commandAbout).action, CommandAction::showAbout);
    EXPECT_EQ(modes.apply(commandExit).action, CommandAction::exit);
    EXPECT_EQ(modes.renderMode, renderModeShaded);
    EXPECT_EQ(modes.shadingMode, shadingModeFlat);
}

TEST(CommandUnknown, GoesToDefaultProcessingAndChangesNothing)
{
    for (const int id : {0, 1, 2, 103, 106, 3300, 3305, -3301, 0x10000 + commandToggle}) {
        Modes modes;
        const CommandResult result = modes.apply(id);
        EXPECT_EQ(result.action, CommandAction::defaultProcessing) << id;
        EXPECT_EQ(result.toggleText, nullptr) << id;
        EXPECT_EQ(modes.renderMode, renderModeShaded) << id;
        EXPECT_EQ(modes.shadingMode, shadingModeFlat) << id;
    }
}
