// The custom test window's Win32 binding: routes messages to handlers and shows the model.
#include <windows.h>
// after windows.h, which it needs
#include <commdlg.h>

#include "ui/custom_test_model.h"
#include "ui/resource.h"
#include "ui/window_support_win32.h"
#include "ui/windows_win32.h"

namespace ui {

namespace {

struct CustomTestWindow {
    HWND hwnd = nullptr;
    core::SessionState* state = nullptr;
    MainWindow* main = nullptr;
    HWND* slot = nullptr;
    CustomTestModel model;
};

void Render(CustomTestWindow& w) {
    const CustomTestModel& m = w.model;
    HWND h = w.hwnd;
    CheckRadioButton(h, IDC_SOUND_ENABLED, IDC_SOUND_DISABLED,
                     m.sound_enabled ? IDC_SOUND_ENABLED : IDC_SOUND_DISABLED);
    CheckRadioButton(h, IDC_MAX_DETAIL, IDC_CUSTOM_INI,
                     m.ini == IniChoice::kMaxDetail   ? IDC_MAX_DETAIL
                     : m.ini == IniChoice::kMinDetail ? IDC_MIN_DETAIL
                                                      : IDC_CUSTOM_INI);
    EnableWindow(GetDlgItem(h, IDC_BROWSE), m.browse_enabled);
    EnableWindow(GetDlgItem(h, IDC_RUN_TEST), RunTestEnabled(m));
    char shown[MAX_PATH * 4] = "";
    GetDlgItemTextA(h, IDC_INI_PATH, shown, sizeof(shown));
    if (m.ini_path != shown) SetDlgItemTextA(h, IDC_INI_PATH, m.ini_path.c_str());
    SendDlgItemMessageA(h, IDC_LEVEL_LIST, CB_SETCURSEL, m.selected_level, 0);
}

void OnLoad(CustomTestWindow& w) {
    SetProgramIcon(w.hwnd);
    MoveToDefaultPosition(w.hwnd);
    loadComboBox(w.model, w.state->GameEdition);
    for (const std::string& entry : w.model.levels) {
        SendDlgItemMessageA(w.hwnd, IDC_LEVEL_LIST, CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(entry.c_str()));
    }
    Render(w);
}

void OnBrowse(CustomTestWindow& w) {
    char file[MAX_PATH * 4] = "";
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = w.hwnd;
    dialog.lpstrFilter = "ini Files (*.ini)\0*.ini\0";
    dialog.lpstrFile = file;
    dialog.nMaxFile = sizeof(file);
    // A cancel (or a failure of the dialog) leaves the path as it was.
    const bool chosen = GetOpenFileNameA(&dialog) != FALSE;
    FileDialogClosed(w.model, chosen, file);
    Render(w);
}

void OnCommand(CustomTestWindow& w, int id, int code) {
    if (id == IDC_LEVEL_LIST && code == CBN_SELCHANGE) {
        w.model.selected_level =
            static_cast<int>(SendDlgItemMessageA(w.hwnd, IDC_LEVEL_LIST, CB_GETCURSEL, 0, 0));
        return;
    }
    if (code != BN_CLICKED) return;
    switch (id) {
        case IDC_SOUND_ENABLED:
            w.model.sound_enabled = true;
            break;
        case IDC_SOUND_DISABLED:
            w.model.sound_enabled = false;
            break;
        case IDC_MAX_DETAIL:
            SelectIni(w.model, IniChoice::kMaxDetail);
            break;
        case IDC_MIN_DETAIL:
            SelectIni(w.model, IniChoice::kMinDetail);
            break;
        case IDC_CUSTOM_INI:
            SelectIni(w.model, IniChoice::kCustomIni);
            break;
        case IDC_BROWSE:
            OnBrowse(w);
            return;
        case IDC_RUN_TEST:
            RunFromMainWindow(*w.main, common::BenchmarkPreset::kCustomTest, Choices(w.model));
            return;
        case IDC_CUSTOM_CANCEL:
        case IDCANCEL:
            DestroyWindow(w.hwnd);
            return;
        default:
            return;
    }
    Render(w);
}

INT_PTR CALLBACK CustomTestProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
    auto* w = AttachedWindow<CustomTestWindow>(hwnd, msg, lparam);
    if (!w) return FALSE;
    switch (msg) {
        case WM_INITDIALOG:
            OnLoad(*w);
            return TRUE;
        case WM_COMMAND:
            OnCommand(*w, LOWORD(wparam), HIWORD(wparam));
            return TRUE;
        case WM_CLOSE:
            DestroyWindow(hwnd);
            return TRUE;
        case WM_NCDESTROY:
            if (*w->slot == hwnd) *w->slot = nullptr;
            SetWindowLongPtrA(hwnd, DWLP_USER, 0);
            delete w;
            return FALSE;
        default:
            return FALSE;
    }
}

}  // namespace

void SetCustomTestRunning(HWND custom, bool running) {
    auto* w = custom ? reinterpret_cast<CustomTestWindow*>(GetWindowLongPtrA(custom, DWLP_USER))
                     : nullptr;
    if (!w || w->model.running == running) return;
    w->model.running = running;
    Render(*w);
}

void ShowCustomTestWindow(HWND owner, core::SessionState& state, MainWindow& main, HWND* slot) {
    if (*slot) {
        ShowWindow(*slot, SW_SHOWNORMAL);
        SetForegroundWindow(*slot);
        return;
    }
    auto* window = new CustomTestWindow{nullptr, &state, &main, slot, {}};
    window->model.running = main.model.running;
    *slot = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_CUSTOM), owner,
                               CustomTestProc, reinterpret_cast<LPARAM>(window));
    if (*slot) {
        ShowWindow(*slot, SW_SHOW);
    } else {
        delete window;
    }
}

}  // namespace ui
