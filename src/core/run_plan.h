// A run as data: every launch it will make, worked out from a snapshot of the settings before
// anything is written. "Run k of N" and the time estimate come from here.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "config/engine_ini.h"
#include "core/presets.h"
#include "platform/platform.h"

namespace core {

// What the custom test reads of its window when "Run Test" is clicked.
struct CustomTestChoices {
    bool sound_disabled = true;               // "Disabled" selected
    bool custom_ini = false;                  // "Custom ini" selected
    std::string custom_ini_path;              // the path box
    bool min_detail = false;                  // "Min Detail" selected
    std::string level_entry = "dm-antalus*";  // the selected level list entry as shown
};

// The settings a run starts from, copied at the click: the run never reads the windows again.
struct RunSettings {
    BenchmarkPreset preset = BenchmarkPreset::kCpuBenchmark;
    std::string install_folder;  // InstallFolder
    std::string app_folder;      // AppFolder, ending in a backslash
    std::string render_engine;   // RenderEngine
    std::string game_edition;    // GameEdition
    std::array<bool, 5> resolutions{};
    CustomTestChoices custom;  // the custom test only
    int runs_per_level = 1;    // each launch made this many times in a row (1 to 5)
    // Where the run's own folder of results is made: AppFolder + "Results" unless the command
    // line names another; empty: no results folder.
    std::string results_folder;
    // The run ends by opening its report.html, when it wrote one, instead of results.html.
    bool open_report = false;
};

// Runs per level are 1 to 5; anything else is taken as the nearest of those.
inline constexpr int kMaxRunsPerLevel = 5;

// One launch of the game.
struct PlannedLaunch {
    std::string resolution;
    std::string level;
    int seconds = 0;
    int repeat = 1;  // which of the runs per level, from 1
    std::string command_line;
};

struct RunPlan {
    RunSettings settings;
    std::vector<std::string> resolutions;  // ResolutionNames, in check-box order
    int levels_per_resolution = 0;         // RecordsPerResolution
    bool writes_engine_ini = true;         // false when the custom test uses the user's own file
    config::EngineIniPreset engine_ini = config::EngineIniPreset::CpuLowDetail;
    std::string engine_ini_path;   // EngineIniPath as the command lines give it
    std::string exec_script_path;  // ExecScriptPath
    std::vector<PlannedLaunch> launches;
};

// Why a run cannot start, as the message box that says so.
struct PlanProblem {
    std::string text;
    std::string title;  // empty: the program's title
    platform::MessageIcon icon = platform::MessageIcon::kNone;
    bool no_installation = false;  // said before the logs are touched
};

// Plans the run. False, with `problem` set, when nothing may run: no game folder, no resolution
// chosen, "Custom ini" without a file, a game folder not on a drive.
bool PlanRun(const RunSettings& settings, RunPlan* plan, PlanProblem* problem);

// How long the game may run before Benchwright ends it: three times its planned length plus
// two minutes.
uint32_t LaunchTimeoutMs(const PlannedLaunch& launch);

// The planned seconds of the launches from `first` (from 0) to the end.
int PlannedSeconds(const RunPlan& plan, size_t first);

}  // namespace core
