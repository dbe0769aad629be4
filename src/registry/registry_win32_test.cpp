// Registry reading and installation discovery against the real Wine registry.
#include <gtest/gtest.h>
#include <windows.h>

#include <thread>

#include "registry/discovery.h"
#include "registry/registry.h"
#include "test_support_win32.h"

namespace registry {
namespace {

namespace ts = test_support;

// Runs `call` while another thread waits for the message box it shows and presses OK.
template <typename Call>
ts::MessageBoxSeen WithMessageBox(Call call) {
    ts::MessageBoxSeen seen;
    std::thread watcher([&seen] {
        seen = ts::WaitForMessageBox(GetCurrentProcessId());
        if (seen.window) ts::DismissMessageBox(seen.window);
    });
    call();
    watcher.join();
    return seen;
}

class RegistryWin32 : public ::testing::Test {
protected:
    void SetUp() override { TearDown(); }
    void TearDown() override {
        ts::DeleteGameKey(kFullKey);
        ts::DeleteGameKey(kDemoKey);
        RegDeleteKeyExA(HKEY_LOCAL_MACHINE, kDemoKey, KEY_WOW64_64KEY, 0);
    }
};

TEST_F(RegistryWin32, FindsTheEditionsInThe32BitView) {
    core::SessionState state;
    ASSERT_TRUE(ts::SetGameFolder(kFullKey, ts::RegistryKind::kString, "T:\\UT2003"));
    InstallationOutcome outcome = FindGameInstallation(state);
    EXPECT_TRUE(outcome.full_enabled);
    EXPECT_FALSE(outcome.demo_enabled);
    EXPECT_EQ(outcome.selected, Edition::kFull);
    EXPECT_EQ(state.InstallFolder, "T:\\UT2003");
    EXPECT_EQ(state.GameEdition, "full");

    TearDown();
    ASSERT_TRUE(ts::SetGameFolder(kDemoKey, ts::RegistryKind::kString, "T:\\Games\\UT2003 Demo "));
    outcome = FindGameInstallation(state);
    EXPECT_FALSE(outcome.full_enabled);
    EXPECT_TRUE(outcome.demo_enabled);
    EXPECT_EQ(outcome.selected, Edition::kDemo);
    EXPECT_EQ(state.InstallFolder, "T:\\Games\\UT2003 Demo ");  // spaces kept
    EXPECT_EQ(state.GameEdition, "demo");

    ASSERT_TRUE(ts::SetGameFolder(kFullKey, ts::RegistryKind::kString, "T:\\UT2003"));
    outcome = FindGameInstallation(state);
    EXPECT_TRUE(outcome.full_enabled && outcome.demo_enabled);
    EXPECT_EQ(outcome.selected, Edition::kFull);
    EXPECT_EQ(state.InstallFolder, "T:\\UT2003");
    EXPECT_EQ(state.GameEdition, "full");

    // The user may then choose the demo; its folder is read again.
    EXPECT_TRUE(SelectEdition(state, Edition::kDemo));
    EXPECT_EQ(state.InstallFolder, "T:\\Games\\UT2003 Demo ");
    EXPECT_EQ(state.GameEdition, "demo");
}

TEST_F(RegistryWin32, ValuesAsTheRegistryStoresThem) {
    ASSERT_TRUE(ts::SetGameFolder(kFullKey, ts::RegistryKind::kString, "T:\\UT2003"));
    RegistryValue value = ReadRegistryValue(kFullKey, kFolderValue);
    EXPECT_EQ(value.kind, RegistryValue::Kind::kText);
    EXPECT_EQ(value.text, std::string("T:\\UT2003\0", 10));

    ASSERT_TRUE(ts::SetGameFolder(kFullKey, ts::RegistryKind::kDword, "", 42));
    value = ReadRegistryValue(kFullKey, kFolderValue);
    EXPECT_EQ(value.kind, RegistryValue::Kind::kNumber);
    EXPECT_EQ(value.number, 42);

    ASSERT_TRUE(ts::SetGameFolder(kFullKey, ts::RegistryKind::kExpandString, "T:\\UT2003"));
    EXPECT_EQ(ReadRegistryValue(kFullKey, kFolderValue).kind, RegistryValue::Kind::kEmpty);

    // Only the NUL: present, with an empty folder.
    ASSERT_TRUE(ts::SetGameFolder(kFullKey, ts::RegistryKind::kNulOnly, ""));
    bool present = false;
    EXPECT_EQ(EditionFolder(Edition::kFull, &present), "");
    EXPECT_TRUE(present);

    // Stored without a NUL: the folder keeps its last character.
    ASSERT_TRUE(ts::SetGameFolder(kFullKey, ts::RegistryKind::kStringNoNul, "T:\\UT2003"));
    EXPECT_EQ(EditionFolder(Edition::kFull, &present), "T:\\UT2003");
    EXPECT_TRUE(present);
}

TEST_F(RegistryWin32, NeitherEditionShowsTheInstallMessage) {
    // An expandable string and a number are no folders, and the 64-bit view is not looked at.
    ASSERT_TRUE(ts::SetGameFolder(kFullKey, ts::RegistryKind::kExpandString, "T:\\UT2003"));
    ASSERT_TRUE(ts::SetGameFolder(kDemoKey, ts::RegistryKind::kDword, "", 1));
    HKEY k = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kDemoKey, 0, nullptr, 0,
                              KEY_SET_VALUE | KEY_WOW64_64KEY, nullptr, &k, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(k, kFolderValue, 0, REG_SZ, reinterpret_cast<const BYTE*>("T:\\UT2003Demo"), 14);
    RegCloseKey(k);

    core::SessionState state;
    state.InstallFolder = "T:\\Old";
    InstallationOutcome outcome;
    const ts::MessageBoxSeen box = WithMessageBox([&] { outcome = FindGameInstallation(state); });
    EXPECT_EQ(outcome.selected, Edition::kNone);
    EXPECT_FALSE(outcome.full_enabled || outcome.demo_enabled);
    EXPECT_EQ(state.InstallFolder, "");
    ASSERT_NE(box.window, nullptr);
    EXPECT_EQ(box.title, "Install UT2003");
    EXPECT_EQ(box.text, "Please install UT2003 (full version) or UT2003 (demo)");
    EXPECT_FALSE(box.has_icon);
}

TEST_F(RegistryWin32, AnEditionRemovedSinceStartReadsAsNotInstalled) {
    ASSERT_TRUE(ts::SetGameFolder(kFullKey, ts::RegistryKind::kString, "T:\\UT2003"));
    ASSERT_TRUE(ts::SetGameFolder(kDemoKey, ts::RegistryKind::kString, "T:\\UT2003Demo"));
    core::SessionState state;
    FindGameInstallation(state);
    ts::DeleteGameKey(kDemoKey);
    bool selected = true;
    const ts::MessageBoxSeen box =
        WithMessageBox([&] { selected = SelectEdition(state, Edition::kDemo); });
    EXPECT_FALSE(selected);
    EXPECT_EQ(state.InstallFolder, "");
    ASSERT_NE(box.window, nullptr);
    EXPECT_NE(box.text.find("UT2003 (demo)"), std::string::npos);
}

}  // namespace
}  // namespace registry
