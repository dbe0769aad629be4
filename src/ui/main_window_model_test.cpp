// Tests of the main window's state: without a game folder nothing can run. The windows' other
// reactions are proven on the real windows (windows_win32_test.cpp).
#include "ui/main_window_model.h"

#include <gtest/gtest.h>

#include "platform/platform_standin.h"

namespace ui {
namespace {

using registry::Edition;

TEST(MainWindowModel, PresetButtonsStayDisabledWithoutAGameFolder) {
    // None installed: the preset buttons stay disabled.
    MainWindowModel none;
    core::SessionState state;
    ApplyInstallation(none, state, {false, false, Edition::kNone, "", ""});
    EXPECT_FALSE(EnabledControls(none).presets);
    SetRunning(none, true);  // nor does a finished run
    SetRunning(none, false);
    EXPECT_FALSE(EnabledControls(none).presets);
    EXPECT_TRUE(EnabledControls(none).resolutions);

    // An edition gone since start: its option and the buttons go, the custom window closes.
    MainWindowModel model;
    ApplyInstallation(model, state, {true, true, Edition::kFull, "full", "C:\\UT2003"});
    EditionChangeResult gone = ChangeEdition(model, state, Edition::kDemo, false, "", true);
    EXPECT_TRUE(gone.close_custom && !gone.reopen_custom);
    EXPECT_TRUE(state.GameEdition.empty() && state.InstallFolder.empty());
    EXPECT_TRUE(model.full_enabled && !model.demo_enabled);
    EXPECT_FALSE(EnabledControls(model).presets);
}

TEST(MainWindowModel, ARunDisablesWhatStartsRunsAndGivesBackWhatWasThere) {
    core::SessionState state;
    MainWindowModel model;
    ApplyInstallation(model, state, {false, true, Edition::kDemo, "demo", "C:\\UT2003Demo"});
    const MainWindowControls before = EnabledControls(model);
    EXPECT_TRUE(before.presets && before.resolutions && before.demo && before.render_engine);
    EXPECT_FALSE(before.full);

    SetRunning(model, true);
    const MainWindowControls during = EnabledControls(model);
    EXPECT_FALSE(during.presets || during.resolutions || during.full || during.demo ||
                 during.render_engine);
    // An edition chosen during the run (a click already queued) must not enable anything.
    ChangeEdition(model, state, Edition::kDemo, true, "C:\\UT2003Demo", false);
    EXPECT_FALSE(EnabledControls(model).presets || EnabledControls(model).demo);

    SetRunning(model, false);
    const MainWindowControls after = EnabledControls(model);
    EXPECT_TRUE(after.presets && after.resolutions && after.demo && after.render_engine);
    EXPECT_FALSE(after.full);  // never installed: stays disabled
}

TEST(MainWindowModel, OpenLastReportFollowsTheReportsOnDisk) {
    namespace standin = platform::standin;
    standin::Reset();
    core::SessionState state;
    state.AppFolder = "C:\\Tools\\Bench\\";
    MainWindowModel model;
    const std::string report =
        "C:\\Tools\\Bench\\Results\\2026-12-06 14-05-09 Low Quality\\report.html";
    standin::AddFile(report, "<html>");
    CheckLastReport(model, state);
    EXPECT_TRUE(model.last_report_enabled);
    OpenLastReport(model, state);
    EXPECT_EQ(standin::Get().opened, std::vector<std::string>{report});

    // Deleted while the window was open: nothing opens and the item goes grey.
    standin::Get().files.clear();
    OpenLastReport(model, state);
    EXPECT_FALSE(model.last_report_enabled);
    EXPECT_EQ(standin::Get().opened.size(), 1u);
}

}  // namespace
}  // namespace ui
