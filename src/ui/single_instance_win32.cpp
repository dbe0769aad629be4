// One Benchwright at a time on the machine: two would stage the same files at the same drive root
// and start two games at once, whoever started them (another user, a remote session).
#include <windows.h>

#include "ui/window_support_win32.h"
#include "ui/windows_win32.h"

namespace ui {

namespace {

// Machine wide: "Global\" reaches every logon session (fast user switching, remote sessions).
constexpr const char* kMutexName = "Global\\Benchwright.OneInstance";
// A window property naming the main window, seen by a second start across processes.
constexpr const char* kMainWindowMark = "Benchwright.MainWindow";

BOOL CALLBACK FindMarked(HWND window, LPARAM found) {
    if (!GetPropA(window, kMainWindowMark)) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

}  // namespace

bool AnotherInstanceRunning() {
    // Held until the process ends, however it ends. Another user's may refuse us access: no
    // mutex means another Benchwright too.
    HANDLE mutex = CreateMutexA(nullptr, FALSE, kMutexName);
    return !mutex || GetLastError() == ERROR_ALREADY_EXISTS;
}

bool ClaimSingleInstance() {
    if (!AnotherInstanceRunning()) return true;
    HWND other = nullptr;
    EnumWindows(FindMarked, reinterpret_cast<LPARAM>(&other));
    // Its open message box or progress window, when it has one, is what the user needs.
    if (other) BringForward(other);
    return false;
}

void MarkMainWindow(HWND window) { SetPropA(window, kMainWindowMark, window); }

void UnmarkMainWindow(HWND window) { RemovePropA(window, kMainWindowMark); }

}  // namespace ui
