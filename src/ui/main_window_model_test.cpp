// Tests of the main window's state and reactions.
#include "ui/main_window_model.h"

#include <gtest/gtest.h>

#include "platform/platform_standin.h"

namespace ui {
namespace {

using registry::Edition;

MainWindowModel Loaded(bool full, bool demo, Edition selected) {
    MainWindowModel model;
    ApplyInstallation(model, {full, demo, selected});
    return model;
}

TEST(MainWindowModel, InstallationDecidesOptionsAndPresetButtons) {
    MainWindowModel both = Loaded(true, true, Edition::kFull);
    EXPECT_TRUE(both.full_enabled && both.demo_enabled);
    EXPECT_EQ(both.edition, Edition::kFull);
    EXPECT_TRUE(both.preset_buttons_enabled);

    MainWindowModel demo = Loaded(false, true, Edition::kDemo);
    EXPECT_FALSE(demo.full_enabled);
    EXPECT_EQ(demo.edition, Edition::kDemo);

    // Without a game folder nothing can run: the preset buttons stay disabled even after a run
    // procedure asks for them again; the resolution boxes are not affected.
    MainWindowModel none = Loaded(false, false, Edition::kNone);
    EXPECT_FALSE(none.preset_buttons_enabled);
    EXPECT_FALSE(none.full_enabled || none.demo_enabled);
    EnablePresetButtons(none);
    EXPECT_FALSE(none.preset_buttons_enabled);
    EXPECT_TRUE(none.resolution_boxes_enabled);
}

TEST(MainWindowModel, ControlStateProceduresAndRenderOptions) {
    MainWindowModel model = Loaded(true, false, Edition::kFull);
    core::SessionState state;
    DisablePresetButtons(model);
    DisableResolutionBoxes(model);
    EXPECT_FALSE(model.preset_buttons_enabled || model.resolution_boxes_enabled);
    EnablePresetButtons(model);
    EXPECT_TRUE(model.preset_buttons_enabled);
    EXPECT_FALSE(model.resolution_boxes_enabled);
    EnableResolutionBoxes(model);
    EXPECT_TRUE(model.resolution_boxes_enabled);

    EXPECT_FALSE(model.render_chosen);
    SelectRenderEngine(model, state, false);
    EXPECT_EQ(state.RenderEngine, "D3D");
    SelectRenderEngine(model, state, true);
    EXPECT_EQ(state.RenderEngine, "OGL");
    EXPECT_TRUE(model.opengl);
    SelectRenderEngine(model, state, false);
    EXPECT_EQ(state.RenderEngine, "D3D");
    EXPECT_FALSE(model.opengl);
}

TEST(MainWindowModel, EditionChangeReopensCustomWindowOnlyOnARealChange) {
    MainWindowModel model = Loaded(true, true, Edition::kFull);
    core::SessionState state;
    state.GameEdition = "full";

    // Same edition again: an open custom window stays as it is.
    EditionChangeResult same = ChangeEdition(model, state, Edition::kFull, true, "full", true);
    EXPECT_FALSE(same.reopen_custom || same.close_custom);

    // Full to demo with the window open: reopened, after GameEdition names the new edition.
    EditionChangeResult to_demo = ChangeEdition(model, state, Edition::kDemo, true, "full", true);
    EXPECT_TRUE(to_demo.reopen_custom);
    EXPECT_EQ(state.GameEdition, "demo");
    EXPECT_EQ(model.edition, Edition::kDemo);

    // Back to full with the window closed: only the settings change.
    EditionChangeResult to_full = ChangeEdition(model, state, Edition::kFull, true, "demo", false);
    EXPECT_FALSE(to_full.reopen_custom);
    EXPECT_EQ(state.GameEdition, "full");
    EXPECT_EQ(model.edition, Edition::kFull);
}

TEST(MainWindowModel, VanishedEditionBehavesAsNotInstalled) {
    MainWindowModel model = Loaded(true, true, Edition::kFull);
    core::SessionState state;
    state.GameEdition = "demo";  // as the registry leaves it after a failed re-read
    state.InstallFolder = "";

    EditionChangeResult gone = ChangeEdition(model, state, Edition::kDemo, false, "full", true);
    EXPECT_TRUE(gone.close_custom);
    EXPECT_FALSE(gone.reopen_custom);
    EXPECT_TRUE(state.GameEdition.empty());
    EXPECT_FALSE(model.demo_enabled);
    EXPECT_TRUE(model.full_enabled);
    EXPECT_EQ(model.edition, Edition::kNone);
    EXPECT_FALSE(model.preset_buttons_enabled);
    EnablePresetButtons(model);
    EXPECT_FALSE(model.preset_buttons_enabled);

    // The edition still installed brings the buttons back; no window to reopen from "".
    state.InstallFolder = "C:\\UT2003";
    EditionChangeResult back = ChangeEdition(model, state, Edition::kFull, true, "", true);
    EXPECT_FALSE(back.reopen_custom);
    EXPECT_TRUE(model.preset_buttons_enabled);
    EXPECT_EQ(state.GameEdition, "full");
}

TEST(MainWindowModel, WebSiteAndHelpPage) {
    platform::standin::Reset();
    OpenMakerWebSite();
    ASSERT_EQ(platform::standin::Get().opened.size(), 1u);
    EXPECT_EQ(platform::standin::Get().opened[0], kMakerWebAddress);
    core::SessionState state;
    state.AppFolder = "C:\\Tools\\Bench\\";
    EXPECT_EQ(HelpPagePath(state), "C:\\Tools\\Bench\\help.html");
}

}  // namespace
}  // namespace ui
