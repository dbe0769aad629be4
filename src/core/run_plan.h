// A run as data: every launch it will make, worked out from a snapshot of the settings before
// anything is written. "Run k of N" and the time estimate come from here.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "config/engine_ini.h"
#include "core/presets.h"
#include "results/steadiness.h"

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
    std::string install_folder;  // the game's folder, no trailing backslash
    std::string app_folder;      // the program's folder, ending in a backslash
    common::Renderer renderer = common::Renderer::kDirect3D;
    common::Edition edition = common::Edition::kFull;
    std::array<bool, 5> resolutions{};  // the resolution boxes, in their order
    CustomTestChoices custom;           // the custom test only
    int runs_per_level = 1;             // each launch made this many times in a row (1 to 5)
    // "Until steady": each launch repeated in a row until its averages are steady within
    // steady_within_tenths / 10 percent (results/steadiness.h); runs_per_level is then unused.
    bool until_steady = false;
    int steady_within_tenths = results::kSteadyWithinDefault;
    // Where the run's own folder of results is made: ResultsFolderOf(app_folder) unless the
    // command line names another; empty: no results folder.
    std::string results_folder;
    // The run ends by opening its report.html, when it wrote one, instead of results.html.
    bool open_report = false;

    // The run's folder is named with the computer: results_folder came from --results and other
    // machines may write there too.
    bool results_name_computer = false;
    // What is being tested (--label, or the Options' "Label"); may be empty. The results files
    // keep its first kMaxLabelLength characters.
    std::string label;
};

// Runs per level are 1 to 5; anything else is taken as the nearest of those.
inline constexpr int kMaxRunsPerLevel = 5;

// One launch of the game.
struct PlannedLaunch {
    std::string resolution;
    std::string level;
    int seconds = 0;
    int repeat = 1;  // which of the runs per level, from 1 (with "Until steady", up to the most)
    std::string command_line;
};

struct RunPlan {
    RunSettings settings;
    std::vector<std::string> resolutions;  // ResolutionNames, in check-box order
    int levels_per_resolution = 0;         // RecordsPerResolution
    bool writes_engine_ini = true;         // false when the custom test uses the user's own file
    config::EngineIniPreset engine_ini = config::EngineIniPreset::kCpuLowDetail;
    std::string engine_ini_path;   // EngineIniPath as the command lines give it
    std::string exec_script_path;  // ExecScriptPath
    // Every launch that may be made. With "Until steady" a cell has the most repeats the rule
    // allows, and the run leaves out those after its repeats have become steady.
    std::vector<PlannedLaunch> launches;
};

// Why a run cannot start. The windows and the console word it.
struct RunRefusal {
    enum class Reason {
        kNone,
        kNoInstallation,  // no game folder: said before the logs are touched
        kNoResolution,
        kNoCustomIni,    // "Custom ini" chosen without a file
        kFileStep,       // `detail`: the sentence naming the file and the system's reason
        kNoGameProgram,  // `detail`: the first launch's command line, its program missing
    };
    Reason reason = Reason::kNone;
    std::string detail;
};

// Plans the run. False, with `refusal` set, when nothing may run: no game folder, no resolution
// chosen, "Custom ini" without a file, a game folder not on a drive (kFileStep).
bool PlanRun(const RunSettings& settings, RunPlan* plan, RunRefusal* refusal);

// The resolutions' names ("640x480", ...) of the ticked boxes, in box order.
std::vector<std::string> ResolutionList(const std::array<bool, 5>& checked);

// Where runs keep their folders by default: "Results" in the program's folder.
std::string ResultsFolderOf(const std::string& app_folder);

// How long the game may run before Benchwright ends it: three times its planned length plus
// two minutes.
uint32_t LaunchTimeoutMs(const PlannedLaunch& launch);

// The planned seconds of the launches from `first` (from 0) to the end.
int PlannedSeconds(const RunPlan& plan, size_t first);

}  // namespace core
