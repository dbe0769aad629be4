// Registry values as the program parses them; discovery itself is tested against Wine's registry.
#include "registry/registry.h"

#include <gtest/gtest.h>

#include "platform/platform_standin.h"
#include "registry/discovery.h"

namespace registry {
namespace {

platform::RegistryData Data(uint32_t type, const std::string& bytes) {
    platform::RegistryData data;
    data.type = type;
    data.bytes = bytes;
    return data;
}

TEST(QueryOpenKeyValue, KeepsTheNulReadsNumbersAndIgnoresOtherTypes) {
    RegistryValue value;
    EXPECT_EQ(QueryOpenKeyValue(0, Data(1, std::string("C:\\UT2003\0", 10)), &value), 0);
    EXPECT_EQ(value.kind, RegistryValue::Kind::kText);
    EXPECT_EQ(value.text, std::string("C:\\UT2003\0", 10));
    EXPECT_EQ(QueryOpenKeyValue(0, Data(4, std::string("\xfe\xff\xff\xff", 4)), &value), 0);
    EXPECT_EQ(value.kind, RegistryValue::Kind::kNumber);
    EXPECT_EQ(value.number, -2);
    EXPECT_FALSE(value.Present());
    // Other types, a short number and a failed query leave the value as it was.
    EXPECT_EQ(QueryOpenKeyValue(0, Data(2, std::string("C:\\x\0", 5)), &value), -1);
    EXPECT_EQ(QueryOpenKeyValue(0, Data(3, "abcd"), &value), -1);
    EXPECT_EQ(QueryOpenKeyValue(0, Data(4, "ab"), &value), -1);
    EXPECT_EQ(QueryOpenKeyValue(2, Data(1, "ignored"), &value), 2);
    EXPECT_EQ(value.number, -2);
}

// A folder is judged on its text up to the first NUL, alike at start-up and at a click.
TEST(EditionFolder, OnlyNulsOrNothingIsAbsentAndTheFolderEndsAtTheFirstNul) {
    platform::standin::Reset();
    auto& registry = platform::standin::Get().registry;
    const std::string full = std::string(kFullKey) + "\\" + kFolderValue;
    const std::string demo = std::string(kDemoKey) + "\\" + kFolderValue;
    for (const std::string& empty : {std::string(), std::string(1, '\0'), std::string(2, '\0')}) {
        registry[full] = Data(1, empty);
        bool present = true;
        EXPECT_EQ(EditionFolder(common::Edition::kFull, &present), "");
        EXPECT_FALSE(present) << empty.size() << " NULs";
        // An empty full edition must not hide a valid demo at start-up.
        registry[demo] = Data(1, std::string("C:\\UT2003Demo\0", 14));
        const common::Installation outcome = ReadGameInstallation();
        EXPECT_TRUE(!outcome.full_installed && outcome.selected == common::Edition::kDemo);
        EXPECT_EQ(outcome.install_folder, "C:\\UT2003Demo");
    }
    registry[full] = Data(1, std::string("C:\\UT2003\0\0", 11));
    bool present = false;
    EXPECT_EQ(EditionFolder(common::Edition::kFull, &present), "C:\\UT2003");
    EXPECT_TRUE(present);
}

TEST(SystemInformationTool, ThePathOrTheToolsLocationAsStringValues) {
    namespace standin = platform::standin;
    standin::Reset();
    const std::string kPathKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
    standin::SetRegistryString(kPathKey, "PATH", "C:\\y.exe", false);  // stored without its NUL
    EXPECT_EQ(SystemInformationTool(), "C:\\y.exe");

    // Only a string of at most 1024 characters counts; then the location, which must hold the tool.
    auto& registry = standin::Get().registry;
    registry[kPathKey + "\\PATH"] = {1, std::string(1025, 'a')};
    standin::SetRegistryString("SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO", "C:\\Tools");
    EXPECT_EQ(SystemInformationTool(), "");
    standin::AddFile("C:\\Tools\\MSINFO32.EXE", "");
    EXPECT_EQ(SystemInformationTool(), "C:\\Tools\\MSINFO32.EXE");
    registry[kPathKey + "\\PATH"] = {1, std::string(1024, 'b')};
    EXPECT_EQ(SystemInformationTool(), std::string(1024, 'b'));
}

}  // namespace
}  // namespace registry
