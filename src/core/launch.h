// Starting the game and waiting for it to end.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/platform.h"

namespace core {

// Why the game could not be started.
struct LaunchFailure {
    std::string command_line;
    bool program_not_found = false;  // the program file (or its folder) does not exist
    uint32_t code = 0;               // otherwise the system's error number
    std::string description;         // and its text
};

// The failure as results.csv, the report and the console keep it: the command line followed by
// " cannot be found." for a missing program, otherwise the number, " : " and the description,
// its "%1" placeholders filled with the program's path.
std::string FailureText(const LaunchFailure& failure);

// Starts `command_line` minimised with focus and waits until the game's process has ended, been
// ended through `end`, or run past `timeout_ms` (0: no limit); true then, with `game_end` filled
// in. When the program cannot be started returns false at once with `failure` filled in.
bool LaunchAndWait(const std::string& command_line, uint32_t timeout_ms, platform::EndSignal end,
                   platform::GameEnd* game_end, LaunchFailure* failure);

// Processor time counted up to one moment, in 100-nanosecond units; nullopt where the system
// could not say.
struct CpuCounters {
    std::optional<uint64_t> system_busy;  // every processor's busy time, added up
    std::optional<uint64_t> own;          // Benchwright's own
};
CpuCounters ReadCpuCounters();

// How much processor time programs other than the game and Benchwright used during a launch, in
// percent of one processor averaged over the launch's `wall_ms`: the system's busy time from
// `before` to `after`, less the game's `game_time` and Benchwright's own. It can pass 100 on a
// machine with more processors; it is never below 0 (the counters do not tick in step). nullopt
// when a count is missing or the launch took no time.
std::optional<double> BackgroundCpuPercent(const CpuCounters& before, const CpuCounters& after,
                                           std::optional<uint64_t> game_time, uint32_t wall_ms);

}  // namespace core
