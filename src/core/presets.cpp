// The presets' run lists and the game's command line for one launch.
#include "core/presets.h"

#include "common/text.h"

namespace core {
namespace {

const std::vector<GameRun> kCpuFull = {{"dm-inferno", 77}};
const std::vector<GameRun> kCpuDemo = {{"dm-antalus", 77}};
const std::vector<GameRun> kQualityFull = {
    {"dm-antalus", 77}, {"dom-suntemple", 77}, {"dm-phobos2", 77}, {"dm-inferno", 77},
    {"ctf-face3", 116}, {"ctf-citadel", 77},   {"dm-asbestos", 71}};
const std::vector<GameRun> kQualityDemo = {
    {"dm-antalus", 77}, {"dm-asbestos", 71}, {"ctf-citadel", 77}};
const std::vector<GameRun> kNoRuns;

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

// Pieces 1 to 3 of every command line: program, level URL and exec script.
std::string CommandLineStart(const LaunchFiles& files, const GameRun& run) {
    return Quoted(GameProgramPath(files.install_folder)) + " " + run.level +
           "?game=engine.gameinfo exec=" + Quoted(files.exec_script_path) +
           " -benchmark -seconds=" + std::to_string(run.seconds);
}

std::string CommandLineEnd(const LaunchFiles& files, const std::string& resolution,
                           const std::string& user_ini_file) {
    return " userini=" + Quoted(files.install_folder + user_ini_file) + " -" + resolution;
}

}  // namespace

std::string GameProgramPath(const std::string& install_folder) {
    return install_folder + "\\System\\ut2003.exe";
}

const std::vector<GameRun>& RunList(BenchmarkPreset preset, common::Edition edition) {
    const bool demo = edition == common::Edition::kDemo;
    switch (preset) {
        case BenchmarkPreset::kCpuBenchmark:
            return demo ? kCpuDemo : kCpuFull;
        case BenchmarkPreset::kHighQuality:
        case BenchmarkPreset::kLowQuality:
            return demo ? kQualityDemo : kQualityFull;
        case BenchmarkPreset::kCustomTest:
            break;
    }
    return kNoRuns;
}

const char* UserIniFile(BenchmarkPreset preset) {
    switch (preset) {
        case BenchmarkPreset::kCpuBenchmark:
        case BenchmarkPreset::kLowQuality:
            return kMinDetailUserIni;
        case BenchmarkPreset::kHighQuality:
        case BenchmarkPreset::kCustomTest:
            break;
    }
    return kMaxDetailUserIni;
}

int LevelSeconds(const std::string& level) {
    if (level == "ctf-face3") return 116;
    if (level == "dm-asbestos") return 71;
    return 77;
}

GameRun CustomGameRun(const std::string& level_entry) {
    std::string level = common::Trimmed(level_entry);
    if (!level.empty() && level.back() == '*') level.pop_back();
    return {level, LevelSeconds(level)};
}

std::string BuildGameCommandLine(const LaunchFiles& files, const GameRun& run,
                                 const std::string& resolution, const std::string& user_ini_file) {
    return CommandLineStart(files, run) + " -nosound ini=" + Quoted(files.engine_ini_path) +
           CommandLineEnd(files, resolution, user_ini_file);
}

std::string BuildCustomGameCommandLine(const LaunchFiles& files, const GameRun& run,
                                       const std::string& resolution,
                                       const std::string& user_ini_file,
                                       const std::string& sound_switch) {
    return CommandLineStart(files, run) + " " + sound_switch + "ini=" + files.engine_ini_path +
           CommandLineEnd(files, resolution, user_ini_file);
}

}  // namespace core
