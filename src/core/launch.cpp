// Starting the game and waiting for it, and the words a failed start is kept with.
#include "core/launch.h"

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

}  // namespace core
