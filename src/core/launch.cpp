// Starting the game and waiting for it, and the words a failed start is kept with.
#include "core/launch.h"

namespace core {

std::string FailureText(const LaunchFailure& failure) {
    if (failure.program_not_found) return failure.command_line + " cannot be found.";
    return std::to_string(failure.code) + " : " + failure.description;
}

bool LaunchAndWait(const std::string& command_line, uint32_t timeout_ms, platform::EndSignal end,
                   platform::GameEnd* game_end, LaunchFailure* failure) {
    platform::StartFailure start;
    if (platform::RunAndWait(command_line, timeout_ms, end, game_end, &start)) return true;
    *failure = {command_line, start.not_found, start.code, start.description};
    return false;
}

}  // namespace core
