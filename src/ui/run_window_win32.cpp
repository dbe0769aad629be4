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
struct PostingObserver : core::RunObserver {
    HWND main = nullptr;
    HANDLE shown = nullptr;  // auto-reset event: the failure has been shown

    void LaunchStarting(size_t index) override {
        PostMessageA(main, WM_APP_LAUNCH_STARTING, index, 0);
    }
    void LaunchFinished(const results::LaunchResult& result) override {
        auto* copy = new results::LaunchResult(result);
        if (!PostMessageA(main, WM_APP_LAUNCH_FINISHED, 0, reinterpret_cast<LPARAM>(copy)))
            delete copy;
    }
    void LaunchFailed(const std::string& message, platform::MessageIcon icon) override {
        Tell(WM_APP_LAUNCH_FAILED, message, icon);
    }
    void StepFailed(const std::string& error) override {
        Tell(WM_APP_STEP_FAILED, error, platform::MessageIcon::kCritical);
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
    HWND main = nullptr;
    HWND* progress_slot = nullptr;
    core::RunPlan plan;
    core::RunControl control;
    core::RunReport report;  // written by the worker; read once it has ended
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
    *run.progress_slot =
        CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_PROGRESS), run.main,
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

}  // namespace ui
