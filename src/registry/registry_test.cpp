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

TEST(EditionFolder, AnEmptyTextWithoutItsNulIsAbsent) {
    platform::standin::Reset();
    platform::standin::Get().registry[std::string(kDemoKey) + "\\" + kFolderValue] = Data(1, "");
    bool present = true;
    EXPECT_EQ(EditionFolder(Edition::kDemo, &present), "");
    EXPECT_FALSE(present);
}

}  // namespace
}  // namespace registry
