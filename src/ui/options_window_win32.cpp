// The Options window's Win32 binding: a modal dialog that routes messages to the model and
// shows it.
#include <windows.h>

#include <string>

#include "ui/messages.h"
#include "ui/options_model.h"
#include "ui/resource.h"
#include "ui/window_support_win32.h"
#include "ui/windows_win32.h"

namespace ui {

namespace {

struct OptionsWindow {
    HWND hwnd = nullptr;
    OptionsModel model;
};

void Render(OptionsWindow& w) {
    SendDlgItemMessageA(w.hwnd, IDC_OPTIONS_RUNS, CB_SETCURSEL, SelectedRunsEntry(w.model), 0);
    CheckDlgButton(w.hwnd, IDC_OPTIONS_OPEN_REPORT,
                   w.model.settings.open_report ? BST_CHECKED : BST_UNCHECKED);
    for (int id : {IDC_OPTIONS_STEADY_LABEL, IDC_OPTIONS_STEADY_WITHIN, IDC_OPTIONS_STEADY_UNIT})
        EnableWindow(GetDlgItem(w.hwnd, id), SteadyWithinEnabled(w.model));
    // The label box keeps what is typed in it; only its note follows.
    SetDlgItemTextA(w.hwnd, IDC_OPTIONS_LABEL_NOTE, LabelNote(w.model).c_str());
}

std::string LabelText(HWND hwnd) {
    HWND box = GetDlgItem(hwnd, IDC_OPTIONS_LABEL);
    std::string text(static_cast<size_t>(GetWindowTextLengthA(box)) + 1, '\0');
    text.resize(
        static_cast<size_t>(GetWindowTextA(box, text.data(), static_cast<int>(text.size()))));
    return text;
}

void OnLoad(OptionsWindow& w) {
    SetProgramIcon(w.hwnd);
    w.model = OpenOptions();
    for (const std::string& entry : RunsPerLevelEntries()) {
        SendDlgItemMessageA(w.hwnd, IDC_OPTIONS_RUNS, CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(entry.c_str()));
    }
    // The box's text is the user's once shown: Render leaves it alone.
    SendDlgItemMessageA(w.hwnd, IDC_OPTIONS_STEADY_WITHIN, EM_LIMITTEXT, 8, 0);
    SetDlgItemTextA(w.hwnd, IDC_OPTIONS_STEADY_WITHIN, w.model.steady_within_text.c_str());
    SetDlgItemTextA(w.hwnd, IDC_OPTIONS_LABEL, w.model.settings.label.c_str());
    Render(w);
}

void OnOk(OptionsWindow& w) {
    if (!SteadyWithinAccepted(w.model)) {
        Show(SteadyWithinMessage());
        HWND box = GetDlgItem(w.hwnd, IDC_OPTIONS_STEADY_WITHIN);
        SendMessageA(w.hwnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(box), TRUE);
        return;
    }
    std::string error;
    if (!SaveOptions(w.model, &error)) {
        // The window stays, so the user can try again or cancel.
        Show(FileStepMessage(error));
        return;
    }
    EndDialog(w.hwnd, IDOK);
}

void OnCommand(OptionsWindow& w, int id, int code) {
    if (id == IDC_OPTIONS_RUNS && code == CBN_SELCHANGE) {
        PickRunsEntry(w.model, static_cast<int>(SendDlgItemMessageA(w.hwnd, IDC_OPTIONS_RUNS,
                                                                    CB_GETCURSEL, 0, 0)));
        Render(w);
        return;
    }
    if (id == IDC_OPTIONS_STEADY_WITHIN && code == EN_CHANGE) {
        char text[16] = "";
        GetDlgItemTextA(w.hwnd, IDC_OPTIONS_STEADY_WITHIN, text, sizeof text);
        SetSteadyWithinText(w.model, text);
        return;
    }
    if (id == IDC_OPTIONS_LABEL && code == EN_CHANGE) {
        SetLabel(w.model, LabelText(w.hwnd));
        Render(w);
        return;
    }
    if (code != BN_CLICKED) return;
    switch (id) {
        case IDC_OPTIONS_OPEN_REPORT:
            SetOpenReport(w.model, IsDlgButtonChecked(w.hwnd, IDC_OPTIONS_OPEN_REPORT) != 0);
            break;
        case IDOK:
            OnOk(w);
            break;
        case IDCANCEL:
            EndDialog(w.hwnd, IDCANCEL);
            break;
        default:
            break;
    }
}

INT_PTR CALLBACK OptionsProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
    auto* w = AttachedWindow<OptionsWindow>(hwnd, msg, lparam);
    if (!w) return FALSE;
    switch (msg) {
        case WM_INITDIALOG:
            OnLoad(*w);
            return TRUE;
        case WM_COMMAND:
            OnCommand(*w, LOWORD(wparam), HIWORD(wparam));
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace

void ShowOptionsWindow(HWND owner) {
    OptionsWindow window;
    DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_OPTIONS), owner, OptionsProc,
                    reinterpret_cast<LPARAM>(&window));
}

}  // namespace ui
