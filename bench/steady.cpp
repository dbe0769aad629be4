// Benchmark of "Until steady": the same 105 launches (High Quality, 7 levels at 5 resolutions,
// 3 each) made with 3 runs per level and with "Until steady" whose averages are steady at the
// third, carried out against the in-memory platform stand-in with every output (results.csv,
// report.html, results.html). The difference per launch is what planning the most repeats and
// asking the rule after each launch cost. Also: the rule alone on a cell of ten launches, and a
// never-steady run of 350 launches.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "core/run_driver.h"
#include "core/run_outputs.h"
#include "platform/platform_standin.h"
#include "results/steadiness.h"

namespace {

namespace standin = platform::standin;

const std::string kInstall = "C:\\UT2003";
const std::string kLog = kInstall + "\\Benchmark\\lowframerate.log";

class Quiet : public core::RunObserver {};

// One whole run from the click; returns the launches made.
size_t OneRun(bool until_steady, bool alternate) {
    standin::Reset();
    standin::AddFile(kInstall + "\\System\\ut2003.exe", "MZ");
    standin::AddFile(kInstall + "\\Benchmark\\Stuff\\flybyexec.txt", "flyby\r\n");
    standin::AddFolder("C:\\Bench");
    size_t n = 0;
    standin::Get().on_run = [&](const std::string&) {
        const std::string average = alternate && ++n % 2 ? "50.00" : "60.00";
        const standin::File* log = standin::FindFile(kLog);
        standin::AddFile(kLog, (log ? log->contents : "") + "dm-antalus,40.00 / " + average +
                                   " / 90.00 fps,score,frames\r\n");
    };
    core::RunSettings s;
    s.preset = common::BenchmarkPreset::kHighQuality;
    s.install_folder = kInstall;
    s.app_folder = "C:\\Bench\\";
    s.results_folder = "C:\\Bench\\Results";
    s.resolutions = {true, true, true, true, true};
    s.runs_per_level = 3;
    s.until_steady = until_steady;
    core::RunPlan plan;
    core::RunRefusal refusal;
    if (!core::PrepareRun(s, &plan, &refusal)) return 0;
    Quiet quiet;
    core::RunControl control;
    return core::CarryOutRunWithOutputs(plan, quiet, control).launches.size();
}

// Median microseconds per launch of `rounds` runs.
double PerLaunchUs(bool until_steady, bool alternate, int rounds, size_t* launches) {
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i) {
        const auto start = std::chrono::steady_clock::now();
        *launches = OneRun(until_steady, alternate);
        const auto end = std::chrono::steady_clock::now();
        times.push_back(std::chrono::duration<double, std::micro>(end - start).count() /
                        static_cast<double>(*launches));
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

}  // namespace

int main() {
    const int rounds = 31;
    size_t fixed_launches = 0, steady_launches = 0, never_launches = 0;
    // Alternating, so that neither goes first each time.
    double fixed = 0, steady = 0;
    for (int pass = 0; pass < 2; ++pass) {
        fixed += PerLaunchUs(false, false, rounds, &fixed_launches) / 2;
        steady += PerLaunchUs(true, false, rounds, &steady_launches) / 2;
    }
    const double never = PerLaunchUs(true, true, rounds, &never_launches);
    if (fixed_launches != 105 || steady_launches != 105 || never_launches != 350) {
        std::fprintf(stderr, "steady: launches made %zu, %zu, %zu instead of 105, 105, 350\n",
                     fixed_launches, steady_launches, never_launches);
        return 1;
    }

    std::vector<results::LaunchResult> cell(10);
    std::vector<const results::LaunchResult*> pointers;
    for (size_t i = 0; i < cell.size(); ++i) {
        cell[i].outcome = results::LaunchOutcome::kRecorded;
        cell[i].record.average = i % 2 ? "50.00     " : "60.00     ";
        pointers.push_back(&cell[i]);
    }
    const int calls = 200000;
    int steady_calls = 0;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < calls; ++i)
        steady_calls += results::JudgeRepeats(pointers, 20 + i % 2) == results::Steadiness::kSteady;
    const double rule_ns =
        std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - start).count() /
        calls;

    std::printf("run with every output, in-memory files, median of %d runs, per launch:\n", rounds);
    std::printf("  3 runs per level (105 launches):              %8.1f us\n", fixed);
    std::printf("  until steady, steady at 3 (105 launches):     %8.1f us\n", steady);
    std::printf("  difference:                                   %8.1f us\n", steady - fixed);
    std::printf(
        "  until steady, never steady (350 launches):    %8.1f us (each launch reads\n"
        "    the whole frame-rate log, which grows with the run, in either mode)\n",
        never);
    std::printf("the rule on a cell of 10 launches:              %8.1f ns a call (%d steady)\n",
                rule_ns, steady_calls);
    std::printf("a launch of the game lasts 77 s or more: the difference is %.1e of one\n",
                (steady - fixed) / 77e6);
    return 0;
}
