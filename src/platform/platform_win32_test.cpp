// The machine's description read from Wine's registry and system calls, including the version
// and driver texts of machines Wine does not pretend to be; a program's version resource.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "platform/platform.h"
#include "standin_version.h"
#include "test_support_win32.h"

namespace platform {
namespace {

namespace ts = test_support;

const char kVersionKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
// Wine's adapter key is a link to entry 0000 of the display class; 0001 is free for a test.
const char kDisplayClassKey[] =
    "SYSTEM\\CurrentControlSet\\Control\\Class\\{4D36E968-E325-11CE-BFC1-08002BE10318}\\0001";

// The primary adapter's registry key as the system names it, without "\Registry\Machine\".
std::string PrimaryAdapterKey() {
    DISPLAY_DEVICEA device = {};
    device.cb = sizeof device;
    for (DWORD i = 0; EnumDisplayDevicesA(nullptr, i, &device, 0); ++i)
        if (device.StateFlags & DISPLAY_DEVICE_PRIMARY_DEVICE)
            return std::string(device.DeviceKey).substr(strlen("\\Registry\\Machine\\"));
    return "";
}

TEST(ReadSystemInfoWin32, GivesWhatTheSystemSaysTrimmed) {
    const SystemInfo info = ReadSystemInfo();
    for (const std::string* text : {&info.computer_name, &info.os, &info.cpu}) {
        EXPECT_TRUE(*text != "unknown" && text->find('\0') == std::string::npos &&
                    text->front() != ' ' && text->back() != ' ')
            << *text;
    }
    EXPECT_TRUE(info.cores >= 1 && info.memory_mb > 64 && info.memory_mb < 64u * 1024 * 1024)
        << info.cores << " processors, " << info.memory_mb << " MB";
    EXPECT_EQ(info.gpu, "Wine Adapter");
    EXPECT_EQ(info.gpu_driver, "unknown");  // Wine's adapter states none
}

TEST(ReadSystemInfoWin32, NamesTheWindowsVersionItReallyIsAndTrimsTheProcessorName) {
    ts::ChangedValues values(HKEY_LOCAL_MACHINE);
    const auto set = [&](const char* name, ts::StoredValue v) { values.Set(kVersionKey, name, v); };
    const char* const processor = "HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0";
    values.Set(processor, "ProcessorNameString", ts::TextValue("   Intel(R) Pentium(R) 4  "));
    EXPECT_EQ(ReadSystemInfo().cpu, "Intel(R) Pentium(R) 4");
    values.Set(processor, "ProcessorNameString", ts::TextValue("   "));
    EXPECT_EQ(ReadSystemInfo().cpu, "unknown");

    // Windows 11 names itself "Windows 10" and keeps "6.3" for old programs.
    set("ProductName", ts::TextValue("Windows 10 Pro"));
    set("CurrentVersion", ts::TextValue("6.3"));
    set("CurrentMajorVersionNumber", ts::NumberValue(10));
    set("CurrentMinorVersionNumber", ts::NumberValue(0));
    set("CurrentBuild", ts::TextValue("22631"));
    set("UBR", ts::NumberValue(2861));
    set("DisplayVersion", ts::TextValue("23H2"));
    EXPECT_EQ(ReadSystemInfo().os, "Windows 11 Pro 23H2 (10.0.22631.2861)");
    set("CurrentBuild", ts::TextValue("19045"));
    EXPECT_EQ(ReadSystemInfo().os, "Windows 10 Pro 23H2 (10.0.19045.2861)");

    // Windows XP has none of the newer values.
    set("ProductName", ts::TextValue("Microsoft Windows XP"));
    set("CurrentVersion", ts::TextValue("5.1"));
    set("CurrentBuild", ts::TextValue("2600"));
    set("CSDVersion", ts::TextValue("Service Pack 3"));
    for (const char* name :
         {"CurrentMajorVersionNumber", "CurrentMinorVersionNumber", "UBR", "DisplayVersion"})
        set(name, {});
    EXPECT_EQ(ReadSystemInfo().os, "Microsoft Windows XP Service Pack 3 (5.1.2600)");
    set("ProductName", {});
    EXPECT_EQ(ReadSystemInfo().os, "unknown");
}

TEST(ReadSystemInfoWin32, DriverVersionFromTheAdaptersKeyOrItsClassKey) {
    const std::string adapter_key = PrimaryAdapterKey();
    ASSERT_FALSE(adapter_key.empty());
    ts::ChangedValues values(HKEY_LOCAL_MACHINE);
    // As on Windows XP: only the display class entry with the adapter's description has it.
    values.Set(kDisplayClassKey, "DriverDesc", ts::TextValue("Wine Adapter"));
    values.Set(kDisplayClassKey, "DriverVersion", ts::TextValue("6.14.10.4523"));
    EXPECT_EQ(ReadSystemInfo().gpu_driver, "6.14.10.4523");
    values.Set(kDisplayClassKey, "DriverDesc", ts::TextValue("Another Adapter"));
    EXPECT_EQ(ReadSystemInfo().gpu_driver, "unknown");

    // As on Vista and later: the adapter's own key has it.
    values.Set(adapter_key, "DriverVersion", ts::TextValue("31.0.15.3623"));
    EXPECT_EQ(ReadSystemInfo().gpu_driver, "31.0.15.3623");
}

// A run's folder name is taken by making it: whoever asks second, or finds a file of that name,
// hears that it exists.
TEST(FoldersWin32, ANewFolderIsTakenOnce) {
    ts::RemoveTree("T:\\taken");
    std::string error;
    bool exists = true;
    ASSERT_TRUE(CreateFolders("T:\\taken\\a", &error)) << error;
    EXPECT_TRUE(CreateNewFolder("T:\\taken\\a\\run", &exists, &error) && !exists) << error;
    EXPECT_FALSE(CreateNewFolder("T:\\taken\\a\\run", &exists, &error) || !exists);
    ASSERT_TRUE(ts::WriteFile("T:\\taken\\a\\file", ""));
    EXPECT_FALSE(CreateNewFolder("T:\\taken\\a\\file", &exists, &error) || !exists);
    EXPECT_TRUE(ts::RemoveTree("T:\\taken"));
}

// The stand-in game's version, and nothing from a copy whose fixed file info is damaged.
TEST(ReadFileVersionWin32, TheFixedFileInfosVersionOrNothing) {
    const std::string standin = ts::TestExeFolder() + "\\standin_game.exe";
    EXPECT_EQ(ReadFileVersion(standin), (std::array<uint16_t, 4>{STANDIN_FILE_VERSION}));
    std::string bytes = ts::ReadFile(standin);
    const size_t signature = bytes.find("\xBD\x04\xEF\xFE");
    ASSERT_NE(signature, std::string::npos);
    bytes[signature] = 'x';
    ASSERT_TRUE(ts::WriteFile("T:\\bw_damaged.exe", bytes));
    EXPECT_EQ(ReadFileVersion("T:\\bw_damaged.exe"), std::nullopt);
    DeleteFileA("T:\\bw_damaged.exe");
}

}  // namespace
}  // namespace platform
