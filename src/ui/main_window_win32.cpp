// The main window's Win32 binding: routes messages to handlers and shows the model.
#include <windows.h>

#include "config/staged_files.h"
#include "core/run_driver.h"
#include "platform/platform.h"
#include "registry/discovery.h"
#include "results/results_page.h"
#include "ui/compare_results_win32.h"
#include "ui/resource.h"
#include "ui/window_support_win32.h"
#include "ui/windows_win32.h"

namespace ui {

namespace {

constexpr int kPresetButtons[] = {IDC_CPU_BENCHMARK, IDC_HIGH_QUALITY, IDC_LOW_QUALITY,
                                  IDC_CUSTOM_TEST};

void Render(MainWindow& w) {
    const MainWindowModel& m = w.model;
    HWND h = w.hwnd;
    EnableWindow(GetDlgItem(h, IDC_FULL), m.full_enabled);
    EnableWindow(GetDlgItem(h, IDC_DEMO), m.demo_enabled);
    CheckDlgButton(h, IDC_FULL, m.edition == registry::Edition::kFull);
    CheckDlgButton(h, IDC_DEMO, m.edition == registry::Edition::kDemo);
    CheckDlgButton(h, IDC_DIRECT3D, m.render_chosen && !m.opengl);
    CheckDlgButton(h, IDC_OPENGL, m.render_chosen && m.opengl);
    for (int id : kPresetButtons) EnableWindow(GetDlgItem(h, id), m.preset_buttons_enabled);
    for (int i = 0; i < 5; ++i) {
        EnableWindow(GetDlgItem(h, IDC_RESOLUTION_FIRST + i), m.resolution_boxes_enabled);
    }
}

std::array<bool, 5> ResolutionChecks(HWND hwnd) {
    std::array<bool, 5> checks{};
    for (int i = 0; i < 5; ++i)
        checks[i] = IsDlgButtonChecked(hwnd, IDC_RESOLUTION_FIRST + i) == BST_CHECKED;
    return checks;
}

// What a run on this thread has to tell the user.
struct MessageBoxObserver : core::RunObserver {
    void LaunchStarting(size_t) override {}
    void LaunchFinished(const results::LaunchResult&) override {}
    void LaunchFailed(const std::string& message, platform::MessageIcon icon) override {
        platform::ShowMessage(message, "", icon);
    }
    void StepFailed(const std::string& error) override {
        platform::ShowMessage(error, "", platform::MessageIcon::kCritical);
    }
};

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

    ApplyInstallation(w.model, *w.state, registry::FindGameInstallation());
    core::InitAppFolder(*w.state);
    ResetLogs(*w.state);
    SelectRenderEngine(w.model, *w.state, false);
    Render(w);
}

void OnCustomTest(MainWindow& w) {
    ResetLogs(*w.state);
    ShowCustomTestWindow(w.hwnd, *w.state, w, &w.custom);
    ui::EnableResolutionBoxes(w.model);
    ui::EnablePresetButtons(w.model);
    Render(w);
}

void OnEdition(MainWindow& w, registry::Edition edition) {
    std::string folder;
    const bool present = registry::SelectEdition(edition, &folder);
    EditionChangeResult result =
        ChangeEdition(w.model, *w.state, edition, present, folder, w.custom != nullptr);
    if ((result.reopen_custom || result.close_custom) && w.custom) DestroyWindow(w.custom);
    if (result.reopen_custom) ShowCustomTestWindow(w.hwnd, *w.state, w, &w.custom);
    Render(w);
}

void OnClose(MainWindow& w) {
    if (w.custom) DestroyWindow(w.custom);
    DestroyWindow(w.hwnd);
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
            PostQuitMessage(0);
            break;  // at once: no window is asked to close
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
        case WM_DESTROY:
            PostQuitMessage(0);
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace

void RunFromMainWindow(MainWindow& w, common::BenchmarkPreset preset,
                       const core::CustomTestChoices& custom) {
    const core::SessionState& state = *w.state;
    const core::RunSettings settings = {preset,
                                        state.InstallFolder,
                                        state.AppFolder,
                                        state.RenderEngine,
                                        state.GameEdition,
                                        ResolutionChecks(w.hwnd),
                                        custom,
                                        1,
                                        state.AppFolder + "Results"};
    DisablePresetButtons(w.model);
    DisableResolutionBoxes(w.model);
    Render(w);
    MessageBoxObserver observer;
    core::RunControl control;
    core::RunBenchmark(settings, observer, control);
    EnablePresetButtons(w.model);
    EnableResolutionBoxes(w.model);
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
    for (HWND h : {window.hwnd, window.custom, window.about}) {
        if (h && IsDialogMessageA(h, msg)) return true;
    }
    return false;
}

}  // namespace ui
