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

// Put before the text by spreadsheets that save "CSV UTF-8".
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool AllEmpty(const std::vector<std::string>& record) {
    return std::all_of(record.begin(), record.end(),
                       [](const std::string& f) { return f.empty(); });
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
                    std::string* why, std::string* torn) {
    rows->clear();
    if (torn) torn->clear();
    if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
    while (text.ends_with('\n') || text.ends_with('\r')) text.remove_suffix(1);
    std::vector<std::vector<std::string>> records;
    std::string error;
    size_t torn_row = 0;  // by its number, the header being row 0; 0 for none
    if (!ParseCsv(text, &records, &error)) {
        // A quote left open on the last line: the row was cut there, and the rows before it
        // count when they read without it.
        const size_t last_line = text.rfind('\n');
        if (last_line == std::string_view::npos ||
            !ParseCsv(text.substr(0, last_line + 1), &records, nullptr)) {
            if (why) *why = "It is not CSV: " + error;
            return false;
        }
        torn_row = records.size();
    }
    while (records.size() > 1 && AllEmpty(records.back())) records.pop_back();
    const size_t columns = records.empty() ? 0 : records[0].size();
    const bool header_matches =
        (columns == kResultsCsvColumns.size() || columns == kOlderResultsCsvColumns) &&
        std::equal(records[0].begin(), records[0].end(), kResultsCsvColumns.begin());
    if (!header_matches) {
        if (why) *why = "Its header is not the one results.csv has.";
        return false;
    }
    if (torn_row == 0 && records.size() > 1 && records.back().size() < columns) {
        torn_row = records.size() - 1;
        records.pop_back();
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
    if (torn_row != 0 && torn) {
        *torn = "Its last row (row " + std::to_string(torn_row) +
                ") is cut short: it is left out, the rows before it are read.";
    }
    return true;
}

bool BeginsLikeResultsCsv(std::string_view start) {
    std::string header =
        CsvLine({kResultsCsvColumns.begin(), kResultsCsvColumns.begin() + kOlderResultsCsvColumns});
    header.resize(header.size() - 2);  // without CR LF: the newer columns may follow
    if (start.starts_with(kByteOrderMark)) start.remove_prefix(kByteOrderMark.size());
    size_t matched = 0;
    for (const char c : start) {
        if (c == '"') continue;
        if (matched == header.size()) break;
        if (c != header[matched++]) return false;
    }
    return matched > 0;
}

}  // namespace results
