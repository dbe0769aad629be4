// A game still running from the chosen installation when a run starts: one that a killed
// Benchwright left behind, or one the user started. Its record would land in this run's log and
// be taken for a launch's, so a run starts only once no such game runs.
#pragma once

#include <cstdint>
#include <string>

namespace core {

// How long a game still running is waited for, in case it is about to end by itself, before the
// user is asked (or the command line refuses).
inline constexpr uint32_t kRunningGameWaitMs = 3000;

// True when the game program of `install_folder` still runs after waiting up to `wait_ms` for
// it to end. False without an installation.
bool GameStillRunning(const std::string& install_folder, uint32_t wait_ms = kRunningGameWaitMs);

// Ends it and waits until it has gone; false when it runs on.
bool EndRunningGame(const std::string& install_folder);

}  // namespace core
