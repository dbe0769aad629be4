// The one-instance mutex, claimed by whichever Benchwright runs first.
#include "ui/instance_check_win32.h"

#include <windows.h>

namespace ui {

namespace {
// The same name the window's start-up check uses.
constexpr const char* kMutexName = "Benchwright.OneInstance";
}  // namespace

bool AnotherInstanceRunning() {
    // Never closed: the system releases it when the process ends, however it ends.
    HANDLE mutex = CreateMutexA(nullptr, FALSE, kMutexName);
    return !mutex || GetLastError() == ERROR_ALREADY_EXISTS;
}

}  // namespace ui
