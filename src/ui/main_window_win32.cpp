// The main window's Win32 binding: routes messages to handlers and shows the model.
#include <windows.h>

#include "config/staged_files.h"
#include "core/run_driver.h"
#include "core/user_settings.h"
#include "platform/platform.h"
#include "registry/discovery.h"
#include "results/results_page.h"
#include "ui/compare_results_win32.h"
#include "ui/resource.h"
#include "ui/run_messages.h"
#include "ui/run_window_win32.h"
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
    CheckDlgButton(h, IDC_FULL, m.edition == registry::Edition::kFull);
    CheckDlgButton(h, IDC_DEMO, m.edition == registry::Edition::kDemo);
    EnableWindow(GetDlgItem(h, IDC_DIRECT3D), enabled.render_engine);
    EnableWindow(GetDlgItem(h, IDC_OPENGL), enabled.render_engine);
    CheckDlgButton(h, IDC_DIRECT3D, m.render_chosen && !m.opengl);
    CheckDlgButton(h, IDC_OPENGL, m.render_chosen && m.opengl);
    for (int id : kPresetButtons) EnableWindow(GetDlgItem(h, id), enabled.presets);
    for (int i = 0; i < 5; ++i) {
        EnableWindow(GetDlgItem(h, IDC_RESOLUTION_FIRST + i), enabled.resolutions);
    }
    SetCustomTestRunning(w.custom, m.running);
    EnableMenuItem(GetMenu(h), IDM_OPEN_LAST_REPORT,
                   MF_BYCOMMAND | (m.last_report_enabled ? MF_ENABLED : MF_GRAYED));
}

std::array<bool, 5> ResolutionChecks(HWND hwnd) {
    std::array<bool, 5> checks{};
    for (int i = 0; i < 5; ++i)
        checks[i] = IsDlgButtonChecked(hwnd, IDC_RESOLUTION_FIRST + i) == BST_CHECKED;
    return checks;
}

void ResetLogs(const core::SessionState& state) {
    // Without a game folder there are no logs to empty, and nothing is written elsewhere.
    if (state.InstallFolder.empty()) return;
    std::string error;
    if (!config::ResetBenchmarkLogs(state.InstallFolder, &error)) {
        platform::ShowMessage(error, "", platform::MessageIcon::kExclamation);
    }
}

void OnLoad(MainWindow& w) {
    SetProgramIcon(w.hwnd);
    MoveToDefaultPosition(w.hwnd);
    HWND banner = GetDlgItem(w.hwnd, IDC_MAIN_BANNER);
    AddTooltip(w.hwnd, banner, kBannerTip);
    platform::SetOwnerWindow(w.hwnd);
    MarkMainWindow(w.hwnd);

    ApplyInstallation(w.model, *w.state, registry::FindGameInstallation());
    // What a killed run left at the drive root goes, and the user's own files come back.
    std::string error;
    if (!config::RemoveLeftovers(w.state->InstallFolder, &error))
        platform::ShowMessage(error, "", platform::MessageIcon::kExclamation);
    core::InitAppFolder(*w.state);
    ResetLogs(*w.state);
    SelectRenderEngine(w.model, *w.state, false);
    CheckLastReport(w.model, *w.state);
    Render(w);
}

void OnCustomTest(MainWindow& w) {
    if (w.model.running) return;
    ResetLogs(*w.state);
    ShowCustomTestWindow(w.hwnd, *w.state, w, &w.custom);
    Render(w);
}

void OnEdition(MainWindow& w, registry::Edition edition) {
    if (w.model.running) {  // a click queued before the run disabled the options
        Render(w);
        return;
    }
    std::string folder;
    const bool present = registry::SelectEdition(edition, &folder);
    EditionChangeResult result =
        ChangeEdition(w.model, *w.state, edition, present, folder, w.custom != nullptr);
    if ((result.reopen_custom || result.close_custom) && w.custom) DestroyWindow(w.custom);
    if (result.reopen_custom) ShowCustomTestWindow(w.hwnd, *w.state, w, &w.custom);
    Render(w);
}

void CloseMainWindow(MainWindow& w) {
    if (w.custom) DestroyWindow(w.custom);
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
    EndRunThread(w.run);
    w.run = nullptr;
    SetRunning(w.model, false);
    CheckLastReport(w.model, *w.state);
    Render(w);
    if (exiting) CloseMainWindow(w);
}

void OnCommand(MainWindow& w, int id, int code) {
    if (code != BN_CLICKED && code != STN_CLICKED) return;  // also covers menu items (code 0)
    switch (id) {
        case IDC_CPU_BENCHMARK:
            RunFromMainWindow(w, common::BenchmarkPreset::kCpuBenchmark, {});
            break;
        case IDC_HIGH_QUALITY:
            RunFromMainWindow(w, common::BenchmarkPreset::kHighQuality, {});
            break;
        case IDC_LOW_QUALITY:
            RunFromMainWindow(w, common::BenchmarkPreset::kLowQuality, {});
            break;
        case IDC_CUSTOM_TEST:
            OnCustomTest(w);
            break;
        case IDC_DIRECT3D:
            SelectRenderEngine(w.model, *w.state, false);
            Render(w);
            break;
        case IDC_OPENGL:
            SelectRenderEngine(w.model, *w.state, true);
            Render(w);
            break;
        case IDC_FULL:
            OnEdition(w, registry::Edition::kFull);
            break;
        case IDC_DEMO:
            OnEdition(w, registry::Edition::kDemo);
            break;
        case IDC_MAIN_BANNER:
            OpenMakerWebSite();
            break;
        case IDM_OPTIONS:
            ShowOptionsWindow(w.hwnd);
            break;
        case IDM_OPEN_LAST_REPORT:
            OpenLastReport(w.model, *w.state);
            Render(w);
            break;
        case IDM_ABOUT:
            ShowAboutWindow(w.hwnd, &w.about);
            break;
        case IDM_HELP:
            results::OpenDocument(HelpPagePath(*w.state));
            break;
        case IDM_COMPARE:
            CompareResultsFromWindow(w.hwnd, w.state->AppFolder);
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
        case WM_APP_LAUNCH_STARTING:
        case WM_APP_LAUNCH_FINISHED:
        case WM_APP_LAUNCH_FAILED:
        case WM_APP_STEP_FAILED:
        case WM_APP_RUN_ENDED:
        case WM_APP_RESULTS_NOT_SAVED:
            OnRunMessage(*w, msg, wparam, lparam);
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

void RunFromMainWindow(MainWindow& w, common::BenchmarkPreset preset,
                       const core::CustomTestChoices& custom) {
    if (w.model.running) return;  // a click that slipped past a disabled control
    const core::SessionState& state = *w.state;
    const core::UserSettings user = core::LoadUserSettings();
    const core::RunSettings settings = {preset,
                                        state.InstallFolder,
                                        state.AppFolder,
                                        state.RenderEngine,
                                        state.GameEdition,
                                        ResolutionChecks(w.hwnd),
                                        custom,
                                        user.runs_per_level,
                                        ResultsFolderPath(state),
                                        user.open_report};
    // Disabled before the plan's own messages show, so nothing can start a run behind them.
    SetRunning(w.model, true);
    Render(w);
    w.run = StartRunThread(w.hwnd, &w.progress, settings);
    if (w.run) return;
    SetRunning(w.model, false);
    Render(w);
}

HWND ShowMainWindow(MainWindow& window, core::SessionState& state) {
    window.state = &state;
    HWND hwnd = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_MAIN), nullptr,
                                   MainProc, reinterpret_cast<LPARAM>(&window));
    if (hwnd) ShowWindow(hwnd, SW_SHOW);
    return hwnd;
}

bool RouteDialogMessage(const MainWindow& window, MSG* msg) {
    for (HWND h : {window.hwnd, window.custom, window.about, window.progress}) {
        if (h && IsDialogMessageA(h, msg)) return true;
    }
    return false;
}

}  // namespace ui
