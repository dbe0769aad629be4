// The custom test window's Win32 binding: routes messages to handlers and shows the model.
#include <windows.h>
// after windows.h, which it needs
#include <commdlg.h>

#include "ui/custom_test_model.h"
#include "ui/resource.h"
#include "ui/window_messages.h"
#include "ui/window_support_win32.h"
#include "ui/windows_win32.h"

namespace ui {

namespace {

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
            PostOwned(w.owner, WM_APP_RUN_CUSTOM,
                      std::make_unique<core::CustomTestChoices>(Choices(w.model)));
            return;
        case IDC_CUSTOM_CANCEL:
        case IDCANCEL:
            PostMessageA(w.owner, WM_APP_CLOSE_CUSTOM, 0, 0);
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
            PostMessageA(w->owner, WM_APP_CLOSE_CUSTOM, 0, 0);
            return TRUE;
        case WM_NCDESTROY:
            w->hwnd = nullptr;  // gone with its owner, or closed by it
            SetWindowLongPtrA(hwnd, DWLP_USER, 0);
            return FALSE;
        default:
            return FALSE;
    }
}

}  // namespace

CustomTestWindow::~CustomTestWindow() {
    if (hwnd) DestroyWindow(hwnd);
}

void SetCustomTestRunning(CustomTestWindow& w, bool running) {
    if (w.model.running == running) return;
    w.model.running = running;
    if (w.hwnd) Render(w);
}

std::unique_ptr<CustomTestWindow> OpenCustomTestWindow(HWND owner, common::Edition edition,
                                                       bool running) {
    auto window = std::make_unique<CustomTestWindow>();
    window->owner = owner;
    LoadComboBox(window->model, edition);
    window->model.running = running;
    if (!CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_CUSTOM), owner,
                            CustomTestProc, reinterpret_cast<LPARAM>(window.get())))
        return nullptr;
    ShowWindow(window->hwnd, SW_SHOW);
    return window;
}

}  // namespace ui
