// The main window's Win32 binding: routes messages to handlers and shows the model.
#include <windows.h>

#include "core/run_driver.h"
#include "core/running_game.h"
#include "core/start_up.h"
#include "core/user_settings.h"
#include "ui/compare_results_win32.h"
#include "ui/messages.h"
#include "ui/resource.h"
#include "ui/run_host_win32.h"
#include "ui/window_messages.h"
#include "ui/window_support_win32.h"
#include "ui/windows_win32.h"

namespace ui {

namespace {

constexpr int kPresetButtons[] = {IDC_CPU_BENCHMARK, IDC_HIGH_QUALITY, IDC_LOW_QUALITY,
                                  IDC_CUSTOM_TEST};

void Render(MainWindow& w) {
    const MainWindowModel& m = w.model;
    const MainWindowControls enabled = EnabledControls(m);
    HWND h = w.hwnd;
    EnableWindow(GetDlgItem(h, IDC_FULL), enabled.full);
    EnableWindow(GetDlgItem(h, IDC_DEMO), enabled.demo);
    CheckDlgButton(h, IDC_FULL, m.edition == common::Edition::kFull);
    CheckDlgButton(h, IDC_DEMO, m.edition == common::Edition::kDemo);
    EnableWindow(GetDlgItem(h, IDC_DIRECT3D), enabled.renderer);
    EnableWindow(GetDlgItem(h, IDC_OPENGL), enabled.renderer);
    CheckDlgButton(h, IDC_DIRECT3D, m.render_chosen && m.renderer == common::Renderer::kDirect3D);
    CheckDlgButton(h, IDC_OPENGL, m.render_chosen && m.renderer == common::Renderer::kOpenGL);
    for (int id : kPresetButtons) EnableWindow(GetDlgItem(h, id), enabled.presets);
    for (int i = 0; i < 5; ++i) {
        EnableWindow(GetDlgItem(h, IDC_RESOLUTION_FIRST + i), enabled.resolutions);
        CheckDlgButton(h, IDC_RESOLUTION_FIRST + i, m.resolutions[i]);
    }
    if (w.custom) SetCustomTestRunning(*w.custom, m.running);
    EnableMenuItem(GetMenu(h), IDM_OPEN_LAST_REPORT,
                   MF_BYCOMMAND | (m.last_report_enabled ? MF_ENABLED : MF_GRAYED));
}

void ResetLogs(const MainWindowModel& model) {
    std::string error;
    if (!core::ResetGameLogs(model.install_folder, &error)) Show(StartUpMessage(error));
}

void OnLoad(MainWindow& w) {
    SetProgramIcon(w.hwnd);
    MoveToDefaultPosition(w.hwnd);
    HWND banner = GetDlgItem(w.hwnd, IDC_MAIN_BANNER);
    AddTooltip(w.hwnd, banner, kBannerTip);
    platform::SetOwnerWindow(w.hwnd);
    MarkMainWindow(w.hwnd);

    const core::StartUp start = core::StartProgram();
    if (start.installation.selected == common::Edition::kNone) Show(NoInstallationMessage());
    // What a killed run left at the drive root goes, and the user's own files come back.
    if (!start.leftovers_error.empty()) Show(StartUpMessage(start.leftovers_error));
    if (!start.logs_error.empty()) Show(StartUpMessage(start.logs_error));
    w.model.app_folder = start.app_folder;
    ApplyInstallation(w.model, start.installation);
    SelectRenderer(w.model, common::Renderer::kDirect3D);
    CheckLastReport(w.model);
    Render(w);
}

void OpenCustomTest(MainWindow& w) {
    w.custom = OpenCustomTestWindow(w.hwnd, w.model.edition, w.model.running);
}

void OnCustomTest(MainWindow& w) {
    if (w.model.running) return;
    ResetLogs(w.model);
    if (w.custom) {
        BringForward(w.custom->hwnd);
    } else {
        OpenCustomTest(w);
    }
    Render(w);
}

void OnEdition(MainWindow& w, common::Edition edition) {
    if (w.model.running) {  // a click queued before the run disabled the options
        Render(w);
        return;
    }
    std::string folder;
    const bool present = core::FindEditionFolder(edition, &folder);
    if (!present) Show(EditionGoneMessage(edition));
    const EditionChangeResult result =
        ChangeEdition(w.model, edition, present, folder, w.custom != nullptr);
    if (result.reopen_custom || result.close_custom) w.custom.reset();
    if (result.reopen_custom) OpenCustomTest(w);
    Render(w);
}

void OnResolution(MainWindow& w, int index) {
    w.model.resolutions[index] =
        IsDlgButtonChecked(w.hwnd, IDC_RESOLUTION_FIRST + index) == BST_CHECKED;
}

// A game still running from the installation (a killed Benchwright's) would write its record
// into this run's log: waited for a moment, then ended if the user says so. True when none runs.
bool NoGameRunning(HWND owner, const std::string& install_folder) {
    if (!core::GameStillRunning(install_folder)) return true;
    const std::string program = core::GameProgramPath(install_folder);
    if (MessageBoxA(owner, GameStillRunningQuestion(program).c_str(), "Benchwright",
                    MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
        return false;
    if (core::EndRunningGame(install_folder)) return true;
    Show(GameNotEndedMessage(program));
    return false;
}

void RunPreset(MainWindow& w, common::BenchmarkPreset preset,
               const core::CustomTestChoices& custom) {
    if (w.model.running) return;  // a click that slipped past a disabled control
    const core::RunSettings settings =
        RunSettingsOf(w.model, core::LoadUserSettings(), preset, custom);
    // Disabled before the plan's own messages show, so nothing can start a run behind them.
    SetRunning(w.model, true);
    Render(w);
    core::RunPlan plan;
    core::RunRefusal refusal;
    if (!NoGameRunning(w.hwnd, settings.install_folder)) {
        // Nothing staged, the logs untouched.
    } else if (core::PrepareRun(settings, &plan, &refusal)) {
        w.run = StartRunThread(w.hwnd, w.hwnd, plan, nullptr);
    } else {
        Show(RefusalMessage(refusal, preset));
    }
    if (w.run) return;
    SetRunning(w.model, false);
    Render(w);
}

void CloseMainWindow(MainWindow& w) {
    w.custom.reset();
    w.about.reset();
    DestroyWindow(w.hwnd);
}

// Closing (or File > Exit) during a run asks first; the window goes once the run has ended.
void OnClose(MainWindow& w) {
    if (w.run) {
        AskToStopAndExit(*w.run);
    } else {
        CloseMainWindow(w);
    }
}

void OnRunMessage(MainWindow& w, UINT msg, WPARAM wparam, LPARAM lparam) {
    if (!w.run || !HandleRunMessage(*w.run, msg, wparam, lparam)) return;
    const bool exiting = ExitRequested(*w.run);
    const core::RunSettings settings = w.run->plan.settings;
    const core::RunReport report = EndRunThread(std::move(w.run));
    if (!exiting) {
        if (!report.rows_not_saved.empty()) Show(RowsNotSavedMessage(report.rows_not_saved));
        const std::string page = PageToOpen(settings, report);
        if (!page.empty()) OpenDocument(page);
    }
    SetRunning(w.model, false);
    CheckLastReport(w.model);
    Render(w);
    if (exiting) CloseMainWindow(w);
}

void OnCommand(MainWindow& w, int id, int code) {
    if (code != BN_CLICKED && code != STN_CLICKED) return;  // also covers menu items (code 0)
    if (id >= IDC_RESOLUTION_FIRST && id < IDC_RESOLUTION_FIRST + 5) {
        OnResolution(w, id - IDC_RESOLUTION_FIRST);
        return;
    }
    switch (id) {
        case IDC_CPU_BENCHMARK:
            RunPreset(w, common::BenchmarkPreset::kCpuBenchmark, {});
            break;
        case IDC_HIGH_QUALITY:
            RunPreset(w, common::BenchmarkPreset::kHighQuality, {});
            break;
        case IDC_LOW_QUALITY:
            RunPreset(w, common::BenchmarkPreset::kLowQuality, {});
            break;
        case IDC_CUSTOM_TEST:
            OnCustomTest(w);
            break;
        case IDC_DIRECT3D:
            SelectRenderer(w.model, common::Renderer::kDirect3D);
            Render(w);
            break;
        case IDC_OPENGL:
            SelectRenderer(w.model, common::Renderer::kOpenGL);
            Render(w);
            break;
        case IDC_FULL:
            OnEdition(w, common::Edition::kFull);
            break;
        case IDC_DEMO:
            OnEdition(w, common::Edition::kDemo);
            break;
        case IDC_MAIN_BANNER:
            OpenMakerWebSite();
            break;
        case IDM_OPTIONS:
            ShowOptionsWindow(w.hwnd);
            break;
        case IDM_OPEN_LAST_REPORT: {
            const std::string report = LastReportToOpen(w.model);
            if (!report.empty()) OpenDocument(report);
            Render(w);
            break;
        }
        case IDM_ABOUT:
            if (w.about) {
                BringForward(w.about->hwnd);
            } else {
                w.about = OpenAboutWindow(w.hwnd);
            }
            break;
        case IDM_HELP:
            OpenDocument(HelpPagePath(w.model));
            break;
        case IDM_COMPARE:
            CompareResultsFromWindow(w.hwnd, w.model.app_folder);
            break;
        case IDM_EXIT:
            if (w.run) {
                AskToStopAndExit(*w.run);
            } else {
                PostQuitMessage(0);  // at once: no window is asked to close
            }
            break;
        default:
            break;  // Enter and Esc do not close the main window
    }
}

INT_PTR CALLBACK MainProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
    auto* w = AttachedWindow<MainWindow>(hwnd, msg, lparam);
    if (!w) return FALSE;
    if (HandleBannerMessage(hwnd, IDC_MAIN_BANNER, msg, wparam, lparam)) return TRUE;
    if (IsRunMessage(msg)) {
        OnRunMessage(*w, msg, wparam, lparam);
        return TRUE;
    }
    switch (msg) {
        case WM_INITDIALOG:
            OnLoad(*w);
            return TRUE;
        case WM_COMMAND:
            OnCommand(*w, LOWORD(wparam), HIWORD(wparam));
            return TRUE;
        case WM_CLOSE:
            OnClose(*w);
            return TRUE;
        case WM_APP_RUN_CUSTOM:
            RunPreset(*w, common::BenchmarkPreset::kCustomTest,
                      *TakeOwned<core::CustomTestChoices>(lparam));
            return TRUE;
        case WM_APP_CLOSE_CUSTOM:
            w->custom.reset();
            return TRUE;
        case WM_APP_CLOSE_ABOUT:
            w->about.reset();
            return TRUE;
        case WM_DESTROY:
            UnmarkMainWindow(hwnd);
            PostQuitMessage(0);
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace

bool ShowMainWindow(MainWindow& window) {
    HWND hwnd = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_MAIN), nullptr,
                                   MainProc, reinterpret_cast<LPARAM>(&window));
    if (hwnd) ShowWindow(hwnd, SW_SHOW);
    return hwnd != nullptr;
}

bool RouteDialogMessage(const MainWindow& window, MSG* msg) {
    const HWND windows[] = {window.hwnd, window.custom ? window.custom->hwnd : nullptr,
                            window.about ? window.about->hwnd : nullptr,
                            window.run ? window.run->progress.hwnd : nullptr};
    for (HWND h : windows) {
        if (h && IsDialogMessageA(h, msg)) return true;
    }
    return false;
}

}  // namespace ui
