// Benchwright's entry point: the command line's work, or the main window and the message loop of
// the one UI thread.
#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>

#include <cstdlib>
#include <new>

#include "ui/command_line_win32.h"
#include "ui/windows_win32.h"

// Replaces the library's default terminate handler, which writes the exception's demangled type
// to a standard error that a windowed program does not have, and so pulls the whole C++
// demangler (about 46 KB) into the exe. An uncaught exception still ends the program the same way.
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx

// Nothing in the program catches an exception, so the library's reasons to throw one (out of
// memory, a string too long, an index out of range) end it as an uncaught exception would.
// Defining them here keeps the library's exception classes, and the second string
// implementation they are built on (about 50 KB), out of the exe.
namespace std {
[[noreturn]] void __throw_bad_alloc() { std::abort(); }
[[noreturn]] void __throw_bad_array_new_length() { std::abort(); }
[[noreturn]] void __throw_bad_cast() { std::abort(); }
[[noreturn]] void __throw_bad_function_call() { std::abort(); }
[[noreturn]] void __throw_length_error(const char*) { std::abort(); }
[[noreturn]] void __throw_logic_error(const char*) { std::abort(); }
[[noreturn]] void __throw_invalid_argument(const char*) { std::abort(); }
[[noreturn]] void __throw_out_of_range(const char*) { std::abort(); }
[[noreturn]] void __throw_out_of_range_fmt(const char*, ...) { std::abort(); }
[[noreturn]] void __throw_runtime_error(const char*) { std::abort(); }
}  // namespace std

// The library's new throws bad_alloc, and its nothrow new catches it (std::stable_sort asks for
// its buffer that way): either brings the whole exception runtime (about 40 KB) into the exe.
// These do what they do without it; out of memory ends the program as __throw_bad_alloc does.
// The library's delete is free(), which pairs with them.
void* operator new(std::size_t size) {
    if (void* p = std::malloc(size ? size : 1)) return p;
    std::abort();
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return std::malloc(size ? size : 1);
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // Arguments ask for unattended work: no window at all.
    if (__argc > 1) return ui::CarryOutCommandLine({__argv + 1, __argv + __argc});

    if (!ui::ClaimSingleInstance()) return 0;
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);

    ui::MainWindow main_window;
    if (!ui::ShowMainWindow(main_window)) return 1;

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (ui::RouteDialogMessage(main_window, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
