// Starting the game and waiting for it, with the message a failed start gives.
#include "core/launch.h"

namespace core {

LaunchFailure ProgramNotFound(const std::string& command_line) {
    return {command_line + " cannot be found.", platform::MessageIcon::kCritical};
}

bool LaunchAndWait(const std::string& command_line, uint32_t timeout_ms, platform::EndSignal end,
                   platform::GameEnd* game_end, LaunchFailure* failure) {
    platform::StartFailure start;
    if (platform::RunAndWait(command_line, timeout_ms, end, game_end, &start)) return true;
    if (start.not_found)
        *failure = ProgramNotFound(command_line);
    else
        *failure = {std::to_string(start.code) + " : " + start.description,
                    platform::MessageIcon::kNone};
    return false;
}

}  // namespace core
