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

inline constexpr std::array<const char*, 23> kResultsCsvColumns = {
    "started", "machine",     "preset",     "edition", "renderer",  "resolution",
    "level",   "seconds",     "repeat",     "low_fps", "avg_fps",   "high_fps",
    "score",   "frame_count", "duration_s", "outcome", "exit_code", "os",
    "cpu",     "cores",       "memory_mb",  "gpu",     "gpu_driver"};

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
};
static_assert(kGpuDriver + 1 == kResultsCsvColumns.size());

// The header line of results.csv, CR LF included.
std::string ResultsCsvHeaderLine();

// The line of results.csv for one launch, CR LF included. Frame rates are the log's numbers
// with two decimals and "." (a text that is no number is kept as the log has it); the fps,
// score and frame count cells are empty when the launch left no record, exit_code when the game
// never ran; cores and memory_mb are "unknown" when 0.
std::string ResultsCsvRow(const RunInfo& run, const platform::SystemInfo& system,
                          const LaunchResult& launch);

// The rows of a results.csv, fields in column order. False (with `why`, one sentence) when
// the text is not CSV, its header is not exactly kResultsCsvColumns, or a row has another
// number of fields.
bool ReadResultsCsv(std::string_view text, std::vector<std::vector<std::string>>* rows,
                    std::string* why);

}  // namespace results
