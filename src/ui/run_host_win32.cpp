// A run on its worker thread, the messages it posts, and the progress window that shows it.
#include "ui/run_host_win32.h"

#include <commctrl.h>

#include "platform/platform.h"
#include "ui/messages.h"
#include "ui/resource.h"
#include "ui/window_messages.h"
#include "ui/window_support_win32.h"

namespace ui {

namespace {

constexpr UINT_PTR kClockTimer = 1;
constexpr UINT kClockMs = 1000;

DWORD WINAPI Worker(void* param) {
    auto* run = static_cast<RunSession*>(param);
    run->report = core::CarryOutRunWithOutputs(run->plan, run->observer, run->control);
    PostMessageA(run->target, WM_APP_RUN_ENDED, 0, 0);
    return 0;
}

// Posts the failure's message and waits until it was shown, or until nobody will show it.
void TellAndWait(const PostingObserver& o, UINT msg, Message message) {
    if (!PostOwned(o.target, msg, std::make_unique<Message>(std::move(message)))) return;
    const HANDLE answered[] = {o.shown, o.abandoned};
    WaitForMultipleObjects(2, answered, FALSE, INFINITE);
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
        PostMessageA(run.target, WM_APP_RUN_ENDED, 0, 0);
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

void OnStop(RunSession& run) {
    RequestStop(run.progress.model);
    run.control.stop_after_launch = true;
    Render(run.progress);
}

void OnEndGame(RunSession& run) {
    if (Ask(run, run.progress.hwnd, "End the running game now? Its frame rates will be lost.") &&
        !run.ended_unseen) {
        RequestEndGame(run.progress.model);
        StopRunNow(run.control);
    }
    Render(run.progress);
    AfterAsking(run);
}

INT_PTR CALLBACK ProgressProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
    if (msg == WM_INITDIALOG) {
        SetWindowLongPtrA(hwnd, DWLP_USER, lparam);
        reinterpret_cast<RunSession*>(lparam)->progress.hwnd = hwnd;
    }
    auto* run = reinterpret_cast<RunSession*>(GetWindowLongPtrA(hwnd, DWLP_USER));
    if (!run) return FALSE;
    switch (msg) {
        case WM_INITDIALOG:
            SetProgramIcon(hwnd);
            SendDlgItemMessageA(hwnd, IDC_PROGRESS_BAR, PBM_SETRANGE, 0, MAKELPARAM(0, 1000));
            Render(run->progress);
            SetTimer(hwnd, kClockTimer, kClockMs, nullptr);
            return TRUE;
        case WM_TIMER:
            Render(run->progress);
            return TRUE;
        case WM_COMMAND:
            if (HIWORD(wparam) != BN_CLICKED) return TRUE;
            if (LOWORD(wparam) == IDC_PROGRESS_STOP) OnStop(*run);
            if (LOWORD(wparam) == IDC_PROGRESS_END_GAME) OnEndGame(*run);
            return TRUE;  // Esc and Enter do not close it: it goes when the run ends
        case WM_DESTROY:
            KillTimer(hwnd, kClockTimer);
            return TRUE;
        default:
            return FALSE;
    }
}

void OpenProgressWindow(RunSession& run) {
    HWND hwnd =
        CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_PROGRESS),
                           run.progress_owner, ProgressProc, reinterpret_cast<LPARAM>(&run));
    // Not activated: the game that starts now keeps the focus (a full-screen game losing it
    // would be minimised).
    if (hwnd) ShowWindow(hwnd, SW_SHOWNOACTIVATE);
}

// Shows a failure as the run on this thread did, then lets the worker go on.
void ShowFailure(RunSession& run, LPARAM lparam) {
    Show(*TakeOwned<Message>(lparam));
    SetEvent(run.observer.shown);
}

}  // namespace

void PostingObserver::LaunchStarting(size_t index) {
    if (console) console->LaunchStarting(index);
    PostMessageA(target, WM_APP_LAUNCH_STARTING, index, 0);
}

void PostingObserver::LaunchFailed(const core::LaunchFailure& failure) {
    if (console) return console->LaunchFailed(failure);
    TellAndWait(*this, WM_APP_LAUNCH_FAILED, LaunchFailureMessage(failure));
}

void PostingObserver::LaunchFinished(const results::LaunchResult& result) {
    if (console) console->LaunchFinished(result);
    PostOwned(target, WM_APP_LAUNCH_FINISHED, std::make_unique<results::LaunchResult>(result));
}

void PostingObserver::StepFailed(const std::string& error) {
    if (console) return console->StepFailed(error);
    TellAndWait(*this, WM_APP_STEP_FAILED, FileStepMessage(error));
}

void PostingObserver::ResultsNotSaved(const std::string& why) {
    if (console) console->ResultsNotSaved(why);
    PostOwned(target, WM_APP_RESULTS_NOT_SAVED, std::make_unique<std::string>(why));
}

RunSession::~RunSession() {
    if (thread) {
        // A run still going when its host goes ends its game and tidies up; nothing shows a
        // failure any more, so the worker must not wait for that either.
        StopRunNow(control);
        SetEvent(observer.abandoned);
        WaitForSingleObject(thread, INFINITE);
        CloseHandle(thread);
    }
    if (progress.hwnd) DestroyWindow(progress.hwnd);
    platform::CloseEndSignal(control.end_game);
    if (observer.shown) CloseHandle(observer.shown);
    if (observer.abandoned) CloseHandle(observer.abandoned);
}

std::unique_ptr<RunSession> StartRunThread(HWND target, HWND progress_owner,
                                           const core::RunPlan& plan, core::RunObserver* console) {
    auto run = std::make_unique<RunSession>();
    run->target = target;
    run->progress_owner = progress_owner;
    run->plan = plan;
    run->control.end_game = platform::CreateEndSignal();
    run->observer.target = target;
    run->observer.console = console;
    run->observer.shown = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    run->observer.abandoned = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    StartProgress(run->progress.model, run->plan, platform::Milliseconds());
    run->thread = CreateThread(nullptr, 0, Worker, run.get(), 0, nullptr);
    if (!run->thread) {
        if (!console) Show(FileStepMessage("Cannot start the benchmark: no thread could be made."));
        return nullptr;
    }
    return run;
}

bool IsRunMessage(UINT msg) {
    return msg >= WM_APP_LAUNCH_STARTING && msg <= WM_APP_RESULTS_NOT_SAVED;
}

bool HandleRunMessage(RunSession& run, UINT msg, WPARAM wparam, LPARAM lparam) {
    ProgressWindow& p = run.progress;
    switch (msg) {
        case WM_APP_LAUNCH_STARTING:
            ProgressLaunchStarting(p.model, wparam, platform::Milliseconds());
            if (!p.hwnd) OpenProgressWindow(run);
            break;
        case WM_APP_LAUNCH_FINISHED:
            ProgressLaunchFinished(p.model, *TakeOwned<results::LaunchResult>(lparam));
            break;
        case WM_APP_LAUNCH_FAILED:
        case WM_APP_STEP_FAILED:
            ShowFailure(run, lparam);
            break;
        case WM_APP_RESULTS_NOT_SAVED:
            ProgressResultsNotSaved(p.model, *TakeOwned<std::string>(lparam));
            break;
        case WM_APP_RUN_ENDED:
            if (run.asking == 0) return true;
            run.ended_unseen = true;
            return false;
        default:
            return false;
    }
    if (p.hwnd) Render(p);
    return false;
}

void AskToStopAndExit(RunSession& run) {
    if (run.exiting) return;
    if (Ask(run, run.target, "A benchmark is running. Stop it and exit?")) {
        run.exiting = true;
        RequestEndGame(run.progress.model);
        StopRunNow(run.control);
        if (run.progress.hwnd) Render(run.progress);
    }
    AfterAsking(run);
}

bool ExitRequested(const RunSession& run) { return run.exiting; }

void StopRunNow(core::RunControl& control) {
    control.stop_after_launch = true;
    platform::RaiseEndSignal(control.end_game);
}

core::RunReport EndRunThread(std::unique_ptr<RunSession> run) {
    WaitForSingleObject(run->thread, INFINITE);
    return std::move(run->report);
}

}  // namespace ui
