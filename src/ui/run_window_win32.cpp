// A run on its worker thread, the messages it posts, and the progress window that shows it.
#include "ui/run_window_win32.h"

#include <commctrl.h>

#include <memory>

#include "core/run_driver.h"
#include "platform/platform.h"
#include "ui/progress_model.h"
#include "ui/resource.h"
#include "ui/run_messages.h"
#include "ui/window_support_win32.h"

namespace ui {

namespace {

constexpr UINT_PTR kClockTimer = 1;
constexpr UINT kClockMs = 1000;

// Tells the main window by posted messages; a failure waits until the window has shown it, so
// the run goes on only once the user has dismissed the message, as when the run held the window.
// A command-line run hears everything first through `also` (its console), and shows no failure.
struct PostingObserver : core::RunObserver {
    HWND main = nullptr;
    HANDLE shown = nullptr;             // auto-reset event: the failure has been shown
    core::RunObserver* also = nullptr;  // told first, on the worker's thread; failures go only here

    void LaunchStarting(size_t index) override {
        if (also) also->LaunchStarting(index);
        PostMessageA(main, WM_APP_LAUNCH_STARTING, index, 0);
    }
    void LaunchFinished(const results::LaunchResult& result) override {
        if (also) also->LaunchFinished(result);
        auto* copy = new results::LaunchResult(result);
        if (!PostMessageA(main, WM_APP_LAUNCH_FINISHED, 0, reinterpret_cast<LPARAM>(copy)))
            delete copy;
    }
    void LaunchFailed(const std::string& message, platform::MessageIcon icon) override {
        if (also) return also->LaunchFailed(message, icon);
        Tell(WM_APP_LAUNCH_FAILED, message, icon);
    }
    void StepFailed(const std::string& error) override {
        if (also) return also->StepFailed(error);
        Tell(WM_APP_STEP_FAILED, error, platform::MessageIcon::kCritical);
    }
    void ResultsNotSaved(const std::string& why) override {
        if (also) also->ResultsNotSaved(why);
        auto* copy = new std::string(why);
        if (!PostMessageA(main, WM_APP_RESULTS_NOT_SAVED, 0, reinterpret_cast<LPARAM>(copy)))
            delete copy;
    }
    void Tell(UINT msg, const std::string& text, platform::MessageIcon icon) {
        auto* failure = new RunFailure{text, icon};
        if (PostMessageA(main, msg, 0, reinterpret_cast<LPARAM>(failure))) {
            WaitForSingleObject(shown, INFINITE);
        } else {
            delete failure;
        }
    }
};

struct ProgressWindow {
    HWND hwnd = nullptr;
    RunSession* run = nullptr;
    ProgressModel model;
    ProgressView shown;  // what the controls show now
    bool drawn = false;
};

}  // namespace

struct RunSession {
    RunSession() = default;
    explicit RunSession(core::RunControl& given) : control(given) {}

    HWND main = nullptr;  // where the worker posts (a message-only window for the command line)
    HWND progress_owner = nullptr;
    HWND* progress_slot = nullptr;
    core::RunPlan plan;
    core::RunControl own_control;
    core::RunControl& control = own_control;  // a command-line run brings its own
    core::RunReport report;                   // written by the worker; read once it has ended
    PostingObserver observer;
    HANDLE thread = nullptr;
    ProgressWindow progress;
    int asking = 0;             // questions open on this thread's stack
    bool ended_unseen = false;  // the run ended while a question was open
    bool exiting = false;
};

namespace {

DWORD WINAPI Worker(void* param) {
    auto* run = static_cast<RunSession*>(param);
    run->report = core::CarryOutRun(run->plan, run->observer, run->control);
    PostMessageA(run->main, WM_APP_RUN_ENDED, 0, 0);
    return 0;
}

// A Yes/No question owned by `owner`. The run cannot be freed while the question is open: its end
// waits, and is announced again once the answer is in.
bool Ask(RunSession& run, HWND owner, const char* question) {
    ++run.asking;
    const bool yes = MessageBoxA(owner, question, "Benchwright",
                                 MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
    --run.asking;
    return yes;
}

void AfterAsking(RunSession& run) {
    if (run.asking == 0 && run.ended_unseen) {
        run.ended_unseen = false;
        PostMessageA(run.main, WM_APP_RUN_ENDED, 0, 0);
    }
}

void SetTextIfChanged(HWND dialog, int id, const std::string& now, const std::string& before,
                      bool all) {
    if (all || now != before) SetDlgItemTextA(dialog, id, now.c_str());
}

void EnableIfChanged(HWND dialog, int id, bool now, bool before, bool all) {
    if (!all && now == before) return;
    HWND button = GetDlgItem(dialog, id);
    // A disabled button keeps no focus, or the keyboard has nowhere to go.
    if (!now && GetFocus() == button) SendMessageA(dialog, WM_NEXTDLGCTL, 0, FALSE);
    EnableWindow(button, now);
}

// The only code that writes to the progress window's controls; it writes only what changed, so
// the clock's tick costs two texts at most.
void Render(ProgressWindow& p) {
    const ProgressView v = ViewProgress(p.model, platform::Milliseconds());
    const ProgressView& was = p.shown;
    const bool all = !p.drawn;
    HWND h = p.hwnd;
    SetTextIfChanged(h, IDC_PROGRESS_RUN, v.run, was.run, all);
    SetTextIfChanged(h, IDC_PROGRESS_LEVEL, v.level, was.level, all);
    SetTextIfChanged(h, IDC_PROGRESS_RESOLUTION, v.resolution, was.resolution, all);
    SetTextIfChanged(h, IDC_PROGRESS_ELAPSED, v.elapsed, was.elapsed, all);
    SetTextIfChanged(h, IDC_PROGRESS_LEFT, v.left, was.left, all);
    SetTextIfChanged(h, IDC_PROGRESS_LAST, v.last, was.last, all);
    SetTextIfChanged(h, IDC_PROGRESS_NOTE, v.note, was.note, all);
    if (all || v.permille != was.permille)
        SendDlgItemMessageA(h, IDC_PROGRESS_BAR, PBM_SETPOS, v.permille, 0);
    EnableIfChanged(h, IDC_PROGRESS_STOP, v.stop_enabled, was.stop_enabled, all);
    EnableIfChanged(h, IDC_PROGRESS_END_GAME, v.end_enabled, was.end_enabled, all);
    p.shown = v;
    p.drawn = true;
}

void OnStop(ProgressWindow& p) {
    RequestStop(p.model);
    p.run->control.stop_after_launch = true;
    Render(p);
}

void OnEndGame(ProgressWindow& p) {
    RunSession& run = *p.run;
    if (Ask(run, p.hwnd, "End the running game now? Its frame rates will be lost.") &&
        !run.ended_unseen) {
        RequestEndGame(p.model);
        run.control.stop_after_launch = true;
        platform::RaiseEndSignal(run.control.end_game);
    }
    Render(p);
    AfterAsking(run);
}

INT_PTR CALLBACK ProgressProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
    auto* p = AttachedWindow<ProgressWindow>(hwnd, msg, lparam);
    if (!p) return FALSE;
    switch (msg) {
        case WM_INITDIALOG:
            SetProgramIcon(hwnd);
            SendDlgItemMessageA(hwnd, IDC_PROGRESS_BAR, PBM_SETRANGE, 0, MAKELPARAM(0, 1000));
            Render(*p);
            SetTimer(hwnd, kClockTimer, kClockMs, nullptr);
            return TRUE;
        case WM_TIMER:
            Render(*p);
            return TRUE;
        case WM_COMMAND:
            if (HIWORD(wparam) != BN_CLICKED) return TRUE;
            if (LOWORD(wparam) == IDC_PROGRESS_STOP) OnStop(*p);
            if (LOWORD(wparam) == IDC_PROGRESS_END_GAME) OnEndGame(*p);
            return TRUE;  // Esc and Enter do not close it: it goes when the run ends
        case WM_DESTROY:
            KillTimer(hwnd, kClockTimer);
            return TRUE;
        default:
            return FALSE;
    }
}

void OpenProgressWindow(RunSession& run) {
    run.progress.run = &run;
    *run.progress_slot = CreateDialogParamA(GetModuleHandleA(nullptr),
                                            MAKEINTRESOURCEA(IDD_PROGRESS), run.progress_owner,
                                            ProgressProc, reinterpret_cast<LPARAM>(&run.progress));
    // Not activated: the game that starts now keeps the focus (a full-screen game losing it
    // would be minimised).
    if (*run.progress_slot) ShowWindow(*run.progress_slot, SW_SHOWNOACTIVATE);
}

// Shows a failure as the run on this thread did (no title: the program's), then lets the worker
// go on.
void ShowFailure(RunSession& run, LPARAM lparam) {
    std::unique_ptr<RunFailure> failure(reinterpret_cast<RunFailure*>(lparam));
    platform::ShowMessage(failure->text, "", failure->icon);
    SetEvent(run.observer.shown);
}

}  // namespace

RunSession* StartRunThread(HWND main, HWND* progress_slot, const core::RunSettings& settings) {
    auto run = std::make_unique<RunSession>();
    if (!core::StartRun(settings, &run->plan)) return nullptr;
    run->main = main;
    run->progress_owner = main;
    run->progress_slot = progress_slot;
    run->control.end_game = platform::CreateEndSignal();
    run->observer.main = main;
    run->observer.shown = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    StartProgress(run->progress.model, run->plan, platform::Milliseconds());
    run->thread = CreateThread(nullptr, 0, Worker, run.get(), 0, nullptr);
    if (!run->thread) {
        platform::ShowMessage("Cannot start the benchmark: no thread could be made.", "",
                              platform::MessageIcon::kCritical);
        platform::CloseEndSignal(run->control.end_game);
        CloseHandle(run->observer.shown);
        return nullptr;
    }
    return run.release();
}

bool HandleRunMessage(RunSession& run, UINT msg, WPARAM wparam, LPARAM lparam) {
    ProgressWindow& p = run.progress;
    switch (msg) {
        case WM_APP_LAUNCH_STARTING:
            ProgressLaunchStarting(p.model, wparam, platform::Milliseconds());
            if (!*run.progress_slot) OpenProgressWindow(run);
            break;
        case WM_APP_LAUNCH_FINISHED: {
            std::unique_ptr<results::LaunchResult> result(
                reinterpret_cast<results::LaunchResult*>(lparam));
            ProgressLaunchFinished(p.model, *result);
            break;
        }
        case WM_APP_LAUNCH_FAILED:
        case WM_APP_STEP_FAILED:
            ShowFailure(run, lparam);
            break;
        case WM_APP_RESULTS_NOT_SAVED: {
            std::unique_ptr<std::string> why(reinterpret_cast<std::string*>(lparam));
            ProgressResultsNotSaved(p.model, *why);
            break;
        }
        case WM_APP_RUN_ENDED:
            if (run.asking == 0) return true;
            run.ended_unseen = true;
            return false;
        default:
            return false;
    }
    if (*run.progress_slot) Render(p);
    return false;
}

void AskToStopAndExit(RunSession& run) {
    if (run.exiting) return;
    if (Ask(run, run.main, "A benchmark is running. Stop it and exit?")) {
        run.exiting = true;
        RequestEndGame(run.progress.model);
        run.control.stop_after_launch = true;
        platform::RaiseEndSignal(run.control.end_game);
        if (*run.progress_slot) Render(run.progress);
    }
    AfterAsking(run);
}

bool ExitRequested(const RunSession& run) { return run.exiting; }

void EndRunThread(RunSession* run) {
    WaitForSingleObject(run->thread, INFINITE);
    CloseHandle(run->thread);
    if (*run->progress_slot) DestroyWindow(*run->progress_slot);
    *run->progress_slot = nullptr;
    if (!run->exiting) core::FinishRun(run->plan, run->report);
    platform::CloseEndSignal(run->control.end_game);
    CloseHandle(run->observer.shown);
    delete run;
}

namespace {

// The window a command-line run's worker posts to: whichever message loop dispatches a run
// message (ours, or a question box's), it reaches the run.
struct CommandLineHost {
    RunSession* run = nullptr;
    bool ended = false;
};

LRESULT CALLBACK HostProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
    auto* host = reinterpret_cast<CommandLineHost*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (host && msg >= WM_APP_LAUNCH_STARTING && msg <= WM_APP_RESULTS_NOT_SAVED) {
        if (HandleRunMessage(*host->run, msg, wparam, lparam)) host->ended = true;
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wparam, lparam);
}

}  // namespace

core::RunReport CarryOutInProgressWindow(const core::RunPlan& plan, core::RunObserver& also,
                                         core::RunControl& control) {
    HWND host =
        CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    if (!host) return core::CarryOutRun(plan, also, control);  // the console alone
    HWND progress = nullptr;
    RunSession run(control);
    CommandLineHost state{&run};
    SetWindowLongPtrA(host, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&state));
    SetWindowLongPtrA(host, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(HostProc));
    run.main = host;
    run.progress_slot = &progress;
    run.plan = plan;
    run.observer.main = host;
    run.observer.also = &also;
    StartProgress(run.progress.model, run.plan, platform::Milliseconds());
    run.thread = CreateThread(nullptr, 0, Worker, &run, 0, nullptr);
    if (!run.thread) {
        DestroyWindow(host);
        return core::CarryOutRun(plan, also, control);
    }
    MSG msg;
    while (!state.ended && GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (progress && IsDialogMessageA(progress, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    WaitForSingleObject(run.thread, INFINITE);
    CloseHandle(run.thread);
    if (progress) DestroyWindow(progress);
    DestroyWindow(host);
    return run.report;
}

}  // namespace ui
