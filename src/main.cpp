// Benchwright's entry point: the command line's work, or the main window and the message loop of
// the one UI thread.
#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>

#include <cstdlib>

#include "core/session.h"
#include "ui/command_line_win32.h"
#include "ui/windows_win32.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // Arguments ask for unattended work: no window at all.
    if (__argc > 1) return ui::CarryOutCommandLine({__argv + 1, __argv + __argc});

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
