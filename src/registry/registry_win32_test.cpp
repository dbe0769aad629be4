// Registry reading and installation discovery against the real Wine registry.
#include <gtest/gtest.h>
#include <windows.h>

#include "registry/discovery.h"
#include "registry/registry.h"
#include "test_support_win32.h"

namespace registry {
namespace {

namespace ts = test_support;

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
    // (An edition removed after start: windows_win32_test, through the window.)
    const char* const demo = "T:\\Games\\UT2003 Demo ";  // spaces kept
    using common::Edition;
    const struct {
        bool full, demo;
        Edition selected;
        const char* folder;
    } cases[] = {{true, false, Edition::kFull, "T:\\UT2003"},
                 {false, true, Edition::kDemo, demo},
                 {true, true, Edition::kFull, "T:\\UT2003"}};
    for (const auto& c : cases) {
        TearDown();
        if (c.full) {
            ASSERT_TRUE(ts::SetGameFolder(kFullKey, ts::RegistryKind::kString, "T:\\UT2003"));
        }
        if (c.demo) {
            ASSERT_TRUE(ts::SetGameFolder(kDemoKey, ts::RegistryKind::kString, demo));
        }
        const common::Installation outcome = ReadGameInstallation();
        EXPECT_EQ(outcome.full_installed, c.full);
        EXPECT_EQ(outcome.demo_installed, c.demo);
        EXPECT_EQ(outcome.selected, c.selected);
        EXPECT_EQ(outcome.install_folder, c.folder);
    }
}

TEST_F(RegistryWin32, ValuesAsTheRegistryStoresThem) {
    ASSERT_TRUE(ts::SetGameFolder(kFullKey, ts::RegistryKind::kDword, "", 42));
    RegistryValue value = ReadRegistryValue(kFullKey, kFolderValue);
    EXPECT_EQ(value.kind, RegistryValue::Kind::kNumber);
    EXPECT_EQ(value.number, 42);
    ASSERT_TRUE(ts::SetGameFolder(kFullKey, ts::RegistryKind::kExpandString, "T:\\UT2003"));
    EXPECT_EQ(ReadRegistryValue(kFullKey, kFolderValue).kind, RegistryValue::Kind::kEmpty);
    // A string of only NULs (one or two) is no folder.
    bool present = true;
    for (const std::string& nul : {std::string(), std::string(1, '\0')}) {
        ASSERT_TRUE(ts::SetGameFolder(
            kFullKey, nul.empty() ? ts::RegistryKind::kNulOnly : ts::RegistryKind::kString, nul));
        EXPECT_EQ(EditionFolder(common::Edition::kFull, &present), "");
        EXPECT_FALSE(present);
    }
    ASSERT_TRUE(ts::SetGameFolder(kFullKey, ts::RegistryKind::kStringNoNul, "T:\\UT2003"));
    EXPECT_EQ(EditionFolder(common::Edition::kFull, &present), "T:\\UT2003");
    EXPECT_TRUE(present);
}

TEST_F(RegistryWin32, OnlyStringsOfThe32BitViewAreEditions) {
    // An expandable string and a number are no folders, and the 64-bit view is not looked at.
    ASSERT_TRUE(ts::SetGameFolder(kFullKey, ts::RegistryKind::kExpandString, "T:\\UT2003"));
    ASSERT_TRUE(ts::SetGameFolder(kDemoKey, ts::RegistryKind::kDword, "", 1));
    HKEY k = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kDemoKey, 0, nullptr, 0,
                              KEY_SET_VALUE | KEY_WOW64_64KEY, nullptr, &k, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(k, kFolderValue, 0, REG_SZ, reinterpret_cast<const BYTE*>("T:\\UT2003Demo"), 14);
    RegCloseKey(k);
    const common::Installation outcome = ReadGameInstallation();
    EXPECT_EQ(outcome.selected, common::Edition::kNone);
    EXPECT_FALSE(outcome.full_installed || outcome.demo_installed);
    EXPECT_EQ(outcome.install_folder, "");
}

}  // namespace
}  // namespace registry
