// Registry reading and installation discovery against the stand-in registry.
#include "registry/registry.h"

#include <gtest/gtest.h>

#include "platform/platform_standin.h"
#include "registry/discovery.h"

namespace registry {
namespace {

namespace standin = platform::standin;

platform::RegistryData Data(uint32_t type, const std::string& bytes) {
    platform::RegistryData data;
    data.type = type;
    data.bytes = bytes;
    return data;
}

void SetRaw(const char* key, uint32_t type, const std::string& bytes) {
    standin::Get().registry[std::string(key) + "\\" + kFolderValue] = Data(type, bytes);
}

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override { standin::Reset(); }
};

TEST_F(RegistryTest, QueryOpenKeyValueKeepsTheNulReadsNumbersAndIgnoresOtherTypes) {
    RegistryValue value;
    EXPECT_EQ(QueryOpenKeyValue(0, Data(1, std::string("C:\\UT2003\0", 10)), &value), 0);
    EXPECT_EQ(value.kind, RegistryValue::Kind::kText);
    EXPECT_EQ(value.text, std::string("C:\\UT2003\0", 10));

    const std::string minus_two("\xfe\xff\xff\xff", 4);
    EXPECT_EQ(QueryOpenKeyValue(0, Data(4, minus_two), &value), 0);
    EXPECT_EQ(value.kind, RegistryValue::Kind::kNumber);
    EXPECT_EQ(value.number, -2);

    // Other types, a short number and a failed query leave the value as it was.
    EXPECT_EQ(QueryOpenKeyValue(0, Data(2, std::string("C:\\x\0", 5)), &value), -1);
    EXPECT_EQ(QueryOpenKeyValue(0, Data(3, "abcd"), &value), -1);
    EXPECT_EQ(QueryOpenKeyValue(0, Data(4, "ab"), &value), -1);
    EXPECT_EQ(QueryOpenKeyValue(2, Data(1, "ignored"), &value), 2);
    EXPECT_EQ(value.kind, RegistryValue::Kind::kNumber);
    EXPECT_EQ(value.number, -2);
}

TEST_F(RegistryTest, ReadRegistryValueIsEmptyWhenMissingOrOfAnotherType) {
    EXPECT_EQ(ReadRegistryValue(kFullKey, kFolderValue).kind, RegistryValue::Kind::kEmpty);
    SetRaw(kFullKey, 2, std::string("C:\\UT2003\0", 10));
    EXPECT_EQ(ReadRegistryValue(kFullKey, kFolderValue).kind, RegistryValue::Kind::kEmpty);
    SetRaw(kFullKey, 4, std::string("\x07\0\0\0", 4));
    const RegistryValue number = ReadRegistryValue(kFullKey, kFolderValue);
    EXPECT_EQ(number.kind, RegistryValue::Kind::kNumber);
    EXPECT_EQ(number.number, 7);
    EXPECT_FALSE(number.Present());
}

TEST_F(RegistryTest, DiscoveryOutcomes) {
    struct Case {
        bool full, demo;
        Edition selected;
        const char* edition;
        const char* folder;
    };
    const Case cases[] = {
        {true, false, Edition::kFull, "full", "C:\\UT2003"},
        {false, true, Edition::kDemo, "demo", "D:\\Games\\UT2003 Demo"},
        {true, true, Edition::kFull, "full", "C:\\UT2003"},
    };
    for (const Case& c : cases) {
        standin::Reset();
        if (c.full) standin::SetRegistryString(kFullKey, kFolderValue, "C:\\UT2003");
        if (c.demo) standin::SetRegistryString(kDemoKey, kFolderValue, "D:\\Games\\UT2003 Demo");
        core::SessionState state;
        const InstallationOutcome outcome = FindGameInstallation(state);
        EXPECT_EQ(outcome.full_enabled, c.full);
        EXPECT_EQ(outcome.demo_enabled, c.demo);
        EXPECT_EQ(outcome.selected, c.selected);
        EXPECT_EQ(state.GameEdition, c.edition);
        EXPECT_EQ(state.InstallFolder, c.folder);
        EXPECT_TRUE(standin::Get().messages.empty());
    }
}

TEST_F(RegistryTest, NeitherEditionShowsTheInstallMessage) {
    SetRaw(kFullKey, 2, std::string("C:\\UT2003\0", 10));  // expandable: counts as absent
    SetRaw(kDemoKey, 4, std::string("\x01\0\0\0", 4));     // a number is no folder
    core::SessionState state;
    state.InstallFolder = "left over";
    const InstallationOutcome outcome = FindGameInstallation(state);
    EXPECT_FALSE(outcome.full_enabled);
    EXPECT_FALSE(outcome.demo_enabled);
    EXPECT_EQ(outcome.selected, Edition::kNone);
    EXPECT_EQ(state.InstallFolder, "");
    EXPECT_EQ(state.GameEdition, "");
    ASSERT_EQ(standin::Get().messages.size(), 1u);
    EXPECT_EQ(standin::Get().messages[0].text,
              "Please install UT2003 (full version) or UT2003 (demo)");
    EXPECT_EQ(standin::Get().messages[0].title, "Install UT2003");
    EXPECT_EQ(standin::Get().messages[0].icon, platform::MessageIcon::kNone);
}

TEST_F(RegistryTest, FolderTextIsKeptExactlyBarTheNul) {
    // Only the NUL: present, with an empty folder.
    SetRaw(kFullKey, 1, std::string("\0", 1));
    core::SessionState state;
    EXPECT_EQ(FindGameInstallation(state).selected, Edition::kFull);
    EXPECT_EQ(state.InstallFolder, "");
    EXPECT_TRUE(standin::Get().messages.empty());

    // Spaces, leading and trailing, stay.
    standin::SetRegistryString(kFullKey, kFolderValue, " C:\\Program Files\\UT2003 ");
    bool present = false;
    EXPECT_EQ(EditionFolder(Edition::kFull, &present), " C:\\Program Files\\UT2003 ");
    EXPECT_TRUE(present);

    // A string stored without its NUL loses no real character.
    standin::SetRegistryString(kDemoKey, kFolderValue, "E:\\UT2003Demo", false);
    EXPECT_EQ(EditionFolder(Edition::kDemo, &present), "E:\\UT2003Demo");
    EXPECT_TRUE(present);

    // An empty string without a NUL is absent.
    SetRaw(kDemoKey, 1, "");
    EXPECT_EQ(EditionFolder(Edition::kDemo, &present), "");
    EXPECT_FALSE(present);
}

TEST_F(RegistryTest, SelectEditionReadsTheFolderAgainAndCopesWithAVanishedEntry) {
    standin::SetRegistryString(kFullKey, kFolderValue, "C:\\UT2003");
    standin::SetRegistryString(kDemoKey, kFolderValue, "C:\\UT2003Demo");
    core::SessionState state;
    FindGameInstallation(state);

    EXPECT_TRUE(SelectEdition(state, Edition::kDemo));
    EXPECT_EQ(state.GameEdition, "demo");
    EXPECT_EQ(state.InstallFolder, "C:\\UT2003Demo");

    standin::SetRegistryString(kFullKey, kFolderValue, "C:\\Moved\\UT2003");
    EXPECT_TRUE(SelectEdition(state, Edition::kFull));
    EXPECT_EQ(state.InstallFolder, "C:\\Moved\\UT2003");

    standin::Get().registry.erase(std::string(kDemoKey) + "\\" + kFolderValue);
    EXPECT_FALSE(SelectEdition(state, Edition::kDemo));
    EXPECT_EQ(state.InstallFolder, "");
    ASSERT_EQ(standin::Get().messages.size(), 1u);
    EXPECT_NE(standin::Get().messages[0].text.find("UT2003 (demo)"), std::string::npos);
}

}  // namespace
}  // namespace registry
