// A run and a comparison asked for on the command line, and what they print.
#include "ui/command_line.h"

#include <algorithm>

#include "common/text.h"
#include "core/presets.h"
#include "core/running_game.h"
#include "core/start_up.h"
#include "core/user_settings.h"
#include "platform/platform.h"
#include "results/comparison.h"
#include "results/comparison_out.h"
#include "ui/custom_test_model.h"
#include "ui/messages.h"

namespace ui {

namespace {

const char* EditionTitle(common::Edition edition) {
    return edition == common::Edition::kDemo ? "UT2003 (demo)" : "UT2003 (full version)";
}

// Why --out is refused, naming the page as given and the file that may not be written.
std::string OutRefusalText(const std::string& page, const results::OutRefusal& refusal) {
    using Kind = results::OutRefusal::Kind;
    const std::string out = "--out \"" + page + "\": ";
    if (refusal.kind == Kind::kFolder)
        return out + "it is a folder; name a file such as compare.html.";
    const std::string file = results::SameName(refusal.path, page)
                                 ? std::string("it")
                                 : "its CSV \"" + refusal.path + "\"";
    if (refusal.kind == Kind::kInput)
        return out + file + " would replace one of the results compared; name another file.";
    return out + file +
           " would have the name of a run's own results.csv, results.html or report.html; name "
           "another file such as compare.html.";
}

}  // namespace

bool CommandLineSettings(const core::ProgramArguments& args, const RunDefaults& defaults,
                         core::RunSettings* settings, std::string* problem) {
    *settings = core::RunSettings();
    if (args.edition) {
        if (!core::FindEditionFolder(*args.edition, &settings->install_folder)) {
            *problem = std::string("No run can start: --edition ") +
                       common::EditionName(*args.edition) + " asks for " +
                       EditionTitle(*args.edition) +
                       ", which is not installed (its folder is not in the registry).";
            return false;
        }
        settings->edition = *args.edition;
    } else {
        const common::Installation found = core::FindInstallation();
        if (found.selected == common::Edition::kNone) {
            *problem =
                "No run can start: neither UT2003 (full version) nor UT2003 (demo) is installed "
                "(no folder of either is in the registry).";
            return false;
        }
        settings->install_folder = found.install_folder;
        settings->edition = found.selected;
    }

    settings->preset = args.preset.value_or(common::BenchmarkPreset::kCpuBenchmark);
    settings->app_folder = defaults.app_folder;
    settings->renderer = args.renderer.value_or(common::Renderer::kDirect3D);
    settings->resolutions = args.resolutions;
    settings->runs_per_level = args.runs_per_level.value_or(defaults.saved.runs_per_level);
    settings->until_steady = args.until_steady.value_or(defaults.saved.until_steady);
    settings->steady_within_tenths =
        args.steady_within_tenths.value_or(defaults.saved.steady_within_tenths);
    settings->label = args.label.value_or(defaults.saved.label);

    core::CustomTestChoices& custom = settings->custom;
    custom.sound_disabled = !args.sound.value_or(false);
    if (args.ini) {
        custom.custom_ini = args.ini->kind == core::IniArgument::Kind::kFile;
        custom.custom_ini_path = custom.custom_ini ? args.ini->path : "";
        custom.min_detail = args.ini->kind == core::IniArgument::Kind::kMinDetail;
    }
    if (args.level) custom.level_entry = *args.level;

    // "D:\Lab\" and "D:\Lab" name the same folder; the run's folder is joined with one backslash.
    // A double-byte character's trail byte 0x5C (the 0x83 0x5C of "ソ" in code page 932) is not.
    std::string folder = args.results_folder.value_or(core::ResultsFolderOf(defaults.app_folder));
    while (folder.size() > 1 && (folder.back() == '/' || platform::EndsWithBackslash(folder)))
        folder.pop_back();
    settings->results_folder = folder;
    // A folder given may be shared by many machines: their runs' folders say whose they are.
    settings->results_name_computer = args.results_folder.has_value();
    return true;
}

bool CheckLevel(const core::ProgramArguments& args, core::RunSettings* settings,
                std::string* problem) {
    if (!args.level) return true;
    const std::string wanted = common::Lower(core::CustomGameRun(*args.level).level);
    std::string names;
    for (const std::string& entry : LevelEntries(settings->edition)) {
        const std::string name = core::CustomGameRun(entry).level;
        if (name == wanted) {
            settings->custom.level_entry = entry;
            return true;
        }
        names += (names.empty() ? "" : ", ") + name;
    }
    *problem = "--level: \"" + *args.level + "\" is not a level of " +
               EditionTitle(settings->edition) + "; use one of " + names + ".";
    return false;
}

void ConsoleObserver::LaunchFinished(const results::LaunchResult& result) {
    console_.Print(
        core::LaunchLine(static_cast<size_t>(result.index), launch_count_, result, at_most_));
}

void ConsoleObserver::StepFailed(const std::string& error) {
    file_failed_ = true;
    console_.PrintError(error);
}

void ConsoleObserver::ResultsNotSaved(const std::string& why) {
    file_failed_ = true;
    console_.PrintError("The run's results folder is incomplete: " + why);
}

int RunFromCommandLine(const core::RunSettings& settings, Console& console,
                       const CarryOut& carry_out) {
    // Checked before the logs are emptied: its record would be taken for a launch's.
    if (core::GameStillRunning(settings.install_folder)) {
        console.PrintError(GameStillRunningRefusal(core::GameProgramPath(settings.install_folder)));
        return kExitCannotStart;
    }
    core::RunPlan plan;
    core::RunRefusal refusal;
    if (!core::PrepareRun(settings, &plan, &refusal)) {
        console.PrintError(RefusalMessage(refusal, settings.preset).text);
        return kExitCannotStart;
    }
    if (settings.label.size() > core::kMaxLabelLength)
        console.PrintError("The label is " + std::to_string(settings.label.size()) +
                           " characters long; its first " + std::to_string(core::kMaxLabelLength) +
                           " are kept.");
    ConsoleObserver observer(console, plan.launches.size(), settings.until_steady);
    const core::RunReport report = carry_out(plan, observer);
    // Nothing was launched only when staging the game's files failed.
    if (report.launches.empty()) return kExitCannotStart;
    if (!report.results_folder.empty()) console.Print(report.results_folder);
    const int code = core::RunExitCode(report.launches);
    return observer.FileFailed() ? std::max(code, int{kExitIncomplete}) : code;
}

int CompareFromCommandLine(const core::ProgramArguments& args, Console& console) {
    // "drivers.csv " is written as drivers.csv: its CSV must be drivers.csv.csv, not drivers.csv.
    const std::string out = results::StoredName(args.out.value_or("compare.html"));
    const results::OutRefusal refusal = results::CheckComparisonOut(out, args.compare_inputs);
    if (refusal.kind != results::OutRefusal::Kind::kNone) {
        console.PrintError(OutRefusalText(out, refusal));
        return kExitBadArguments;
    }
    const results::Comparison comparison = results::CompareResults(args.compare_inputs);
    for (const results::SkippedInput& skipped : comparison.skipped)
        console.Print("skipped " + skipped.path + ": " + skipped.reason);
    std::string error;
    if (!results::WriteComparison(comparison, out, &error)) {
        console.PrintError(error);
        return kExitNotWritten;
    }
    console.Print(out);
    if (comparison.results.empty()) {
        console.PrintError("No result could be read, so the comparison is empty.");
        return kExitIncomplete;
    }
    return kExitOk;
}

}  // namespace ui
