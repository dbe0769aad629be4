// The engine ini writer and the staged files with real files, attributes and locks on the tests'
// drive T:.
#include <gtest/gtest.h>
#include <windows.h>

#include "config/engine_ini.h"
#include "config/staged_files.h"
#include "test_support_win32.h"

namespace config {
namespace {

// Stages the exec script where a run plans it.
bool Stage(const std::string& install, std::string* script, std::string* error) {
    std::string planned;
    return DriveRootPath(install, kExecScriptName, "copy", &planned, error) &&
           StageExecScript(install, planned, script, error);
}

namespace ts = test_support;

const char kSource[] = "T:\\UT2003\\Benchmark\\Stuff\\flybyexec.txt";
const char kIni[] = "T:\\UT2003.ini";
const char kScript[] = "T:\\flybyexec.txt";
const char kBenchmarkLog[] = "T:\\UT2003\\Benchmark\\benchmark.log";
const char kLowLog[] = "T:\\UT2003\\Benchmark\\lowframerate.log";
const DWORD kOdd = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
const DWORD kGone = INVALID_FILE_ATTRIBUTES;

// Wine adds the archive flag to every regular file it reports; it says nothing here.
DWORD Attributes(const char* path) {
    const DWORD a = GetFileAttributesA(path);
    return a == kGone ? a : a & ~FILE_ATTRIBUTE_ARCHIVE;
}

void Put(const char* path, const std::string& bytes, DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
    SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
    ASSERT_TRUE(ts::WriteFile(path, bytes)) << path;
    SetFileAttributesA(path, attributes);
}

// Another program holding the file open: `share` 0 locks it against everything.
struct Holder {
    HANDLE h;
    Holder(const char* path, DWORD share)
        : h(CreateFileA(path, GENERIC_READ, share, nullptr, OPEN_EXISTING, 0, nullptr)) {}
    ~Holder() { CloseHandle(h); }
};

class ConfigFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(ts::MakeFakeInstall(ts::kInstall, &error)) << error;
    }
    void TearDown() override { ts::RemoveFakeInstalls(); }
    std::string install = ts::kInstall, ini, script, error;  // the game, what a run staged
};

// A longer file in the way, read-only or more: exactly the new bytes, read-only alone.
TEST_F(ConfigFilesTest, EngineIniEndsReadOnlyAloneWhateverWasInTheWay) {
    for (DWORD in_the_way : {DWORD{0}, DWORD{FILE_ATTRIBUTE_READONLY}, kOdd}) {
        if (in_the_way) Put(kIni, std::string(20000, 'x'), in_the_way);
        ASSERT_TRUE(WriteEngineIni(DriveRoot(install) + kEngineIniName,
                                   EngineIniPreset::kCpuLowDetail, common::Renderer::kDirect3D,
                                   &ini, &error))
            << error;
        EXPECT_EQ(ini, kIni);
        EXPECT_EQ(Attributes(kIni), DWORD{FILE_ATTRIBUTE_READONLY}) << in_the_way;
        EXPECT_EQ(ts::ReadFile(kIni),
                  EngineIniText(EngineIniPreset::kCpuLowDetail, common::Renderer::kDirect3D));
    }
}

TEST_F(ConfigFilesTest, LogsAreEmptiedKeepingTheirAttributesAndAReadOnlyScriptStagesAgain) {
    ASSERT_TRUE(ResetBenchmarkLogs(install, &error)) << error;
    EXPECT_EQ(Attributes(kBenchmarkLog) | Attributes(kLowLog), 0u);  // both created, plain
    Put(kBenchmarkLog, "old", FILE_ATTRIBUTE_HIDDEN);
    Put(kLowLog, "old records\r\n");
    ASSERT_TRUE(ResetBenchmarkLogs(install, &error)) << error;
    EXPECT_EQ(ts::ReadFile(kBenchmarkLog) + ts::ReadFile(kLowLog), "");
    EXPECT_EQ(Attributes(kBenchmarkLog), DWORD{FILE_ATTRIBUTE_HIDDEN});

    // The game's own script may be read-only; the staged copy must still be replaceable.
    SetFileAttributesA(kSource, FILE_ATTRIBUTE_READONLY);
    ASSERT_TRUE(Stage(install, &script, &error)) << error;
    ASSERT_TRUE(Stage(install, &script, &error)) << error;
    EXPECT_EQ(ts::ReadFile(kScript), ts::kFlybyExecText);
}

TEST_F(ConfigFilesTest, FileExistsMeansOpensForReading) {
    EXPECT_FALSE(FileExists(kIni));
    EXPECT_FALSE(FileExists("T:\\UT2003\\Benchmark"));  // a folder
    Put(kIni, "x", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    EXPECT_TRUE(FileExists(kIni));
    Holder lock(kIni, 0);
    EXPECT_FALSE(FileExists(kIni));
}

// A custom test's ini is named quoted; at the drive root under the staged name it is the user's.
TEST_F(ConfigFilesTest, TheUsersOwnIniAtTheDriveRootSurvivesTheCleanUp) {
    Put(kIni, "[Engine.Engine]\r\nmy settings\r\n", kOdd);
    ASSERT_TRUE(Stage(install, &script, &error)) << error;
    ASSERT_TRUE(RemoveStagedFiles("\"T:\\UT2003.ini\"", script, &error)) << error;
    EXPECT_EQ(ts::ReadFile(kIni), "[Engine.Engine]\r\nmy settings\r\n");
    EXPECT_EQ(Attributes(kIni), kOdd);
    EXPECT_EQ(Attributes(kScript), kGone);
}

TEST_F(ConfigFilesTest, LockedFilesGiveAnErrorNamingThemAndAreLeftAlone) {
    Put(kIni, "someone else's", kOdd);
    Put(kScript, "someone else's");
    // Locked, or open in a reader that shares reading only: then its attributes were reset for
    // the write, and they must come back when it fails.
    for (DWORD share : {DWORD{0}, DWORD{FILE_SHARE_READ}}) {
        {
            Holder lock(kIni, share);
            ASSERT_NE(lock.h, INVALID_HANDLE_VALUE);
            EXPECT_FALSE(WriteEngineIni(DriveRoot(install) + kEngineIniName,
                                        EngineIniPreset::kCpuLowDetail, common::Renderer::kDirect3D,
                                        &ini, &error));
            EXPECT_NE(error.find("\"T:\\UT2003.ini\""), std::string::npos) << error;
        }
        EXPECT_EQ(ts::ReadFile(kIni), "someone else's");
        EXPECT_EQ(Attributes(kIni), kOdd);
    }
    Holder lock(kScript, 0);
    EXPECT_FALSE(Stage(install, &script, &error));
    EXPECT_NE(error.find("\"T:\\flybyexec.txt\""), std::string::npos) << error;
}

}  // namespace
}  // namespace config
