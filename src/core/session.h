// The session's shared settings and paths, and the resolution list they are built from.
//
// One SessionState lives from program start to end, starts empty and is never saved. Each field
// has a few writers (noted below); everything else only reads it. Functions take it by reference
// rather than reaching for a global, so tests can use a fresh one.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "results/frame_rate_record.h"

namespace core {

struct SessionState {
    // The game's folder without a trailing backslash; empty when no installation was found.
    // Written by installation discovery and the edition options.
    std::string InstallFolder;
    // The program's own folder, always ending in a backslash. Written by InitAppFolder.
    std::string AppFolder;
    // What the frame-rate log reader read after the last preset; entry k is FrameRateRecords[k-1].
    std::vector<results::FrameRateRecord> FrameRateRecords;
    // The chosen resolutions of the current run: their count (0 to 5), the token list
    // ("640x480_1024x768_", eaten by the token walk) and their names ("640x480", ...).
    int16_t ResolutionCount = 0;
    std::string ResolutionList;
    std::vector<std::string> ResolutionNames;
    // "D3D" or "OGL"; only "OGL" means OpenGL.
    std::string RenderEngine;
    // "full" or "demo"; only "demo" means the demo edition to the runs.
    std::string GameEdition;
    // The engine ini given to the game (ini=): drive root + "UT2003.ini", or the user's own file
    // in double quotes after a custom test that used one.
    std::string EngineIniPath;
    // The staged exec script (exec=): drive root + "flybyexec.txt".
    std::string ExecScriptPath;
};

// The five resolutions, in check-box order (indexes 0 to 4).
inline constexpr std::array<const char*, 5> kResolutionNames = {"640x480", "800x600", "1024x768",
                                                                "1280x1024", "1600x1200"};

// Sets AppFolder from the folder the program was started from, with a trailing backslash.
void InitAppFolder(SessionState& state);

// Sets ResolutionCount, ResolutionList and ResolutionNames from the five check states, always in
// check-box order whatever order the boxes were ticked in.
void BuildResolutionList(SessionState& state, const std::array<bool, 5>& checked);

// One step of the token walk: returns the first resolution name of `list` and removes its token.
// An empty list (or one without an underscore) yields "" and becomes empty.
std::string TakeNextResolution(std::string& list);

// The drive root where the engine ini and exec script are staged: the first three characters of
// the install folder, taken as they stand (all of it when shorter).
std::string DriveRoot(const std::string& install_folder);

// Only "OGL" selects OpenGL; any other value, empty included, is Direct3D.
bool IsOpenGL(const std::string& render_engine);

// Only "demo" is the demo edition to the runs; any other value, empty included, is the full one.
bool IsDemo(const std::string& game_edition);

}  // namespace core
