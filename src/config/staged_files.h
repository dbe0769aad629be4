// The files a run prepares and tidies away: the game's two logs (emptied), the flyby exec script
// (copied to the drive root) and, at the end, the staged copies.
#pragma once

#include <string>

#include "core/session.h"

namespace config {

// True when the file can be opened for reading; any failure, an empty path included, is false.
bool FileExists(const std::string& path);

// Leaves InstallFolder\Benchmark\benchmark.log and lowframerate.log existing and empty.
bool ResetBenchmarkLogs(const core::SessionState& state, std::string* error);

// Copies InstallFolder\Benchmark\Stuff\flybyexec.txt to the drive root and sets ExecScriptPath.
bool StageExecScript(core::SessionState& state, std::string* error);

// Removes the engine ini at EngineIniPath (after clearing its read-only flag) and the exec script
// at ExecScriptPath. A user's own ini file (EngineIniPath in double quotes) is never touched, and
// a file already gone is not an error.
bool RemoveStagedFiles(const core::SessionState& state, std::string* error);

}  // namespace config
