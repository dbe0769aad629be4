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
};

// The records of a log's text, in file order. A record cut short, or one whose measurement lacks
// a separator, ends the reading; the records completed before it are kept.
std::vector<LogRecord> ParseFrameRateLog(std::string_view text);

// The log's path for an install folder.
std::string FrameRateLogPath(const std::string& install_folder);

// The records of the game's log (FrameRateRecords); a missing or unreadable log gives none.
std::vector<LogRecord> ReadFrameRateLog(const std::string& install_folder);

}  // namespace results
