// Presets: run lists, the length rule, the custom level and the game's command lines.
#include "core/presets.h"

#include <gtest/gtest.h>

namespace core {
namespace {

SessionState Installed(const std::string& folder) {
    SessionState s;
    s.InstallFolder = folder;
    s.ExecScriptPath = DriveRoot(folder) + "flybyexec.txt";
    s.EngineIniPath = DriveRoot(folder) + "UT2003.ini";
    return s;
}

std::vector<std::string> Levels(const std::vector<GameRun>& runs) {
    std::vector<std::string> levels;
    for (const GameRun& r : runs) levels.push_back(r.level);
    return levels;
}

TEST(RunList, HoldsEachEditionsLevelsInLaunchOrder) {
    using P = BenchmarkPreset;
    EXPECT_EQ(Levels(RunList(P::kCpuBenchmark, "full")), std::vector<std::string>{"dm-inferno"});
    EXPECT_EQ(Levels(RunList(P::kCpuBenchmark, "demo")), std::vector<std::string>{"dm-antalus"});
    EXPECT_EQ(Levels(RunList(P::kHighQuality, "full")),
              (std::vector<std::string>{"dm-antalus", "dom-suntemple", "dm-phobos2", "dm-inferno",
                                        "ctf-face3", "ctf-citadel", "dm-asbestos"}));
    EXPECT_EQ(Levels(RunList(P::kLowQuality, "demo")),
              (std::vector<std::string>{"dm-antalus", "dm-asbestos", "ctf-citadel"}));
    EXPECT_EQ(RunList(P::kHighQuality, "demo").size(), 3u);
    EXPECT_EQ(RunList(P::kLowQuality, "full").size(), 7u);
    EXPECT_TRUE(RunList(P::kCustomTest, "full").empty());
    // Only "demo" is the demo edition: empty or odd editions run the full lists.
    EXPECT_EQ(RunList(P::kHighQuality, "").size(), 7u);
    EXPECT_EQ(RunList(P::kCpuBenchmark, "Demo")[0].level, "dm-inferno");
    // Every fixed run follows the length rule.
    for (P p : {P::kCpuBenchmark, P::kHighQuality, P::kLowQuality})
        for (const char* edition : {"full", "demo"})
            for (const GameRun& r : RunList(p, edition))
                EXPECT_EQ(r.seconds, LevelSeconds(r.level)) << r.level;
    EXPECT_EQ(RunList(P::kHighQuality, "full")[4].seconds, 116);
    EXPECT_EQ(RunList(P::kLowQuality, "demo")[1].seconds, 71);
}

TEST(UserIniFile, MinForCpuAndLowMaxForHighAndCustom) {
    EXPECT_STREQ(UserIniFile(BenchmarkPreset::kCpuBenchmark),
                 "\\Benchmark\\Stuff\\MinDetailUser.ini");
    EXPECT_STREQ(UserIniFile(BenchmarkPreset::kLowQuality), kMinDetailUserIni);
    EXPECT_STREQ(UserIniFile(BenchmarkPreset::kHighQuality),
                 "\\Benchmark\\Stuff\\MaxDetailUser.ini");
    EXPECT_STREQ(UserIniFile(BenchmarkPreset::kCustomTest), kMaxDetailUserIni);
}

TEST(CustomGameRun, TrimsDropsOneStarAndAppliesTheLengthRule) {
    auto check = [](const std::string& entry, const std::string& level, int seconds) {
        const GameRun r = CustomGameRun(entry);
        EXPECT_EQ(r.level, level) << entry;
        EXPECT_EQ(r.seconds, seconds) << entry;
    };
    check("dm-asbestos*", "dm-asbestos", 71);
    check("ctf-face3*", "ctf-face3", 116);
    check("dm-inferno*", "dm-inferno", 77);
    check("br-anubis", "br-anubis", 77);
    check("  ctf-face3*  ", "ctf-face3", 116);   // trimmed before the star is looked for
    check("dm-asbestos**", "dm-asbestos*", 77);  // only one star goes
    check("CTF-Face3", "CTF-Face3", 77);         // the comparison is case-sensitive
    check("", "", 77);
    check("   ", "", 77);
    check("*", "", 77);
}

TEST(BuildGameCommandLine, FixedPresetLineCharacterForCharacter) {
    const SessionState s = Installed("C:\\UT2003");
    EXPECT_EQ(BuildGameCommandLine(s, RunList(BenchmarkPreset::kCpuBenchmark, "full")[0],
                                   "1024x768", UserIniFile(BenchmarkPreset::kCpuBenchmark)),
              "\"C:\\UT2003\\System\\ut2003.exe\" dm-inferno?game=engine.gameinfo "
              "exec=\"C:\\flybyexec.txt\" -benchmark -seconds=77 -nosound ini=\"C:\\UT2003.ini\" "
              "userini=\"C:\\UT2003\\Benchmark\\Stuff\\MinDetailUser.ini\" -1024x768");
    // A folder with spaces stays one quoted argument for the program and the user ini.
    const SessionState spaced = Installed("D:\\Program Files\\UT2003");
    EXPECT_EQ(BuildGameCommandLine(spaced, {"ctf-face3", 116}, "1600x1200", kMaxDetailUserIni),
              "\"D:\\Program Files\\UT2003\\System\\ut2003.exe\" ctf-face3?game=engine.gameinfo "
              "exec=\"D:\\flybyexec.txt\" -benchmark -seconds=116 -nosound "
              "ini=\"D:\\UT2003.ini\" "
              "userini=\"D:\\Program Files\\UT2003\\Benchmark\\Stuff\\MaxDetailUser.ini\" "
              "-1600x1200");
}

TEST(BuildCustomGameCommandLine, EngineIniAsStoredAndSoundByChoice) {
    SessionState s = Installed("C:\\UT2003");
    s.EngineIniPath = "\"E:\\my configs\\fast.ini\"";
    EXPECT_EQ(BuildCustomGameCommandLine(s, CustomGameRun("ctf-face3*"), "640x480",
                                         kMaxDetailUserIni, ""),
              "\"C:\\UT2003\\System\\ut2003.exe\" ctf-face3?game=engine.gameinfo "
              "exec=\"C:\\flybyexec.txt\" -benchmark -seconds=116 "
              "ini=\"E:\\my configs\\fast.ini\" "
              "userini=\"C:\\UT2003\\Benchmark\\Stuff\\MaxDetailUser.ini\" -640x480");
    // Sound disabled with the user's own quoted ini: the same line as a fixed preset's.
    s.EngineIniPath = "\"C:\\UT2003.ini\"";
    const GameRun run = CustomGameRun("dm-asbestos*");
    EXPECT_EQ(BuildCustomGameCommandLine(s, run, "800x600", kMinDetailUserIni, "-nosound "),
              BuildGameCommandLine(Installed("C:\\UT2003"), run, "800x600", kMinDetailUserIni));
    // Max or Min Detail: the writer's bare path goes in unquoted.
    s.EngineIniPath = "C:\\UT2003.ini";
    EXPECT_EQ(BuildCustomGameCommandLine(s, run, "800x600", kMinDetailUserIni, "-nosound "),
              "\"C:\\UT2003\\System\\ut2003.exe\" dm-asbestos?game=engine.gameinfo "
              "exec=\"C:\\flybyexec.txt\" -benchmark -seconds=71 -nosound ini=C:\\UT2003.ini "
              "userini=\"C:\\UT2003\\Benchmark\\Stuff\\MinDetailUser.ini\" -800x600");
}

}  // namespace
}  // namespace core
