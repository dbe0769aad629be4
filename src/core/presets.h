// The four benchmark presets as data, and the game's command line for each launch.
#pragma once

#include <string>
#include <vector>

#include "common/benchmark.h"

namespace core {

using common::BenchmarkPreset;

// One launch of the game: a level and how many seconds it runs.
struct GameRun {
    std::string level;
    int seconds = 0;
};

// The user ini files passed with userini=, relative to the install folder.
inline constexpr const char* kMinDetailUserIni = "\\Benchmark\\Stuff\\MinDetailUser.ini";
inline constexpr const char* kMaxDetailUserIni = "\\Benchmark\\Stuff\\MaxDetailUser.ini";

// The levels a fixed preset plays at each resolution, in launch order: list C for CPU Benchmark,
// list Q for High and Low Quality, each for the full or the demo edition. Empty for kCustomTest.
const std::vector<GameRun>& RunList(BenchmarkPreset preset, common::Edition edition);

// The user ini file of a preset: kMinDetailUserIni for CPU Benchmark and Low Quality,
// kMaxDetailUserIni for High Quality and for the custom test (whose "Min Detail" choice uses
// kMinDetailUserIni instead).
const char* UserIniFile(BenchmarkPreset preset);

// How long a level runs: 116 s for ctf-face3, 71 s for dm-asbestos, 77 s for any other.
int LevelSeconds(const std::string& level);

// The custom test's run from the text of the chosen level list entry: trimmed, one trailing "*"
// removed, seconds by LevelSeconds.
GameRun CustomGameRun(const std::string& level_entry);

// The game's program, the first word of every command line.
std::string GameProgramPath(const std::string& install_folder);

// The files a launch's command line names.
struct LaunchFiles {
    std::string install_folder;
    std::string exec_script_path;
    std::string engine_ini_path;  // in double quotes when it is the user's own ini file
};

// The command line of one launch of a fixed preset: the engine ini path is quoted, "-nosound"
// always given. `user_ini_file` is relative to install_folder (kMinDetailUserIni, ...).
std::string BuildGameCommandLine(const LaunchFiles& files, const GameRun& run,
                                 const std::string& resolution, const std::string& user_ini_file);

// The command line of one launch of the custom test: engine_ini_path exactly as stored (it already
// carries quotes when it names the user's own file); `sound_switch` is "-nosound " or "".
std::string BuildCustomGameCommandLine(const LaunchFiles& files, const GameRun& run,
                                       const std::string& resolution,
                                       const std::string& user_ini_file,
                                       const std::string& sound_switch);

}  // namespace core
