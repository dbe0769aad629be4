// The run drivers: a preset from the click to the opened results page, and a failed step handled
// without ending the program.
#include "core/run_driver.h"

#include <cstddef>
#include <vector>

#include "config/engine_ini.h"
#include "config/staged_files.h"
#include "core/launch.h"
#include "platform/platform.h"
#include "results/frame_rate_log.h"
#include "results/results_page.h"

namespace core {

namespace {

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

const char* const kNoInstallation =
    "UT2003 was not found, so no benchmark can run. Please install UT2003 (full version) or "
    "UT2003 (demo)";
const char* const kNoResolution = "Please Select at least one resolution to use";

void ShowFailure(const std::string& error) {
    platform::ShowMessage(error, "", platform::MessageIcon::kCritical);
}

void EnableControls(MainWindowControls& window) {
    window.EnableResolutionBoxes();
    window.EnablePresetButtons();
}

// Without a game folder every path would start at the current drive's root: refuse to run.
bool InstallationFound(const SessionState& state) {
    if (!state.InstallFolder.empty()) return true;
    platform::ShowMessage(kNoInstallation, "", platform::MessageIcon::kExclamation);
    return false;
}

// A file step failed: one message, then whatever this run staged goes (a second failure there is
// not shown again) and the controls come back.
void StopAfterFailure(SessionState& state, MainWindowControls& window, const std::string& error,
                      bool remove_staged) {
    ShowFailure(error);
    if (remove_staged) {
        std::string ignored;
        config::RemoveStagedFiles(state, &ignored);
    }
    EnableControls(window);
}

// How many records the frame-rate log holds now; a missing log holds none.
size_t RecordsInLog(const SessionState& state) {
    std::string text;
    if (!platform::ReadWholeFile(results::FrameRateLogPath(state.InstallFolder), &text, nullptr))
        return 0;
    return results::ParseFrameRateLog(text).size();
}

// Launches the game and notes how many records the log holds afterwards, so that a launch that
// left none gets blank cells rather than the next launch's values.
void Launch(const SessionState& state, const std::string& command_line,
            std::vector<size_t>& records_after_launch) {
    LaunchAndWait(command_line);
    records_after_launch.push_back(RecordsInLog(state));
}

// The end of a run: the page, the clean-up, the footer (fixed presets) and opening the page.
// False when a step failed; its message has been shown and the staged files removed.
bool FinishRun(SessionState& state, MainWindowControls& window, BenchmarkPreset preset,
               int records_per_resolution, const std::vector<size_t>& records_after_launch) {
    std::string error;
    if (!results::WriteResultsPage(state, records_per_resolution, &records_after_launch, &error)) {
        StopAfterFailure(state, window, error, true);
        return false;
    }
    if (!config::RemoveStagedFiles(state, &error)) {
        StopAfterFailure(state, window, error, false);
        return false;
    }
    if (preset != BenchmarkPreset::kCustomTest &&
        !results::AppendRunFooter(state, preset, &error)) {
        StopAfterFailure(state, window, error, false);
        return false;
    }
    results::OpenDocument(results::ResultsPagePath(state));
    return true;
}

// First of every run: there must be a game folder, and its logs are emptied. False when the run
// cannot start; the message has been shown and the controls are enabled.
bool StartRun(SessionState& state, MainWindowControls& window) {
    if (!InstallationFound(state)) {
        EnableControls(window);
        return false;
    }
    std::string error;
    if (!config::ResetBenchmarkLogs(state, &error)) {
        StopAfterFailure(state, window, error, false);
        return false;
    }
    return true;
}

// The driver shared by the three fixed presets.
void RunFixedPreset(SessionState& state, MainWindowControls& window, BenchmarkPreset preset) {
    if (!InstallationFound(state)) {
        EnableControls(window);
        return;
    }
    BuildResolutionList(state, window.ResolutionChecks());
    if (state.ResolutionCount == 0) {
        platform::ShowMessage(kNoResolution, "Select a Resolution", platform::MessageIcon::kNone);
        EnableControls(window);
        return;
    }
    std::string error;
    if (!config::WriteEngineIni(state, EngineIniOf(preset), state.RenderEngine, &error) ||
        !config::StageExecScript(state, &error)) {
        StopAfterFailure(state, window, error, true);
        return;
    }
    const std::vector<GameRun>& runs = RunList(preset, state.GameEdition);
    std::vector<size_t> records_after_launch;
    for (int k = 0; k < state.ResolutionCount; ++k) {
        const std::string resolution = TakeNextResolution(state.ResolutionList);
        for (const GameRun& run : runs)
            Launch(state, BuildGameCommandLine(state, run, resolution, UserIniFile(preset)),
                   records_after_launch);
    }
    FinishRun(state, window, preset, static_cast<int>(runs.size()), records_after_launch);
}

}  // namespace

void RunPresetFromButton(SessionState& state, MainWindowControls& window, BenchmarkPreset preset) {
    if (preset == BenchmarkPreset::kCustomTest) return;  // the custom test has its own window
    if (!StartRun(state, window)) return;
    window.DisablePresetButtons();
    window.DisableResolutionBoxes();
    RunFixedPreset(state, window, preset);
    window.EnablePresetButtons();
    window.EnableResolutionBoxes();
}

void RunCpuBenchmark(SessionState& state, MainWindowControls& window) {
    RunFixedPreset(state, window, BenchmarkPreset::kCpuBenchmark);
}

void RunHighQuality(SessionState& state, MainWindowControls& window) {
    RunFixedPreset(state, window, BenchmarkPreset::kHighQuality);
}

void RunLowQuality(SessionState& state, MainWindowControls& window) {
    RunFixedPreset(state, window, BenchmarkPreset::kLowQuality);
}

void RunCustomTest(SessionState& state, MainWindowControls& window,
                   const CustomTestChoices& choices) {
    if (!StartRun(state, window)) return;
    std::string error;
    window.DisableResolutionBoxes();
    window.DisablePresetButtons();
    BuildResolutionList(state, window.ResolutionChecks());
    const std::string sound_switch = choices.sound_disabled ? "-nosound " : "";
    if (state.ResolutionCount == 0) {
        platform::ShowMessage(kNoResolution, "Please select a Resolution",
                              platform::MessageIcon::kNone);
        EnableControls(window);
        return;
    }

    std::string user_ini_file = kMaxDetailUserIni;
    bool written = true;
    if (choices.custom_ini) {
        if (choices.custom_ini_path.empty()) {
            platform::ShowMessage("Please Choose a Custom ini file to use", "Choose a File...",
                                  platform::MessageIcon::kNone);
            EnableControls(window);
            return;
        }
        // The quotes are what the command line needs; the clean-up knows not to touch this file.
        state.EngineIniPath = "\"" + choices.custom_ini_path + "\"";
    } else if (choices.min_detail) {
        user_ini_file = kMinDetailUserIni;
        written = config::WriteEngineIni(state, config::EngineIniPreset::MinDetail,
                                         state.RenderEngine, &error);
    } else {
        written = config::WriteEngineIni(state, config::EngineIniPreset::MaxDetail,
                                         state.RenderEngine, &error);
    }
    const GameRun run = CustomGameRun(choices.level_entry);
    if (!written || !config::StageExecScript(state, &error)) {
        StopAfterFailure(state, window, error, true);
        return;
    }

    std::vector<size_t> records_after_launch;
    for (int k = 0; k < state.ResolutionCount; ++k) {
        const std::string resolution = TakeNextResolution(state.ResolutionList);
        Launch(state,
               BuildCustomGameCommandLine(state, run, resolution, user_ini_file, sound_switch),
               records_after_launch);
    }
    if (!FinishRun(state, window, BenchmarkPreset::kCustomTest, 1, records_after_launch)) return;
    EnableControls(window);
}

}  // namespace core
