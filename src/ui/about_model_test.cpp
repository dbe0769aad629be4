// Tests of the about window's texts and the system information tool lookup.
#include "ui/about_model.h"

#include <gtest/gtest.h>

#include "platform/platform_standin.h"

namespace ui {
namespace {

namespace standin = platform::standin;

TEST(AboutModel, Texts) {
    AboutTexts texts = LoadAboutTexts();
    EXPECT_EQ(texts.caption, "About Benchwright");
    EXPECT_EQ(texts.title, "Benchwright");
    EXPECT_EQ(texts.version, "Version 2.1.0");
    EXPECT_FALSE(texts.description.empty() || texts.credits.empty() || texts.disclaimer.empty());
}

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

TEST(AboutModel, StartSysInfoFindsTheToolOrShowsTheMessage) {
    auto& sys = standin::Get();

    // The PATH value is used as it stands, without checking the file; it is quoted for spaces.
    standin::Reset();
    standin::AddFile("C:\\Program Files\\MSInfo\\msinfo32.exe", "");
    standin::SetRegistryString(kSysInfoKey, "PATH", "C:\\Program Files\\MSInfo\\msinfo32.exe");
    StartSysInfo();
    ASSERT_EQ(sys.started.size(), 1u);
    EXPECT_EQ(sys.started[0], "\"C:\\Program Files\\MSInfo\\msinfo32.exe\"");
    EXPECT_TRUE(sys.messages.empty());

    // Only the location: the folder must hold MSINFO32.EXE.
    standin::Reset();
    standin::SetRegistryString(kSysInfoLocationKey, "MSINFO", "C:\\Tools");
    StartSysInfo();
    ASSERT_EQ(sys.messages.size(), 1u);
    EXPECT_EQ(sys.messages[0].text, kSysInfoUnavailable);
    EXPECT_EQ(sys.messages[0].title, "Benchwright");
    EXPECT_TRUE(sys.started.empty());
    standin::AddFile("C:\\Tools\\MSINFO32.EXE", "");
    StartSysInfo();
    ASSERT_EQ(sys.started.size(), 1u);
    EXPECT_EQ(sys.started[0], "C:\\Tools\\MSINFO32.EXE");

    // Nothing registered, or a registered path that does not start.
    standin::Reset();
    StartSysInfo();
    EXPECT_EQ(sys.messages.size(), 1u);
    standin::SetRegistryString(kSysInfoKey, "PATH", "C:\\gone\\msinfo32.exe");
    StartSysInfo();
    EXPECT_EQ(sys.messages.size(), 2u);
    EXPECT_TRUE(sys.started.empty());
}

}  // namespace
}  // namespace ui
