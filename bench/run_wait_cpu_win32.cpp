// Prints the CPU time Benchwright's process uses per second of a game's run while its worker waits
// for the game, with the progress window open and its clock ticking; the launch itself is left
// out. Run it with bench/run_wait_cpu.sh.
#include <windows.h>

#include <cstdio>
#include <string>

#include "gui_support_win32.h"
#include "test_support_win32.h"
#include "ui/resource.h"

namespace ts = test_support;

namespace {

const char kInstall[] = "T:\\BenchRunUT2003";
constexpr DWORD kGameMs = 40000;     // the stand-in's run
constexpr DWORD kMeasureMs = 30000;  // measured inside it, after the launch has settled
constexpr DWORD kSettleMs = 2000;

double CpuMs(HANDLE process) {
    FILETIME created, ended, kernel, user;
    if (!GetProcessTimes(process, &created, &ended, &kernel, &user)) return -1;
    auto ms = [](const FILETIME& t) {
        return ((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e4;
    };
    return ms(kernel) + ms(user);
}

std::string Quoted(const std::string& path) {
    std::string quoted = "\"";
    quoted += path;
    quoted += '"';
    return quoted;
}

int Fail(const char* what) {
    std::printf("run_wait_cpu: %s\n", what);
    return 1;
}

}  // namespace

int main() {
    std::string error;
    if (!ts::MakeFakeInstall(kInstall, &error)) return Fail(error.c_str());
    ts::DeleteGameKey(ts::kDemoKey);
    ts::SetGameFolder(ts::kFullKey, ts::RegistryKind::kString, kInstall);
    ts::WriteControl(kInstall, "sleep " + std::to_string(kGameMs));
    // The page goes to the capturing program, not to a browser.
    ts::HtmlAssociation html(Quoted(ts::TestExeFolder() + "\\open_capture.exe") + " \"%1\"");

    std::string command = Quoted(ts::TestExeFolder() + "\\benchwright.exe");
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION bw = {};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &bw))
        return Fail("cannot start benchwright.exe");
    const DWORD pid = bw.dwProcessId;
    int status = 0;
    HWND main = gui::WaitForTopWindow(pid, "#32770", "Benchwright", 20000);
    HWND progress = nullptr;
    if (!main || !gui::ClickUntilChecked(GetDlgItem(main, IDC_RESOLUTION_FIRST), true, 20000)) {
        status = Fail("no main window");
    } else {
        gui::Click(GetDlgItem(main, IDC_CPU_BENCHMARK));
        progress = gui::WaitForTopWindow(pid, "#32770", "Benchmark running", 20000);
        if (!progress ||
            !ts::WaitUntil([] { return ts::StandinRuns(kInstall).size() == 1; }, 20000))
            status = Fail("the run did not start");
    }
    if (status == 0) {
        Sleep(kSettleMs);  // the launch's own cost goes before the window measured
        HWND elapsed = GetDlgItem(progress, IDC_PROGRESS_ELAPSED);
        const std::string clock_before = gui::Text(elapsed);
        const double cpu_before = CpuMs(bw.hProcess);
        const DWORD start = GetTickCount();
        Sleep(kMeasureMs);
        const double cpu_after = CpuMs(bw.hProcess);
        const double seconds = (GetTickCount() - start) / 1000.0;
        const std::string clock_after = gui::Text(elapsed);
        const bool game_ran_throughout = ts::StandinRuns(kInstall).back().outcome.empty();
        if (cpu_before < 0 || !game_ran_throughout) {
            status = Fail("the game ended before the measurement did, or no process times");
        } else {
            const double used = cpu_after - cpu_before;
            std::printf("Benchwright waiting for a game (%.1f s measured, progress window open):\n",
                        seconds);
            std::printf("  clock shown            %s -> %s\n", clock_before.c_str(),
                        clock_after.c_str());
            std::printf(
                "  CPU used               %6.1f ms  (+-10 ms: the system counts in ticks)\n", used);
            std::printf("  CPU per second of game %6.2f ms  (target at most 1 ms)\n",
                        used / seconds);
            std::printf("  CPU since its start    %6.1f ms  (start-up, window, launch)\n",
                        cpu_after);
        }
    }
    if (main) PostMessageA(main, WM_CLOSE, 0, 0);
    // Closing during the run asks; Yes ends the game, cleans up and exits.
    const ts::MessageBoxSeen box = ts::WaitForMessageBox(pid, 5000);
    if (box.window) PostMessageA(GetDlgItem(box.window, IDYES), BM_CLICK, 0, 0);
    if (WaitForSingleObject(bw.hProcess, 30000) != WAIT_OBJECT_0) {
        TerminateProcess(bw.hProcess, 1);
        status = Fail("benchwright.exe did not exit");
    }
    CloseHandle(bw.hProcess);
    CloseHandle(bw.hThread);
    ts::RemoveTree(kInstall);
    ts::DeleteGameKey(ts::kFullKey);
    return status;
}
