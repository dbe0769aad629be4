// The file results.csv: its columns and how an earlier one is read back.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"
#include "results/launch_result.h"
#include "results/run_info.h"

namespace results {

inline constexpr std::array<const char*, 27> kResultsCsvColumns = {
    "started",   "machine",      "preset",     "edition", "renderer",   "resolution",
    "level",     "seconds",      "repeat",     "low_fps", "avg_fps",    "high_fps",
    "score",     "frame_count",  "duration_s", "outcome", "exit_code",  "os",
    "cpu",       "cores",        "memory_mb",  "gpu",     "gpu_driver", "background_cpu_percent",
    "disturbed", "game_version", "label"};

// Files written before the last four columns existed have the first 23 only; they are read
// with those four empty.
inline constexpr size_t kOlderResultsCsvColumns = 23;

// Indexes into kResultsCsvColumns and into a row's fields.
enum ResultsCsvColumn {
    kStarted,
    kMachine,
    kPreset,
    kEdition,
    kRenderer,
    kResolution,
    kLevel,
    kSeconds,
    kRepeat,
    kLowFps,
    kAvgFps,
    kHighFps,
    kScore,
    kFrameCount,
    kDurationS,
    kOutcome,
    kExitCode,
    kOs,
    kCpu,
    kCores,
    kMemoryMb,
    kGpu,
    kGpuDriver,
    kBackgroundCpuPercent,
    kDisturbed,
    kGameVersion,
    kLabel,
};
static_assert(kLabel + 1 == kResultsCsvColumns.size());
static_assert(kGpuDriver + 1 == kOlderResultsCsvColumns);

// The header line of results.csv, CR LF included.
std::string ResultsCsvHeaderLine();

// The line of results.csv for one launch, CR LF included. Frame rates are the log's numbers
// with two decimals and "." (a text that is no number is kept as the log has it); the fps,
// score and frame count cells are empty when the launch left no record, exit_code when the game
// never ran; cores and memory_mb are "unknown" when 0.
std::string ResultsCsvRow(const RunInfo& run, const platform::SystemInfo& system,
                          const LaunchResult& launch);

// The rows of a results.csv, fields in column order, always kResultsCsvColumns.size() of them.
// False (with `why`, one sentence) when the text is not CSV, its header is neither
// kResultsCsvColumns nor their older first 23, or a row has another number of fields than the
// header.
// It forgives what a spreadsheet or a cut-off copy does to the file: a UTF-8 byte-order mark,
// blank lines (or lines of empty fields) at the end, and a torn last row (too few fields, or an
// unclosed quote on its last line), which is left out and named in `torn` (one sentence; empty
// when the last row is whole).
bool ReadResultsCsv(std::string_view text, std::vector<std::vector<std::string>>* rows,
                    std::string* why, std::string* torn = nullptr);

// True when `start`, the first bytes of a file, can be the start of a results.csv: our header's
// first columns (after a byte-order mark, quoted or not) as far as it goes. Lets a reader refuse
// any other file before reading it whole.
bool BeginsLikeResultsCsv(std::string_view start);

}  // namespace results
