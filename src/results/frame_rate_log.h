// Reading the game's frame-rate log, InstallFolder\Benchmark\lowframerate.log.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "results/frame_rate_record.h"

namespace results {

// At most this many records are kept; later ones are ignored.
inline constexpr size_t kMaxRecords = 32766;

// One record as the log holds it: the page's four fields, and the third and fourth fields (a score
// and a frame count in the game's words; the page never shows them), trimmed.
struct LogRecord {
    FrameRateRecord record;
    std::string score;
    std::string frame_count;
    // Cut short, or its measurement lacks a separator: it counts as a record (a launch wrote it)
    // but holds nothing, its fields blank.
    bool malformed = false;
};

// The records of a log's text, in file order. A malformed record is kept in its place, flagged,
// and the reading goes on with the next record: the one whose measurement ("low / average /
// high fps") comes next, its label the field before.
std::vector<LogRecord> ParseFrameRateLog(std::string_view text);

// The log's path for an install folder.
std::string FrameRateLogPath(const std::string& install_folder);

// Reads the records of the game's log (FrameRateRecords) into `records`; a missing log has none.
// False, with no records, when the log is there but cannot be read.
bool ReadFrameRateLog(const std::string& install_folder, std::vector<LogRecord>* records);

}  // namespace results
