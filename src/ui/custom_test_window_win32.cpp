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
    core::MainWindowControls* main = nullptr;
    HWND* slot = nullptr;
    CustomTestModel model;
};

void Render(CustomTestWindow& w) {
    const CustomTestModel& m = w.model;
    HWND h = w.hwnd;
    CheckRadioButton(h, IDC_FORM2_OPTION1, IDC_FORM2_OPTION2,
                     m.sound_enabled ? IDC_FORM2_OPTION1 : IDC_FORM2_OPTION2);
    CheckRadioButton(h, IDC_FORM2_OPTION3, IDC_FORM2_OPTION5,
                     m.ini == IniChoice::kMaxDetail   ? IDC_FORM2_OPTION3
                     : m.ini == IniChoice::kMinDetail ? IDC_FORM2_OPTION4
                                                      : IDC_FORM2_OPTION5);
    EnableWindow(GetDlgItem(h, IDC_FORM2_COMMAND1), m.browse_enabled);
    char shown[MAX_PATH * 4] = "";
    GetDlgItemTextA(h, IDC_FORM2_TEXT1, shown, sizeof(shown));
    if (m.ini_path != shown) SetDlgItemTextA(h, IDC_FORM2_TEXT1, m.ini_path.c_str());
    SendDlgItemMessageA(h, IDC_FORM2_COMBO1, CB_SETCURSEL, m.selected_level, 0);
}

void OnLoad(CustomTestWindow& w) {
    SetProgramIcon(w.hwnd);
    MoveToDefaultPosition(w.hwnd);
    loadComboBox(w.model, w.state->GameEdition);
    for (const std::string& entry : w.model.levels) {
        SendDlgItemMessageA(w.hwnd, IDC_FORM2_COMBO1, CB_ADDSTRING, 0,
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
    if (id == IDC_FORM2_COMBO1 && code == CBN_SELCHANGE) {
        w.model.selected_level =
            static_cast<int>(SendDlgItemMessageA(w.hwnd, IDC_FORM2_COMBO1, CB_GETCURSEL, 0, 0));
        return;
    }
    if (code != BN_CLICKED) return;
    switch (id) {
        case IDC_FORM2_OPTION1:
            w.model.sound_enabled = true;
            break;
        case IDC_FORM2_OPTION2:
            w.model.sound_enabled = false;
            break;
        case IDC_FORM2_OPTION3:
            SelectIni(w.model, IniChoice::kMaxDetail);
            break;
        case IDC_FORM2_OPTION4:
            SelectIni(w.model, IniChoice::kMinDetail);
            break;
        case IDC_FORM2_OPTION5:
            SelectIni(w.model, IniChoice::kCustomIni);
            break;
        case IDC_FORM2_COMMAND1:
            OnBrowse(w);
            return;
        case IDC_FORM2_COMMAND2:
            core::RunCustomTest(*w.state, *w.main, Choices(w.model));
            return;
        case IDC_FORM2_COMMAND3:
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

void ShowCustomTestWindow(HWND owner, core::SessionState& state, core::MainWindowControls& main,
                          HWND* slot) {
    if (*slot) {
        ShowWindow(*slot, SW_SHOWNORMAL);
        SetForegroundWindow(*slot);
        return;
    }
    auto* window = new CustomTestWindow{nullptr, &state, &main, slot, {}};
    *slot = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_CUSTOM), owner,
                               CustomTestProc, reinterpret_cast<LPARAM>(window));
    if (*slot) {
        ShowWindow(*slot, SW_SHOW);
    } else {
        delete window;
    }
}

}  // namespace ui
