// Starting the game and waiting for it, the words a failed start is kept with, and what other
// programs did meanwhile.
#include "core/launch.h"

#include <algorithm>

namespace core {

namespace {

// The program a command line starts: its first word, without its quotes.
std::string ProgramOf(const std::string& command_line) {
    if (command_line.starts_with('"')) return command_line.substr(1, command_line.find('"', 1) - 1);
    return command_line.substr(0, command_line.find(' '));
}

}  // namespace

std::string FailureText(const LaunchFailure& failure) {
    if (failure.program_not_found) return failure.command_line + " cannot be found.";
    // Windows' texts for some errors name the file as "%1" ("Bad EXE format for %1.").
    std::string description = failure.description;
    const std::string program = ProgramOf(failure.command_line);
    for (size_t at = description.find("%1"); at != std::string::npos;
         at = description.find("%1", at + program.size()))
        description.replace(at, 2, program);
    return std::to_string(failure.code) + " : " + description;
}

bool LaunchAndWait(const std::string& command_line, uint32_t timeout_ms, platform::EndSignal end,
                   platform::GameEnd* game_end, LaunchFailure* failure) {
    platform::StartFailure start;
    if (platform::RunAndWait(command_line, timeout_ms, end, game_end, &start)) return true;
    *failure = {command_line, start.not_found, start.code, start.description};
    return false;
}

CpuCounters ReadCpuCounters() { return {platform::SystemBusyTime(), platform::OwnProcessorTime()}; }

std::optional<double> BackgroundCpuPercent(const CpuCounters& before, const CpuCounters& after,
                                           std::optional<uint64_t> game_time, uint32_t wall_ms) {
    if (!before.system_busy || !after.system_busy || !before.own || !after.own || !game_time ||
        wall_ms == 0)
        return std::nullopt;
    // In doubles: a counter that went backwards must not wrap around.
    const double busy = static_cast<double>(*after.system_busy) - *before.system_busy;
    const double own = static_cast<double>(*after.own) - *before.own;
    const double others = busy - own - static_cast<double>(*game_time);
    // 10,000 units of 100 ns make a millisecond.
    return std::max(0.0, others / 10000.0 / wall_ms * 100.0);
}

}  // namespace core
