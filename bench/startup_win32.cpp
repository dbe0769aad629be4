// Prints how long programs take from process start to their main window shown and idle, as a
// second process sees it, and each one's ratio to the first, the yardstick: Benchwright beside
// a minimal dialog program built the same way.
// Run it with bench/startup.sh: startup_win32.exe <runs> <yardstick.exe> <program.exe>...
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
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s <runs> <yardstick.exe> <program.exe>...\n", argv[0]);
        return 2;
    }
    const int runs = std::max(1, std::atoi(argv[1]));
    const std::vector<std::string> exes(argv + 2, argv + argc);
    const size_t n = exes.size();

    // Benchwright finds a full installation, so its start-up does all it normally does (the
    // registry, the log reset) and shows no "Install UT2003" message.
    std::string error;
    if (!ts::MakeFakeInstall(ts::kInstall, &error) ||
        !ts::SetGameFolder(ts::kFullKey, ts::RegistryKind::kString, ts::kInstall)) {
        std::fprintf(stderr, "startup: no fake installation: %s\n", error.c_str());
        return 1;
    }
    ts::DeleteGameKey(ts::kDemoKey);

    std::vector<std::vector<double>> times(n), ratios(n);
    for (int i = -1; i < runs; ++i) {  // run -1 warms the file cache and is not counted
        std::vector<double> ms(n);
        for (size_t k = 0; k < n; ++k) {  // in turn, so all see the same machine
            ms[k] = StartUpMs(exes[k]);
            if (ms[k] < 0) {
                std::fprintf(stderr, "startup: %s shows no idle window\n", exes[k].c_str());
                return 1;
            }
        }
        if (i < 0) continue;
        for (size_t k = 0; k < n; ++k) {
            times[k].push_back(ms[k]);
            ratios[k].push_back(ms[k] / ms[0]);
        }
    }
    ts::DeleteGameKey(ts::kFullKey);
    ts::RemoveFakeInstalls();

    // Other work on the machine slows whole stretches of runs; a run's own ratio, of starts
    // moments apart, varies far less than the times do.
    std::printf(
        "start-up to a visible, idle main window, median of %d runs, and the ratio to\n"
        "the first (the median of the runs' own ratios):\n",
        runs);
    for (size_t k = 0; k < n; ++k) {
        std::printf("  %-50s %7.1f ms", exes[k].c_str(), Median(times[k]));
        if (k > 0) std::printf("   ratio %.2f", Median(ratios[k]));
        std::printf("\n");
    }
    return 0;
}
