// Log reset, exec script staging and clean-up failures, against the in-memory platform.
#include "config/staged_files.h"

#include <gtest/gtest.h>

#include "config/engine_ini.h"
#include "platform/platform_standin.h"

namespace config {
namespace {

// Stages the exec script where a run plans it.
bool Stage(const std::string& install, std::string* script, std::string* error) {
    std::string planned;
    return DriveRootPath(install, kExecScriptName, "copy", &planned, error) &&
           StageExecScript(install, planned, script, error);
}

using platform::standin::AddFile;
using platform::standin::FindFile;
using platform::standin::Get;
using platform::standin::HasFile;

const char kSource[] = "T:\\UT2003\\Benchmark\\Stuff\\flybyexec.txt";
const char kBenchmarkLog[] = "T:\\UT2003\\Benchmark\\benchmark.log";

class StagedFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::standin::Reset();
        AddFile(kSource, "flyby script\r\n");
    }
    std::string install = "T:\\UT2003", ini, script, error;  // the game, what a run staged
};

TEST_F(StagedFilesTest, LogResetAndStagingFailuresNameTheFile) {
    // No Benchmark folder: the first log fails and the second is left alone.
    Get().folders.clear();
    Get().files.clear();
    EXPECT_FALSE(ResetBenchmarkLogs(install, &error));
    EXPECT_EQ(error, std::string("Cannot create \"") + kBenchmarkLog +
                         "\": The system cannot find the path specified.");
    EXPECT_EQ(Get().journal, (std::vector<std::string>{std::string("create ") + kBenchmarkLog}));
    script = "T:\\flybyexec.txt";  // from an earlier run, removed since
    EXPECT_FALSE(Stage(install, &script, &error));
    EXPECT_NE(error.find(kSource), std::string::npos) << error;
    EXPECT_EQ(script, "");

    // No game folder, or one off any drive: nothing is written relative to the current folder.
    Get().journal.clear();
    install = "";
    EXPECT_FALSE(ResetBenchmarkLogs(install, &error));
    EXPECT_EQ(error, "Cannot empty \"benchmark.log\": the game's folder is not known.");
    install = "UT2003";
    EXPECT_FALSE(Stage(install, &script, &error));
    EXPECT_EQ(error,
              "Cannot copy \"flybyexec.txt\": the game's folder \"UT2003\" is not on a drive such "
              "as C:\\.");
    EXPECT_TRUE(Get().journal.empty());
}

TEST_F(StagedFilesTest, CleanUpTriesBothAndReportsEachFailure) {
    EXPECT_TRUE(RemoveStagedFiles("", "", &error)) << error;  // nothing staged
    ASSERT_TRUE(WriteEngineIni(DriveRoot(install) + kEngineIniName, EngineIniPreset::kCpuLowDetail,
                               common::Renderer::kDirect3D, &ini, &error))
        << error;
    ASSERT_TRUE(Stage(install, &script, &error)) << error;
    Get().files.find("T:\\UT2003.ini")->second.locked = true;
    Get().failures.insert({"remove", "T:\\flybyexec.txt"});
    EXPECT_FALSE(RemoveStagedFiles(ini, script, &error));
    EXPECT_EQ(error,
              "Cannot delete \"T:\\UT2003.ini\": The process cannot access the file because it is "
              "being used by another process.\nCannot delete \"T:\\flybyexec.txt\": Access is "
              "denied.");
    // The ini failing alone still lets the script go.
    Get().failures.clear();
    EXPECT_FALSE(RemoveStagedFiles(ini, script, &error));
    EXPECT_EQ(error.find("flybyexec"), std::string::npos) << error;
    EXPECT_FALSE(HasFile("T:\\flybyexec.txt"));
}

TEST_F(StagedFilesTest, LeftoversOfOursGoAndTheUsersFilesStay) {
    // Any of the six ini variants, read-only as a run leaves it, and a copy of the game's script.
    for (EngineIniPreset preset :
         {EngineIniPreset::kCpuLowDetail, EngineIniPreset::kMinDetail, EngineIniPreset::kMaxDetail})
        for (common::Renderer renderer : {common::Renderer::kDirect3D, common::Renderer::kOpenGL}) {
            AddFile("T:\\UT2003.ini", EngineIniText(preset, renderer),
                    platform::kReadOnly | platform::kArchive);
            AddFile("T:\\flybyexec.txt", "flyby script\r\n");
            EXPECT_TRUE(RemoveLeftovers({install}, &error)) << error;
            EXPECT_FALSE(HasFile("T:\\UT2003.ini") || HasFile("T:\\flybyexec.txt"));
        }
    // One byte more or less, or another script, is the user's: nothing at all is done to it.
    const std::string ours = EngineIniText(EngineIniPreset::kMaxDetail, common::Renderer::kOpenGL);
    const std::string theirs[][2] = {{ours + " ", "flyby script\r\n\r\n"},
                                     {ours.substr(1), "flyby"},
                                     {"[Engine.Engine]\r\n", ""}};
    for (const auto& [ini, script] : theirs) {
        AddFile("T:\\UT2003.ini", ini, platform::kReadOnly | platform::kHidden);
        AddFile("T:\\flybyexec.txt", script, platform::kReadOnly);
        Get().journal.clear();
        EXPECT_TRUE(RemoveLeftovers({install}, &error)) << error;
        EXPECT_TRUE(Get().journal.empty()) << Get().journal[0];
    }
    // Without the game's script nothing at the root counts as its copy.
    Get().files.erase(kSource);
    AddFile("T:\\flybyexec.txt", "flyby script\r\n");
    EXPECT_TRUE(RemoveLeftovers({install}, &error)) << error;
    EXPECT_TRUE(HasFile("T:\\flybyexec.txt"));

    // No game folder: nothing is looked at relative to the current folder.
    Get().journal.clear();
    EXPECT_TRUE(RemoveLeftovers({"", "UT2003"}, &error)) << error;
    EXPECT_TRUE(Get().journal.empty());
}

TEST_F(StagedFilesTest, BackupsOfAKilledRunComeBackAtStartUp) {
    const std::string ini = EngineIniText(EngineIniPreset::kMaxDetail, common::Renderer::kOpenGL);
    // Killed during a run: ours in place, the user's files beside them.
    AddFile("T:\\UT2003.ini", ini, platform::kReadOnly);
    AddFile("T:\\UT2003.ini.user-backup", "mine", platform::kReadOnly | platform::kHidden);
    AddFile("T:\\flybyexec.txt", "flyby script\r\n");
    AddFile("T:\\flybyexec.txt.user-backup", "my script");
    EXPECT_TRUE(RemoveLeftovers({install}, &error)) << error;
    EXPECT_EQ(FindFile("T:\\UT2003.ini")->contents, "mine");
    EXPECT_EQ(FindFile("T:\\UT2003.ini")->attributes, platform::kReadOnly | platform::kHidden);
    EXPECT_EQ(FindFile("T:\\flybyexec.txt")->contents, "my script");
    EXPECT_FALSE(HasFile("T:\\UT2003.ini.user-backup") || HasFile("T:\\flybyexec.txt.user-backup"));

    // Killed between moving aside and writing: the place is free.
    Get().files.erase("T:\\UT2003.ini");
    AddFile("T:\\UT2003.ini.user-backup", "mine");
    EXPECT_TRUE(RemoveLeftovers({install}, &error)) << error;
    EXPECT_EQ(FindFile("T:\\UT2003.ini")->contents, "mine");

    // A file of the user's in the place: both stay. Ours that cannot go: it, the backup stay.
    AddFile("T:\\UT2003.ini.user-backup", "older");
    EXPECT_TRUE(RemoveLeftovers({install}, &error)) << error;
    EXPECT_EQ(FindFile("T:\\UT2003.ini")->contents, "mine");
    EXPECT_EQ(FindFile("T:\\UT2003.ini.user-backup")->contents, "older");
    AddFile("T:\\UT2003.ini", ini, platform::kReadOnly);
    AddFile("T:\\flybyexec.txt", "flyby script\r\n");
    Get().failures.insert({"remove", "T:\\UT2003.ini"});
    EXPECT_FALSE(RemoveLeftovers({install}, &error));
    EXPECT_NE(error.find("\"T:\\UT2003.ini\""), std::string::npos) << error;
    EXPECT_EQ(FindFile("T:\\UT2003.ini.user-backup")->contents, "older");
    EXPECT_FALSE(HasFile("T:\\flybyexec.txt"));  // the other left-over still goes

    // A second edition on another drive: its root is tidied too, a copy of either edition's
    // script is ours on either drive, and the first root's failure stops nothing there.
    AddFile("U:\\UT2003Demo\\Benchmark\\Stuff\\flybyexec.txt", "demo script\r\n");
    AddFile("T:\\flybyexec.txt", "demo script\r\n");
    AddFile("U:\\flybyexec.txt", "flyby script\r\n");
    EXPECT_FALSE(RemoveLeftovers({install, "U:\\UT2003Demo"}, &error));
    EXPECT_NE(error.find("\"T:\\UT2003.ini\""), std::string::npos) << error;
    EXPECT_FALSE(HasFile("T:\\flybyexec.txt") || HasFile("U:\\flybyexec.txt"));
}

TEST_F(StagedFilesTest, SettingAsideLeavesOursAndRefusesATakenOrHeldName) {
    // Ours in the place is left to be replaced; the user's ini stays when no ini is written.
    AddFile("T:\\UT2003.ini", "mine");
    AddFile("T:\\flybyexec.txt", "flyby script\r\n");
    ASSERT_TRUE(SetAsideUserFiles(install, false, &error)) << error;
    EXPECT_TRUE(Get().journal.empty()) << Get().journal[0];

    // A backup name taken: refused before anything moves, and everything stays as it was.
    AddFile("T:\\flybyexec.txt", "my script");
    AddFile("T:\\flybyexec.txt.user-backup", "older");
    Get().journal.clear();
    EXPECT_FALSE(SetAsideUserFiles(install, true, &error));
    EXPECT_EQ(error,
              "Cannot move \"T:\\flybyexec.txt\" aside: \"T:\\flybyexec.txt.user-backup\" is "
              "there already. Move one of the two elsewhere, then start the benchmark again.");
    EXPECT_TRUE(RestoreUserFiles(install, &error)) << error;
    EXPECT_EQ(Get().journal,
              (std::vector<std::string>{"rename T:\\UT2003.ini -> T:\\UT2003.ini.user-backup",
                                        "rename T:\\UT2003.ini.user-backup -> T:\\UT2003.ini"}));

    // A file another program holds cannot be moved: the run is refused, nothing is lost.
    Get().files.erase("T:\\flybyexec.txt.user-backup");
    Get().files.find("T:\\flybyexec.txt")->second.locked = true;
    EXPECT_FALSE(SetAsideUserFiles(install, false, &error));
    EXPECT_NE(error.find("being used by another process"), std::string::npos) << error;
    EXPECT_EQ(FindFile("T:\\flybyexec.txt")->contents, "my script");
}

}  // namespace
}  // namespace config
