// Starting the game and waiting for it to end.
#pragma once

#include <cstdint>
#include <string>

#include "platform/platform.h"

namespace core {

// Why the game could not be started, as the user is told.
struct LaunchFailure {
    std::string message;
    platform::MessageIcon icon = platform::MessageIcon::kNone;
};

// What the user is told when the game's program is not there: `command_line` followed by
// " cannot be found.", with the critical icon.
LaunchFailure ProgramNotFound(const std::string& command_line);

// Starts `command_line` minimised with focus and waits until the game's process has ended, been
// ended through `end`, or run past `timeout_ms` (0: no limit); true then, with `game_end` filled
// in. When the program cannot be started returns false at once with the message: a missing
// program file gives the command line followed by " cannot be found." with the critical icon;
// any other failure its number, " : " and the system's description, with no icon.
bool LaunchAndWait(const std::string& command_line, uint32_t timeout_ms, platform::EndSignal end,
                   platform::GameEnd* game_end, LaunchFailure* failure);

}  // namespace core
