// The run drivers: one preset from the click to the opened results page.
#pragma once

#include <array>
#include <string>

#include "core/presets.h"
#include "core/session.h"

namespace core {

// What a run needs of the main window: the resolution boxes' ticks and the four control-state
// procedures. The window implements it; tests record the calls.
class MainWindowControls {
public:
    virtual ~MainWindowControls() = default;
    virtual std::array<bool, 5> ResolutionChecks() = 0;
    virtual void DisablePresetButtons() = 0;
    virtual void EnablePresetButtons() = 0;
    virtual void DisableResolutionBoxes() = 0;
    virtual void EnableResolutionBoxes() = 0;
};

// What the custom test reads of its window when "Run Test" is clicked.
struct CustomTestChoices {
    bool sound_disabled = true;               // "Disabled" selected
    bool custom_ini = false;                  // "Custom ini" selected
    std::string custom_ini_path;              // the path box
    bool min_detail = false;                  // "Min Detail" selected
    std::string level_entry = "dm-antalus*";  // the selected level list entry as shown
};

// A fixed preset's button: empties the logs, disables the controls, runs the driver, enables them.
void RunPresetFromButton(SessionState& state, MainWindowControls& window, BenchmarkPreset preset);

// The drivers proper. None of them ends the program: without an install folder nothing runs and
// nothing is written (a message says why); a file step that fails (log reset, engine ini, exec
// script, page, clean-up, footer) shows one message naming the file and the reason, removes what
// the run staged and re-enables the controls. The number of records in the log is noted after
// each launch, so a launch that left none gets blank cells on the page.
void RunCpuBenchmark(SessionState& state, MainWindowControls& window);
void RunHighQuality(SessionState& state, MainWindowControls& window);
void RunLowQuality(SessionState& state, MainWindowControls& window);
void RunCustomTest(SessionState& state, MainWindowControls& window,
                   const CustomTestChoices& choices);

}  // namespace core
