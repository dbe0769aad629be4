// The command line's Windows side: the parent's console or redirected output, Ctrl+C, paths made
// absolute, the one-instance check, and the dispatch to a run, a comparison or the usage.
#include "ui/command_line_win32.h"

#include <windows.h>

#include <algorithm>

#include "core/start_up.h"
#include "core/user_settings.h"
#include "platform/platform.h"
#include "ui/command_line.h"
#include "ui/run_host_win32.h"
#include "ui/windows_win32.h"

namespace ui {

namespace {

// A standard handle the parent gave us as a pipe or a file: written as it is.
HANDLE Redirected(DWORD which) {
    HANDLE h = GetStdHandle(which);
    if (!h || h == INVALID_HANDLE_VALUE) return nullptr;
    const DWORD type = GetFileType(h);
    return type == FILE_TYPE_DISK || type == FILE_TYPE_PIPE ? h : nullptr;
}

// Where a GUI program's text goes: what the parent redirected, else the console of the parent
// (a command prompt), else nowhere.
class ParentConsole : public Console {
public:
    ParentConsole() : out_(Redirected(STD_OUTPUT_HANDLE)), err_(Redirected(STD_ERROR_HANDLE)) {
        // Attached even when both outputs are redirected: Ctrl+C typed in a console reaches only
        // the processes attached to it.
        if (!AttachConsole(ATTACH_PARENT_PROCESS) || (out_ && err_)) return;
        console_ =
            CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                        nullptr, OPEN_EXISTING, 0, nullptr);
        if (console_ == INVALID_HANDLE_VALUE) console_ = nullptr;
        if (!out_) out_ = console_;
        if (!err_) err_ = console_;
    }
    ~ParentConsole() override {
        if (console_) CloseHandle(console_);
    }
    ParentConsole(const ParentConsole&) = delete;
    ParentConsole& operator=(const ParentConsole&) = delete;

    void Print(const std::string& line) override { Write(out_, line); }
    void PrintError(const std::string& line) override { Write(err_, line); }

private:
    void Write(HANDLE h, const std::string& line) {
        if (!h) return;
        const std::string text = line + "\r\n";
        DWORD written = 0;
        if (h != console_) {
            WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
            return;
        }
        // The console shows its own code page; our text is the system's, so it goes as UTF-16.
        const int size = static_cast<int>(text.size());
        std::wstring wide(static_cast<size_t>(size), L'\0');
        const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), size);
        WriteConsoleW(h, wide.data(), static_cast<DWORD>(n), &written, nullptr);
    }

    HANDLE out_;
    HANDLE err_;
    HANDLE console_ = nullptr;
};

// The run Ctrl+C (or Ctrl+Break) in the console stops. The handler gets no context, and one run at
// most lasts per process.
core::RunControl* g_ctrl_c_control = nullptr;
// Raised once that run has ended and tidied up. Never closed: a handler may still wait on it while
// the process ends.
HANDLE g_run_ended = nullptr;

BOOL WINAPI OnCtrlC(DWORD event) {
    const bool closing = event == CTRL_CLOSE_EVENT;
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT && !closing) return FALSE;
    if (!g_ctrl_c_control) return FALSE;  // no run lasts
    // Ends the game and lets the run tidy up, rather than leave its files staged.
    StopRunNow(*g_ctrl_c_control);
    // The console window is being closed: this process ends as soon as this returns, and Windows
    // waits about five seconds for it, so the tidying up is waited for here.
    if (closing) WaitForSingleObject(g_run_ended, 4500);
    return TRUE;
}

// The window a command-line run's worker posts to: whichever message loop dispatches a run
// message (ours, or a question box's), it reaches the run.
constexpr const char* kHostClass = "Benchwright.RunHost";

struct RunHost {
    std::unique_ptr<RunSession> run;
    bool ended = false;
};

LRESULT CALLBACK HostProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
    auto* host = reinterpret_cast<RunHost*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (host && host->run && IsRunMessage(msg)) {
        if (HandleRunMessage(*host->run, msg, wparam, lparam)) host->ended = true;
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wparam, lparam);
}

HWND CreateHostWindow(RunHost& host) {
    WNDCLASSA type = {};
    type.lpfnWndProc = HostProc;
    type.hInstance = GetModuleHandleA(nullptr);
    type.lpszClassName = kHostClass;
    RegisterClassA(&type);
    HWND hwnd = CreateWindowExA(0, kHostClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                type.hInstance, nullptr);
    if (hwnd) SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&host));
    return hwnd;
}

// The run on a worker thread while this thread shows its progress window (no owner: there is
// no main window), so a person passing by sees what runs and can stop it; Ctrl+C stops it too.
core::RunReport CarryOutInProgressWindow(const core::RunPlan& plan, core::RunObserver& console) {
    RunHost host;
    HWND target = CreateHostWindow(host);
    if (target) host.run = StartRunThread(target, nullptr, plan, &console);
    if (!host.run) {  // the console alone
        if (target) DestroyWindow(target);
        core::RunControl control;
        g_ctrl_c_control = &control;
        core::RunReport report = core::CarryOutRunWithOutputs(plan, console, control);
        g_ctrl_c_control = nullptr;
        return report;
    }
    g_ctrl_c_control = &host.run->control;
    MSG msg;
    while (!host.ended && GetMessageA(&msg, nullptr, 0, 0) > 0) {
        HWND progress = host.run->progress.hwnd;
        if (progress && IsDialogMessageA(progress, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    // Left without its end (a quit message): the game ends and the run tidies up first.
    if (!host.ended) StopRunNow(host.run->control);
    g_ctrl_c_control = nullptr;
    core::RunReport report = EndRunThread(std::move(host.run));
    DestroyWindow(target);
    return report;
}

// The path from the current folder, as the game and the printed lines need it; whole, however
// long, so a path too long for Windows is named as it is.
std::string FullPath(const std::string& path) {
    const DWORD size = GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
    std::string full(size, '\0');
    const DWORD n = size ? GetFullPathNameA(path.c_str(), size, full.data(), nullptr) : 0;
    return n > 0 && n < size ? full.substr(0, n) : path;
}

// Runs per level (or until steady) and the label when not given: the saved options, as the
// window runs.
RunDefaults SavedDefaults() { return {core::AppFolder(), core::LoadUserSettings()}; }

int Run(core::ProgramArguments args, Console& console) {
    if (AnotherInstanceRunning()) {
        console.PrintError(
            "No run can start: another Benchwright is running. Close it, or wait until its "
            "benchmark has ended, and start this run again.");
        return kExitCannotStart;
    }
    if (args.results_folder) args.results_folder = FullPath(*args.results_folder);
    if (args.ini && args.ini->kind == core::IniArgument::Kind::kFile)
        args.ini->path = FullPath(args.ini->path);

    core::RunSettings settings;
    std::string problem;
    if (!CommandLineSettings(args, SavedDefaults(), &settings, &problem)) {
        console.PrintError(problem);
        return kExitCannotStart;
    }
    if (!CheckLevel(args, &settings, &problem)) {
        console.PrintError(problem);
        return kExitBadArguments;
    }
    // What a killed run left goes first, as at the window's start: this may be the only start the
    // machine ever sees. What cannot go is said; the run's own steps then decide.
    std::string leftovers_error;
    if (!core::RemoveKilledRunLeftovers(&leftovers_error)) console.PrintError(leftovers_error);
    // A parent may start us ignoring Ctrl+C (a new process group does); a run promises to stop.
    SetConsoleCtrlHandler(nullptr, FALSE);
    g_run_ended = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    SetConsoleCtrlHandler(OnCtrlC, TRUE);
    const int code = RunFromCommandLine(settings, console, CarryOutInProgressWindow);
    SetEvent(g_run_ended);
    SetConsoleCtrlHandler(OnCtrlC, FALSE);
    return code;
}

}  // namespace

int CarryOutCommandLine(const std::vector<std::string>& args) {
    ParentConsole console;
    core::ProgramArguments parsed;
    std::string error;
    if (!core::ParseProgramArguments(args, &parsed, &error)) {
        console.PrintError(error);
        return kExitBadArguments;
    }
    switch (parsed.mode) {
        case core::ProgramMode::kHelp: {
            const std::string usage = core::UsageText();
            size_t start = 0;
            while (start < usage.size()) {
                const size_t end = std::min(usage.find('\n', start), usage.size());
                console.Print(usage.substr(start, end - start));
                start = end + 1;
            }
            return kExitOk;
        }
        case core::ProgramMode::kCompare:
            parsed.out = FullPath(parsed.out.value_or("compare.html"));
            return CompareFromCommandLine(parsed, console);
        case core::ProgramMode::kRun:
            return Run(parsed, console);
        case core::ProgramMode::kWindow:
            break;  // not with arguments
    }
    return kExitBadArguments;
}

}  // namespace ui
