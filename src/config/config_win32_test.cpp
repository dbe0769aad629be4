// The engine ini writer and the staged files with real files on the tests' drive T:.
#include <gtest/gtest.h>
#include <windows.h>

#include "config/engine_ini.h"
#include "config/staged_files.h"

namespace config {
namespace {

const char kInstall[] = "T:\\UT2003";
const char kSource[] = "T:\\UT2003\\Benchmark\\Stuff\\flybyexec.txt";
const char kIni[] = "T:\\UT2003.ini";
const char kScript[] = "T:\\flybyexec.txt";
const char kBenchmarkLog[] = "T:\\UT2003\\Benchmark\\benchmark.log";
const char kLowLog[] = "T:\\UT2003\\Benchmark\\lowframerate.log";
const std::string kScriptText = "flyby\r\nexec\r\n";

// Wine adds the archive flag to every regular file it reports; it says nothing here.
DWORD Attributes(const char* path) {
    const DWORD a = GetFileAttributesA(path);
    return a == INVALID_FILE_ATTRIBUTES ? a : a & ~FILE_ATTRIBUTE_ARCHIVE;
}

bool Exists(const char* path) { return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; }

void Put(const char* path, const std::string& bytes, DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
    SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
    HANDLE h =
        CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE) << path;
    DWORD written = 0;
    WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(h);
    SetFileAttributesA(path, attributes);
}

std::string Bytes(const char* path) {
    HANDLE h = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return "<missing>";
    std::string bytes;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(h, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
    CloseHandle(h);
    return bytes;
}

void Remove(const char* path) {
    SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path);
}

// Another program holding the file open: `share` 0 locks it against everything.
struct Holder {
    HANDLE h;
    Holder(const char* path, DWORD access, DWORD share)
        : h(CreateFileA(path, access, share, nullptr, OPEN_EXISTING, 0, nullptr)) {}
    ~Holder() {
        if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    }
};

class ConfigFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        TearDown();
        CreateDirectoryA("T:\\UT2003", nullptr);
        CreateDirectoryA("T:\\UT2003\\Benchmark", nullptr);
        CreateDirectoryA("T:\\UT2003\\Benchmark\\Stuff", nullptr);
        Put(kSource, kScriptText);
        state.InstallFolder = kInstall;
    }
    void TearDown() override {
        for (const char* path :
             {kIni, kScript, kSource, kBenchmarkLog, kLowLog, "T:\\Mine\\my.ini"})
            Remove(path);
        RemoveDirectoryA("T:\\UT2003\\Benchmark\\Stuff");
        RemoveDirectoryA("T:\\UT2003\\Benchmark");
        RemoveDirectoryA("T:\\UT2003");
        RemoveDirectoryA("T:\\Mine");
    }
    core::SessionState state;
    std::string error;
};

TEST_F(ConfigFilesTest, EngineIniEndsReadOnlyAloneWhateverWasInTheWay) {
    for (DWORD in_the_way :
         {DWORD{0}, DWORD{FILE_ATTRIBUTE_READONLY}, DWORD{FILE_ATTRIBUTE_HIDDEN},
          DWORD{FILE_ATTRIBUTE_SYSTEM}, DWORD{FILE_ATTRIBUTE_ARCHIVE},
          DWORD{FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM}}) {
        SCOPED_TRACE(in_the_way);
        if (in_the_way) Put(kIni, std::string(20000, 'x'), in_the_way);
        ASSERT_TRUE(WriteEngineIni(state, EngineIniPreset::CpuLowDetail, "D3D", &error)) << error;
        EXPECT_EQ(state.EngineIniPath, kIni);
        EXPECT_EQ(Attributes(kIni), DWORD{FILE_ATTRIBUTE_READONLY});
        EXPECT_EQ(Bytes(kIni), EngineIniText(EngineIniPreset::CpuLowDetail, "D3D"));
    }
    // A longer variant over a shorter one and back: each time exactly the new bytes.
    ASSERT_TRUE(WriteEngineIni(state, EngineIniPreset::MaxDetail, "OGL", &error)) << error;
    EXPECT_EQ(Bytes(kIni).size(), 10933u);
    EXPECT_EQ(Bytes(kIni), EngineIniText(EngineIniPreset::MaxDetail, "OGL"));
    ASSERT_TRUE(WriteEngineIni(state, EngineIniPreset::MinDetail, "D3D", &error)) << error;
    EXPECT_EQ(Bytes(kIni).size(), 10916u);
    EXPECT_EQ(Bytes(kIni), EngineIniText(EngineIniPreset::MinDetail, "D3D"));
    EXPECT_EQ(Attributes(kIni), DWORD{FILE_ATTRIBUTE_READONLY});
}

TEST_F(ConfigFilesTest, LogsStagingAndCleanUp) {
    ASSERT_TRUE(ResetBenchmarkLogs(state, &error)) << error;
    EXPECT_EQ(Bytes(kBenchmarkLog), "");
    EXPECT_EQ(Bytes(kLowLog), "");
    Put(kBenchmarkLog, "old", FILE_ATTRIBUTE_HIDDEN);
    Put(kLowLog, "old records\r\n");
    ASSERT_TRUE(ResetBenchmarkLogs(state, &error)) << error;
    EXPECT_EQ(Bytes(kBenchmarkLog), "");
    EXPECT_EQ(Bytes(kLowLog), "");
    EXPECT_EQ(Attributes(kBenchmarkLog), DWORD{FILE_ATTRIBUTE_HIDDEN});

    // The game's own script may be read-only; the staged copy must still be replaceable.
    SetFileAttributesA(kSource, FILE_ATTRIBUTE_READONLY);
    ASSERT_TRUE(StageExecScript(state, &error)) << error;
    ASSERT_TRUE(StageExecScript(state, &error)) << error;
    EXPECT_EQ(state.ExecScriptPath, kScript);
    EXPECT_EQ(Bytes(kScript), kScriptText);
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA("T:\\flyby*", &found);
    ASSERT_NE(find, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(FindNextFileA(find, &found));  // one copy
    FindClose(find);

    ASSERT_TRUE(WriteEngineIni(state, EngineIniPreset::MaxDetail, "D3D", &error)) << error;
    ASSERT_TRUE(RemoveStagedFiles(state, &error)) << error;
    EXPECT_FALSE(Exists(kIni));
    EXPECT_FALSE(Exists(kScript));
    EXPECT_EQ(Bytes(kSource), kScriptText);
    // Already gone is not an error.
    EXPECT_TRUE(RemoveStagedFiles(state, &error)) << error;
}

TEST_F(ConfigFilesTest, FileExistsMeansOpensForReading) {
    EXPECT_FALSE(FileExists(""));
    EXPECT_FALSE(FileExists(kIni));
    EXPECT_FALSE(FileExists("T:\\UT2003\\Benchmark"));  // a folder
    Put(kIni, "x", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    EXPECT_TRUE(FileExists(kIni));
    Holder lock(kIni, GENERIC_READ, 0);
    ASSERT_NE(lock.h, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(FileExists(kIni));
}

TEST_F(ConfigFilesTest, UsersOwnIniSurvivesTheCleanUp) {
    CreateDirectoryA("T:\\Mine", nullptr);
    const std::string mine = "[Engine.Engine]\r\nmy settings\r\n";
    const DWORD attributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN;
    Put("T:\\Mine\\my.ini", mine, attributes);
    Put(kIni, mine, attributes);  // even one at the drive root under the staged name
    ASSERT_TRUE(StageExecScript(state, &error)) << error;
    for (const char* quoted : {"\"T:\\Mine\\my.ini\"", "\"T:\\UT2003.ini\""}) {
        state.EngineIniPath = quoted;
        ASSERT_TRUE(RemoveStagedFiles(state, &error)) << error;
    }
    EXPECT_EQ(Bytes("T:\\Mine\\my.ini"), mine);
    EXPECT_EQ(Attributes("T:\\Mine\\my.ini"), attributes);
    EXPECT_EQ(Bytes(kIni), mine);
    EXPECT_EQ(Attributes(kIni), attributes);
    EXPECT_FALSE(Exists(kScript));
}

TEST_F(ConfigFilesTest, LockedOrMissingFilesGiveAnErrorAndTouchNothing) {
    const std::string theirs = "someone else's\r\n";
    const DWORD attributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN;
    Put(kIni, theirs, attributes);
    {
        Holder lock(kIni, GENERIC_READ, 0);
        ASSERT_NE(lock.h, INVALID_HANDLE_VALUE);
        EXPECT_FALSE(WriteEngineIni(state, EngineIniPreset::CpuLowDetail, "D3D", &error));
        EXPECT_NE(error.find("\"T:\\UT2003.ini\""), std::string::npos) << error;
        EXPECT_EQ(state.EngineIniPath, "");
    }
    EXPECT_EQ(Bytes(kIni), theirs);
    EXPECT_EQ(Attributes(kIni), attributes);
    {
        // Open in a reader that shares reading only: readable, so its attributes are reset for
        // the write, and they must come back when the write fails.
        Holder writer(kIni, GENERIC_READ, FILE_SHARE_READ);
        ASSERT_NE(writer.h, INVALID_HANDLE_VALUE);
        EXPECT_FALSE(WriteEngineIni(state, EngineIniPreset::MaxDetail, "OGL", &error));
        EXPECT_NE(error.find("\"T:\\UT2003.ini\""), std::string::npos) << error;
    }
    EXPECT_EQ(Bytes(kIni), theirs);
    EXPECT_EQ(Attributes(kIni), attributes);

    Put(kScript, theirs);
    {
        Holder lock(kScript, GENERIC_READ, 0);
        EXPECT_FALSE(StageExecScript(state, &error));
        EXPECT_NE(error.find("\"T:\\flybyexec.txt\""), std::string::npos) << error;
        EXPECT_EQ(state.ExecScriptPath, "");
    }
    EXPECT_EQ(Bytes(kScript), theirs);

    Remove(kSource);
    RemoveDirectoryA("T:\\UT2003\\Benchmark\\Stuff");
    EXPECT_FALSE(StageExecScript(state, &error));
    EXPECT_NE(error.find(kSource), std::string::npos) << error;
    EXPECT_EQ(Bytes(kScript), theirs);
    RemoveDirectoryA("T:\\UT2003\\Benchmark");
    EXPECT_FALSE(ResetBenchmarkLogs(state, &error));
    EXPECT_NE(error.find(kBenchmarkLog), std::string::npos) << error;
    EXPECT_FALSE(Exists(kLowLog));
}

}  // namespace
}  // namespace config
