// Prints how long Benchwright takes from process start to its main window shown and idle, as a
// second process sees it, beside a minimal dialog program built the same way, and the ratio.
// Run it with bench/startup.sh: startup_win32.exe <runs> <program.exe> <yardstick.exe>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "test_support_win32.h"

namespace ts = test_support;

namespace {

double NowMs() {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * now.QuadPart / frequency.QuadPart;
}

// Milliseconds from CreateProcess until the program waits for input with a visible top-level
// window, or -1 when it does not get there in 10 s. The program is closed afterwards.
double StartUpMs(const std::string& exe) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::string line = "\"";
    line += exe;
    line += '"';
    const double start = NowMs();
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return -1;
    HWND window = nullptr;
    const bool shown =
        WaitForInputIdle(process.hProcess, 10000) == 0 &&
        ts::WaitUntil(
            [&] {
                window = ts::FindVisibleWindow(process.dwProcessId, [](HWND) { return true; });
                return window != nullptr;
            },
            10000, 1);
    const double elapsed = NowMs() - start;
    if (window) PostMessageA(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0)
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return shown ? elapsed : -1;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s <runs> <program.exe> <yardstick.exe>\n", argv[0]);
        return 2;
    }
    const int runs = std::max(1, std::atoi(argv[1]));
    const std::string exes[2] = {argv[2], argv[3]};

    // Benchwright finds a full installation, so its start-up does all it normally does (the
    // registry, the log reset) and shows no "Install UT2003" message.
    std::string error;
    if (!ts::MakeFakeInstall(ts::kInstall, &error) ||
        !ts::SetGameFolder(ts::kFullKey, ts::RegistryKind::kString, ts::kInstall)) {
        std::fprintf(stderr, "startup: no fake installation: %s\n", error.c_str());
        return 1;
    }
    ts::DeleteGameKey(ts::kDemoKey);

    std::vector<double> times[2];
    for (int i = -1; i < runs; ++i) {  // run -1 warms the file cache and is not counted
        for (int k = 0; k < 2; ++k) {  // alternating, so both see the same machine
            const double ms = StartUpMs(exes[k]);
            if (ms < 0) {
                std::fprintf(stderr, "startup: %s shows no idle window\n", exes[k].c_str());
                return 1;
            }
            if (i >= 0) times[k].push_back(ms);
        }
    }
    ts::DeleteGameKey(ts::kFullKey);
    ts::RemoveFakeInstalls();

    const double program = Median(times[0]), yardstick = Median(times[1]);
    std::printf("start-up to a visible, idle main window, median of %d runs:\n", runs);
    std::printf("  %-60s %7.1f ms\n", exes[0].c_str(), program);
    std::printf("  %-60s %7.1f ms\n", exes[1].c_str(), yardstick);
    std::printf("ratio %.2f (goal: at most 1.2)\n", program / yardstick);
    return 0;
}
