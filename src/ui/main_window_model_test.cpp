// The main window's model: what can be used, what a run takes and which page it opens.
#include "ui/main_window_model.h"

#include <gtest/gtest.h>

#include "platform/platform_standin.h"

namespace ui {
namespace {

using common::Edition;

TEST(MainWindowModel, WhatCanBeUsedFollowsTheInstallationAndARun) {
    // Nothing during a run, even after an edition picked meanwhile; then all but what is missing.
    MainWindowModel model;
    ApplyInstallation(model, {false, true, Edition::kDemo, "C:\\UT2003Demo"});
    EXPECT_TRUE(EnabledControls(model).presets);  // the found edition is selected
    SetRunning(model, true);
    ChangeEdition(model, Edition::kDemo, true, "C:\\UT2003Demo", false);
    const MainWindowControls during = EnabledControls(model);
    EXPECT_FALSE(during.presets || during.resolutions || during.full || during.demo ||
                 during.renderer);
    SetRunning(model, false);
    const MainWindowControls after = EnabledControls(model);
    EXPECT_TRUE(after.presets && after.resolutions && after.demo && after.renderer);
    EXPECT_FALSE(after.full);

    // An edition gone since start: its option and the preset buttons go, the custom window closes.
    ApplyInstallation(model, {true, true, Edition::kFull, "C:\\UT2003"});
    EditionChangeResult gone = ChangeEdition(model, Edition::kDemo, false, "", true);
    EXPECT_TRUE(gone.close_custom && !gone.reopen_custom);
    EXPECT_EQ(model.edition, Edition::kNone);
    EXPECT_TRUE(model.install_folder.empty());
    EXPECT_TRUE(model.full_enabled && !model.demo_enabled);
    const MainWindowControls none = EnabledControls(model);
    EXPECT_TRUE(!none.presets && none.resolutions);
}

TEST(MainWindowModel, ARunStartsFromTheWindowsChoicesAndTheUsersOptions) {
    MainWindowModel model;
    model.app_folder = "C:\\Tools\\Bench\\";
    ApplyInstallation(model, {true, true, Edition::kFull, "C:\\UT2003"});
    ChangeEdition(model, Edition::kDemo, true, "D:\\UT2003Demo", false);
    SelectRenderer(model, common::Renderer::kDirect3D);
    SelectRenderer(model, common::Renderer::kOpenGL);
    EXPECT_TRUE(model.render_chosen);  // the frame ticks nothing until a pick
    model.resolutions = {false, true, false, false, true};
    core::CustomTestChoices custom;
    custom.level_entry = "ctf-citadel*";
    const core::RunSettings s = RunSettingsOf(model, {3, true, true, 15, "drv 1"},
                                              common::BenchmarkPreset::kCustomTest, custom);
    EXPECT_EQ(s.preset, common::BenchmarkPreset::kCustomTest);
    EXPECT_EQ(s.edition, Edition::kDemo);
    EXPECT_EQ(s.install_folder, "D:\\UT2003Demo");
    EXPECT_EQ(s.renderer, common::Renderer::kOpenGL);
    EXPECT_EQ(s.resolutions, model.resolutions);
    EXPECT_EQ(s.custom.level_entry, "ctf-citadel*");
    EXPECT_EQ(s.runs_per_level, 3);
    EXPECT_TRUE(s.until_steady);
    EXPECT_EQ(s.steady_within_tenths, 15);
    EXPECT_TRUE(s.open_report);
    EXPECT_EQ(s.label, "drv 1");
    EXPECT_EQ(s.app_folder, "C:\\Tools\\Bench\\");
    EXPECT_EQ(s.results_folder, "C:\\Tools\\Bench\\Results");
    EXPECT_FALSE(s.results_name_computer);
}

TEST(MainWindowModel, TheRunOpensItsPageOrReportOnlyWhenThePageIsComplete) {
    core::RunSettings s;
    s.app_folder = "C:\\Tools\\Bench\\";
    core::RunReport report;
    report.report_path = "C:\\Tools\\Bench\\Results\\r\\report.html";
    EXPECT_EQ(PageToOpen(s, report), "");  // a failed run opens nothing
    report.page_written = true;
    EXPECT_EQ(PageToOpen(s, report), "C:\\Tools\\Bench\\results.html");
    s.open_report = true;
    EXPECT_EQ(PageToOpen(s, report), report.report_path);
    report.report_path.clear();  // asked for, but not written: the page
    EXPECT_EQ(PageToOpen(s, report), "C:\\Tools\\Bench\\results.html");
}

TEST(MainWindowModel, OpenLastReportFollowsTheReportsOnDisk) {
    namespace standin = platform::standin;
    standin::Reset();
    MainWindowModel model;
    model.app_folder = "C:\\Tools\\Bench\\";
    const std::string report =
        "C:\\Tools\\Bench\\Results\\2026-12-06 14-05-09 Low Quality\\report.html";
    standin::AddFile(report, "<html>");
    CheckLastReport(model);
    EXPECT_TRUE(model.last_report_enabled);
    EXPECT_EQ(LastReportToOpen(model), report);

    // Deleted while the window was open: nothing to open and the item goes grey.
    standin::Get().files.clear();
    EXPECT_EQ(LastReportToOpen(model), "");
    EXPECT_FALSE(model.last_report_enabled);
}

}  // namespace
}  // namespace ui
