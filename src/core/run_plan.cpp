// Planning a run: the launches of each preset, their command lines and the files they name.
#include "core/run_plan.h"

#include <algorithm>

#include "config/staged_files.h"
#include "core/session.h"

namespace core {

namespace {

const char* const kNoInstallation =
    "UT2003 was not found, so no benchmark can run. Please install UT2003 (full version) or "
    "UT2003 (demo)";
const char* const kNoResolution = "Please Select at least one resolution to use";

// The engine ini each fixed preset writes; the rest of a preset is data in presets.h.
config::EngineIniPreset EngineIniOf(BenchmarkPreset preset) {
    switch (preset) {
        case BenchmarkPreset::kHighQuality:
            return config::EngineIniPreset::MaxDetail;
        case BenchmarkPreset::kLowQuality:
            return config::EngineIniPreset::MinDetail;
        default:
            return config::EngineIniPreset::CpuLowDetail;
    }
}

bool Refuse(PlanProblem* problem, std::string text, std::string title, platform::MessageIcon icon,
            bool no_installation = false) {
    *problem = {std::move(text), std::move(title), icon, no_installation};
    return false;
}

}  // namespace

bool PlanRun(const RunSettings& settings, RunPlan* plan, PlanProblem* problem) {
    *plan = RunPlan{};
    plan->settings = settings;
    const bool custom = settings.preset == BenchmarkPreset::kCustomTest;
    // Without a game folder every path would start at the current drive's root.
    if (settings.install_folder.empty())
        return Refuse(problem, kNoInstallation, "", platform::MessageIcon::kExclamation, true);
    plan->resolutions = BuildResolutionList(settings.resolutions);
    if (plan->resolutions.empty())
        return Refuse(problem, kNoResolution,
                      custom ? "Please select a Resolution" : "Select a Resolution",
                      platform::MessageIcon::kNone);

    std::vector<GameRun> runs;
    std::string user_ini_file;
    if (custom) {
        const CustomTestChoices& c = settings.custom;
        user_ini_file = c.min_detail && !c.custom_ini ? kMinDetailUserIni : kMaxDetailUserIni;
        if (c.custom_ini) {
            if (c.custom_ini_path.empty())
                return Refuse(problem, "Please Choose a Custom ini file to use", "Choose a File...",
                              platform::MessageIcon::kNone);
            // The quotes are what the command line needs; the clean-up knows not to touch it.
            plan->writes_engine_ini = false;
            plan->engine_ini_path = "\"" + c.custom_ini_path + "\"";
        } else {
            plan->engine_ini = c.min_detail ? config::EngineIniPreset::MinDetail
                                            : config::EngineIniPreset::MaxDetail;
        }
        runs = {CustomGameRun(c.level_entry)};
    } else {
        plan->engine_ini = EngineIniOf(settings.preset);
        user_ini_file = UserIniFile(settings.preset);
        runs = RunList(settings.preset, settings.game_edition);
    }

    std::string error;
    if ((plan->writes_engine_ini &&
         !config::DriveRootPath(settings.install_folder, config::kEngineIniName, "write",
                                &plan->engine_ini_path, &error)) ||
        !config::DriveRootPath(settings.install_folder, config::kExecScriptName, "copy",
                               &plan->exec_script_path, &error))
        return Refuse(problem, error, "", platform::MessageIcon::kCritical);

    plan->levels_per_resolution = static_cast<int>(runs.size());
    const LaunchFiles files = {settings.install_folder, plan->exec_script_path,
                               plan->engine_ini_path};
    const std::string sound_switch = settings.custom.sound_disabled ? "-nosound " : "";
    const int repeats = std::clamp(settings.runs_per_level, 1, kMaxRunsPerLevel);
    for (const std::string& resolution : plan->resolutions) {
        for (const GameRun& run : runs) {
            const std::string line =
                custom ? BuildCustomGameCommandLine(files, run, resolution, user_ini_file,
                                                    sound_switch)
                       : BuildGameCommandLine(files, run, resolution, user_ini_file);
            for (int repeat = 1; repeat <= repeats; ++repeat)
                plan->launches.push_back({resolution, run.level, run.seconds, repeat, line});
        }
    }
    return true;
}

uint32_t LaunchTimeoutMs(const PlannedLaunch& launch) {
    return (3u * static_cast<uint32_t>(launch.seconds) + 120u) * 1000u;
}

int PlannedSeconds(const RunPlan& plan, size_t first) {
    int seconds = 0;
    for (size_t i = first; i < plan.launches.size(); ++i) seconds += plan.launches[i].seconds;
    return seconds;
}

}  // namespace core
