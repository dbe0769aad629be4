// A minimal dialog-based Win32 program, built like Benchwright (same flags, manifest, common
// controls), as the yardstick of bench/startup.sh. Never shipped. Built with SHOW_MAIN_TEMPLATE
// and Benchwright's resources, it shows the main window's template instead: the same window and
// controls with none of Benchwright's code (the banner stays blank, nothing is loaded).
#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>

#include "ui/resource.h"

namespace {

#ifdef SHOW_MAIN_TEMPLATE
constexpr int kDialog = IDD_MAIN;
#else
constexpr int kDialog = 100;
#endif

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM, LPARAM) {
    if (message == WM_CLOSE) {
        DestroyWindow(dialog);
        return TRUE;
    }
    if (message == WM_DESTROY) PostQuitMessage(0);
    return FALSE;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    HWND dialog = CreateDialogParamA(instance, MAKEINTRESOURCEA(kDialog), nullptr, DialogProc, 0);
    if (!dialog) return 1;
    ShowWindow(dialog, SW_SHOW);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (IsDialogMessageA(dialog, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
