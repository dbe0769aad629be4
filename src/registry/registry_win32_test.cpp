// Registry reading and installation discovery against the real Wine registry.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "registry/discovery.h"
#include "registry/registry.h"

namespace registry {
namespace {

const char* const kParentKey = "SOFTWARE\\Unreal Technology";

// Writes a "Folder" value as the game's installer does; `wow64` picks the view (32-bit by
// default, where a 32-bit installer lands on 64-bit Windows).
void WriteFolder(const char* key, DWORD type, const std::string& bytes,
                 REGSAM wow64 = KEY_WOW64_32KEY) {
    HKEY k = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, key, 0, nullptr, 0, KEY_WRITE | wow64, nullptr,
                              &k, nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExA(k, kFolderValue, 0, type,
                             reinterpret_cast<const BYTE*>(bytes.data()),
                             static_cast<DWORD>(bytes.size())),
              ERROR_SUCCESS);
    RegCloseKey(k);
}

void WriteFolderText(const char* key, const std::string& folder) {
    WriteFolder(key, REG_SZ, folder + std::string(1, '\0'));
}

void DeleteKeys() {
    for (REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY}) {
        RegDeleteKeyExA(HKEY_LOCAL_MACHINE, kFullKey, view, 0);
        RegDeleteKeyExA(HKEY_LOCAL_MACHINE, kDemoKey, view, 0);
        RegDeleteKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Unreal Technology\\Installed Apps", view, 0);
        RegDeleteKeyExA(HKEY_LOCAL_MACHINE, kParentKey, view, 0);
    }
}

// A message box this process shows, as another program would see it, then dismissed with OK.
struct SeenBox {
    std::string title, text;
    bool icon = false;
};

BOOL CALLBACK FindIcon(HWND child, LPARAM found) {
    char cls[32] = {};
    GetClassNameA(child, cls, sizeof cls);
    if (lstrcmpiA(cls, "Static") == 0 && (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON &&
        SendMessageA(child, STM_GETICON, 0, 0) != 0)
        *reinterpret_cast<bool*>(found) = true;
    return TRUE;
}

BOOL CALLBACK FindBox(HWND window, LPARAM out) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    char cls[32] = {};
    GetClassNameA(window, cls, sizeof cls);
    if (pid != GetCurrentProcessId() || lstrcmpA(cls, "#32770") != 0 || !IsWindowVisible(window))
        return TRUE;
    *reinterpret_cast<HWND*>(out) = window;
    return FALSE;
}

// Watches for one message box on a thread of its own while the code under test waits in it.
class BoxWatcher {
public:
    BoxWatcher()
        : thread_([this] {
              for (int i = 0; i < 1000 && !stop_; ++i) {
                  HWND box = nullptr;
                  EnumWindows(FindBox, reinterpret_cast<LPARAM>(&box));
                  if (box) {
                      char buf[512] = {};
                      GetWindowTextA(box, buf, sizeof buf);
                      seen_.title = buf;
                      GetDlgItemTextA(box, 0xFFFF, buf, sizeof buf);
                      seen_.text = buf;
                      EnumChildWindows(box, FindIcon, reinterpret_cast<LPARAM>(&seen_.icon));
                      PostMessageA(box, WM_COMMAND, IDOK, 0);
                      ++count_;
                      Sleep(50);
                      continue;
                  }
                  Sleep(10);
              }
          }) {}
    ~BoxWatcher() { Stop(); }
    void Stop() {
        stop_ = true;
        if (thread_.joinable()) thread_.join();
    }
    int count() const { return count_; }
    const SeenBox& seen() const { return seen_; }

private:
    std::atomic<bool> stop_{false};
    std::atomic<int> count_{0};
    SeenBox seen_;
    std::thread thread_;
};

class RegistryWin32 : public ::testing::Test {
protected:
    void SetUp() override { DeleteKeys(); }
    void TearDown() override { DeleteKeys(); }
};

TEST_F(RegistryWin32, FindsTheEditionsInThe32BitView) {
    core::SessionState state;
    WriteFolderText(kFullKey, "T:\\UT2003");
    InstallationOutcome outcome = FindGameInstallation(state);
    EXPECT_TRUE(outcome.full_enabled);
    EXPECT_FALSE(outcome.demo_enabled);
    EXPECT_EQ(outcome.selected, Edition::kFull);
    EXPECT_EQ(state.InstallFolder, "T:\\UT2003");
    EXPECT_EQ(state.GameEdition, "full");

    DeleteKeys();
    WriteFolderText(kDemoKey, "T:\\Games\\UT2003 Demo ");
    outcome = FindGameInstallation(state);
    EXPECT_FALSE(outcome.full_enabled);
    EXPECT_TRUE(outcome.demo_enabled);
    EXPECT_EQ(outcome.selected, Edition::kDemo);
    EXPECT_EQ(state.InstallFolder, "T:\\Games\\UT2003 Demo ");  // spaces kept
    EXPECT_EQ(state.GameEdition, "demo");

    WriteFolderText(kFullKey, "T:\\UT2003");
    outcome = FindGameInstallation(state);
    EXPECT_TRUE(outcome.full_enabled && outcome.demo_enabled);
    EXPECT_EQ(outcome.selected, Edition::kFull);
    EXPECT_EQ(state.InstallFolder, "T:\\UT2003");
    EXPECT_EQ(state.GameEdition, "full");

    // The user may then choose the demo; the folder is read again.
    EXPECT_TRUE(SelectEdition(state, Edition::kDemo));
    EXPECT_EQ(state.InstallFolder, "T:\\Games\\UT2003 Demo ");
}

TEST_F(RegistryWin32, ValuesAsTheRegistryStoresThem) {
    WriteFolder(kFullKey, REG_SZ, std::string("T:\\UT2003\0", 10));
    RegistryValue value = ReadRegistryValue(kFullKey, kFolderValue);
    EXPECT_EQ(value.kind, RegistryValue::Kind::kText);
    EXPECT_EQ(value.text, std::string("T:\\UT2003\0", 10));

    WriteFolder(kFullKey, REG_DWORD, std::string("\x2a\0\0\0", 4));
    value = ReadRegistryValue(kFullKey, kFolderValue);
    EXPECT_EQ(value.kind, RegistryValue::Kind::kNumber);
    EXPECT_EQ(value.number, 42);

    WriteFolder(kFullKey, REG_EXPAND_SZ, std::string("T:\\UT2003\0", 10));
    EXPECT_EQ(ReadRegistryValue(kFullKey, kFolderValue).kind, RegistryValue::Kind::kEmpty);

    // Only the NUL: present, with an empty folder.
    WriteFolder(kFullKey, REG_SZ, std::string(1, '\0'));
    bool present = false;
    EXPECT_EQ(EditionFolder(Edition::kFull, &present), "");
    EXPECT_TRUE(present);

    // Stored without a NUL: the folder keeps its last character.
    WriteFolder(kFullKey, REG_SZ, "T:\\UT2003");
    EXPECT_EQ(EditionFolder(Edition::kFull, &present), "T:\\UT2003");
    EXPECT_TRUE(present);
}

TEST_F(RegistryWin32, NeitherEditionShowsTheInstallMessage) {
    // An expandable string and a number are no folders, and the 64-bit view is not looked at.
    WriteFolder(kFullKey, REG_EXPAND_SZ, std::string("T:\\UT2003\0", 10));
    WriteFolder(kDemoKey, REG_DWORD, std::string("\x01\0\0\0", 4));
    WriteFolder(kDemoKey, REG_SZ, std::string("T:\\UT2003Demo\0", 14), KEY_WOW64_64KEY);
    core::SessionState state;
    state.InstallFolder = "T:\\Old";
    BoxWatcher watcher;
    const InstallationOutcome outcome = FindGameInstallation(state);
    watcher.Stop();
    EXPECT_EQ(outcome.selected, Edition::kNone);
    EXPECT_FALSE(outcome.full_enabled || outcome.demo_enabled);
    EXPECT_EQ(state.InstallFolder, "");
    EXPECT_EQ(watcher.count(), 1);
    EXPECT_EQ(watcher.seen().title, "Install UT2003");
    EXPECT_EQ(watcher.seen().text, "Please install UT2003 (full version) or UT2003 (demo)");
    EXPECT_FALSE(watcher.seen().icon);
}

TEST_F(RegistryWin32, AnEditionRemovedSinceStartReadsAsNotInstalled) {
    WriteFolderText(kFullKey, "T:\\UT2003");
    WriteFolderText(kDemoKey, "T:\\UT2003Demo");
    core::SessionState state;
    FindGameInstallation(state);
    RegDeleteKeyExA(HKEY_LOCAL_MACHINE, kDemoKey, KEY_WOW64_32KEY, 0);
    BoxWatcher watcher;
    EXPECT_FALSE(SelectEdition(state, Edition::kDemo));
    watcher.Stop();
    EXPECT_EQ(state.InstallFolder, "");
    EXPECT_EQ(watcher.count(), 1);
    EXPECT_NE(watcher.seen().text.find("UT2003 (demo)"), std::string::npos);
}

}  // namespace
}  // namespace registry
