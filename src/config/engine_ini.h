// The engine ini file the game is started with: a fixed 524-line template and its six variants
// (three detail presets by two render devices), written read-only at the game's drive root.
#pragma once

#include <string>
#include <vector>

#include "common/benchmark.h"

namespace config {

enum class EngineIniPreset { kCpuLowDetail, kMinDetail, kMaxDetail };

// The 524 lines of a variant, without line ends.
std::vector<std::string> EngineIniLines(EngineIniPreset preset, common::Renderer renderer);

// The file's bytes: every line followed by CR LF.
std::string EngineIniText(EngineIniPreset preset, common::Renderer renderer);

// True when `bytes` are exactly one of the six variants: a file this program wrote.
bool IsEngineIniVariant(const std::string& bytes);

// Writes the variant to DriveRoot(install_folder) + "UT2003.ini", replacing any file in the way
// (its attributes reset first), then makes it read-only alone, and sets `engine_ini_path` to it
// (EngineIniPath). On failure returns false with `error` naming the file and the reason, and
// `engine_ini_path` empty: nothing of this run is there to clean up.
bool WriteEngineIni(const std::string& install_folder, EngineIniPreset preset,
                    common::Renderer renderer, std::string* engine_ini_path, std::string* error);

}  // namespace config
