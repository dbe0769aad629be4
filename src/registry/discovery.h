// Finding the installed editions of the game and their folders in the registry.
#pragma once

#include <string>

namespace registry {

inline constexpr const char* kFullKey = "SOFTWARE\\Unreal Technology\\Installed Apps\\UT2003";
inline constexpr const char* kDemoKey = "SOFTWARE\\Unreal Technology\\Installed Apps\\UT2003Demo";
inline constexpr const char* kFolderValue = "Folder";

enum class Edition { kNone, kFull, kDemo };

// What discovery found: the edition options to enable, the one selected, and what selecting it
// gives the session (GameEdition "full" or "demo", InstallFolder).
struct InstallationOutcome {
    bool full_enabled = false;
    bool demo_enabled = false;
    Edition selected = Edition::kNone;
    std::string game_edition;    // empty when neither is installed
    std::string install_folder;  // empty when neither is installed
};

// Reads both editions' folders. The full edition wins when both are installed. When neither is
// installed shows the "Install UT2003" message.
InstallationOutcome FindGameInstallation();

// The same without the message, for a run that nobody watches.
InstallationOutcome ReadGameInstallation();

// "full" or "demo".
const char* EditionName(Edition edition);

// The edition's folder as read now, up to its first NUL; `present` false when the registry no
// longer has it or it is empty.
std::string EditionFolder(Edition edition, bool* present);

// What selecting an edition's option does: reads that edition's folder again into
// `install_folder`. When the edition's entry has gone from the registry since start, says so in a
// message, empties `install_folder` and returns false.
bool SelectEdition(Edition edition, std::string* install_folder);

}  // namespace registry
