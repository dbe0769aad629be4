// Registry reading and installation discovery against the real Wine registry: which view is
// read, values as they are stored, and the message box when neither edition is there.
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

TEST_F(RegistryWin32, FindsBothEditionsInThe32BitView) {
    ASSERT_TRUE(ts::SetGameFolder(kFullKey, ts::RegistryKind::kString, "T:\\UT2003"));
    ASSERT_TRUE(ts::SetGameFolder(kDemoKey, ts::RegistryKind::kString, "T:\\UT2003 Demo "));
    const common::Installation outcome = ReadGameInstallation();
    EXPECT_TRUE(outcome.full_installed && outcome.demo_installed);
    EXPECT_EQ(outcome.install_folder, "T:\\UT2003");
    bool present = false;
    EXPECT_EQ(EditionFolder(common::Edition::kDemo, &present), "T:\\UT2003 Demo ");  // spaces kept
}

// The bytes as an installer may leave them: a number, a lone NUL, a string without its NUL.
TEST_F(RegistryWin32, ValuesAsTheRegistryStoresThem) {
    ASSERT_TRUE(ts::SetGameFolder(kFullKey, ts::RegistryKind::kDword, "", 42));
    const RegistryValue value = ReadRegistryValue(kFullKey, kFolderValue);
    EXPECT_EQ(value.kind, RegistryValue::Kind::kNumber);
    EXPECT_EQ(value.number, 42);
    bool present = true;
    ASSERT_TRUE(ts::SetGameFolder(kFullKey, ts::RegistryKind::kNulOnly, ""));
    EXPECT_EQ(EditionFolder(common::Edition::kFull, &present), "");
    EXPECT_FALSE(present);
    ASSERT_TRUE(ts::SetGameFolder(kFullKey, ts::RegistryKind::kStringNoNul, "T:\\UT2003"));
    EXPECT_EQ(EditionFolder(common::Edition::kFull, &present), "T:\\UT2003");
    EXPECT_TRUE(present);
}

TEST_F(RegistryWin32, NeitherEditionInThe32BitView) {
    ASSERT_TRUE(ts::WriteValue(HKEY_LOCAL_MACHINE, kDemoKey, kFolderValue,
                               ts::TextValue("T:\\UT2003Demo"), KEY_WOW64_64KEY));
    const common::Installation outcome = ReadGameInstallation();
    EXPECT_FALSE(outcome.full_installed || outcome.demo_installed);
    EXPECT_EQ(outcome.selected, common::Edition::kNone);
}

}  // namespace
}  // namespace registry
