// The session's shared settings: what the windows show and a run starts from.
//
// One SessionState lives from program start to end, starts empty and is never saved. Its fields
// are written by the main window (installation discovery, the edition and render options) and
// InitAppFolder; a run only reads them, through the snapshot it is planned from.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace core {

struct SessionState {
    // The game's folder without a trailing backslash; empty when no installation was found.
    std::string InstallFolder;
    // The program's own folder, always ending in a backslash. Written by InitAppFolder.
    std::string AppFolder;
    // "D3D" or "OGL"; only "OGL" means OpenGL.
    std::string RenderEngine;
    // "full" or "demo"; only "demo" means the demo edition to the runs.
    std::string GameEdition;
};

// Sets AppFolder from the folder the program was started from, with a trailing backslash.
void InitAppFolder(SessionState& state);

// The chosen resolutions' names ("640x480", ...) from the five check states, always in check-box
// order whatever order the boxes were ticked in (ResolutionNames; their count is
// ResolutionCount).
std::vector<std::string> BuildResolutionList(const std::array<bool, 5>& checked);

}  // namespace core
