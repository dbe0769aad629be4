// Starting the game and waiting for it to end.
#pragma once

#include <cstdint>
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

}  // namespace core
