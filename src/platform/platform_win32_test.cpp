// The machine's description read from Wine's registry and system calls, including the version
// and driver texts of machines Wine does not pretend to be.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "platform/platform.h"

namespace platform {
namespace {

const char kVersionKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
// Wine's adapter key is a link to entry 0000 of the display class; 0001 is free for a test.
const char kDisplayClassKey[] =
    "SYSTEM\\CurrentControlSet\\Control\\Class\\{4D36E968-E325-11CE-BFC1-08002BE10318}\\0001";

// Changes values under HKLM for one test and puts every one back as it was afterwards.
class MachineValues {
public:
    ~MachineValues() {
        for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
            HKEY key;
            if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, it->key.c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                                nullptr, &key, nullptr) != ERROR_SUCCESS) {
                continue;
            }
            if (it->existed) {
                RegSetValueExA(key, it->name.c_str(), 0, it->type,
                               reinterpret_cast<const BYTE*>(it->bytes.data()), it->bytes.size());
            } else {
                RegDeleteValueA(key, it->name.c_str());
            }
            RegCloseKey(key);
        }
        for (const std::string& key : created_) RegDeleteKeyA(HKEY_LOCAL_MACHINE, key.c_str());
    }
    void SetText(const std::string& key, const std::string& name, const std::string& text) {
        Set(key, name, REG_SZ, std::string(text.c_str(), text.size() + 1));
    }
    void SetNumber(const std::string& key, const std::string& name, DWORD number) {
        Set(key, name, REG_DWORD, std::string(reinterpret_cast<const char*>(&number), 4));
    }
    void Remove(const std::string& key, const std::string& name) { Set(key, name, 0, ""); }

private:
    struct Saved {
        std::string key, name;
        bool existed = false;
        DWORD type = 0;
        std::string bytes;
    };
    // type 0: remove the value.
    void Set(const std::string& key_path, const std::string& name, DWORD type,
             const std::string& bytes) {
        HKEY key;
        DWORD disposition = 0;
        ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, key_path.c_str(), 0, nullptr, 0,
                                  KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key, &disposition),
                  ERROR_SUCCESS)
            << key_path;
        if (disposition == REG_CREATED_NEW_KEY) created_.push_back(key_path);
        Saved saved{key_path, name, false, 0, ""};
        DWORD size = 0;
        if (RegQueryValueExA(key, name.c_str(), nullptr, &saved.type, nullptr, &size) ==
            ERROR_SUCCESS) {
            saved.existed = true;
            saved.bytes.resize(size);
            RegQueryValueExA(key, name.c_str(), nullptr, &saved.type,
                             reinterpret_cast<BYTE*>(saved.bytes.data()), &size);
        }
        saved_.push_back(saved);
        if (type == 0) {
            RegDeleteValueA(key, name.c_str());
        } else {
            RegSetValueExA(key, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                           bytes.size());
        }
        RegCloseKey(key);
    }
    std::vector<Saved> saved_;
    std::vector<std::string> created_;
};

// The primary adapter's registry key as the system names it, without "\Registry\Machine\".
std::string PrimaryAdapterKey() {
    DISPLAY_DEVICEA device = {};
    device.cb = sizeof device;
    for (DWORD i = 0; EnumDisplayDevicesA(nullptr, i, &device, 0); ++i) {
        if (device.StateFlags & DISPLAY_DEVICE_PRIMARY_DEVICE) {
            return std::string(device.DeviceKey).substr(strlen("\\Registry\\Machine\\"));
        }
    }
    return "";
}

TEST(ReadSystemInfoWin32, GivesSaneValues) {
    const SystemInfo info = ReadSystemInfo();
    for (const std::string* text : {&info.computer_name, &info.os, &info.cpu, &info.gpu}) {
        EXPECT_NE(*text, "unknown");
        EXPECT_EQ(text->find('\0'), std::string::npos) << *text;
        EXPECT_NE(text->front(), ' ') << *text;
        EXPECT_NE(text->back(), ' ') << *text;
    }
    EXPECT_LE(info.computer_name.size(), size_t{MAX_COMPUTERNAME_LENGTH});
    // "Microsoft Windows 7 Service Pack 1 (6.1.7601)"
    EXPECT_NE(info.os.find("Windows"), std::string::npos) << info.os;
    EXPECT_NE(info.os.find(" ("), std::string::npos) << info.os;
    EXPECT_EQ(info.os.back(), ')') << info.os;
    EXPECT_GE(info.cores, 1u);
    EXPECT_GT(info.memory_mb, 64u);
    EXPECT_LT(info.memory_mb, 64u * 1024 * 1024);
    EXPECT_EQ(info.gpu, "Wine Adapter");
    EXPECT_EQ(info.gpu_driver, "unknown");  // Wine's adapter states none
}

TEST(ReadSystemInfoWin32, NamesTheWindowsVersionItReallyIsAndTrimsTheProcessorName) {
    MachineValues values;
    const char* const processor = "HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0";
    values.SetText(processor, "ProcessorNameString", "      Intel(R) Pentium(R) 4 CPU 2.40GHz  ");
    EXPECT_EQ(ReadSystemInfo().cpu, "Intel(R) Pentium(R) 4 CPU 2.40GHz");
    values.SetText(processor, "ProcessorNameString", "   ");
    EXPECT_EQ(ReadSystemInfo().cpu, "unknown");

    // Windows 11 names itself "Windows 10" and keeps "6.3" for old programs.
    values.SetText(kVersionKey, "ProductName", "Windows 10 Pro");
    values.SetText(kVersionKey, "CurrentVersion", "6.3");
    values.SetNumber(kVersionKey, "CurrentMajorVersionNumber", 10);
    values.SetNumber(kVersionKey, "CurrentMinorVersionNumber", 0);
    values.SetText(kVersionKey, "CurrentBuild", "22631");
    values.SetNumber(kVersionKey, "UBR", 2861);
    values.SetText(kVersionKey, "DisplayVersion", "23H2");
    values.SetText(kVersionKey, "CSDVersion", "");
    EXPECT_EQ(ReadSystemInfo().os, "Windows 11 Pro 23H2 (10.0.22631.2861)");

    values.SetText(kVersionKey, "CurrentBuild", "19045");
    EXPECT_EQ(ReadSystemInfo().os, "Windows 10 Pro 23H2 (10.0.19045.2861)");

    // Windows XP has none of the newer values.
    values.SetText(kVersionKey, "ProductName", "Microsoft Windows XP");
    values.SetText(kVersionKey, "CurrentVersion", "5.1");
    values.SetText(kVersionKey, "CurrentBuild", "2600");
    values.SetText(kVersionKey, "CSDVersion", "Service Pack 3");
    for (const char* name :
         {"CurrentMajorVersionNumber", "CurrentMinorVersionNumber", "UBR", "DisplayVersion"}) {
        values.Remove(kVersionKey, name);
    }
    EXPECT_EQ(ReadSystemInfo().os, "Microsoft Windows XP Service Pack 3 (5.1.2600)");

    values.Remove(kVersionKey, "ProductName");
    EXPECT_EQ(ReadSystemInfo().os, "unknown");
}

TEST(ReadSystemInfoWin32, DriverVersionFromTheAdaptersKeyOrItsClassKey) {
    const std::string adapter_key = PrimaryAdapterKey();
    ASSERT_FALSE(adapter_key.empty());
    MachineValues values;
    // As on Windows XP: only the display class entry with the adapter's description has it.
    values.SetText(kDisplayClassKey, "DriverDesc", "Wine Adapter");
    values.SetText(kDisplayClassKey, "DriverVersion", "6.14.10.4523");
    values.Remove(adapter_key, "DriverVersion");
    EXPECT_EQ(ReadSystemInfo().gpu_driver, "6.14.10.4523");

    values.SetText(kDisplayClassKey, "DriverDesc", "Another Adapter");
    EXPECT_EQ(ReadSystemInfo().gpu_driver, "unknown");

    // As on Vista and later: the adapter's own key has it.
    values.SetText(adapter_key, "DriverVersion", "31.0.15.3623");
    EXPECT_EQ(ReadSystemInfo().gpu_driver, "31.0.15.3623");
}

}  // namespace
}  // namespace platform
