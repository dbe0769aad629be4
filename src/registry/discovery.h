// Finding the installed editions of the game and their folders in the registry.
#pragma once

#include <string>

#include "common/benchmark.h"

namespace registry {

inline constexpr const char* kFullKey = "SOFTWARE\\Unreal Technology\\Installed Apps\\UT2003";
inline constexpr const char* kDemoKey = "SOFTWARE\\Unreal Technology\\Installed Apps\\UT2003Demo";
inline constexpr const char* kFolderValue = "Folder";

// Reads both editions' folders. The full edition wins when both are installed; neither installed
// leaves `selected` kNone.
common::Installation ReadGameInstallation();

// The edition's folder as read now, up to its first NUL; `present` false when the registry no
// longer has it or it is empty.
std::string EditionFolder(common::Edition edition, bool* present);

// The system information tool (msinfo32.exe) as the registry names it, or empty when neither of
// its keys names a file that can be read.
std::string SystemInformationTool();

}  // namespace registry
