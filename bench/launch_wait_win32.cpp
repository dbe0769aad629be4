// Prints what one launch-and-wait costs Benchwright: its own CPU time while the game runs, and
// the wall-clock time it adds to the game's own run. Run it with bench/launch_wait.sh.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "core/launch.h"
#include "core/presets.h"
#include "test_support_win32.h"

namespace ts = test_support;

namespace {

const char kInstall[] = "T:\\BenchUT2003";

double CpuMs() {
    FILETIME created, ended, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user);
    auto ms = [](const FILETIME& t) {
        return ((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e4;
    };
    return ms(kernel) + ms(user);
}

double NowMs() {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * now.QuadPart / frequency.QuadPart;
}

struct Series {
    double cpu_ms = 0;                 // the whole series
    std::vector<double> wall, beyond;  // per launch: wall clock, and wall beyond the game's run
};

// `count` launches of `line`; the stand-in's own run times come from its journal afterwards,
// so reading it costs the measured CPU nothing.
Series RunSeries(const std::string& line, int count) {
    Series s;
    const double cpu = CpuMs();
    for (int i = 0; i < count; ++i) {
        const double start = NowMs();
        platform::GameEnd end;
        core::LaunchFailure failure;
        core::LaunchAndWait(line, 0, nullptr, &end, &failure);
        s.wall.push_back(NowMs() - start);
    }
    s.cpu_ms = CpuMs() - cpu;
    const auto runs = ts::StandinRuns(kInstall);
    if (runs.size() < static_cast<size_t>(count)) return s;  // a launch failed: no game times
    for (int i = 0; i < count; ++i) {
        const auto& run = runs[runs.size() - count + i];
        s.beyond.push_back(s.wall[i] - double(run.end_tick - run.start_tick));
    }
    return s;
}

double Median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int main() {
    std::string error;
    if (!ts::MakeFakeInstall(kInstall, &error)) {
        std::printf("cannot make the installation: %s\n", error.c_str());
        return 1;
    }
    const core::LaunchFiles s = {kInstall, "T:\\flybyexec.txt", "T:\\UT2003.ini"};
    ts::WriteFile(s.exec_script_path, ts::kFlybyExecText);
    ts::WriteFile(s.engine_ini_path, "[Engine.Engine]\r\n");
    const std::string line =
        core::BuildGameCommandLine(s, {"dm-inferno", 77}, "1024x768", core::kMinDetailUserIni);

    RunSeries(line, 1);  // the first start loads what later ones find in the cache

    // The process's CPU time comes in 10 ms ticks under Wine: measure a series, then divide.
    const int slow_runs = 5, quick_runs = 30;
    ts::WriteControl(kInstall, "sleep 3000");
    Series slow = RunSeries(line, slow_runs);
    ts::WriteControl(kInstall, "");
    Series quick = RunSeries(line, quick_runs);

    std::printf("Game sleeping 3 s (%d launches):\n", slow_runs);
    std::printf("  CPU of this process per launch-and-wait  %6.2f ms  (+-%.1f ms; target < 3 ms)\n",
                slow.cpu_ms / slow_runs, 10.0 / slow_runs);
    std::printf("  wall per launch-and-wait (median)        %6.1f ms\n", Median(slow.wall));
    std::printf("  beyond the game's own run (median)       %6.1f ms\n", Median(slow.beyond));
    std::printf("Game not sleeping (%d launches):\n", quick_runs);
    std::printf("  CPU of this process per launch-and-wait  %6.2f ms  (+-%.1f ms)\n",
                quick.cpu_ms / quick_runs, 10.0 / quick_runs);
    std::printf("  wall per launch-and-wait (median)        %6.1f ms\n", Median(quick.wall));
    std::printf("  beyond the game's own run (median)       %6.1f ms\n", Median(quick.beyond));
    std::printf("CPU spent waiting (3 s launch minus quick launch): %.2f ms\n",
                slow.cpu_ms / slow_runs - quick.cpu_ms / quick_runs);

    ts::RemoveTree(kInstall);
    DeleteFileA(s.exec_script_path.c_str());
    DeleteFileA(s.engine_ini_path.c_str());
    return 0;
}
