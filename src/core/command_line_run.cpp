// A run and a comparison asked for on the command line, and what they print.
#include "core/command_line_run.h"

#include <algorithm>

#include "registry/discovery.h"
#include "results/comparison.h"

namespace core {

namespace {

const char* EditionTitle(registry::Edition edition) {
    return edition == registry::Edition::kDemo ? "UT2003 (demo)" : "UT2003 (full version)";
}

}  // namespace

bool CommandLineSettings(const ProgramArguments& args, const RunDefaults& defaults,
                         RunSettings* settings, std::string* problem) {
    *settings = RunSettings();
    if (args.game_edition) {
        const registry::Edition edition =
            *args.game_edition == "demo" ? registry::Edition::kDemo : registry::Edition::kFull;
        bool present = false;
        settings->install_folder = registry::EditionFolder(edition, &present);
        if (!present) {
            *problem = std::string("No run can start: --edition ") + *args.game_edition +
                       " asks for " + EditionTitle(edition) +
                       ", which is not installed (its folder is not in the registry).";
            return false;
        }
        settings->game_edition = registry::EditionName(edition);
    } else {
        const registry::InstallationOutcome found = registry::ReadGameInstallation();
        if (found.selected == registry::Edition::kNone) {
            *problem =
                "No run can start: neither UT2003 (full version) nor UT2003 (demo) is installed "
                "(no folder of either is in the registry).";
            return false;
        }
        settings->install_folder = found.install_folder;
        settings->game_edition = found.game_edition;
    }

    settings->preset = args.preset.value_or(BenchmarkPreset::kCpuBenchmark);
    settings->app_folder = defaults.app_folder;
    settings->render_engine = args.render_engine.value_or("D3D");
    settings->resolutions = args.resolutions;
    settings->runs_per_level = args.runs_per_level.value_or(defaults.runs_per_level);

    CustomTestChoices& custom = settings->custom;
    custom.sound_disabled = !args.sound.value_or(false);
    if (args.ini) {
        custom.custom_ini = args.ini->kind == IniArgument::Kind::kFile;
        custom.custom_ini_path = custom.custom_ini ? args.ini->path : "";
        custom.min_detail = args.ini->kind == IniArgument::Kind::kMinDetail;
    }
    if (args.level) custom.level_entry = *args.level;

    // "D:\Lab\" and "D:\Lab" name the same folder; the run's folder is joined with one backslash.
    std::string folder = args.results_folder.value_or(defaults.app_folder + "Results");
    while (folder.size() > 1 && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
    settings->results_folder = folder;
    return true;
}

void ConsoleObserver::LaunchFinished(const results::LaunchResult& result) {
    console_.Print(LaunchLine(static_cast<size_t>(result.index), launch_count_, result));
}

void ConsoleObserver::StepFailed(const std::string& error) {
    file_failed_ = true;
    console_.PrintError(error);
}

void ConsoleObserver::ResultsNotSaved(const std::string& why) {
    file_failed_ = true;
    console_.PrintError("The run's results folder is incomplete: " + why);
}

int RunFromCommandLine(const RunSettings& settings, Console& console, RunControl& control,
                       const CarryOut& carry_out) {
    RunPlan plan;
    PlanProblem problem;
    if (!PrepareRun(settings, &plan, &problem)) {
        console.PrintError(problem.text);
        return kExitCannotStart;
    }
    ConsoleObserver observer(console, plan.launches.size());
    const RunReport report = carry_out(plan, observer, control);
    // Nothing was launched only when staging the game's files failed.
    if (report.launches.empty()) return kExitCannotStart;
    if (!report.results_folder.empty()) console.Print(report.results_folder);
    const int code = RunExitCode(report.launches);
    return observer.FileFailed() ? std::max(code, int{kExitIncomplete}) : code;
}

int CompareFromCommandLine(const ProgramArguments& args, Console& console) {
    const std::string out = args.out.value_or("compare.html");
    const results::Comparison comparison = results::CompareResults(args.compare_inputs);
    for (const results::SkippedInput& skipped : comparison.skipped)
        console.Print("skipped " + skipped.path + ": " + skipped.reason);
    std::string error;
    if (!results::WriteComparison(comparison, out, &error)) {
        console.PrintError(error);
        return kExitIncomplete;
    }
    console.Print(out);
    if (comparison.results.empty()) {
        console.PrintError("No result could be read, so the comparison is empty.");
        return kExitIncomplete;
    }
    return kExitOk;
}

}  // namespace core
