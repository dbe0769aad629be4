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

// Writes the variant to `path` (the drive root's UT2003.ini, as the run planned it: DriveRootPath),
// replacing any file in the way (its attributes reset first), then makes it read-only alone, and
// sets `engine_ini_path` to it. On failure returns false with `error` naming the file and the
// reason; `engine_ini_path` is empty unless a complete file of this run is there to clean up.
bool WriteEngineIni(const std::string& path, EngineIniPreset preset, common::Renderer renderer,
                    std::string* engine_ini_path, std::string* error);

}  // namespace config
