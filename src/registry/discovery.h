// Finding the installed editions of the game and their folders in the registry.
#pragma once

#include <string>

#include "core/session.h"

namespace registry {

inline constexpr const char* kFullKey = "SOFTWARE\\Unreal Technology\\Installed Apps\\UT2003";
inline constexpr const char* kDemoKey = "SOFTWARE\\Unreal Technology\\Installed Apps\\UT2003Demo";
inline constexpr const char* kFolderValue = "Folder";

enum class Edition { kNone, kFull, kDemo };

// What the main window's edition options show after discovery.
struct InstallationOutcome {
    bool full_enabled = false;
    bool demo_enabled = false;
    Edition selected = Edition::kNone;
};

// Reads both editions' folders. The full edition wins when both are installed. Sets GameEdition
// and InstallFolder as selecting the edition's option does; when neither is installed shows the
// "Install UT2003" message and leaves InstallFolder empty.
InstallationOutcome FindGameInstallation(core::SessionState& state);

// The edition's folder as read now, up to its first NUL; `present` false when the registry no
// longer has it or it is empty.
std::string EditionFolder(Edition edition, bool* present);

// What selecting an edition's option does: reads that edition's folder again and sets
// GameEdition ("full" or "demo") and InstallFolder. When the edition's entry has gone from the
// registry since start, says so in a message, empties InstallFolder and returns false.
bool SelectEdition(core::SessionState& state, Edition edition);

}  // namespace registry
