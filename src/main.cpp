// Benchwright's entry point: the main window and the message loop of the one UI thread.
#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>

#include <cstdlib>

#include "core/session.h"
#include "ui/windows_win32.h"

// Replaces the library's default terminate handler, which writes the exception's demangled type
// to a standard error that a windowed program does not have, and so pulls the whole C++
// demangler (about 46 KB) into the exe. An uncaught exception still ends the program the same way.
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    if (!ui::ClaimSingleInstance()) return 0;
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);

    core::SessionState state;
    ui::MainWindow main_window;
    if (!ui::ShowMainWindow(main_window, state)) return 1;

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (ui::RouteDialogMessage(main_window, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
