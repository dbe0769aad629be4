// Tests of the main window's state: without a game folder nothing can run. The windows' other
// reactions are proven on the real windows (windows_win32_test.cpp).
#include "ui/main_window_model.h"

#include <gtest/gtest.h>

namespace ui {
namespace {

using registry::Edition;

TEST(MainWindowModel, PresetButtonsStayDisabledWithoutAGameFolder) {
    // None installed: a run procedure asking for the buttons again does not bring them back.
    MainWindowModel none;
    ApplyInstallation(none, {false, false, Edition::kNone});
    EnablePresetButtons(none);
    EXPECT_FALSE(none.preset_buttons_enabled);

    // An edition gone since start: its option and the buttons go, the custom window closes.
    MainWindowModel model;
    ApplyInstallation(model, {true, true, Edition::kFull});
    core::SessionState state;
    state.GameEdition = "demo";  // as the registry leaves it after a failed re-read
    EditionChangeResult gone = ChangeEdition(model, state, Edition::kDemo, false, "full", true);
    EXPECT_TRUE(gone.close_custom && !gone.reopen_custom);
    EXPECT_TRUE(state.GameEdition.empty());
    EXPECT_TRUE(model.full_enabled && !model.demo_enabled);
    EnablePresetButtons(model);
    EXPECT_FALSE(model.preset_buttons_enabled);

    // The edition still installed brings them back; no window to reopen from "".
    EditionChangeResult back = ChangeEdition(model, state, Edition::kFull, true, "", true);
    EXPECT_FALSE(back.reopen_custom);
    EXPECT_TRUE(model.preset_buttons_enabled);
    EXPECT_EQ(state.GameEdition, "full");
}

}  // namespace
}  // namespace ui
