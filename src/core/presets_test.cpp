// Presets: run lists, the length rule, the custom level and the game's command lines.
#include "core/presets.h"

#include <gtest/gtest.h>

namespace core {
namespace {

LaunchFiles Installed(const std::string& folder) {
    const std::string root = folder.substr(0, 3);
    return {folder, root + "flybyexec.txt", root + "UT2003.ini"};
}

TEST(RunList, EachEditionsLevelsInOrderWithTheLengthRule) {
    const auto runs = [](BenchmarkPreset preset, common::Edition edition) {
        std::string text;
        for (const GameRun& r : RunList(preset, edition))
            text += r.level + " " + std::to_string(r.seconds) + " ";
        return text;
    };
    EXPECT_EQ(runs(BenchmarkPreset::kHighQuality, common::Edition::kFull),
              "dm-antalus 77 dom-suntemple 77 dm-phobos2 77 dm-inferno 77 ctf-face3 116 "
              "ctf-citadel 77 dm-asbestos 71 ");
    EXPECT_EQ(runs(BenchmarkPreset::kLowQuality, common::Edition::kDemo),
              "dm-antalus 77 dm-asbestos 71 ctf-citadel 77 ");
    EXPECT_EQ(runs(BenchmarkPreset::kCpuBenchmark, common::Edition::kDemo), "dm-antalus 77 ");
    EXPECT_EQ(runs(BenchmarkPreset::kCpuBenchmark, common::Edition::kFull), "dm-inferno 77 ");
    EXPECT_EQ(runs(BenchmarkPreset::kCustomTest, common::Edition::kFull), "");
}

TEST(CustomGameRun, TrimsDropsOneStarAndAppliesTheLengthRule) {
    const struct {
        const char *entry, *level;
        int seconds;
    } cases[] = {{"  ctf-face3*  ", "ctf-face3", 116},  {"dm-asbestos*", "dm-asbestos", 71},
                 {"dm-asbestos**", "dm-asbestos*", 77}, {"CTF-Face3", "CTF-Face3", 77},
                 {"br-anubis", "br-anubis", 77},        {" * ", "", 77}};
    for (const auto& c : cases) {
        EXPECT_EQ(CustomGameRun(c.entry).level, c.level) << c.entry;
        EXPECT_EQ(CustomGameRun(c.entry).seconds, c.seconds) << c.entry;
    }
}

TEST(BuildGameCommandLine, BothWorkedLinesCharacterForCharacter) {
    EXPECT_EQ(
        BuildGameCommandLine(Installed("C:\\UT2003"),
                             RunList(BenchmarkPreset::kCpuBenchmark, common::Edition::kFull)[0],
                             "1024x768", UserIniFile(BenchmarkPreset::kCpuBenchmark)),
        "\"C:\\UT2003\\System\\ut2003.exe\" dm-inferno?game=engine.gameinfo "
        "exec=\"C:\\flybyexec.txt\" -benchmark -seconds=77 -nosound ini=\"C:\\UT2003.ini\" "
        "userini=\"C:\\UT2003\\Benchmark\\Stuff\\MinDetailUser.ini\" -1024x768");
    LaunchFiles s = Installed("C:\\UT2003");
    s.engine_ini_path = "\"E:\\my configs\\fast.ini\"";
    EXPECT_EQ(BuildCustomGameCommandLine(s, CustomGameRun("ctf-face3*"), "640x480",
                                         UserIniFile(BenchmarkPreset::kCustomTest), ""),
              "\"C:\\UT2003\\System\\ut2003.exe\" ctf-face3?game=engine.gameinfo "
              "exec=\"C:\\flybyexec.txt\" -benchmark -seconds=116 "
              "ini=\"E:\\my configs\\fast.ini\" "
              "userini=\"C:\\UT2003\\Benchmark\\Stuff\\MaxDetailUser.ini\" -640x480");
    // The writer's bare path goes in unquoted; a spaced folder stays one quoted argument.
    s = Installed("D:\\Program Files\\UT2003");
    s.engine_ini_path = "D:\\UT2003.ini";
    EXPECT_EQ(BuildCustomGameCommandLine(s, CustomGameRun("dm-asbestos*"), "800x600",
                                         UserIniFile(BenchmarkPreset::kLowQuality), "-nosound "),
              "\"D:\\Program Files\\UT2003\\System\\ut2003.exe\" dm-asbestos?game=engine.gameinfo "
              "exec=\"D:\\flybyexec.txt\" -benchmark -seconds=71 -nosound ini=D:\\UT2003.ini "
              "userini=\"D:\\Program Files\\UT2003\\Benchmark\\Stuff\\MinDetailUser.ini\" "
              "-800x600");
}

}  // namespace
}  // namespace core
