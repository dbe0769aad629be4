// The about window's Win32 binding: routes messages to handlers and shows the texts.
#include <windows.h>

#include "core/start_up.h"
#include "ui/about_model.h"
#include "ui/main_window_model.h"
#include "ui/messages.h"
#include "ui/resource.h"
#include "ui/window_messages.h"
#include "ui/window_support_win32.h"
#include "ui/windows_win32.h"

namespace ui {

namespace {

// Placed at a fixed spot near the screen's top left rather than centred.
constexpr int kLeft = 2340 / 15;
constexpr int kTop = 1935 / 15;

void Render(AboutWindow& w) {
    SetWindowTextA(w.hwnd, w.texts.caption.c_str());
    SetDlgItemTextA(w.hwnd, IDC_ABOUT_TITLE, w.texts.title.c_str());
    SetDlgItemTextA(w.hwnd, IDC_ABOUT_VERSION, w.texts.version.c_str());
    SetDlgItemTextA(w.hwnd, IDC_ABOUT_DESCRIPTION, w.texts.description.c_str());
    SetDlgItemTextA(w.hwnd, IDC_ABOUT_WEB_ADDRESS, w.texts.credits.c_str());
    SetDlgItemTextA(w.hwnd, IDC_ABOUT_DISCLAIMER, w.texts.disclaimer.c_str());
}

void OnLoad(AboutWindow& w) {
    SetProgramIcon(w.hwnd);
    SetWindowPos(w.hwnd, nullptr, kLeft, kTop, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    w.texts = LoadAboutTexts();
    LOGFONTA font = {};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(w.hwnd, WM_GETFONT, 0, 0)), sizeof(font),
               &font);
    font.lfHeight = font.lfHeight * 3 / 2;
    font.lfWeight = FW_BOLD;
    w.title_font = CreateFontIndirectA(&font);
    SendDlgItemMessageA(w.hwnd, IDC_ABOUT_TITLE, WM_SETFONT, reinterpret_cast<WPARAM>(w.title_font),
                        FALSE);
    AddTooltip(w.hwnd, GetDlgItem(w.hwnd, IDC_ABOUT_BANNER), w.texts.banner_tip.c_str());
    AddTooltip(w.hwnd, GetDlgItem(w.hwnd, IDC_ABOUT_WEB_ADDRESS), w.texts.credits_tip.c_str());
    Render(w);
}

void OnCommand(AboutWindow& w, int id, int code) {
    if (code != BN_CLICKED) return;
    switch (id) {
        case IDOK:
        case IDCANCEL:
            PostMessageA(w.owner, WM_APP_CLOSE_ABOUT, 0, 0);
            break;  // OK is also the cancel button: Esc
        case IDC_ABOUT_SYSINFO:
            if (!core::StartSystemInformation()) Show(NoSystemInformationMessage());
            break;
        case IDC_ABOUT_BANNER:
            OpenMakerWebSite();
            break;
        default:
            break;
    }
}

INT_PTR CALLBACK AboutProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
    auto* w = AttachedWindow<AboutWindow>(hwnd, msg, lparam);
    if (!w) return FALSE;
    if (HandleBannerMessage(hwnd, IDC_ABOUT_BANNER, msg, wparam, lparam)) return TRUE;
    switch (msg) {
        case WM_INITDIALOG:
            OnLoad(*w);
            return TRUE;
        case WM_COMMAND:
            OnCommand(*w, LOWORD(wparam), HIWORD(wparam));
            return TRUE;
        case WM_CLOSE:
            PostMessageA(w->owner, WM_APP_CLOSE_ABOUT, 0, 0);
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

AboutWindow::~AboutWindow() {
    if (hwnd) DestroyWindow(hwnd);
    if (title_font) DeleteObject(title_font);
}

std::unique_ptr<AboutWindow> OpenAboutWindow(HWND owner) {
    auto window = std::make_unique<AboutWindow>();
    window->owner = owner;
    if (!CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_ABOUT), owner,
                            AboutProc, reinterpret_cast<LPARAM>(window.get())))
        return nullptr;
    ShowWindow(window->hwnd, SW_SHOW);
    return window;
}

}  // namespace ui
