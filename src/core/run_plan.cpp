// Planning a run: the launches of each preset, their command lines and the files they name.
#include "core/run_plan.h"

#include <algorithm>

#include "common/benchmark.h"
#include "config/staged_files.h"

namespace core {

namespace {

// The engine ini each fixed preset writes; the rest of a preset is data in presets.h.
config::EngineIniPreset EngineIniOf(BenchmarkPreset preset) {
    switch (preset) {
        case BenchmarkPreset::kHighQuality:
            return config::EngineIniPreset::kMaxDetail;
        case BenchmarkPreset::kLowQuality:
            return config::EngineIniPreset::kMinDetail;
        default:
            return config::EngineIniPreset::kCpuLowDetail;
    }
}

bool Refuse(RunRefusal* refusal, RunRefusal::Reason reason, std::string detail = "") {
    *refusal = {reason, std::move(detail)};
    return false;
}

}  // namespace

bool PlanRun(const RunSettings& settings, RunPlan* plan, RunRefusal* refusal) {
    using Reason = RunRefusal::Reason;
    *plan = RunPlan{};
    plan->settings = settings;
    const bool custom = settings.preset == BenchmarkPreset::kCustomTest;
    // Without a game folder every path would start at the current drive's root.
    if (settings.install_folder.empty()) return Refuse(refusal, Reason::kNoInstallation);
    plan->resolutions = ResolutionList(settings.resolutions);
    if (plan->resolutions.empty()) return Refuse(refusal, Reason::kNoResolution);

    std::vector<GameRun> runs;
    std::string user_ini_file;
    if (custom) {
        const CustomTestChoices& c = settings.custom;
        user_ini_file = c.min_detail && !c.custom_ini ? kMinDetailUserIni : kMaxDetailUserIni;
        if (c.custom_ini) {
            if (c.custom_ini_path.empty()) return Refuse(refusal, Reason::kNoCustomIni);
            // The quotes are what the command line needs; the clean-up knows not to touch it.
            plan->writes_engine_ini = false;
            plan->engine_ini_path = "\"" + c.custom_ini_path + "\"";
        } else {
            plan->engine_ini = c.min_detail ? config::EngineIniPreset::kMinDetail
                                            : config::EngineIniPreset::kMaxDetail;
        }
        runs = {CustomGameRun(c.level_entry)};
    } else {
        plan->engine_ini = EngineIniOf(settings.preset);
        user_ini_file = UserIniFile(settings.preset);
        runs = RunList(settings.preset, settings.edition);
    }

    std::string error;
    if ((plan->writes_engine_ini &&
         !config::DriveRootPath(settings.install_folder, config::kEngineIniName, "write",
                                &plan->engine_ini_path, &error)) ||
        !config::DriveRootPath(settings.install_folder, config::kExecScriptName, "copy",
                               &plan->exec_script_path, &error))
        return Refuse(refusal, Reason::kFileStep, error);

    plan->levels_per_resolution = static_cast<int>(runs.size());
    const LaunchFiles files = {settings.install_folder, plan->exec_script_path,
                               plan->engine_ini_path};
    const std::string sound_switch = settings.custom.sound_disabled ? "-nosound " : "";
    const int repeats = settings.until_steady
                            ? static_cast<int>(results::kSteadyMaxRuns)
                            : std::clamp(settings.runs_per_level, 1, kMaxRunsPerLevel);
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

std::vector<std::string> ResolutionList(const std::array<bool, 5>& checked) {
    std::vector<std::string> names;
    for (size_t i = 0; i < checked.size(); ++i)
        if (checked[i]) names.push_back(common::kResolutionNames[i]);
    return names;
}

std::string ResultsFolderOf(const std::string& app_folder) { return app_folder + "Results"; }

uint32_t LaunchTimeoutMs(const PlannedLaunch& launch) {
    return (3u * static_cast<uint32_t>(launch.seconds) + 120u) * 1000u;
}

int PlannedSeconds(const RunPlan& plan, size_t first) {
    int seconds = 0;
    for (size_t i = first; i < plan.launches.size(); ++i) seconds += plan.launches[i].seconds;
    return seconds;
}

}  // namespace core
