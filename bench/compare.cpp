// Benchmark of the comparison: 1,000 results folders of 105 launches each (High Quality, five
// resolutions, three runs per level), compared in one go. The folders are made through the
// platform layer, so the same program times in-memory files natively and real ones under Wine.
// "lab" lays them out as a lab's share: 50 machines, folders named with the computer, every run
// labelled.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/benchmark.h"
#include "platform/platform.h"
#include "results/comparison.h"
#include "results/csv.h"
#include "results/results_csv.h"
#include "results/run_statistics.h"

namespace {

const char* const kLevels[] = {"dm-antalus", "dom-suntemple", "dm-phobos2", "dm-inferno",
                               "ctf-face3",  "ctf-citadel",   "dm-asbestos"};
constexpr int kRepeats = 3;

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// One run's results.csv: every level at every resolution, three times, now and then a launch
// that left no record, as a real run writes it.
std::string ResultsCsvText(int run, bool lab) {
    using namespace results;
    std::string text = CsvLine({kResultsCsvColumns.begin(), kResultsCsvColumns.end()});
    std::vector<std::string> row(kResultsCsvColumns.size());
    char started[32];
    std::snprintf(started, sizeof started, "2026-%02d-%02dT%02d:%02d:00", run % 12 + 1,
                  run % 28 + 1, run % 24, run % 60);
    row[kStarted] = started;
    row[kMachine] = "LAB-PC-" + std::to_string(run % (lab ? 50 : 40));
    if (lab) row[kLabel] = "driver " + std::to_string(run % 5);
    row[kGameVersion] = "2.225.0.0";
    row[kPreset] = "High Quality";
    row[kEdition] = "full";
    row[kRenderer] = "D3D";
    row[kOs] = "Windows XP 5.1 (2600) Service Pack 3";
    row[kCpu] = "AMD Athlon(tm) XP 2800+";
    row[kCores] = "1";
    row[kMemoryMb] = "1024";
    row[kGpu] = "NVIDIA GeForce4 Ti 4200, \"AGP 8x\"";
    row[kGpuDriver] = "6.14.10." + std::to_string(4000 + run % 500);
    int launch = 0;
    for (const char* resolution : common::kResolutionNames) {
        for (const char* level : kLevels) {
            for (int repeat = 1; repeat <= kRepeats; ++repeat, ++launch) {
                const bool recorded = (run + launch) % 50 != 0;
                const double avg = 40 + (run * 7 + launch * 13) % 600 / 10.0;
                row[kResolution] = resolution;
                row[kLevel] = level;
                row[kSeconds] = "77";
                row[kRepeat] = std::to_string(repeat);
                row[kLowFps] = recorded ? results::FormatFps(avg * 0.6) : "";
                row[kAvgFps] = recorded ? results::FormatFps(avg) : "";
                row[kHighFps] = recorded ? results::FormatFps(avg * 1.7) : "";
                row[kScore] = recorded ? std::to_string(launch * 11) : "";
                row[kFrameCount] = recorded ? std::to_string(static_cast<int>(avg * 77)) : "";
                row[kDurationS] = "84.3";
                row[kOutcome] = recorded ? "recorded" : "no record";
                row[kExitCode] = "0";
                text += CsvLine(row);
            }
        }
    }
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: compare FOLDER [RESULTS [lab]]\n");
        return 2;
    }
    const std::string root = argv[1];
    const int count = argc > 2 ? std::atoi(argv[2]) : 1000;
    const bool lab = argc > 3 && std::string(argv[3]) == "lab";

    auto start = std::chrono::steady_clock::now();
    size_t bytes = 0;
    for (int run = 0; run < count; ++run) {
        char name[64];
        if (lab) {
            std::snprintf(name, sizeof name, "\\2026-12-06 %02d-%02d-%02d LAB-PC-%d High Quality",
                          run / 3600 % 24, run / 60 % 60, run % 60, run % 50);
        } else {
            std::snprintf(name, sizeof name, "\\2026-12-06 %02d-%02d-%02d %04d High Quality",
                          run / 3600 % 24, run / 60 % 60, run % 60, run);
        }
        const std::string folder = root + name;
        const std::string text = ResultsCsvText(run, lab);
        std::string error;
        if (!platform::CreateFolders(folder, &error) ||
            !platform::WriteWholeFile(folder + "\\results.csv", text, &error)) {
            std::fprintf(stderr, "compare: %s\n", error.c_str());
            return 1;
        }
        bytes += text.size();
    }
    const double made = SecondsSince(start);

    start = std::chrono::steady_clock::now();
    size_t read = 0;
    std::string error;
    const std::string out = root + "\\compare.html";
    if (!results::WriteComparison({root}, out, &read, &error)) {
        std::fprintf(stderr, "compare: %s\n", error.c_str());
        return 1;
    }
    const double compared = SecondsSince(start);

    std::string html, csv;
    platform::ReadWholeFile(out, &html, nullptr);
    platform::ReadWholeFile(results::ComparisonCsvPath(out), &csv, nullptr);
    std::printf("results folders:  %d of %d launches each, %.1f MB of results.csv\n", count,
                5 * 7 * kRepeats, bytes / 1e6);
    std::printf("made in:          %.2f s\n", made);
    std::printf("compared in:      %.2f s  (%zu results read; target: under 2 s)\n", compared,
                read);
    std::printf("written:          compare.html %.1f MB, compare.csv %.1f MB\n", html.size() / 1e6,
                csv.size() / 1e6);
    return read == static_cast<size_t>(count) ? 0 : 1;
}
