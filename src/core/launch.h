// Starting the game and waiting for it to end.
#pragma once

#include <string>

namespace core {

// Starts `command_line` minimised with focus and waits, with no time-out, until the game's process
// has ended; returns true then. When the program cannot be started it shows one message and
// returns false at once: a missing program file gives the command line followed by
// " cannot be found." with the critical icon; any other failure its number, " : " and the
// system's description, with no icon.
bool LaunchAndWait(const std::string& command_line);

}  // namespace core
