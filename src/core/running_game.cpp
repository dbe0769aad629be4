// Finding and ending a game still running from the installation.
#include "core/running_game.h"

#include "core/presets.h"
#include "platform/platform.h"

namespace core {

bool GameStillRunning(const std::string& install_folder, uint32_t wait_ms) {
    return !install_folder.empty() &&
           platform::ProgramRunning(GameProgramPath(install_folder), wait_ms);
}

bool EndRunningGame(const std::string& install_folder) {
    return platform::EndProgram(GameProgramPath(install_folder));
}

}  // namespace core
