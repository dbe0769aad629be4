// The engine ini file the game is started with: a fixed 524-line template and its six variants
// (three detail presets by two render devices), written read-only at the game's drive root.
#pragma once

#include <string>
#include <vector>

#include "core/session.h"

namespace config {

enum class EngineIniPreset { CpuLowDetail, MinDetail, MaxDetail };

// The 524 lines of a variant, without line ends. Only "OGL" selects the OpenGL lines.
std::vector<std::string> EngineIniLines(EngineIniPreset preset, const std::string& render_engine);

// The file's bytes: every line followed by CR LF.
std::string EngineIniText(EngineIniPreset preset, const std::string& render_engine);

// Sets EngineIniPath to DriveRoot(InstallFolder) + "UT2003.ini" and writes the variant there,
// replacing any file in the way (its attributes reset first), then makes it read-only alone.
// On failure returns false with `error` naming the file and the reason.
bool WriteEngineIni(core::SessionState& state, EngineIniPreset preset,
                    const std::string& render_engine, std::string* error);

}  // namespace config
