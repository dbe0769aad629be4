// Tests of the about window's registry reading and the system information tool lookup. Its
// texts and the registered tool's two outcomes are proven on the real window
// (windows_win32_test.cpp).
#include "ui/about_model.h"

#include <gtest/gtest.h>

#include "platform/platform_standin.h"

namespace ui {
namespace {

namespace standin = platform::standin;

TEST(AboutModel, GetKeyValueDropsOnlyATerminatingNul) {
    standin::Reset();
    standin::SetRegistryString("SOFTWARE\\A", "with", "C:\\x", true);
    standin::SetRegistryString("SOFTWARE\\A", "without", "C:\\y", false);
    standin::Get().registry["SOFTWARE\\A\\number"] = {4, std::string("\x01\0\0\0", 4)};
    standin::Get().registry["SOFTWARE\\A\\long"] = {1, std::string(1025, 'a')};
    standin::Get().registry["SOFTWARE\\A\\full"] = {1, std::string(1024, 'b')};

    std::string value = "stale";
    EXPECT_TRUE(GetKeyValue("SOFTWARE\\A", "with", &value));
    EXPECT_EQ(value, "C:\\x");
    EXPECT_TRUE(GetKeyValue("SOFTWARE\\A", "without", &value));
    EXPECT_EQ(value, "C:\\y");
    EXPECT_TRUE(GetKeyValue("SOFTWARE\\A", "full", &value));
    EXPECT_EQ(value, std::string(1024, 'b'));
    for (const char* name : {"missing", "number", "long"}) {
        value = "stale";
        EXPECT_FALSE(GetKeyValue("SOFTWARE\\A", name, &value)) << name;
        EXPECT_EQ(value, "") << name;
    }
    EXPECT_FALSE(GetKeyValue("SOFTWARE\\Nothing", "with", &value));
}

TEST(AboutModel, StartSysInfoQuotesThePathOrLooksInTheToolsLocation) {
    auto& sys = standin::Get();
    standin::Reset();
    standin::AddFile("C:\\Program Files\\MSInfo\\msinfo32.exe", "");
    standin::SetRegistryString(kSysInfoKey, "PATH", "C:\\Program Files\\MSInfo\\msinfo32.exe");
    StartSysInfo();
    EXPECT_EQ(sys.started,
              (std::vector<std::string>{"\"C:\\Program Files\\MSInfo\\msinfo32.exe\""}));

    // Only the location: the folder must hold MSINFO32.EXE; nothing registered gives the message.
    standin::Reset();
    standin::SetRegistryString(kSysInfoLocationKey, "MSINFO", "C:\\Tools");
    StartSysInfo();
    standin::AddFile("C:\\Tools\\MSINFO32.EXE", "");
    StartSysInfo();
    EXPECT_EQ(sys.started, std::vector<std::string>{"C:\\Tools\\MSINFO32.EXE"});
    standin::Get().registry.clear();
    StartSysInfo();
    ASSERT_EQ(sys.messages.size(), 2u);
    EXPECT_EQ(sys.messages[1].text, kSysInfoUnavailable);
}

}  // namespace
}  // namespace ui
