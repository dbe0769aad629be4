// What benchwright.exe does with arguments: a run without a click or a message box, a comparison,
// what each prints and the exit code it ends with. Where the text goes (the parent's console, a
// pipe, nowhere) is the caller's business.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "core/program_arguments.h"
#include "core/run_driver.h"
#include "core/run_outputs.h"
#include "core/run_plan.h"
#include "core/user_settings.h"

namespace ui {

// The exit codes, as the usage text documents them.
enum ExitCode : int {
    kExitOk = 0,          // every launch recorded; comparison: at least one result read
    kExitIncomplete = 1,  // some launch without a record, or a file not written at the end
    kExitBadArguments = 2,
    kExitCannotStart = 3,  // no installation, the edition missing, the game still running, a
                           // file step failed, or busy
    kExitNotWritten = 4,   // a comparison's page or its CSV could not be written
};

// Where the text goes, a line at a time without its line end.
class Console {
public:
    virtual ~Console() = default;
    // What was asked for: launch lines, the paths written, the usage.
    virtual void Print(const std::string& line) = 0;
    // Why something did not happen.
    virtual void PrintError(const std::string& line) = 0;
};

// What a command-line run takes from beyond its arguments.
struct RunDefaults {
    std::string app_folder;  // AppFolder, ending in a backslash
    // The saved options: runs per level (or until steady, within a percentage) and the label.
    core::UserSettings saved;
};

// The settings the window would start a run from (the edition it selects at start-up, Direct3D,
// the custom test window's defaults), with the arguments' options on top. False, with `problem`
// saying which edition is missing, when the game is not installed or the edition asked for is
// not; the registry is read without showing anything.
bool CommandLineSettings(const core::ProgramArguments& args, const RunDefaults& defaults,
                         core::RunSettings* settings, std::string* problem);

// The custom test's --level against the chosen edition's level list (the custom test window's),
// capitals aside: the run then plays that entry, so nothing but a listed level name reaches the
// game's command line. False, with `problem` naming the level and listing the edition's levels,
// when the list has no such level (kExitBadArguments). Without --level, true.
bool CheckLevel(const core::ProgramArguments& args, core::RunSettings* settings,
                std::string* problem);

// A run's observer for the console: a LaunchLine as each launch ends, and the text of every file
// step that failed.
class ConsoleObserver : public core::RunObserver {
public:
    // `at_most`: Until steady, launch_count is the planned most.
    ConsoleObserver(Console& console, size_t launch_count, bool at_most = false)
        : console_(console), launch_count_(launch_count), at_most_(at_most) {}
    void LaunchFinished(const results::LaunchResult& result) override;
    void StepFailed(const std::string& error) override;
    void ResultsNotSaved(const std::string& why) override;

    // A file step failed or the results folder could not be written.
    bool FileFailed() const { return file_failed_; }

private:
    Console& console_;
    size_t launch_count_;
    bool at_most_;
    bool file_failed_ = false;
};

// How a planned run is carried out, with what every run leaves among its observers: on a worker
// while a window shows it, or (tests) on this thread. Either way `observer` hears every launch.
using CarryOut = std::function<core::RunReport(const core::RunPlan&, core::RunObserver&)>;

// Plans the run, empties the game's logs and carries it out with a ConsoleObserver, then prints
// the run's results folder. A label longer than a label may be is noted, and cut. Never shows a
// message box nor opens a page. Returns the exit code:
// kExitCannotStart when the game still runs from the installation (waited for a moment first),
// planning or the first file step failed (the reason printed), otherwise
// core::RunExitCode, raised to kExitIncomplete when a file could not be written along the way.
int RunFromCommandLine(const core::RunSettings& settings, Console& console,
                       const CarryOut& carry_out);

// --compare: writes the page (args.out, or compare.html in the current folder, named as Windows
// stores it) and its CSV, prints each skipped input with its reason and then the page's path.
// kExitOk when at least one result was read, kExitIncomplete when none was, kExitNotWritten when
// a file cannot be written, kExitBadArguments (nothing read or written) when --out would write
// over an input, a run's own file or a folder (results::CheckComparisonOut).
int CompareFromCommandLine(const core::ProgramArguments& args, Console& console);

}  // namespace ui
