// What one launch of the game gave: the plan's launch it belongs to, how it ended, and its record.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "results/frame_rate_record.h"

namespace results {

enum class LaunchOutcome {
    kRecorded,       // the game ran and left one record in the frame-rate log
    kNoRecord,       // the game ran (or crashed) and left no record
    kFailedToStart,  // the game could not be started; `failure` says why
    kEndedByUser,    // "End game now" (or closing Benchwright) ended the game
    kTimedOut,       // the game ran far longer than planned and was ended
    kNotRun,         // the run was stopped before this launch
};

// "recorded", "no record", "failed to start", "ended by user", "timed out", "not run": the
// outcome's words in the CSV and the reports.
const char* OutcomeName(LaunchOutcome outcome);

struct LaunchResult {
    // The launch as planned.
    int index = 0;           // its place among the run's launches, from 1
    std::string resolution;  // "1024x768"
    std::string level;       // "dm-inferno"
    int seconds = 0;         // planned length
    int repeat = 1;          // which of the runs per level, from 1

    // What happened.
    LaunchOutcome outcome = LaunchOutcome::kNotRun;
    std::string failure;       // kFailedToStart: the message the user is shown
    uint32_t exit_code = 0;    // the game's exit code, when it ran
    uint32_t duration_ms = 0;  // from the start of the game to its end
    std::string started;       // local time of the start, ISO 8601 "2026-12-06T14:05:09"
    // Processor time other programs used while the game ran, in percent of one processor
    // averaged over the launch; nullopt when it could not be measured.
    std::optional<double> background_cpu_percent;

    // The record, when outcome is kRecorded: the page's four fixed-width fields, and the log's
    // third and fourth fields (a score and a frame count in the game's own words), trimmed.
    FrameRateRecord record;
    std::string score;
    std::string frame_count;

    bool HasRecord() const { return outcome == LaunchOutcome::kRecorded; }
    // Other programs used more than kDisturbedAbovePercent of one processor while it ran.
    bool Disturbed() const;
};

inline constexpr double kDisturbedAbovePercent = 10.0;

}  // namespace results
