// The command line of benchwright.exe: what it asks for, its usage text, and the console's lines.
//
//   benchwright.exe                                   the main window
//   benchwright.exe --preset cpu --resolutions 640x480,1024x768 [...]
//                                                     one benchmark run, no click
//   benchwright.exe --compare FOLDER_OR_CSV [...] [--out FILE]
//                                                     one comparison report
//   benchwright.exe --help   (or /?)                  the usage
//
// "/" may stand for "--", and option names and keyword values are case-insensitive. Parsing only
// reads: nothing is written and nothing started, so a wrong command line changes nothing.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "common/benchmark.h"
#include "results/launch_result.h"

namespace core {

enum class ProgramMode { kWindow, kRun, kCompare, kHelp };

// --ini of a custom test: the "Max Detail" or "Min Detail" choice, or the user's own file.
struct IniArgument {
    enum class Kind { kMaxDetail, kMinDetail, kFile };
    Kind kind = Kind::kMaxDetail;
    std::string path;  // kFile: as given
};

// What the command line asks for. An option not given stays empty (nullopt), so the caller
// applies what the window would have chosen.
struct ProgramArguments {
    ProgramMode mode = ProgramMode::kWindow;

    // kRun. `preset` and `resolutions` are always set for a run; the resolutions in check-box
    // order whatever order they were given in.
    std::optional<common::BenchmarkPreset> preset;
    std::array<bool, 5> resolutions = {};  // indexes of common::kResolutionNames
    std::optional<common::Renderer> renderer;
    std::optional<common::Edition> edition;
    std::optional<int> runs_per_level;  // 1 to 5
    // --runs steady: true; --runs with a number: false. --steady-within in tenths of a percent.
    std::optional<bool> until_steady;
    std::optional<int> steady_within_tenths;
    // The custom test's choices (only with --preset custom).
    std::optional<std::string> level;  // as given
    std::optional<bool> sound;
    std::optional<IniArgument> ini;
    std::optional<std::string> results_folder;  // --results DIR: the run's folder goes under it
    std::optional<std::string> label;           // --label TEXT, as given (not yet cut)

    // kCompare: results folders, folders of them, or results.csv files, in the order given.
    std::vector<std::string> compare_inputs;
    std::optional<std::string> out;  // --out FILE
};

// Reads the program's arguments (without the program's own name). False, with `error` one
// sentence naming the bad argument and what is allowed, when they ask for nothing sensible; `out`
// is then incomplete. --help or /? anywhere asks for the usage, whatever else is given.
// A --ini path must name a file that can be opened for reading now.
bool ParseProgramArguments(const std::vector<std::string>& args, ProgramArguments* out,
                           std::string* error);

// The usage that --help and /? print, with an example of a run and of a comparison; lines end in
// "\n".
std::string UsageText();

// The console's line for launch `k` of `n` once it has ended (no line end):
//   run 3 of 14: dm-antalus 1024x768: avg 61.23 fps
//   run 4 of 14: dm-antalus 1280x1024: failed to start: <the reason>
// or ": no record", ": timed out", ": ended by user", ": not run" for the other outcomes. With
// `at_most` (Until steady, `n` the planned most) "run 3 of at most 140: ...".
std::string LaunchLine(size_t k, size_t n, const results::LaunchResult& result,
                       bool at_most = false);

// The exit code of a run that went ahead: 0 when every launch left a record, 1 otherwise (a run
// with no launch at all left no record either).
int RunExitCode(const std::vector<results::LaunchResult>& results);

}  // namespace core
