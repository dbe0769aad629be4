// Reading results.csv back, trusting nothing in it.
#include "results/results_csv.h"

#include <algorithm>

#include "common/text.h"
#include "results/csv.h"
#include "results/run_statistics.h"

namespace results {

namespace {

std::string FpsCell(const std::string& field) {
    const auto fps = ParseFps(field);
    return fps ? FormatFps(*fps) : common::Trimmed(field);
}

std::string CountOrUnknown(uint64_t count) {
    return count == 0 ? "unknown" : std::to_string(count);
}

// "12.345": whole milliseconds need no floating point.
std::string Seconds(uint32_t milliseconds) {
    const std::string fraction = std::to_string(milliseconds % 1000);
    return std::to_string(milliseconds / 1000) + "." + std::string(3 - fraction.size(), '0') +
           fraction;
}

bool GameRan(LaunchOutcome outcome) {
    return outcome != LaunchOutcome::kFailedToStart && outcome != LaunchOutcome::kNotRun;
}

}  // namespace

std::string ResultsCsvHeaderLine() {
    return CsvLine({kResultsCsvColumns.begin(), kResultsCsvColumns.end()});
}

std::string ResultsCsvRow(const RunInfo& run, const platform::SystemInfo& system,
                          const LaunchResult& launch) {
    std::vector<std::string> f(kResultsCsvColumns.size());
    f[kStarted] = launch.started;
    f[kMachine] = system.computer_name;
    f[kPreset] = run.preset;
    f[kEdition] = run.edition;
    f[kRenderer] = run.renderer;
    f[kResolution] = launch.resolution;
    f[kLevel] = launch.level;
    f[kSeconds] = std::to_string(launch.seconds);
    f[kRepeat] = std::to_string(launch.repeat);
    if (launch.HasRecord()) {
        f[kLowFps] = FpsCell(launch.record.low);
        f[kAvgFps] = FpsCell(launch.record.average);
        f[kHighFps] = FpsCell(launch.record.high);
        f[kScore] = launch.score;
        f[kFrameCount] = launch.frame_count;
    }
    f[kDurationS] = Seconds(launch.duration_ms);
    f[kOutcome] = OutcomeName(launch.outcome);
    if (GameRan(launch.outcome)) f[kExitCode] = std::to_string(launch.exit_code);
    f[kOs] = system.os;
    f[kCpu] = system.cpu;
    f[kCores] = CountOrUnknown(system.cores);
    f[kMemoryMb] = CountOrUnknown(system.memory_mb);
    f[kGpu] = system.gpu;
    f[kGpuDriver] = system.gpu_driver;
    if (GameRan(launch.outcome)) {
        if (launch.background_cpu_percent) {
            f[kBackgroundCpuPercent] = FormatDecimal(*launch.background_cpu_percent, 1);
            f[kDisturbed] = launch.Disturbed() ? "yes" : "no";
        } else {
            f[kDisturbed] = "unknown";
        }
    }
    f[kGameVersion] = run.game_version;
    f[kLabel] = run.label;
    return CsvLine(f);
}

bool ReadResultsCsv(std::string_view text, std::vector<std::vector<std::string>>* rows,
                    std::string* why) {
    rows->clear();
    std::vector<std::vector<std::string>> records;
    std::string error;
    if (!ParseCsv(text, &records, &error)) {
        if (why) *why = "It is not CSV: " + error;
        return false;
    }
    const size_t columns = records.empty() ? 0 : records[0].size();
    const bool header_matches =
        (columns == kResultsCsvColumns.size() || columns == kOlderResultsCsvColumns) &&
        std::equal(records[0].begin(), records[0].end(), kResultsCsvColumns.begin());
    if (!header_matches) {
        if (why) *why = "Its header is not the one results.csv has.";
        return false;
    }
    for (size_t i = 1; i < records.size(); ++i) {
        if (records[i].size() != columns) {
            if (why) {
                *why = "Row " + std::to_string(i) + " has " + std::to_string(records[i].size()) +
                       " fields instead of " + std::to_string(columns) + ".";
            }
            rows->clear();
            return false;
        }
        records[i].resize(kResultsCsvColumns.size());
        rows->push_back(std::move(records[i]));
    }
    return true;
}

}  // namespace results
