// Reading the game's frame-rate log, InstallFolder\Benchmark\lowframerate.log.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/session.h"
#include "results/frame_rate_record.h"

namespace results {

// At most this many records are kept; later ones are ignored.
inline constexpr size_t kMaxRecords = 32766;

// The records of a log's text, in file order. A record cut short, or one whose measurement lacks
// a separator, ends the reading; the records completed before it are kept.
std::vector<FrameRateRecord> ParseFrameRateLog(std::string_view text);

// The log's path for an install folder.
std::string FrameRateLogPath(const std::string& install_folder);

// Replaces FrameRateRecords with the records of the log; a missing or unreadable log gives none.
void ReadFrameRateLog(core::SessionState& state);

}  // namespace results
