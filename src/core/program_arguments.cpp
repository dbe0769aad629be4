// The command line's options, their checks, the usage, and the console's launch lines.
#include "core/program_arguments.h"

#include <algorithm>
#include <set>

#include "common/text.h"
#include "platform/platform.h"
#include "results/steadiness.h"

namespace core {
namespace {

using common::Lower;

// The options by name, with the values they take as the messages name them.
struct Option {
    const char* name;
    const char* allowed;  // nullptr: takes no single value
    bool for_runs;
};

constexpr Option kOptions[] = {
    {"preset", "high, low, cpu or custom", true},
    {"resolutions", "a comma-separated list of 640x480, 800x600, 1024x768, 1280x1024 and 1600x1200",
     true},
    {"renderer", "d3d or opengl", true},
    {"edition", "full or demo", true},
    {"runs", "a number from 1 to 5, or steady", true},
    {"steady-within", "a percentage from 0.5 to 10 with at most one decimal, such as 2.5", true},
    {"level", "a level name such as dm-antalus", true},
    {"sound", "on or off", true},
    {"ini", "max, min or the path of an existing ini file", true},
    {"results", "a folder", true},
    {"label", "a text such as \"driver 531.41\"", true},
    {"compare", nullptr, false},
    {"out", "a file name such as compare.html", false},
    {"help", nullptr, false},
    {"?", nullptr, false},
};

const Option* FindOption(const std::string& name) {
    for (const Option& o : kOptions)
        if (name == o.name) return &o;
    return nullptr;
}

// The option's name, lower case, when `arg` is spelt as one ("--name" or "/name"); otherwise "".
std::string OptionName(const std::string& arg) {
    if (arg.starts_with("--")) return Lower(arg.substr(2));
    if (arg.starts_with("/")) return Lower(arg.substr(1));
    return "";
}

// True when `arg` is an option rather than a value. A value may begin with "/" (a path), so only
// the names we know count after "/"; anything after "--" is meant as an option.
bool LooksLikeOption(const std::string& arg) {
    return arg.starts_with("--") || (arg.starts_with("/") && FindOption(OptionName(arg)));
}

bool Fail(std::string* error, const std::string& text) {
    if (error) *error = text;
    return false;
}

std::string Quoted(const std::string& s) { return "\"" + s + "\""; }

bool NotAllowed(std::string* error, const std::string& option, const Option& o,
                const std::string& value) {
    return Fail(error, option + ": " + Quoted(value) + " is not allowed; use " + o.allowed + ".");
}

bool ParseResolutions(const std::string& option, const Option& o, const std::string& value,
                      std::array<bool, 5>* checked, std::string* error) {
    size_t start = 0;
    while (true) {
        const size_t comma = value.find(',', start);
        const std::string item = Lower(value.substr(start, comma - start));
        const auto* found =
            std::find(common::kResolutionNames.begin(), common::kResolutionNames.end(), item);
        if (found == common::kResolutionNames.end()) return NotAllowed(error, option, o, item);
        bool& box = (*checked)[found - common::kResolutionNames.begin()];
        if (box) return Fail(error, option + ": " + item + " is given twice.");
        box = true;
        if (comma == std::string::npos) return true;
        start = comma + 1;
    }
}

// Sets the one field `name` stands for from `value`.
bool ApplyValue(const std::string& option, const Option& o, const std::string& value,
                ProgramArguments* out, std::string* error) {
    const std::string name = o.name;
    const std::string v = Lower(value);
    using P = common::BenchmarkPreset;
    if (name == "preset") {
        if (v == "high")
            out->preset = P::kHighQuality;
        else if (v == "low")
            out->preset = P::kLowQuality;
        else if (v == "cpu")
            out->preset = P::kCpuBenchmark;
        else if (v == "custom")
            out->preset = P::kCustomTest;
        else
            return NotAllowed(error, option, o, value);
    } else if (name == "resolutions") {
        return ParseResolutions(option, o, value, &out->resolutions, error);
    } else if (name == "renderer") {
        if (v != "d3d" && v != "opengl") return NotAllowed(error, option, o, value);
        out->renderer = v == "d3d" ? common::Renderer::kDirect3D : common::Renderer::kOpenGL;
    } else if (name == "edition") {
        if (v != "full" && v != "demo") return NotAllowed(error, option, o, value);
        out->edition = v == "demo" ? common::Edition::kDemo : common::Edition::kFull;
    } else if (name == "runs") {
        out->until_steady = v == "steady";
        if (v == "steady") return true;
        if (v.size() != 1 || v[0] < '1' || v[0] > '5') return NotAllowed(error, option, o, value);
        out->runs_per_level = v[0] - '0';
    } else if (name == "steady-within") {
        out->steady_within_tenths = results::ParseSteadyWithin(value);
        if (!out->steady_within_tenths) return NotAllowed(error, option, o, value);
    } else if (name == "level") {
        out->level = value;
    } else if (name == "sound") {
        if (v != "on" && v != "off") return NotAllowed(error, option, o, value);
        out->sound = v == "on";
    } else if (name == "ini") {
        IniArgument ini;
        if (v == "max")
            ini.kind = IniArgument::Kind::kMaxDetail;
        else if (v == "min")
            ini.kind = IniArgument::Kind::kMinDetail;
        else
            ini = {IniArgument::Kind::kFile, value};
        out->ini = ini;
    } else if (name == "results") {
        out->results_folder = value;
    } else if (name == "label") {
        out->label = value;
    } else if (name == "out") {
        out->out = value;
    }
    return true;
}

}  // namespace

bool ParseProgramArguments(const std::vector<std::string>& args, ProgramArguments* out,
                           std::string* error) {
    *out = ProgramArguments();
    if (args.empty()) return true;
    for (const std::string& arg : args) {
        const std::string name = OptionName(arg);
        if (name == "help" || name == "?") {
            out->mode = ProgramMode::kHelp;
            return true;
        }
    }

    std::set<std::string> seen;
    std::string first_run_option, compare_option, level_option, sound_option, ini_option;
    std::string steady_within_option;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const Option* o = FindOption(OptionName(arg));
        if (!arg.starts_with("--") && !arg.starts_with("/"))
            return Fail(error, "Unexpected argument " + Quoted(arg) +
                                   "; options begin with \"--\" or \"/\" (see --help).");
        if (!o)
            return Fail(error, "Unknown option " + Quoted(arg) +
                                   "; options are --preset, --resolutions, --renderer, "
                                   "--edition, --runs, --steady-within, --level, --sound, "
                                   "--ini, --results, --label, --compare, --out and --help.");
        if (!seen.insert(o->name).second) return Fail(error, arg + " is given twice.");
        if (o->for_runs && first_run_option.empty()) first_run_option = arg;
        const std::string name = o->name;
        if (name == "level") level_option = arg;
        if (name == "sound") sound_option = arg;
        if (name == "ini") ini_option = arg;
        if (name == "steady-within") steady_within_option = arg;

        if (name == "compare") {
            compare_option = arg;
            while (i + 1 < args.size() && !LooksLikeOption(args[i + 1]))
                out->compare_inputs.push_back(args[++i]);
            if (out->compare_inputs.empty())
                return Fail(error, arg +
                                       " needs at least one results folder, folder of "
                                       "results folders, or results.csv file.");
            continue;
        }
        if (i + 1 == args.size() || args[i + 1].empty() || LooksLikeOption(args[i + 1]))
            return Fail(error, arg + " needs a value: " + o->allowed + ".");
        if (!ApplyValue(arg, *o, args[++i], out, error)) return false;
    }

    if (!compare_option.empty()) {
        if (!first_run_option.empty())
            return Fail(error, first_run_option + " cannot be combined with " + compare_option +
                                   "; run a benchmark and compare results separately.");
        out->mode = ProgramMode::kCompare;
        return true;
    }
    if (out->out)
        return Fail(error,
                    "--out is for --compare only; a run writes its results folder "
                    "(see --results).");
    out->mode = ProgramMode::kRun;
    if (!out->preset) return Fail(error, "--preset is missing: high, low, cpu or custom.");
    if (std::find(out->resolutions.begin(), out->resolutions.end(), true) == out->resolutions.end())
        return Fail(error,
                    "--resolutions is missing: one or more of 640x480, 800x600, "
                    "1024x768, 1280x1024 and 1600x1200, separated by commas.");
    if (*out->preset != common::BenchmarkPreset::kCustomTest) {
        for (const std::string& custom_only : {level_option, sound_option, ini_option})
            if (!custom_only.empty())
                return Fail(error, custom_only + " is for --preset custom only; the " +
                                       common::PresetName(*out->preset) +
                                       " preset fixes its levels, sound and ini file.");
    }
    if (!steady_within_option.empty() && out->runs_per_level)
        return Fail(error, steady_within_option + " is for --runs steady only; --runs " +
                               std::to_string(*out->runs_per_level) +
                               " makes each launch that many times.");
    if (out->ini && out->ini->kind == IniArgument::Kind::kFile &&
        !platform::CanOpenForReading(out->ini->path))
        return Fail(error, ini_option + ": " + Quoted(out->ini->path) +
                               " cannot be opened; use max, min or the path of an existing ini "
                               "file.");
    return true;
}

std::string UsageText() {
    return "Usage:\n"
           "  benchwright.exe\n"
           "      Opens the main window.\n"
           "  benchwright.exe --preset high|low|cpu|custom --resolutions RES[,RES...] "
           "[options]\n"
           "      Runs one benchmark without a click, prints a line per launch and exits.\n"
           "  benchwright.exe --compare FOLDER_OR_CSV [FOLDER_OR_CSV ...] [--out FILE]\n"
           "      Writes one report comparing earlier results.\n"
           "  benchwright.exe --help   (or /?)\n"
           "      Prints this text.\n"
           "\n"
           "Run options:\n"
           "  --preset high|low|cpu|custom  High Quality, Low Quality, CPU Benchmark or Custom "
           "Test\n"
           "  --resolutions RES[,RES...]    of 640x480, 800x600, 1024x768, 1280x1024, 1600x1200\n"
           "  --renderer d3d|opengl         default: as the window would pick it\n"
           "  --edition full|demo           default: as the window would pick it\n"
           "  --runs 1-5|steady             runs per level, or each launch until its\n"
           "                                averages are steady (3 to 10 runs); default: the\n"
           "                                saved option\n"
           "  --steady-within P             with --runs steady: steady when the relative\n"
           "                                standard deviation is at most P % (0.5 to 10);\n"
           "                                default: the saved option (2)\n"
           "  --results DIR                 put the run's results folder under DIR, named\n"
           "                                with the computer (a share for many machines)\n"
           "  --label TEXT                  what is being tested, kept with the results (at\n"
           "                                most 100 characters); default: the saved option\n"
           "  --level NAME                  custom test only; default: dm-antalus\n"
           "  --sound on|off                custom test only; default: off\n"
           "  --ini max|min|PATH            custom test only: Max Detail, Min Detail or your\n"
           "                                own ini file; default: max\n"
           "\n"
           "Comparison options:\n"
           "  --compare FOLDER_OR_CSV ...   results folders, folders of results folders, or\n"
           "                                results.csv files; the first is the baseline\n"
           "  --out FILE                    default: compare.html in the current folder; a CSV\n"
           "                                of the same table is written beside it; neither may\n"
           "                                replace an input or a run's results.csv,\n"
           "                                results.html or report.html\n"
           "\n"
           "\"/\" may stand for \"--\"; option names and keywords are not case-sensitive.\n"
           "\n"
           "Exit codes:\n"
           "  0  every launch left a record (comparison: at least one result was read)\n"
           "  1  some launch left no record, or a results file was not written (comparison:\n"
           "     no result could be read)\n"
           "  2  the arguments are wrong; nothing was run or written\n"
           "  3  no run could start (no installation, the edition missing, the game still\n"
           "     running from the installation, a file step failed, or another Benchwright\n"
           "     is running)\n"
           "  4  the comparison's page or its CSV could not be written\n"
           "\n"
           "Examples:\n"
           "  benchwright.exe --preset high --resolutions 1024x768,1280x1024 --runs 3\n"
           "  benchwright.exe --compare Results \"D:\\Lab\\Results\" --out drivers.html\n";
}

std::string LaunchLine(size_t k, size_t n, const results::LaunchResult& result, bool at_most) {
    std::string line = "run " + std::to_string(k) + (at_most ? " of at most " : " of ") +
                       std::to_string(n) + ": " + result.level + " " + result.resolution + ": ";
    if (result.HasRecord()) {
        return line + "avg " + common::Trimmed(result.record.average) + " fps";
    }
    line += results::OutcomeName(result.outcome);
    if (result.outcome == results::LaunchOutcome::kFailedToStart && !result.failure.empty()) {
        // The reason may be a message box text of several lines; the console gets one.
        line += ": ";
        for (char c : result.failure) {
            if (c != '\r' && c != '\n')
                line += c;
            else if (line.back() != ' ')
                line += ' ';
        }
        line.erase(line.find_last_not_of(' ') + 1);
    }
    return line;
}

int RunExitCode(const std::vector<results::LaunchResult>& results) {
    if (results.empty()) return 1;
    for (const results::LaunchResult& r : results)
        if (!r.HasRecord()) return 1;
    return 0;
}

}  // namespace core
